// Development options and scripted input files: what is accepted, and that
// anything malformed is refused before the game starts.
#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

#include "app/dev_options.h"
#include "app/input_script.h"
#include "app/keyboard.h"
#include "app/scene.h"
#include "app/state_hash.h"
#include "objects/obj_character.h"
#include "scenes/scene_character_select.h"
#include "scenes/scene_factory.h"
#include "scenes/scene_game_clear.h"
#include "scenes/scene_game_over.h"
#include "scenes/scene_game_title.h"
#include "scenes/scene_stage1.h"

namespace {

bool Parse(std::vector<const char*> words, DevOptions& options, std::string& error)
{
    words.insert(words.begin(), "kestrune");
    return ParseDevOptions(static_cast<int>(words.size()), const_cast<char**>(words.data()),
                           options, error);
}

TEST(DevOptions, EveryOptionParsesAndNoneMeansAPlayersLaunch)
{
    DevOptions options;
    std::string error;
    ASSERT_TRUE(Parse({}, options, error));
    EXPECT_TRUE(options.scriptPath.empty() && options.frameLimit == 0 && !options.hasSeed && !options.unpaced &&
                !options.silentAudio && options.stateHashPath.empty() && options.startScreen.empty());
    ASSERT_TRUE(Parse({"--script", "keys.txt", "--frames", "90", "--seed", "7", "--unpaced",
                       "--screenshot", "5:a.png", "--screenshot", "60:/tmp/b:c.png", "--silent",
                       "--state-hashes", "hashes.txt", "--start", "stage:4"},
                      options, error))
        << error;
    EXPECT_EQ(options.scriptPath, "keys.txt");
    EXPECT_EQ(options.frameLimit, 90);
    EXPECT_TRUE(options.hasSeed);
    EXPECT_EQ(options.seed, 7u);
    EXPECT_TRUE(options.unpaced);
    EXPECT_TRUE(options.silentAudio);
    ASSERT_EQ(options.screenshots.size(), 2u);
    EXPECT_EQ(options.screenshots[1].frame, 60);
    EXPECT_EQ(options.screenshots[1].path, "/tmp/b:c.png");
    EXPECT_EQ(options.stateHashPath, "hashes.txt");
    EXPECT_EQ(options.startScreen, "stage:4");
}

TEST(DevOptions, MalformedOptionsAreRefused)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},          {"--frames"},         {"--frames", "0"},
        {"--frames", "-3"},   {"--frames", "12x"},  {"--seed", "abc"},
        {"--screenshot", "5"}, {"--screenshot", "x:a.png"}, {"--screenshot", "5:"},
        {"--script"},         {"-f"},               {"--state-hashes"},
        {"--start"},          {"--start", "stage:6"}, {"--start", "Title"}};
    for (const auto& words : bad) {
        DevOptions options;
        std::string error;
        EXPECT_FALSE(Parse(words, options, error)) << words[0];
        EXPECT_FALSE(error.empty());
    }
}

// Every name --start takes makes its screen; the clear screens carry their result.
TEST(DevOptions, StartNamesMakeTheirScreens)
{
    const struct {
        const char* name;
        const std::type_info& screen;
        int chosen;  // the stage's character, or the clear result
    } cases[] = {{"title", typeid(SceneGameTitle), 0},      {"select", typeid(SceneCharacterSelect), 0},
                 {"stage", typeid(SceneStage1), -1},        {"stage:0", typeid(SceneStage1), 0},
                 {"stage:5", typeid(SceneStage1), 5},       {"clear:1", typeid(SceneGameClear), 1},
                 {"clear:3", typeid(SceneGameClear), 3},    {"over", typeid(SceneGameOver), 0}};
    for (const auto& c : cases) {
        ClearResult = 0;
        Scene* scene = MakeStartScene(c.name);
        EXPECT_TRUE(IsStartScreenName(c.name));
        EXPECT_EQ(typeid(*scene), c.screen) << c.name;
        if (const auto* stage = dynamic_cast<SceneStage1*>(scene)) {
            EXPECT_EQ(stage->chosenCharacter, c.chosen) << c.name;
        } else if (c.screen == typeid(SceneGameClear)) {
            EXPECT_EQ(ClearResult, c.chosen) << c.name;
        }
        delete scene;
    }
    ClearResult = 1;
}

// The replay fingerprint: any change of type, team, place, hit points,
// animation or frame shows; a difference below a thousandth or the sign of
// a zero does not.
TEST(StateHash, EveryRecordedQuantityCountsAndRoundingNoiseDoesNot)
{
    ClearObjectList();
    auto* character = new ObjCharacter();
    AddObject(character, TypeSlimeGreen, TeamEnemy, 1);
    const uint64_t start = WorldStateHash();
    for (int32_t* value : {&character->objectType, &character->team, &character->hp, &character->anim}) {
        const int32_t kept = *value;
        *value = kept + 1;
        EXPECT_NE(WorldStateHash(), start);
        *value = kept;
    }
    for (float* value : {&character->position.x, &character->position.y, &character->position.z,
                         &character->animFrame}) {
        *value = 0.002f;
        EXPECT_NE(WorldStateHash(), start);
        *value = 0.0001f;
        EXPECT_EQ(WorldStateHash(), start);
        *value = -0.0f;
        EXPECT_EQ(WorldStateHash(), start);
        *value = 0.0f;
    }
    EXPECT_EQ(StateHashLine(300).rfind("300 1 ", 0), 0u);
    ClearObjectList();
}

TEST(InputScript, EventsByNameOrNumberSortedByFrame)
{
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript("# walk then attack\n"
                                 "10 down W\n"
                                 "3 down 17   # Ctrl by number\n"
                                 "\n"
                                 "12 up W\n"
                                 "4 up Ctrl\n"
                                 "5 down Enter\n",
                                 events, error))
        << error;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].frame, 3);
    EXPECT_EQ(events[0].virtualKey, VkCtrl);
    EXPECT_TRUE(events[0].down);
    EXPECT_EQ(events[1].virtualKey, VkCtrl);
    EXPECT_FALSE(events[1].down);
    EXPECT_EQ(events[2].virtualKey, VkEnter);
    EXPECT_EQ(events[3].virtualKey, 'W');
    EXPECT_EQ(events[4].frame, 12);
}

TEST(InputScript, MalformedLinesReportTheirNumber)
{
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"1 down W\n2 press W\n", "line 2"},
        {"x down W\n", "line 1"},
        {"0 down W\n", "line 1"},
        {"1 down\n", "line 1"},
        {"1\n", "line 1"},
        {"1 down w\n", "line 1"},  // names are case-sensitive
        {"1 down 256\n", "line 1"},
        {"\n\n1 down W extra\n", "line 3"},
        {"1 down Space\n", "line 1"}};
    for (const auto& [text, where] : bad) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(ParseInputScript(text, events, error)) << text;
        EXPECT_NE(error.find(where), std::string::npos) << error;
        EXPECT_TRUE(events.empty());
    }
}

TEST(InputScript, AppliedEventsReachTheKeyRules)
{
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript("2 down A\n3 up A\n", events, error));
    PlatformReleaseAllKeys();
    ApplyScriptFrame(events, 1);
    PlatformBeginFrameKeys();
    EXPECT_FALSE(KeyDown('A'));
    ApplyScriptFrame(events, 2);
    PlatformBeginFrameKeys();
    EXPECT_TRUE(KeyDown('A'));
    ApplyScriptFrame(events, 3);
    PlatformBeginFrameKeys();
    EXPECT_FALSE(KeyDown('A'));
}

}  // namespace
