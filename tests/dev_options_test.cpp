// Development options and scripted input files: what is accepted, and that
// anything malformed is refused before the game starts.
#include <gtest/gtest.h>

#include <vector>

#include "app/dev_options.h"
#include "app/input_script.h"
#include "app/keyboard.h"

namespace {

bool Parse(std::vector<const char*> words, DevOptions& options, std::string& error)
{
    words.insert(words.begin(), "kestrune");
    return ParseDevOptions(static_cast<int>(words.size()), const_cast<char**>(words.data()),
                           options, error);
}

TEST(DevOptions, EveryOptionParses)
{
    DevOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--script", "keys.txt", "--frames", "90", "--seed", "7", "--unpaced",
                       "--screenshot", "5:a.png", "--screenshot", "60:/tmp/b:c.png", "--silent"},
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
}

TEST(DevOptions, NoOptionsMeansAPlayersLaunch)
{
    DevOptions options;
    std::string error;
    ASSERT_TRUE(Parse({}, options, error));
    EXPECT_TRUE(options.scriptPath.empty());
    EXPECT_EQ(options.frameLimit, 0);
    EXPECT_FALSE(options.hasSeed);
    EXPECT_FALSE(options.unpaced);
    EXPECT_FALSE(options.silentAudio);
}

TEST(DevOptions, MalformedOptionsAreRefused)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},          {"--frames"},         {"--frames", "0"},
        {"--frames", "-3"},   {"--frames", "12x"},  {"--seed", "abc"},
        {"--screenshot", "5"}, {"--screenshot", "x:a.png"}, {"--screenshot", "5:"},
        {"--script"},         {"-f"}};
    for (const auto& words : bad) {
        DevOptions options;
        std::string error;
        EXPECT_FALSE(Parse(words, options, error)) << words[0];
        EXPECT_FALSE(error.empty());
    }
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
