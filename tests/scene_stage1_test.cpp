// The stage: the order of its objects and the character chosen for it, where
// the random draws put the grass, the clear 30 frames after the last enemy
// with the result and save record it hands on, and its own drawing over the
// objects (the counter and the grass turned to the camera; the ground, walls
// and sky show in the reference pictures).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/dev_options.h"
#include "app/save_data.h"
#include "app/scene.h"
#include "objects/chara_player.h"
#include "objects/chara_player_lizaldy.h"
#include "objects/chara_player_slime_blue.h"
#include "objects/chara_player_slime_green.h"
#include "objects/chara_player_slime_red.h"
#include "objects/chara_player_wivern.h"
#include "objects/chara_player_wizard.h"
#include "objects/light.h"
#include "objects/main_camera_lock_on.h"
#include "objects/weapon_spear.h"
#include "objects/weapon_staff.h"
#include "objects/weapon_sword.h"
#include "render/texture.h"
#include "scenes/scene_factory.h"
#include "scenes/scene_game_clear.h"
#include "scenes/scene_stage1.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

// Each test builds its stage with a fixed seed in a directory of its own, so
// the save file the stage writes never touches the one beside the game.
class SceneStage1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        SaveData = SaveRecord{};
        ClearResult = 1;
        Dev.hasSeed = true;
        Dev.seed = 1234;
        Build(-1);
    }
    void TearDown() override
    {
        delete stage;
        ClearObjectList();
        delete NextScene;
        NextScene = nullptr;
        Dev.hasSeed = false;
        SaveData = SaveRecord{};
    }

    void Build(int chosen)
    {
        delete stage;
        ClearObjectList();
        stage = dynamic_cast<SceneStage1*>(MakeStageScene(chosen));
        ASSERT_NE(stage, nullptr);
        stage->BuildWorld();
    }

    // Takes the enemies and their weapons away as if all had just fallen.
    static void DefeatEveryEnemy()
    {
        for (Object* object : ObjectList) {
            if (object->team == TeamEnemy || object->team == TeamEnemyWeapon) {
                object->MarkForRemoval(0);
            }
        }
        EnemiesAlive = 0;
    }

    // Frames (object pass, then the stage) until it asks for the clear screen.
    int FramesUntilClear(int limit = 100)
    {
        int frames = 0;
        while (NextScene == nullptr && frames < limit) {
            UpdateObjects();
            stage->Update();
            ++frames;
        }
        return frames;
    }

    TempDir dir;
    InDirectory inDir{dir.Path()};
    SceneStage1* stage = nullptr;
};

TEST_F(SceneStage1Test, ObjectsStandInTheListedOrder)
{
    std::vector<int32_t> types;
    for (Object* object : ObjectList) {
        types.push_back(object->objectType);
    }
    const std::vector<int32_t> expected = {TypeMainCameraLockOn, TypeWeaponSword, TypePlayer,
                                           2, 2, 2, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5,
                                           TypeWeaponStaff, 6, TypeWeaponStaff, 6,
                                           TypeWeaponSpear, 7, TypeWeaponSpear, 7, TypeWeaponSpear, 7, TypeLight};
    EXPECT_EQ(types, expected);
    EXPECT_EQ(EnemiesAlive, 20);
    EXPECT_EQ(ActiveCamera, ObjectList.front());
    EXPECT_EQ(ActiveLight, ObjectList.back());
    auto* player = dynamic_cast<CharaPlayer*>(stage->player);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->stage, static_cast<const StageGeometry*>(stage));
    EXPECT_EQ(stage->wallModel, 7);
    EXPECT_EQ(stage->groundModel, 6);
    EXPECT_EQ(stage->clearDelay, 30);
}

// Each choice builds its character, with its weapon registered right before
// it, naming it and aiming at the enemies; a number the select screen never
// hands out plays the sword fighter. The stage before is gone each time, so
// the enemy count starts afresh.
TEST_F(SceneStage1Test, EveryChoiceBuildsItsCharacterAndWeapon)
{
    const struct {
        int chosen;
        const std::type_info& character;
        const std::type_info* weapon;
        float height;
    } cases[] = {
        {-1, typeid(CharaPlayer), &typeid(WeaponSword), 0.0f},
        {0, typeid(CharaPlayerSlimeGreen), nullptr, 0.0f},
        {1, typeid(CharaPlayerSlimeBlue), nullptr, 0.0f},
        {2, typeid(CharaPlayerSlimeRed), nullptr, 0.0f},
        {3, typeid(CharaPlayerLizaldy), &typeid(WeaponSpear), 0.0f},
        {4, typeid(CharaPlayerWivern), nullptr, PlayerWivernHeight},
        {5, typeid(CharaPlayerWizard), &typeid(WeaponStaff), 0.0f},
        {9, typeid(CharaPlayer), &typeid(WeaponSword), 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("character " + std::to_string(c.chosen));
        Build(c.chosen);
        EXPECT_EQ(EnemiesAlive, 20);
        ObjCharacter* player = stage->player;
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(typeid(*player), c.character);
        EXPECT_EQ(player->team, TeamPlayer);
        EXPECT_EQ(player->position.y, c.height);
        EXPECT_FLOAT_EQ(player->collider->sphere->radius, 0.4f);
        const Object* before = *std::prev(std::find(ObjectList.begin(), ObjectList.end(), player));
        if (c.weapon == nullptr) {
            EXPECT_EQ(player->weapon, nullptr);
            EXPECT_EQ(before, stage->camera);
            continue;
        }
        ASSERT_NE(player->weapon, nullptr);
        EXPECT_EQ(typeid(*player->weapon), *c.weapon);
        EXPECT_EQ(before, player->weapon);
        EXPECT_EQ(player->weapon->team, TeamPlayerWeapon);
        EXPECT_EQ(player->weapon->Owner(), player);
        if (auto* staff = dynamic_cast<WeaponStaff*>(player->weapon)) {
            EXPECT_EQ(staff->targetTeam, TeamEnemy);
            EXPECT_EQ(staff->camera.Get(), stage->camera);
        } else if (c.chosen == 3) {
            EXPECT_EQ(player->weapon->damage, PlayerSpearDamage);
        }
    }
}

TEST_F(SceneStage1Test, SeededRandomDrawsPlaceTheGrassInItsBand)
{
    for (int i = 0; i < GrassCount; ++i) {
        const Matrix4& tuft = stage->grassWorld[i];
        EXPECT_TRUE(tuft.m[12] >= -20.0f && tuft.m[12] <= 20.0f) << tuft.m[12];
        EXPECT_FLOAT_EQ(tuft.m[13], 0.5f);
        EXPECT_TRUE(tuft.m[14] >= -150.0f && tuft.m[14] <= 4.0f) << tuft.m[14];
        EXPECT_TRUE(stage->grassKind[i] >= 1 && stage->grassKind[i] <= 3) << stage->grassKind[i];
    }
}

// The clear's result and save: an unhurt first clear unlocks the menu and
// writes both flags at once; a hurt one only the cleared flag, unless 100
// defeats unlock it anyway; with the menu already open nothing is written.
TEST_F(SceneStage1Test, ClearResultAndSaveFollowHowTheStageWasWon)
{
    const struct {
        int32_t hp, defeats;
        uint8_t unlockedBefore;
        int result;
        bool written;
        uint8_t unlockedAfter;
    } cases[] = {
        {150, 0, 0, 2, true, 1},
        {149, 99, 0, 1, true, 0},
        {3, 100, 0, 2, true, 1},
        {150, 0, 1, 3, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("hp " + std::to_string(c.hp) + ", defeats " + std::to_string(c.defeats));
        Build(-1);
        fs::remove(SaveFileName);
        delete NextScene;
        NextScene = nullptr;
        SaveData = SaveRecord{};
        SaveData.defeatCount = c.defeats;
        SaveData.menuUnlocked = c.unlockedBefore;
        stage->player->hp = c.hp;
        DefeatEveryEnemy();
        EXPECT_EQ(FramesUntilClear(), 31);
        EXPECT_NE(dynamic_cast<SceneGameClear*>(NextScene), nullptr);
        EXPECT_EQ(ClearResult, c.result);
        EXPECT_EQ(SaveData.stageCleared, 1);
        ASSERT_EQ(fs::exists(SaveFileName), c.written);
        if (c.written) {
            EXPECT_EQ(ReadBytes(SaveFileName),
                      (std::vector<uint8_t>{static_cast<uint8_t>(c.defeats), 0, 0, 0, c.unlockedAfter, 1, 0, 0}));
        }
    }
}

TEST_F(SceneStage1Test, ClearWaitsThirtyFramesAfterTheLastEnemyAndNotBefore)
{
    EXPECT_EQ(FramesUntilClear(50), 50);
    EXPECT_EQ(NextScene, nullptr);
    EXPECT_EQ(stage->clearDelay, 30);
    DefeatEveryEnemy();
    EXPECT_EQ(FramesUntilClear(), 31);
}

TEST_F(SceneStage1Test, DownedPlayerLosesTheLockOnEveryFrame)
{
    stage->camera->lockTarget = ObjectHandle(ObjectList.back());
    FramesUntilClear(1);
    EXPECT_NE(stage->camera->LockTarget(), nullptr);
    stage->player->hp = 0;
    FramesUntilClear(1);
    EXPECT_EQ(stage->camera->LockTarget(), nullptr);
}

// The stage's own drawing with pictures of our own: the counter's digits are
// cells whose opaque part grows with the digit, the label a box, and the
// three kinds of grass three colours.
class StageDrawTest : public SceneStage1Test {
protected:
    void SetUp() override
    {
        {
            // The programs are built from the Library folder beside the game.
            InDirectory game(KESTRUNE_BIN_DIR);
            REQUIRE_TEST_WINDOW();
        }
        SceneStage1Test::SetUp();
        std::vector<PngBox> ui = {{64, 188, 239, 222, 9, 9, 9}};
        for (int digit = 0; digit < 10; ++digit) {
            ui.push_back({192 + 35 * digit, 0, 227 + 35 * digit, 3 * digit + 2, 9, 9, 9});
        }
        ASSERT_TRUE(WriteBoxesPng("ui.png", 600, 260, ui));
        LoadTexture(0, "ui.png");
        for (int kind = 1; kind <= 3; ++kind) {
            const std::string name = "grass" + std::to_string(kind) + ".png";
            ASSERT_TRUE(WriteBoxesPng(name, 256, 256, {{0, 0, 256, 256, GrassColour(kind).r, GrassColour(kind).g,
                                                        GrassColour(kind).b}}));
            LoadTexture(kind, name.c_str());
        }
        // Nothing but what a test places.
        for (Matrix4& tuft : stage->grassWorld) {
            tuft = MatTranslation(0.0f, 0.5f, 500.0f);
        }
        ActiveCamera->view = MatLookAt(Vec3{0.0f, 1.0f, 10.0f}, Vec3{0.0f, 1.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f});
    }
    void TearDown() override
    {
        DeleteAllTextures();
        SceneStage1Test::TearDown();
    }

    static PngBox GrassColour(int kind)
    {
        return {0, 0, 0, 0, static_cast<uint8_t>(kind == 1 ? 250 : 0), static_cast<uint8_t>(kind == 2 ? 250 : 0),
                static_cast<uint8_t>(kind == 3 ? 250 : 0)};
    }
    void Draw() const
    {
        ClearWindow(1.0f, 1.0f, 1.0f);
        stage->Draw();
    }
    // Black pixels going down the column from the counter's top edge.
    static int BlackRun(int x)
    {
        int run = 0;
        while (run < 40 && PixelAt(x, 10 + run).r < 20) {
            ++run;
        }
        return run;
    }
    // Width of the non-white run through (x, y) along the row.
    static int WidthAt(int x, int y)
    {
        auto white = [y](int at) { return PixelAt(at, y).g > 240 && PixelAt(at, y).r > 240; };
        int left = x;
        int right = x;
        while (left > 0 && !white(left - 1)) {
            --left;
        }
        while (right < 799 && !white(right + 1)) {
            ++right;
        }
        return white(x) ? 0 : right - left + 1;
    }
};

TEST_F(StageDrawTest, CounterShowsTheEnemiesLeftBesideItsLabel)
{
    // A digit's cell is 30 pixels high; digit d is opaque in its top
    // (3 d + 2) / 35 of it.
    const auto height = [](int digit) { return (3 * digit + 2) * 30 / 35; };
    Draw();
    EXPECT_LT(PixelAt(600, 25).r, 20);  // the label
    EXPECT_GT(PixelAt(520, 25).r, 240);
    EXPECT_NEAR(BlackRun(715), height(2), 1);
    EXPECT_NEAR(BlackRun(745), height(0), 1);
    EnemiesAlive = 7;
    Draw();
    EXPECT_NEAR(BlackRun(715), height(7), 1);
    EXPECT_EQ(BlackRun(745), 0);
}

// A tuft is a unit square of its kind's picture that always faces the camera;
// one whose sphere of 0.4 lies wholly outside the view is not drawn. The view
// here is cut at its middle, so the left half counts as outside.
TEST_F(StageDrawTest, GrassFacesTheCameraAndTuftsOutsideTheViewAreLeftOut)
{
    stage->grassWorld[0] = MatTranslation(0.0f, 1.0f, 0.0f);
    stage->grassKind[0] = 2;
    for (const float degrees : {0.0f, 60.0f, 90.0f}) {
        SCOPED_TRACE(degrees);
        const float radians = degrees * 3.14159265f / 180.0f;
        ActiveCamera->view = MatLookAt(Vec3{10.0f * std::sin(radians), 1.0f, 10.0f * std::cos(radians)},
                                       Vec3{0.0f, 1.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f});
        Draw();
        const Rgb centre = PixelAt(400, 300);
        EXPECT_EQ(centre.r, 0);
        EXPECT_GT(centre.g, 200);
        // One unit at a distance of 10 through 30 degrees of view: 112
        // pixels high, and 4 / 3 of that wide on the 800 by 600 window.
        EXPECT_NEAR(WidthAt(400, 300), 149, 3);
    }
    ActiveCamera->view = MatLookAt(Vec3{0.0f, 1.0f, 10.0f}, Vec3{0.0f, 1.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f});
    ActiveCamera->frustum[2] = Vec4{1.0f, 0.0f, 0.0f, 0.0f};
    stage->grassWorld[0] = MatTranslation(-0.3f, 1.0f, 0.0f);  // reaches across the cut: drawn
    stage->grassWorld[1] = MatTranslation(-1.5f, 1.0f, 0.0f);  // wholly left of it: left out
    stage->grassKind[1] = 1;
    Draw();
    EXPECT_GT(PixelAt(400, 300).g, 200);
    const int left = 400 - static_cast<int>(1.5f * 149.0f);
    EXPECT_GT(PixelAt(left, 300).r, 240);
    EXPECT_GT(PixelAt(left, 300).g, 240);
}

}  // namespace
