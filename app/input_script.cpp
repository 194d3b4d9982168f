#include "app/input_script.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/key_input.h"

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
        std::string frameWord, action, keyWord, extra;
        if (!(words >> frameWord)) {
            continue;  // blank or comment-only line
        }
        ScriptEvent event;
        words >> action >> keyWord;
        const bool frameOk = ParseNumber(frameWord, event.frame) && event.frame >= 1;
        event.virtualKey = VirtualKeyFromName(keyWord);
        if (!frameOk || (action != "down" && action != "up") || event.virtualKey < 0 ||
            (words >> extra)) {
            error = "line " + std::to_string(lineNumber) + ": expected 'FRAME down|up KEY', got '" +
                    line + "'";
            events.clear();
            return false;
        }
        event.down = action == "down";
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
        if (event.down) {
            PlatformKeyDown(event.virtualKey);
        } else {
            PlatformKeyUp(event.virtualKey);
        }
    }
}
