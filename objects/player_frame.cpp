#include "objects/player_frame.h"

#include "app/keyboard.h"           // Required for: KeyHeld
#include "app/scene.h"              // Required for: RequestScene
#include "app/sound.h"              // Required for: PlaySound
#include "math/collision.h"         // Required for: CollectHits, MoveWithWalls
#include "objects/chara_player.h"   // Required for: HpGaugeWidth, PulseGaugeColor
#include "objects/chara_wivern.h"   // Required for: CharaWivern
#include "objects/damage.h"         // Required for: ApplyDamage
#include "objects/enemy_contact.h"  // Required for: TakeEnemyContactDamage
#include "objects/obj_camera.h"     // Required for: ActiveCamera
#include "render/skin_model.h"      // Required for: SkinModelInSlot, DrawSkinModelShadowed, DrawSkinModelDepth
#include "render/static_model.h"    // Required for: StaticModelInSlot, DrawStaticModel, DrawStaticModelDepth
#include "render/weapon_mount.h"    // Required for: WeaponMountMatrix
#include "scenes/scene_game_over.h"

namespace {

constexpr int VkW = 'W';
constexpr int VkA = 'A';
constexpr int VkS = 'S';
constexpr int VkD = 'D';

constexpr float DiagonalFactor = 0.707f;
constexpr float KnockbackLoss = 0.1f;  // share of the push lost per update
constexpr float KnockbackEnd = 0.02f;
constexpr float TurnRate = 0.2f;
constexpr float AnimEnd = 60.0f;
constexpr float DefaultRadius = 0.4f;

constexpr int32_t GaugeFullWidth = 192;
constexpr float GaugePulse = 0.02f;
constexpr int UiTexture = 0;

constexpr int SoundContact = 6;
constexpr int SoundDiveContact = 8;
constexpr int32_t WivernDiving = 2;

constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

float SphereRadius(const ObjCharacter& self)
{
    if (self.collider != nullptr && self.collider->sphere != nullptr) {
        return self.collider->sphere->radius;
    }
    return DefaultRadius;
}

// A touching enemy's own attack on the character, with the rules of each kind.
void SufferContact(ObjCharacter& self, ObjCharacter& enemy)
{
    if (enemy.objectType == TypeWizard) {
        return;
    }
    if (enemy.objectType == TypeWivern) {
        // Anything else wearing the wyvern's type id has no dive to hurt with.
        auto* wivern = dynamic_cast<CharaWivern*>(&enemy);
        if (wivern == nullptr || wivern->aiState != WivernDiving || wivern->diveHit) {
            return;
        }
        wivern->diveHit = true;
        PlaySound(SoundDiveContact);
    } else {
        PlaySound(SoundContact);
    }
    ApplyDamage(enemy.attack, HitStrength, &enemy, &self);
}

}  // namespace

void SetupPlayerGauge(PlayerGauge& gauge)
{
    gauge.hpBarWidth = GaugeFullWidth;
    gauge.hpBarColor[0] = 1.0f;
    gauge.hpBarColor[1] = 0.0f;
    gauge.hpBarColor[2] = 0.0f;
    gauge.hpBarColor[3] = 1.0f;
    gauge.hpBarPulse = GaugePulse;
    gauge.hpBarFrame = MakeSpriteQuad(0.0f, 28.0f, 192.0f, 59.0f, 5.0f, 5.0f, 197.0f, 32.0f, 0.0f);
}

Vec3 MovementKeys()
{
    Vec3 axes;
    if (KeyHeld(VkD)) {
        axes.x += 1.0f;
    }
    if (KeyHeld(VkA)) {
        axes.x -= 1.0f;
    }
    if (KeyHeld(VkW)) {
        axes.z -= 1.0f;
    }
    if (KeyHeld(VkS)) {
        axes.z += 1.0f;
    }
    return axes;
}

Vec3 WalkInput(float speed)
{
    const bool sideways = KeyHeld(VkD) || KeyHeld(VkA);
    const bool forwardOrBack = KeyHeld(VkW) || KeyHeld(VkS);
    // Diagonal input is slowed per axis so it is not much faster than straight input.
    const float factor = sideways && forwardOrBack ? DiagonalFactor : 1.0f;
    return MovementKeys() * (speed * factor);
}

bool PlayerKnockbackStep(ObjCharacter& self, Vec3& velocity)
{
    self.knockback = self.knockback + self.knockback * KnockbackLoss * -1.0f;
    velocity = self.knockback;
    if (Length(self.knockback) > KnockbackEnd) {
        return false;
    }
    self.knockedBack = false;
    self.animFrame = 0.0f;
    return true;
}

void PlayerDeathStep(int32_t& deathTimer)
{
    if (deathTimer > 0) {
        deathTimer -= 1;
        return;
    }
    RequestScene(new SceneGameOver());
}

void PlacePlayerSphere(ObjCharacter& self)
{
    if (self.collider != nullptr && self.collider->sphere != nullptr) {
        self.collider->sphere->center = self.position;
    }
}

void PlayerContact(ObjCharacter& self, bool attacking, int32_t attackDamage, int attackSound,
                   bool skipKnockedBack)
{
    if (!attacking && !skipKnockedBack) {
        TakeEnemyContactDamage(self);
        return;
    }
    CollectHits(&self);
    if (self.collider == nullptr) {
        return;
    }
    for (Object* other : self.collider->hits) {
        if (other == nullptr) {
            break;
        }
        ObjCharacter* enemy = AsCharacter(other);
        if (enemy == nullptr || enemy->team != TeamEnemy) {
            continue;
        }
        if (skipKnockedBack && enemy->knockedBack) {
            continue;
        }
        if (attacking) {
            ApplyDamage(attackDamage, HitStrength, &self, enemy);
            PlaySound(attackSound);
        } else {
            SufferContact(self, *enemy);
        }
    }
}

void FinishPlayerUpdate(ObjCharacter& self, Vec3& velocity, float pushOut,
                        const StageGeometry* stage, Quaternion& facing, Quaternion& facingTarget,
                        const Vec3* lookDirection, bool& dead)
{
    if (stage != nullptr) {
        MoveWithWalls(self.position, velocity, SphereRadius(self), pushOut, stage->wallModel,
                      stage->stageWorld);
    } else {
        self.position = self.position + velocity;
    }
    if (self.animFrame > AnimEnd) {
        self.animFrame = 0.0f;
    }
    const Vec3 turnInput = lookDirection != nullptr ? *lookDirection : velocity;
    const Matrix4 rotation = TurnToward(facing, facingTarget, turnInput, TurnRate);
    self.world = MatMultiply(MatTranslation(self.position.x, self.position.y, self.position.z), rotation);
    if (self.hp < 1) {
        dead = true;
    }
}

void DrawPlayerShadow(const ObjCharacter& self, const PlayableLook& look)
{
    if (ActiveCamera == nullptr) {
        return;
    }
    DrawSkinModelDepth(look.bodyModel, self.anim, self.animFrame, self.world, ActiveCamera->projection);
    if (look.weaponModel >= 0) {
        DrawStaticModelDepth(look.weaponModel, WeaponMountMatrix(self.world, look.bodyModel, look.weaponBone),
                             ActiveCamera->projection);
    }
}

void DrawPlayer(ObjCharacter& self, const PlayableLook& look, PlayerGauge& gauge)
{
    if (ActiveCamera == nullptr) {
        return;
    }
    const float* flash = nullptr;
    if (self.hitFlash) {
        self.hitFlash = false;
        flash = White;
    }
    const Matrix4& projection = ActiveCamera->projection;
    const Matrix4& view = ActiveCamera->view;
    if (SkinModelInSlot(look.bodyModel) != nullptr) {
        DrawSkinModelShadowed(look.bodyModel, flash, self.world, self.anim, self.animFrame, projection, view);
    }
    // The mount reads the pose of the body drawn just above.
    if (look.weaponModel >= 0 && StaticModelInSlot(look.weaponModel) != nullptr) {
        DrawStaticModel(look.weaponModel, nullptr, WeaponMountMatrix(self.world, look.bodyModel, look.weaponBone),
                        projection, view);
    }

    DrawSprite(gauge.hpBarFrame, White, UiTexture);
    const float width = static_cast<float>(HpGaugeWidth(self.hp, self.maxHp, gauge.hpBarWidth));
    gauge.hpBarFill = MakeSpriteQuad(0.0f, 0.0f, 192.0f, 27.0f, 5.0f, 5.0f, 5.0f + width, 32.0f, 0.0f);
    DrawSprite(gauge.hpBarFill, gauge.hpBarColor, UiTexture);
    PulseGaugeColor(gauge.hpBarColor, gauge.hpBarPulse);
}
