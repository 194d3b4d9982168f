#include "scenes/scene_stage1.h"

#include <cstdlib>   // Required for: rand, srand
#include <iterator>  // Required for: std::size

#include "app/dev_options.h"              // Required for: GameRandomSeed
#include "app/keyboard.h"                 // Required for: the Vk* key numbers
#include "app/save_data.h"                // Required for: SaveRecord, WriteSaveRecord
#include "app/sound.h"                    // Required for: LoadSound, PlaySound
#include "objects/chara_player.h"
#include "objects/chara_player_lizaldy.h"      // Required for: CharaPlayerLizaldy
#include "objects/chara_player_slime_blue.h"   // Required for: CharaPlayerSlimeBlue
#include "objects/chara_player_slime_green.h"  // Required for: CharaPlayerSlimeGreen
#include "objects/chara_player_slime_red.h"    // Required for: CharaPlayerSlimeRed
#include "objects/chara_player_wivern.h"       // Required for: CharaPlayerWivern, PlayerWivernHeight
#include "objects/chara_player_wizard.h"       // Required for: CharaPlayerWizard
#include "objects/light.h"                // Required for: Light, ActiveLight
#include "objects/main_camera_lock_on.h"  // Required for: MainCameraLockOn, SetupLockOnCamera
#include "objects/obj_camera.h"           // Required for: ActiveCamera, IsOutsideView
#include "objects/weapon_spear.h"         // Required for: WeaponSpear, SetupSpear
#include "objects/weapon_staff.h"         // Required for: WeaponStaff, SetupStaff
#include "objects/weapon_sword.h"         // Required for: WeaponSword, SetupSword
#include "render/static_model.h"          // Required for: DrawStaticModel, DrawStaticModelShadowed
#include "platform/window.h"              // Required for: SetClearColour
#include "render/texture.h"               // Required for: LoadTexture
#include "scenes/scene_game_clear.h"     // Required for: SceneGameClear, ClearResult
#include "scenes/stage1_enemies.h"       // Required for: SpawnStage1Enemies

namespace {

// Scales x, y and z and leaves w at 1, so the perspective divide keeps the size.
Matrix4 UniformScale(float s)
{
    Matrix4 scale;
    scale.m[0] = s;
    scale.m[5] = s;
    scale.m[10] = s;
    return scale;
}

constexpr int StageWallModel = 7;
constexpr int StageGroundModel = 6;
constexpr int SkyModel = 8;
constexpr int UiTexture = 0;
constexpr int ClearWait = 30;
constexpr int UnlockDefeats = 100;
constexpr float GrassHeight = 0.5f;
constexpr float SmallItemRadius = 0.4f;
constexpr int VkLockOn = 'R';
constexpr float Black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

constexpr const char* StageSounds[] = {
    "sound/game_tunemoor_4_field11.wav", "sound/sword-slash4.wav", "sound/sword-slash3.wav",
    "sound/katana-slash1.wav",           "sound/magic-poison1.wav", "sound/shot1.wav",
    "sound/katana-gesture2.wav",         "sound/beamgun1.wav",     "sound/sword-slash1.wav",
    "sound/katana-slash4.wav",           "sound/ricochets1.wav",   "sound/attack2.wav",
    "sound/setup1.wav",
};

// Uniform integer in base .. base + span - 1.
int RandomIn(int span, int base)
{
    return std::rand() % span + base;
}

// A quad of the given texel rectangle on the unit square centred on the
// origin, top texel row at y 0.5; it faces the camera once billboarded.
SpriteQuad UnitSquareQuad(float s0, float t0, float s1, float t1)
{
    return MakeSpriteQuad(s0, t0, s1, t1, -0.5f, 0.5f, 0.5f, -0.5f, 0.0f);
}

}  // namespace

bool UnlockEarned()
{
    if (SaveData.defeatCount >= UnlockDefeats) {
        return true;
    }
    for (Object* object : ObjectList) {
        if (object->objectType != TypePlayer) {
            continue;
        }
        const auto* character = static_cast<const ObjCharacter*>(object);
        // A broken maxHp cannot count as an unhurt clear.
        if (character->maxHp <= 0) {
            return false;
        }
        return static_cast<float>(character->hp) / static_cast<float>(character->maxHp) >= 1.0f;
    }
    return false;
}

SceneStage1::SceneStage1() = default;

SceneStage1::~SceneStage1()
{
    EnemiesAlive = 0;
}

void SceneStage1::Init()
{
    SetClearColour(0.0f, 0.9f, 0.9f, 0.0f);
    BuildWorld();
    LoadTexture(0, "image/UI.png");
    LoadTexture(1, "image/grass1.png");
    LoadTexture(2, "image/grass2.png");
    LoadTexture(3, "image/grass3.png");
    for (int slot = 0; slot < static_cast<int>(std::size(StageSounds)); ++slot) {
        LoadSound(slot, StageSounds[slot]);
    }
}

void SceneStage1::BuildWorld()
{
    clearDelay = ClearWait;
    wallModel = StageWallModel;
    groundModel = StageGroundModel;
    countFont = NumberFont{UiTexture, 192, 0, 35};
    grassQuad = UnitSquareQuad(0.0f, 0.0f, 256.0f, 256.0f);
    labelQuad = MakeSpriteQuad(64.0f, 188.0f, 239.0f, 222.0f, 530.0f, 10.0f, 705.0f, 45.0f, 0.0f);

    std::srand(GameRandomSeed());

    camera = new MainCameraLockOn();
    AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
    ActiveCamera = camera;

    skyWorld = MatMultiply(MatTranslation(0.0f, 0.0f, -50.0f), UniformScale(200.0f));

    for (int i = 0; i < GrassCount; ++i) {
        const int z = RandomIn(155, -150);
        const int x = RandomIn(41, -20);
        grassWorld[i] = MatTranslation(static_cast<float>(x), GrassHeight, static_cast<float>(z));
        grassKind[i] = RandomIn(3, 1);
    }

    CreatePlayer();

    SetupLockOnCamera(camera, UnitSquareQuad(0.0f, 188.0f, 64.0f, 252.0f), VkRight, VkLeft, VkUp, VkDown, VkLockOn,
                      this, player, -5.0f, -90.0f, 10.0f, 2.0f, 0.2f);

    SpawnStage1Enemies(player, this);

    Light* light = new Light();
    AddObject(light, TypeLight, TeamNeutral, 0);
    light->target = player;
    light->elevation = 50.0f;
    light->azimuth = 120.0f;
    light->distance = 30.0f;
    ActiveLight = light;
}

void SceneStage1::CreatePlayer()
{
    // A weapon, where the character has one, is registered before it (so the
    // weapon updates first) and set up after it (its set-up names the holder).
    switch (chosenCharacter) {
    case 0: {
        auto* slime = new CharaPlayerSlimeGreen();
        AddObject(slime, TypePlayer, TeamPlayer, 1);
        slime->Setup(this, 0.0f, 0.0f, 0.0f);
        player = slime;
        break;
    }
    case 1: {
        auto* slime = new CharaPlayerSlimeBlue();
        AddObject(slime, TypePlayer, TeamPlayer, 1);
        slime->Setup(this, 0.0f, 0.0f, 0.0f);
        player = slime;
        break;
    }
    case 2: {
        auto* slime = new CharaPlayerSlimeRed();
        AddObject(slime, TypePlayer, TeamPlayer, 1);
        slime->Setup(this, 0.0f, 0.0f, 0.0f);
        player = slime;
        break;
    }
    case 3: {
        auto* spear = new WeaponSpear();
        AddObject(spear, TypeWeaponSpear, TeamPlayerWeapon, 1);
        auto* lizard = new CharaPlayerLizaldy();
        AddObject(lizard, TypePlayer, TeamPlayer, 1);
        lizard->Setup(this, 0.0f, 0.0f, 0.0f, spear);
        SetupSpear(spear, PlayerSpearDamage, lizard);
        player = lizard;
        break;
    }
    case 4: {
        auto* wivern = new CharaPlayerWivern();
        AddObject(wivern, TypePlayer, TeamPlayer, 1);
        wivern->Setup(this, 0.0f, PlayerWivernHeight, 0.0f, camera);
        player = wivern;
        break;
    }
    case 5: {
        auto* staff = new WeaponStaff();
        AddObject(staff, TypeWeaponStaff, TeamPlayerWeapon, 0);
        auto* wizard = new CharaPlayerWizard();
        AddObject(wizard, TypePlayer, TeamPlayer, 1);
        wizard->Setup(this, 0.0f, 0.0f, 0.0f, staff);
        SetupStaff(staff, wizard, TeamEnemy, camera);
        player = wizard;
        break;
    }
    default: {
        // The sword fighter: the title's choice, and the fallback for any
        // number character select never hands out.
        auto* sword = new WeaponSword();
        AddObject(sword, TypeWeaponSword, TeamPlayerWeapon, 1);
        auto* fighter = new CharaPlayer();
        AddObject(fighter, TypePlayer, TeamPlayer, 1);
        fighter->Setup(this, 0.0f, 0.0f, 0.0f, sword);
        SetupSword(sword, fighter);
        player = fighter;
        break;
    }
    }
}

void SceneStage1::Update()
{
    PlaySound(0);
    if (EnemiesAlive <= 0) {
        if (clearDelay > 0) {
            clearDelay -= 1;
        } else {
            FinishClear();
        }
    }
    if (player != nullptr && player->hp <= 0 && camera != nullptr) {
        camera->ReleaseLock();
    }
}

void SceneStage1::FinishClear()
{
    SaveData.stageCleared = 1;
    // A clear with the menu already open writes nothing here; the flag just
    // set rides along with the next defeat write.
    if (SaveData.menuUnlocked != 0) {
        ClearResult = 3;
    } else if (UnlockEarned()) {
        SaveData.menuUnlocked = 1;
        WriteSaveRecord();
        ClearResult = 2;
    } else {
        WriteSaveRecord();
        ClearResult = 1;
    }
    RequestScene(new SceneGameClear());
}

void SceneStage1::Draw()
{
    if (ActiveCamera == nullptr) {
        return;
    }
    const Matrix4& view = ActiveCamera->view;
    const Matrix4& projection = ActiveCamera->projection;
    if (StaticModelInSlot(groundModel) != nullptr) {
        DrawStaticModelShadowed(groundModel, nullptr, stageWorld, projection, view);
    }
    if (StaticModelInSlot(wallModel) != nullptr) {
        DrawStaticModelShadowed(wallModel, nullptr, stageWorld, projection, view);
    }
    if (StaticModelInSlot(SkyModel) != nullptr) {
        DrawStaticModel(SkyModel, nullptr, skyWorld, projection, view);
    }
    DrawSprite(labelQuad, Black, UiTexture);
    DrawNumber(countFont, Black, EnemiesAlive, 700, 10, 30);

    // The transposed view without its translation turns each tuft to face the camera.
    const float* v = view.m;
    for (int i = 0; i < GrassCount; ++i) {
        const Matrix4& tuft = grassWorld[i];
        const Vec3 at{tuft.m[12], tuft.m[13], tuft.m[14]};
        if (IsOutsideView(at, SmallItemRadius)) {
            continue;
        }
        const Matrix4 world =
            MatMultiplyRows(tuft, v[0], v[1], v[2], 0.0f, v[4], v[5], v[6], 0.0f, v[8], v[9], v[10], 0.0f);
        DrawSpriteInSpace(grassQuad, White, grassKind[i], view, world, projection);
    }
}
