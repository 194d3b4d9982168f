// The object list and scene switch: ordering, removal delays and ownership.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/scene.h"
#include "render/render_passes.h"
#include "tests/gl_test_window.h"

namespace {

std::vector<std::string> journal;

class Probe : public Object {
public:
    explicit Probe(std::string name) : name_(std::move(name)) {}
    ~Probe() override { journal.push_back("delete " + name_); }
    void Update() override
    {
        journal.push_back("update " + name_);
        if (spawnOnUpdate) {
            spawnOnUpdate = false;
            AddObject(new Probe(name_ + "-child"), TypeBulletBubble, TeamPlayerShot, 1);
        }
    }
    void DrawShadow() override { journal.push_back("shadow " + name_); }
    void Draw() override { journal.push_back("draw " + name_); }
    bool spawnOnUpdate = false;

private:
    std::string name_;
};

class ProbeScene : public Scene {
public:
    explicit ProbeScene(std::string name, std::string next = "") : name_(std::move(name)), next_(std::move(next)) {}
    ~ProbeScene() override { journal.push_back("delete scene " + name_ + " with " + std::to_string(ObjectList.size()) + " objects"); }
    void Init() override
    {
        journal.push_back("init " + name_);
        AddObject(new Probe(name_ + "-obj"), TypePlayer, TeamPlayer, 0);
    }
    void Update() override
    {
        journal.push_back("update scene " + name_);
        if (!next_.empty()) {
            RequestScene(new ProbeScene(next_));
        }
    }
    void DrawShadow() override { journal.push_back("shadow scene " + name_); }
    void Draw() override { journal.push_back("draw scene " + name_); }

private:
    std::string name_;
    std::string next_;
};

class ObjectListTest : public ::testing::Test {
protected:
    void SetUp() override { journal.clear(); }
    void TearDown() override
    {
        ClearObjectList();
        delete CurrentScene;
        CurrentScene = nullptr;
        delete NextScene;
        NextScene = nullptr;
    }
};

TEST_F(ObjectListTest, AddObjectRegistersAndBuildsColliders)
{
    Probe* none = new Probe("a");
    Probe* withSphere = new Probe("b");
    Probe* bare = new Probe("c");
    withSphere->removeFlag = 1;
    AddObject(none, TypeLight, TeamNeutral, 0);
    AddObject(withSphere, TypeSlimeGreen, TeamEnemy, 1);
    AddObject(bare, TypeWeaponStaff, TeamEnemyWeapon, 2);
    EXPECT_EQ(none->collider, nullptr);
    ASSERT_NE(withSphere->collider, nullptr);
    ASSERT_NE(withSphere->collider->sphere, nullptr);
    EXPECT_EQ(withSphere->removeFlag, 0);
    EXPECT_EQ(withSphere->objectType, TypeSlimeGreen);
    EXPECT_EQ(withSphere->team, TeamEnemy);
    EXPECT_EQ(withSphere->collider->hits[0], nullptr);
    ASSERT_NE(bare->collider, nullptr);
    EXPECT_EQ(bare->collider->sphere, nullptr);
    ASSERT_EQ(ObjectList.size(), 3u);
    EXPECT_EQ(ObjectList.back(), bare);
}

// Handles see a marked object as no longer alive, and a deleted one as gone.
TEST_F(ObjectListTest, RemovalDelaysCountFramesAndHandlesSeeThem)
{
    Probe* zero = new Probe("zero");
    Probe* one = new Probe("one");
    AddObject(zero, TypeBulletFire, TeamEnemyShot, 0);
    AddObject(one, TypeSlimeRed, TeamEnemy, 0);
    ObjectHandle handle(zero);
    EXPECT_TRUE(handle.Alive());
    zero->MarkForRemoval(0);
    EXPECT_EQ(handle.Get(), zero);
    EXPECT_FALSE(handle.Alive());
    one->MarkForRemoval(1);
    one->MarkForRemoval(5);  // an object already marked keeps its first delay
    EXPECT_EQ(one->removeDelay, 1);

    UpdateObjects();  // next frame: zero is deleted, one is updated once more
    EXPECT_EQ(journal, (std::vector<std::string>{"delete zero", "update one"}));
    EXPECT_EQ(handle.Get(), nullptr);
    EXPECT_FALSE(handle);
    journal.clear();
    UpdateObjects();  // the frame after: one goes before anything updates
    EXPECT_EQ(journal, (std::vector<std::string>{"delete one"}));
    EXPECT_TRUE(ObjectList.empty());
}

TEST_F(ObjectListTest, ObjectAppendedDuringPassIsUpdatedInSamePass)
{
    Probe* shooter = new Probe("shooter");
    shooter->spawnOnUpdate = true;
    AddObject(shooter, TypePlayer, TeamPlayer, 1);
    UpdateObjects();
    EXPECT_EQ(journal, (std::vector<std::string>{"update shooter", "update shooter-child"}));
}

TEST_F(ObjectListTest, SceneSwitchOrderAndSupersededScene)
{
    RequestScene(new ProbeScene("first"));
    SwitchSceneIfRequested();
    journal.clear();

    RequestScene(new ProbeScene("superseded"));
    RequestScene(new ProbeScene("second"));
    // The superseded scene is freed at once and never initialised.
    EXPECT_EQ(journal, (std::vector<std::string>{"delete scene superseded with 1 objects"}));
    journal.clear();

    SwitchSceneIfRequested();
    // The old scene dies while its objects still exist; they go after it,
    // and the new scene's own objects survive the switch that made it.
    EXPECT_EQ(journal, (std::vector<std::string>{"delete scene first with 1 objects",
                                                  "delete first-obj", "init second"}));
    EXPECT_EQ(ObjectList.size(), 1u);
    EXPECT_EQ(NextScene, nullptr);

    journal.clear();
    SwitchSceneIfRequested();  // nothing pending: nothing happens
    EXPECT_TRUE(journal.empty());
}

// A frame: the switch a scene asked for last frame, the objects' updates,
// the scene's update; then both passes, objects before the scene. A scene
// that asks for a switch is still drawn in that frame.
TEST_F(ObjectListTest, FrameRunsItsStepsInOrderAndDrawsASceneThatLeavesOnceMore)
{
    REQUIRE_TEST_WINDOW();
    RequestScene(new ProbeScene("first", "second"));
    FrameUpdate();
    RenderPasses();
    EXPECT_EQ(journal, (std::vector<std::string>{"init first", "update first-obj", "update scene first",
                                                  "shadow first-obj", "shadow scene first", "draw first-obj",
                                                  "draw scene first"}));
    journal.clear();
    FrameUpdate();
    EXPECT_EQ(journal, (std::vector<std::string>{"delete scene first with 1 objects", "delete first-obj",
                                                  "init second", "update second-obj", "update scene second"}));
}

}  // namespace
