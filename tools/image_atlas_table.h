// Every picture the game reads, and every texel rectangle it draws from
// them, in one table. The painters place their art by these names and the
// tests check each rectangle, so the layout is written down once.
//
// Coordinates are texels, left/top inclusive, right/bottom exclusive, with
// t running down from the image's top row, exactly as the game's sprite
// quads give them.
#pragma once

#include <array>
#include <string_view>

enum class ImageFormat { Bmp, Png };

struct ImageFile {
    std::string_view path; // below the data folder
    ImageFormat format = ImageFormat::Png;
    int width = 0;
    int height = 0;
};

inline constexpr std::array<ImageFile, 13> ImageFiles{{
    {"image/Title.bmp", ImageFormat::Bmp, 800, 600},
    {"image/GameTitleUI.png", ImageFormat::Png, 1024, 1024},
    {"image/UI.png", ImageFormat::Png, 1024, 256},
    {"image/TitleMessage.png", ImageFormat::Png, 800, 600},
    {"image/CharaSelectUI.png", ImageFormat::Png, 1024, 1000},
    {"image/grass1.png", ImageFormat::Png, 256, 256},
    {"image/grass2.png", ImageFormat::Png, 256, 256},
    {"image/grass3.png", ImageFormat::Png, 256, 256},
    {"image/GameClear.bmp", ImageFormat::Bmp, 800, 600},
    {"image/GameClearMessage1.png", ImageFormat::Png, 800, 600},
    {"image/GameClearMessage2.png", ImageFormat::Png, 800, 600},
    {"image/GameClearMessage3.png", ImageFormat::Png, 800, 600},
    {"image/GameOver.bmp", ImageFormat::Bmp, 800, 600},
}};

// Drawn: the game draws from this rectangle, so it must hold visible art.
// KeepClear: something the game draws later must show through here (the
// first sprite drawn on a pixel keeps it), so it must stay transparent.
enum class AtlasUse { Drawn, KeepClear };

struct AtlasRect {
    std::string_view path;
    std::string_view name;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    AtlasUse use = AtlasUse::Drawn;
};

inline constexpr int DigitCell = 35;
inline constexpr int DigitOriginS = 192;
inline constexpr int PromptCellWidth = 128;
inline constexpr int PromptCellHeight = 127;
inline constexpr int CardWidth = 512;
inline constexpr int CardHeight = 250;

// clang-format off
inline constexpr std::array AtlasRects{
    // Title screen
    AtlasRect{"image/Title.bmp",         "background",        0,   0, 800, 600, AtlasUse::Drawn},
    AtlasRect{"image/GameTitleUI.png",   "logo",              0,   0, 588, 100, AtlasUse::Drawn},
    AtlasRect{"image/GameTitleUI.png",   "menu start",        0, 100, 374, 154, AtlasUse::Drawn},
    AtlasRect{"image/GameTitleUI.png",   "menu select",       0, 155, 374, 209, AtlasUse::Drawn},
    AtlasRect{"image/GameTitleUI.png",   "cursor",            0, 210,  64, 264, AtlasUse::Drawn},
    // Only rows 271 to 491 reach the window; the rest lies below its edge.
    AtlasRect{"image/GameTitleUI.png",   "press enter",       0, 271, 391, 491, AtlasUse::Drawn},
    AtlasRect{"image/TitleMessage.png",  "record label",     10,   8, 330,  50, AtlasUse::Drawn},
    // The defeat count (up to four digits of 40 pixels at 15, 55) is drawn
    // after the record panel.
    AtlasRect{"image/TitleMessage.png",  "record digits",    15,  55, 175,  95, AtlasUse::KeepClear},
    AtlasRect{"image/TitleMessage.png",  "logo and menu",   110, 200, 698, 600, AtlasUse::KeepClear},

    // Stage interface
    AtlasRect{"image/UI.png",            "gauge fill",        0,   0, 192,  27, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "gauge frame",       0,  28, 192,  59, AtlasUse::Drawn},
    // The frame is drawn before the fill, so its inside must let the fill through.
    AtlasRect{"image/UI.png",            "gauge frame inside", 6, 34, 186,  53, AtlasUse::KeepClear},
    AtlasRect{"image/UI.png",            "digit 0",  192,       0, 192 + 35,      35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 1",  192 + 35,  0, 192 + 35 * 2,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 2",  192 + 70,  0, 192 + 35 * 3,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 3",  192 + 105, 0, 192 + 35 * 4,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 4",  192 + 140, 0, 192 + 35 * 5,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 5",  192 + 175, 0, 192 + 35 * 6,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 6",  192 + 210, 0, 192 + 35 * 7,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 7",  192 + 245, 0, 192 + 35 * 8,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 8",  192 + 280, 0, 192 + 35 * 9,  35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "digit 9",  192 + 315, 0, 192 + 35 * 10, 35, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "prompt 0",   0, 60, 128, 187, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "prompt 1", 128, 60, 256, 187, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "prompt 2", 256, 60, 384, 187, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "prompt 3", 384, 60, 512, 187, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "prompt 4", 512, 60, 640, 187, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "prompt 5", 640, 60, 768, 187, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "lock-on marker",    0, 188,  64, 252, AtlasUse::Drawn},
    AtlasRect{"image/UI.png",            "enemy label",      64, 188, 239, 222, AtlasUse::Drawn},
    AtlasRect{"image/grass1.png",        "tuft",              0,   0, 256, 256, AtlasUse::Drawn},
    AtlasRect{"image/grass2.png",        "tuft",              0,   0, 256, 256, AtlasUse::Drawn},
    AtlasRect{"image/grass3.png",        "tuft",              0,   0, 256, 256, AtlasUse::Drawn},

    // Character select: cards in a grid of 512 by 250 cells, selections 0
    // to 3 down the left column, 4 and 5 at the top of the right one.
    AtlasRect{"image/CharaSelectUI.png", "card green slime",    0,   0,  512,  250, AtlasUse::Drawn},
    AtlasRect{"image/CharaSelectUI.png", "card blue slime",     0, 250,  512,  500, AtlasUse::Drawn},
    AtlasRect{"image/CharaSelectUI.png", "card red slime",      0, 500,  512,  750, AtlasUse::Drawn},
    AtlasRect{"image/CharaSelectUI.png", "card lizard warrior", 0, 750,  512, 1000, AtlasUse::Drawn},
    AtlasRect{"image/CharaSelectUI.png", "card wyvern",       512,   0, 1024,  250, AtlasUse::Drawn},
    AtlasRect{"image/CharaSelectUI.png", "card wizard",       512, 250, 1024,  500, AtlasUse::Drawn},
    AtlasRect{"image/CharaSelectUI.png", "banner",            512, 500, 1024,  750, AtlasUse::Drawn},
    AtlasRect{"image/CharaSelectUI.png", "card frame",        512, 750, 1024, 1000, AtlasUse::Drawn},

    // End screens
    AtlasRect{"image/GameClear.bmp",         "background",    0,  0, 800, 600, AtlasUse::Drawn},
    AtlasRect{"image/GameClearMessage1.png", "message",       0,  0, 800, 600, AtlasUse::Drawn},
    AtlasRect{"image/GameClearMessage2.png", "message",       0,  0, 800, 600, AtlasUse::Drawn},
    AtlasRect{"image/GameClearMessage3.png", "message",       0,  0, 800, 600, AtlasUse::Drawn},
    AtlasRect{"image/GameOver.bmp",          "title strip",   0,  0, 470,  80, AtlasUse::Drawn},
    AtlasRect{"image/GameOver.bmp",          "prompt",        0, 80, 645, 135, AtlasUse::Drawn},
};
// clang-format on

// The rectangle called `name` in `path`; the painters use it to place their
// art. Returns a zero rectangle for an unknown name, which the tests reject.
constexpr AtlasRect FindAtlasRect(std::string_view path, std::string_view name)
{
    for (const AtlasRect& rect : AtlasRects) {
        if (rect.path == path && rect.name == name) {
            return rect;
        }
    }
    return AtlasRect{path, name, 0, 0, 0, 0, AtlasUse::Drawn};
}
