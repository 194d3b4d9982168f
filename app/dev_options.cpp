#include "app/dev_options.h"

#include <charconv>
#include <ctime>

DevOptions Dev;

namespace {

bool ParseInt(const std::string& text, long long minimum, long long& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last && value >= minimum && value <= 0x7fffffffLL;
}

}  // namespace

bool ParseDevOptions(int argc, char** argv, DevOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        long long number = 0;
        if (option == "--unpaced") {
            options.unpaced = true;
        } else if (option == "--silent") {
            options.silentAudio = true;
        } else if (option == "--check-content") {
            options.checkContent = true;
        } else if (option == "--state-hashes" && hasValue) {
            options.stateHashPath = argv[++i];
        } else if (option == "--start" && hasValue && IsStartScreenName(argv[i + 1])) {
            options.startScreen = argv[++i];
        } else if (option == "--profile") {
            options.profile = true;
        } else if (option == "--script" && hasValue) {
            options.scriptPath = argv[++i];
        } else if (option == "--trace" && hasValue) {
            options.tracePath = argv[++i];
        } else if (option == "--frames" && hasValue && ParseInt(argv[i + 1], 1, number)) {
            options.frameLimit = static_cast<int>(number);
            ++i;
        } else if (option == "--seed" && hasValue && ParseInt(argv[i + 1], 0, number)) {
            options.hasSeed = true;
            options.seed = static_cast<unsigned>(number);
            ++i;
        } else if (option == "--screenshot" && hasValue) {
            const std::string value = argv[++i];
            const size_t colon = value.find(':');
            if (colon == std::string::npos || colon + 1 == value.size() ||
                !ParseInt(value.substr(0, colon), 1, number)) {
                error = "bad --screenshot value '" + value + "' (expected N:FILE.png)";
                return false;
            }
            options.screenshots.push_back({static_cast<int>(number), value.substr(colon + 1)});
        } else {
            error = "unknown or incomplete option '" + option + "'";
            return false;
        }
    }
    return true;
}

bool IsStartScreenName(const std::string& name)
{
    static const char* const names[] = {"title",   "select",  "stage",   "stage:0", "stage:1",
                                        "stage:2", "stage:3", "stage:4", "stage:5", "clear:1",
                                        "clear:2", "clear:3", "over"};
    for (const char* known : names) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

unsigned GameRandomSeed()
{
    return Dev.hasSeed ? Dev.seed : static_cast<unsigned>(std::time(nullptr));
}
