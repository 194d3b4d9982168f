// The physical keyboard's poll (focus, keys held from before the focus, taps,
// auto-repeat) and the script lines that drive a software pad.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/input_script.h"
#include "platform/key_input.h"

namespace {

std::bitset<256> Keys(const std::string& letters)
{
    std::bitset<256> keys;
    for (char letter : letters) {
        keys.set(static_cast<unsigned char>(letter));
    }
    return keys;
}

// One poll: whether the window has the keyboard, the keys held, the presses
// reported since the poll before, and the keys the game should see.
struct PollStep {
    bool focused;
    const char* held;
    const char* pressed;
    const char* counted;
};

TEST(KeyboardPoll, CountsOnlyKeysPressedWhileTheWindowHasTheKeyboard)
{
    const std::vector<std::pair<const char*, std::vector<PollStep>>> cases = {
        {"a focus loss releases a held key; it stays released when the focus returns while it is "
         "held, auto-repeat included, until it is pressed again",
         {{true, "", "", ""},
          {true, "W", "W", "W"},
          {false, "W", "", ""},
          {true, "W", "", ""},
          {true, "W", "W", ""},
          {true, "", "", ""},
          {true, "W", "W", "W"}}},
        {"a key held when the game starts (the Enter that launched it) waits for its release",
         {{true, "M", "", ""}, {true, "", "", ""}, {true, "M", "M", "M"}}},
        {"a tap between two polls counts for one poll; auto-repeat of a held key adds nothing",
         {{true, "", "C", "C"}, {true, "", "", ""}, {true, "C", "C", "C"}, {true, "C", "C", "C"}, {true, "", "", ""}}},
        {"a key tapped while it was held from before counts, since it was let go in between",
         {{true, "B", "", ""}, {true, "", "B", "B"}}},
        {"a key pressed as the focus returns counts, held or already let go",
         {{true, "", "", ""}, {false, "", "", ""}, {true, "X", "X", "X"}, {false, "", "", ""}, {true, "", "X", "X"}}},
        {"a press made before the focus went counts once; a key still held then does not",
         {{true, "", "", ""}, {false, "", "D", "D"}, {true, "", "", ""}, {false, "D", "D", ""}}},
    };
    for (const auto& [what, steps] : cases) {
        KeyboardPoll poll;
        for (size_t i = 0; i < steps.size(); ++i) {
            const PollStep& step = steps[i];
            for (char letter : std::string(step.pressed)) {
                NoteKeyPress(poll, letter);
            }
            uint8_t table[256] = {};
            FinishKeyboardPoll(poll, step.focused, Keys(step.held), table);
            std::bitset<256> counted;
            for (int key = 0; key < 256; ++key) {
                counted[key] = (table[key] & 0x80) != 0;
            }
            EXPECT_EQ(counted, Keys(step.counted)) << what << ", poll " << i + 1;
        }
    }
    KeyboardPoll poll;
    NoteKeyPress(poll, -1);
    NoteKeyPress(poll, 256);
    EXPECT_TRUE(poll.pressedSincePoll.none());
}

TEST(InputScript, PadLinesAndTheirMistakes)
{
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript("3 pad unplug\n1 pad plug\n2 pad down a\n2 pad lefty -32768\n2 down W\n4 pad up dpup\n",
                                 events, error))
        << error;
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].action, ScriptAction::PadPlug);
    EXPECT_EQ(events[1].action, ScriptAction::PadButton);
    EXPECT_EQ(events[1].control, 0);  // the south button
    EXPECT_TRUE(events[1].down);
    EXPECT_EQ(events[2].action, ScriptAction::PadAxis);
    EXPECT_EQ(events[2].control, 1);  // the left stick's vertical axis
    EXPECT_EQ(events[2].value, -32768);
    EXPECT_EQ(events[3].action, ScriptAction::Key);
    EXPECT_EQ(events[4].action, ScriptAction::PadUnplug);
    EXPECT_FALSE(events[5].down);

    for (const char* bad : {"1 pad\n", "1 pad plug now\n", "1 pad down\n", "1 pad down select\n", "1 pad leftx\n",
                            "1 pad leftx 32768\n", "1 pad leftx -32769\n", "1 pad leftx 5 6\n", "1 pad wiggle 3\n",
                            "1 pad up a b\n"}) {
        EXPECT_FALSE(ParseInputScript(bad, events, error)) << bad;
        EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    }
}

}  // namespace
