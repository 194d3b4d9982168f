#include "objects/chara_player.h"

#include "app/keyboard.h"           // Required for: KeyHeld, KeyFreshPress
#include "app/scene.h"              // Required for: RequestScene
#include "app/sound.h"              // Required for: PlaySound
#include "math/collision.h"         // Required for: CollectHits, MoveWithWalls
#include "objects/damage.h"         // Required for: HitStrength
#include "objects/enemy_contact.h"  // Required for: TakeEnemyContactDamage
#include "objects/obj_camera.h"     // Required for: ActiveCamera, CameraRelative
#include "objects/obj_weapon.h"     // Required for: ObjWeapon
#include "objects/stage_geometry.h"
#include "render/skin_model.h"      // Required for: SkinModelInSlot, DrawSkinModelShadowed, DrawSkinModelDepth
#include "render/static_model.h"    // Required for: DrawStaticModel, DrawStaticModelDepth, StaticModelInSlot
#include "render/weapon_mount.h"    // Required for: WeaponMountMatrix, HandBone
#include "scenes/scene_game_over.h"

namespace {

constexpr int BodyModel = 0;   // skinned "model/Player.x"
constexpr int SwordModel = 0;  // static "model/3DWeapon.x"
constexpr int UiTexture = 0;

constexpr int32_t StartHp = 150;
constexpr float WalkSpeed = 0.15f;
constexpr float DiagonalFactor = 0.707f;
constexpr float TurnRate = 0.2f;
constexpr float BodyRadius = 0.4f;
constexpr float KnockbackKeep = 0.1f;  // share of the knock-back lost per update
constexpr float KnockbackEnd = 0.02f;
constexpr int32_t ComboWindow = 5;

constexpr int AnimStand = 0;
constexpr int AnimWalk = 1;
constexpr int AnimFirstAttack = 2;
constexpr int AnimSecondAttack = 3;
constexpr int AnimThirdAttack = 4;
constexpr int AnimKnockedBack = 5;
constexpr int AnimDying = 6;
constexpr float AnimEnd = 60.0f;
constexpr float WalkAnimStep = 1.5f;
constexpr float KnockedBackAnimStep = 5.0f;
constexpr float DyingAnimStep = 0.5f;


// Movement keys: the virtual-key numbers of the letters are their capitals.
constexpr int VkW = 'W';
constexpr int VkA = 'A';
constexpr int VkS = 'S';
constexpr int VkD = 'D';

constexpr int32_t GaugeFullWidth = 192;
constexpr float GaugePulse = 0.02f;
constexpr float PromptLastCell = 5.0f;
constexpr float PromptStep = 0.5f;
constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// One attack of the combo: animation, speed and what happens at its frames.
struct AttackStep {
    int anim;
    float animStep;
    float lunge;  // forward speed while the animation is before frame 20
};
constexpr AttackStep Attacks[3] = {
    {AnimFirstAttack, 3.0f, 0.0f},
    {AnimSecondAttack, 5.0f, 0.1f},
    {AnimThirdAttack, 3.0f, 0.2f},
};
constexpr float LungeUntil = 20.0f;
constexpr float StrikeFrom = 30.0f;
constexpr float PromptFrom = 40.0f;

Matrix4 BillboardAt(Vec3 where, const Matrix4& view)
{
    const float* v = view.m;
    return MatMultiplyRows(MatTranslation(where.x, where.y, where.z), v[0], v[1], v[2], v[3], v[4], v[5], v[6],
                           v[7], v[8], v[9], v[10], v[11]);
}

}  // namespace

int HpGaugeWidth(int32_t hp, int32_t maxHp, int32_t fullWidth)
{
    if (maxHp <= 0 || hp <= 0) {
        return 0;
    }
    if (hp >= maxHp) {
        return fullWidth;
    }
    return static_cast<int>(static_cast<float>(hp) / static_cast<float>(maxHp) * static_cast<float>(fullWidth));
}

void PulseGaugeColor(float color[4], float& pulse)
{
    color[1] += pulse;
    color[2] += pulse;
    if (color[1] > 1.0f) {
        color[1] = 1.0f;
        color[2] = 1.0f;
        pulse = -pulse;
    } else if (color[1] < 0.0f) {
        color[1] = 0.0f;
        color[2] = 0.0f;
        pulse = -pulse;
    }
}

CharaPlayer::CharaPlayer() = default;

void CharaPlayer::Setup(const StageGeometry* stageGeometry, float x, float y, float z, ObjWeapon* sword)
{
    SetupCharacter(*this, CharacterStats{StartHp, 0, BodyRadius}, Vec3{x, y, z});
    velocity = Vec3{};
    action = 0;
    comboStep = 0;
    hpBarWidth = GaugeFullWidth;
    moveSpeed = WalkSpeed;
    hpBarColor[0] = 1.0f;
    hpBarColor[1] = 0.0f;
    hpBarColor[2] = 0.0f;
    hpBarColor[3] = 1.0f;
    hpBarPulse = GaugePulse;
    hpBarFrame = MakeSpriteQuad(0.0f, 28.0f, 192.0f, 59.0f, 5.0f, 5.0f, 197.0f, 32.0f, 0.0f);
    promptTime = 0.0f;
    comboPrompt = false;
    dead = false;
    weapon = sword;
    stage = stageGeometry;
}

void CharaPlayer::Update()
{
    if (knockedBack) {
        UpdateKnockedBack();
    } else if (dead) {
        UpdateDying();
    } else {
        UpdateNormal();
    }
    MoveAndFinish();
}

void CharaPlayer::UpdateKnockedBack()
{
    anim = AnimKnockedBack;
    animFrame += KnockedBackAnimStep;
    if (animFrame >= AnimEnd) {
        animFrame = AnimEnd;
    }
    knockback = knockback + knockback * KnockbackKeep * -1.0f;
    velocity = knockback;
    if (Length(knockback) <= KnockbackEnd) {
        knockedBack = false;
        animFrame = 0.0f;
        velocity = Vec3{};
        // A hit cancels the attack but keeps the pending combo step, so the
        // window for it opens once the player is back on its feet.
        WeaponEndStrike();
        WeaponResetCombo();
        action = 0;
    }
}

void CharaPlayer::UpdateDying()
{
    anim = AnimDying;
    animFrame += DyingAnimStep;
    WeaponEndStrike();
    if (animFrame >= AnimEnd) {
        RequestScene(new SceneGameOver());
    }
}

void CharaPlayer::UpdateNormal()
{
    velocity.x = 0.0f;
    velocity.z = 0.0f;
    if (action == 0) {
        UpdateFree();
    } else if (action == 1) {
        UpdateAttack();
    }
    facingMatrix = TurnToward(facing, facingTarget, velocity, TurnRate);
    if (collider != nullptr && collider->sphere != nullptr) {
        collider->sphere->center = position;
    }
    TouchEnemies();
}

void CharaPlayer::UpdateFree()
{
    const bool sideways = KeyHeld(VkD) || KeyHeld(VkA);
    const bool forwardOrBack = KeyHeld(VkW) || KeyHeld(VkS);
    // Diagonal input is slowed per axis so it is not faster than straight input.
    const float factor = sideways && forwardOrBack ? DiagonalFactor : 1.0f;
    if (KeyHeld(VkD)) {
        velocity.x += moveSpeed * factor;
    }
    if (KeyHeld(VkA)) {
        velocity.x -= moveSpeed * factor;
    }
    if (KeyHeld(VkW)) {
        velocity.z -= moveSpeed * factor;
    }
    if (KeyHeld(VkS)) {
        velocity.z += moveSpeed * factor;
    }
    anim = velocity.x != 0.0f || velocity.z != 0.0f ? AnimWalk : AnimStand;
    animFrame += WalkAnimStep;

    if (comboStep == 0) {
        if (KeyFreshPress(VkCtrl)) {
            animFrame = 0.0f;
            comboTimerArmed = false;
            comboTimer = 0;
            action = 1;
        }
    } else {
        UpdateComboWindow();
    }
    velocity = CameraRelative(velocity);
}

void CharaPlayer::UpdateComboWindow()
{
    if (!comboTimerArmed) {
        comboTimerArmed = true;
        comboTimer = ComboWindow;
    } else if (comboTimer == 0) {
        comboTimer = ComboWindow;
        comboStep = 0;
        WeaponEndStrike();
        WeaponResetCombo();
        promptTime = 0.0f;
        comboPrompt = false;
        return;
    }
    comboTimer -= 1;
    // Only a new press continues the combo: Ctrl still held from the attack
    // before keeps its latch and is ignored here.
    if (KeyFreshPress(VkCtrl)) {
        WeaponNextComboStage();
        animFrame = 0.0f;
        comboTimerArmed = false;
        comboTimer = 0;
        promptTime = 0.0f;
        comboPrompt = false;
        action = 1;
    }
}

void CharaPlayer::UpdateAttack()
{
    if (comboStep < 0 || comboStep > 2) {
        return;
    }
    const AttackStep& step = Attacks[comboStep];
    anim = step.anim;
    animFrame += step.animStep;
    if (comboStep == 0) {
        if (animFrame >= AnimEnd) {
            action = 0;
            comboStep = 1;
            WeaponEndStrike();
        } else if (animFrame >= PromptFrom) {
            comboPrompt = true;
        } else if (animFrame >= StrikeFrom) {
            WeaponBeginStrike();
        }
    } else if (comboStep == 1) {
        // The quick second cut is live from its first frame.
        WeaponBeginStrike();
        if (animFrame >= AnimEnd) {
            comboStep = 2;
            action = 0;
            WeaponEndStrike();
        } else if (animFrame >= StrikeFrom) {
            comboPrompt = true;
        }
    } else {
        if (animFrame >= AnimEnd) {
            action = 0;
            comboStep = 0;
            WeaponEndStrike();
            WeaponResetCombo();
        } else if (animFrame >= StrikeFrom) {
            WeaponBeginStrike();
        }
    }
    if (step.lunge > 0.0f && animFrame < LungeUntil) {
        velocity = ForwardOf(*this) * step.lunge;
    }
}

void CharaPlayer::TouchEnemies()
{
    TakeEnemyContactDamage(*this);
}

void CharaPlayer::MoveAndFinish()
{
    const float radius = collider != nullptr && collider->sphere != nullptr ? collider->sphere->radius : BodyRadius;
    if (stage != nullptr) {
        MoveWithWalls(position, velocity, radius, moveSpeed, stage->wallModel, stage->stageWorld);
    } else {
        position = position + velocity;
    }
    if (animFrame > AnimEnd) {
        animFrame = 0.0f;
    }
    world = MatMultiply(MatTranslation(position.x, position.y, position.z), facingMatrix);
    if (hp < 1) {
        dead = true;
    }
}


void CharaPlayer::DrawShadow()
{
    if (ActiveCamera == nullptr) {
        return;
    }
    DrawSkinModelDepth(BodyModel, anim, animFrame, world, ActiveCamera->projection);
    DrawStaticModelDepth(SwordModel, WeaponMountMatrix(world, BodyModel, HandBone), ActiveCamera->projection);
}

void CharaPlayer::Draw()
{
    if (ActiveCamera == nullptr) {
        return;
    }
    const float* flash = nullptr;
    if (hitFlash) {
        hitFlash = false;
        flash = White;
    }
    if (SkinModelInSlot(BodyModel) != nullptr) {
        DrawSkinModelShadowed(BodyModel, flash, world, anim, animFrame, ActiveCamera->projection, ActiveCamera->view);
    }
    // The mount reads the pose of the body drawn just above.
    if (StaticModelInSlot(SwordModel) != nullptr) {
        DrawStaticModel(SwordModel, nullptr, WeaponMountMatrix(world, BodyModel, HandBone), ActiveCamera->projection,
                        ActiveCamera->view);
    }

    DrawSprite(hpBarFrame, White, UiTexture);
    const float width = static_cast<float>(HpGaugeWidth(hp, maxHp, hpBarWidth));
    hpBarFill = MakeSpriteQuad(0.0f, 0.0f, 192.0f, 27.0f, 5.0f, 5.0f, 5.0f + width, 32.0f, 0.0f);
    DrawSprite(hpBarFill, hpBarColor, UiTexture);
    PulseGaugeColor(hpBarColor, hpBarPulse);

    if (comboPrompt) {
        const float cell = static_cast<float>(static_cast<int>(promptTime));
        promptTime += PromptStep;
        if (promptTime > PromptLastCell) {
            promptTime = PromptLastCell;
        }
        // The top texel row sits at y 0.5 so the picture stands upright.
        promptQuad = MakeSpriteQuad(128.0f * cell, 60.0f, 128.0f * cell + 128.0f, 187.0f, -0.5f, 0.5f, 0.5f, -0.5f, 0.0f);
        const Matrix4 at = BillboardAt(position + Vec3{0.0f, 1.0f, 0.0f}, ActiveCamera->view);
        DrawSpriteInSpace(promptQuad, White, UiTexture, ActiveCamera->view, at, ActiveCamera->projection);
    }
}

void CharaPlayer::WeaponBeginStrike()
{
    if (weapon != nullptr) {
        weapon->BeginStrike();
    }
}

void CharaPlayer::WeaponNextComboStage()
{
    if (weapon != nullptr) {
        weapon->NextComboStage();
    }
}

void CharaPlayer::WeaponEndStrike()
{
    if (weapon != nullptr) {
        weapon->EndStrike();
    }
}

void CharaPlayer::WeaponResetCombo()
{
    if (weapon != nullptr) {
        weapon->ResetCombo();
    }
}
