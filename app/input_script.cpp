#include "app/input_script.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/key_input.h"
#include "platform/virtual_pad.h"

namespace {

const struct {
    const char* name;
    int key;
} NamedKeys[] = {{"Escape", VkEscape}, {"Enter", VkEnter}, {"Up", VkUp},      {"Down", VkDown},
                 {"Left", VkLeft},     {"Right", VkRight}, {"Ctrl", VkCtrl}};

bool ParseNumber(const std::string& text, int& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last;
}

// "down KEY" or "up KEY".
bool ParseKeyEvent(const std::string& action, std::istringstream& words, ScriptEvent& event)
{
    std::string keyWord;
    words >> keyWord;
    event.action = ScriptAction::Key;
    event.virtualKey = VirtualKeyFromName(keyWord);
    event.down = action == "down";
    return (action == "down" || action == "up") && event.virtualKey >= 0;
}

// What follows "pad": "plug", "unplug", "down BUTTON", "up BUTTON" or "AXIS VALUE".
bool ParsePadEvent(std::istringstream& words, ScriptEvent& event)
{
    std::string first;
    std::string second;
    words >> first >> second;
    if (first == "plug" || first == "unplug") {
        event.action = first == "plug" ? ScriptAction::PadPlug : ScriptAction::PadUnplug;
        return second.empty();
    }
    if (first == "down" || first == "up") {
        event.action = ScriptAction::PadButton;
        event.control = PadButtonFromName(second);
        event.down = first == "down";
        return event.control >= 0;
    }
    event.action = ScriptAction::PadAxis;
    event.control = PadAxisFromName(first);
    return event.control >= 0 && ParseNumber(second, event.value) && event.value >= -32768 && event.value <= 32767;
}

}  // namespace

int VirtualKeyFromName(const std::string& name)
{
    for (const auto& entry : NamedKeys) {
        if (name == entry.name) {
            return entry.key;
        }
    }
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
        return name[0];
    }
    int number = -1;
    if (ParseNumber(name, number) && number >= 0 && number < 256) {
        return number;
    }
    return -1;
}

std::string KeyName(int virtualKey)
{
    for (const auto& entry : NamedKeys) {
        if (virtualKey == entry.key) {
            return entry.name;
        }
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return std::string(1, static_cast<char>(virtualKey));
    }
    return std::to_string(virtualKey);
}

bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error)
{
    events.clear();
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream words(line);
        std::string frameWord, action, extra;
        if (!(words >> frameWord)) {
            continue;  // blank or comment-only line
        }
        words >> action;
        ScriptEvent event;
        const bool frameOk = ParseNumber(frameWord, event.frame) && event.frame >= 1;
        const bool eventOk = action == "pad" ? ParsePadEvent(words, event) : ParseKeyEvent(action, words, event);
        if (!frameOk || !eventOk || (words >> extra)) {
            error = "line " + std::to_string(lineNumber) +
                    ": expected 'FRAME down|up KEY' or 'FRAME pad plug|unplug|down BUTTON|up BUTTON|AXIS VALUE', got '" +
                    line + "'";
            events.clear();
            return false;
        }
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    return true;
}

void ApplyScriptFrame(const std::vector<ScriptEvent>& events, int frame)
{
    for (const ScriptEvent& event : events) {
        if (event.frame != frame) {
            continue;
        }
        switch (event.action) {
        case ScriptAction::Key:
            if (event.down) {
                PlatformKeyDown(event.virtualKey);
            } else {
                PlatformKeyUp(event.virtualKey);
            }
            break;
        case ScriptAction::PadPlug:
            PlugVirtualPad();
            break;
        case ScriptAction::PadUnplug:
            UnplugVirtualPad();
            break;
        case ScriptAction::PadButton:
            SetVirtualPadButton(event.control, event.down);
            break;
        case ScriptAction::PadAxis:
            SetVirtualPadAxis(event.control, event.value);
            break;
        }
    }
}
