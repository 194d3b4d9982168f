// The stage without a window: the order of its objects, where the random
// draws put the grass, the clear 30 frames after the last enemy, the
// result it hands to the clear screen and the save record it writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dev_options.h"
#include "app/save_data.h"
#include "app/scene.h"
#include "objects/chara_player.h"
#include "objects/main_camera_lock_on.h"
#include "objects/obj_camera.h"
#include "objects/obj_weapon.h"
#include "scenes/scene_game_clear.h"
#include "scenes/scene_stage1.h"

namespace {

namespace fs = std::filesystem;

// Runs each test in a directory of its own, so the save file the stage
// writes never touches the one beside the game.
class SceneStage1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::current_path();
        dir = fs::path(::testing::TempDir()) /
              ("stage1_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        SaveData = SaveRecord{};
        ClearResult = 1;
        Dev.hasSeed = true;
        Dev.seed = 1234;
        stage = new SceneStage1();
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

    void TearDown() override
    {
        delete stage;
        ClearObjectList();
        delete NextScene;
        NextScene = nullptr;
        ActiveCamera = nullptr;
        Dev.hasSeed = false;
        SaveData = SaveRecord{};
        fs::current_path(home);
        fs::remove_all(dir);
    }

    // Object pass then the stage's own update, as one frame of the game.
    void Frame()
    {
        UpdateObjects();
        stage->Update();
    }

    // Frames until the stage asks for the clear screen (at most limit).
    int FramesUntilClear(int limit)
    {
        int frames = 0;
        while (NextScene == nullptr && frames < limit) {
            Frame();
            ++frames;
        }
        return frames;
    }

    bool SaveFileExists() const { return fs::exists(dir / SaveFileName); }

    SaveRecord ReadBack() const
    {
        SaveRecord record;
        ReadSaveRecordFrom((dir / SaveFileName).string(), record);
        return record;
    }

    fs::path home;
    fs::path dir;
    SceneStage1* stage = nullptr;
};

TEST_F(SceneStage1Test, ObjectsStandInTheListedOrder)
{
    std::vector<int32_t> characters;
    std::vector<int32_t> front;
    for (Object* object : ObjectList) {
        if (front.size() < 3) {
            front.push_back(object->objectType);
        }
        if (object->team == TeamEnemy) {
            characters.push_back(object->objectType);
        }
    }
    EXPECT_EQ(front, (std::vector<int32_t>{TypeMainCameraLockOn, TypeWeaponSword, TypePlayer}));
    EXPECT_EQ(ObjectList.back()->objectType, TypeLight);
    EXPECT_EQ(characters, (std::vector<int32_t>{2, 2, 2, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7, 7, 7}));
    EXPECT_EQ(EnemiesAlive, 20);
    EXPECT_EQ(ActiveCamera, ObjectList.front());
    auto* player = dynamic_cast<CharaPlayer*>(stage->player);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(static_cast<Object*>(player->weapon), *std::next(ObjectList.begin()));
    EXPECT_FLOAT_EQ(Length(player->position), 0.0f);
    EXPECT_EQ(player->stage, static_cast<const StageGeometry*>(stage));
    EXPECT_EQ(stage->wallModel, 7);
    EXPECT_EQ(stage->groundModel, 6);
    EXPECT_EQ(stage->clearDelay, 30);
}

TEST_F(SceneStage1Test, SeededRandomDrawsPlaceTheGrassInItsBand)
{
    std::vector<Vec3> first;
    for (int i = 0; i < GrassCount; ++i) {
        const Matrix4& tuft = stage->grassWorld[i];
        first.push_back(Vec3{tuft.m[12], tuft.m[13], tuft.m[14]});
        EXPECT_GE(tuft.m[12], -20.0f);
        EXPECT_LE(tuft.m[12], 20.0f);
        EXPECT_FLOAT_EQ(tuft.m[13], 0.5f);
        EXPECT_GE(tuft.m[14], -150.0f);
        EXPECT_LE(tuft.m[14], 4.0f);
        EXPECT_GE(stage->grassKind[i], 1);
        EXPECT_LE(stage->grassKind[i], 3);
    }

    // The same seed gives the same field.
    ClearObjectList();
    EnemiesAlive = 0;
    SceneStage1 again;
    again.BuildWorld();
    for (int i = 0; i < GrassCount; ++i) {
        EXPECT_FLOAT_EQ(again.grassWorld[i].m[12], first[i].x);
        EXPECT_FLOAT_EQ(again.grassWorld[i].m[14], first[i].z);
    }
}

// An unhurt first clear unlocks the menu and writes both flags at once.
TEST_F(SceneStage1Test, FirstUnhurtClearUnlocksTheMenuAndWritesTheFlags)
{
    DefeatEveryEnemy();
    EXPECT_EQ(FramesUntilClear(100), 31);
    EXPECT_NE(dynamic_cast<SceneGameClear*>(NextScene), nullptr);
    EXPECT_EQ(ClearResult, 2);
    ASSERT_TRUE(SaveFileExists());
    const SaveRecord written = ReadBack();
    EXPECT_EQ(written.menuUnlocked, 1);
    EXPECT_EQ(written.stageCleared, 1);
    EXPECT_EQ(written.defeatCount, 0);
    EXPECT_EQ(fs::file_size(dir / SaveFileName), 8u);
}

TEST_F(SceneStage1Test, HurtClearWritesClearedButKeepsTheMenuLocked)
{
    DefeatEveryEnemy();
    stage->player->hp = 149;
    SaveData.defeatCount = 99;
    FramesUntilClear(100);
    EXPECT_EQ(ClearResult, 1);
    const SaveRecord written = ReadBack();
    EXPECT_EQ(written.menuUnlocked, 0);
    EXPECT_EQ(written.stageCleared, 1);
    EXPECT_EQ(written.defeatCount, 99);
}

TEST_F(SceneStage1Test, HundredDefeatsUnlockEvenWhenHurt)
{
    DefeatEveryEnemy();
    stage->player->hp = 3;
    SaveData.defeatCount = 100;
    FramesUntilClear(100);
    EXPECT_EQ(ClearResult, 2);
    EXPECT_EQ(ReadBack().menuUnlocked, 1);
}

// Result 2 comes once per save file: a later clear shows 3 and writes nothing.
TEST_F(SceneStage1Test, ClearWithTheMenuOpenShowsResultThreeAndWritesNothing)
{
    DefeatEveryEnemy();
    SaveData.menuUnlocked = 1;
    FramesUntilClear(100);
    EXPECT_EQ(ClearResult, 3);
    EXPECT_EQ(SaveData.stageCleared, 1);
    EXPECT_FALSE(SaveFileExists());
}

TEST_F(SceneStage1Test, ClearWaitsThirtyFramesAfterTheLastEnemy)
{
    for (int i = 0; i < 50; ++i) {
        Frame();
    }
    EXPECT_EQ(NextScene, nullptr);
    EXPECT_EQ(stage->clearDelay, 30);
    DefeatEveryEnemy();
    EXPECT_EQ(FramesUntilClear(100), 31);
}

TEST_F(SceneStage1Test, DownedPlayerLosesTheLockOnEveryFrame)
{
    auto* camera = static_cast<MainCameraLockOn*>(ObjectList.front());
    camera->lockTarget = ObjectHandle(ObjectList.back());
    Frame();
    EXPECT_NE(camera->LockTarget(), nullptr);
    stage->player->hp = 0;
    Frame();
    EXPECT_EQ(camera->LockTarget(), nullptr);
}

TEST_F(SceneStage1Test, LeavingTheStageResetsTheEnemyCount)
{
    EnemiesAlive = 7;
    delete stage;
    stage = nullptr;
    EXPECT_EQ(EnemiesAlive, 0);
}

}  // namespace
