// The character select atlas: one card per selectable character (portrait,
// name, attack and a few figures), the frame the cards sit in, and the
// banner in the window's top-left corner.
#include "tools/image_atlas_table.h"
#include "tools/image_painters.h"
#include "tools/paint_portraits.h"

#include <array>
#include <cmath>

namespace {

constexpr std::string_view SelectFile = "image/CharaSelectUI.png";
const Colour Ink{0.04, 0.04, 0.08, 1.0};
const Colour Gold{0.98, 0.8, 0.3, 1.0};
const Colour White{1.0, 1.0, 1.0, 1.0};
// The frame's border; cards keep their art inside it.
constexpr int FrameBorder = 14;

PixelRect RectOf(std::string_view name)
{
    const AtlasRect r = FindAtlasRect(SelectFile, name);
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

enum class Portrait { GreenSlime, BlueSlime, RedSlime, Lizard, Wyvern, Wizard };

struct Card {
    std::string_view rect;
    Portrait portrait = Portrait::GreenSlime;
    const char* name = "";
    const char* attack = "";
    const char* line1 = "";
    const char* line2 = "";
    int hp = 0;
    int speed = 0; // pips out of 4
};

const std::array<Card, 6> Cards{{
    {"card green slime", Portrait::GreenSlime, "Green Slime", "Body Charge", "Hurls its whole body", "at the foe ahead.", 200, 2},
    {"card blue slime", Portrait::BlueSlime, "Blue Slime", "Bubble Ring", "Twelve bubbles burst", "out in every direction.", 200, 2},
    {"card red slime", Portrait::RedSlime, "Red Slime", "Fire Ball", "Spits a blazing ball", "that flies straight on.", 200, 2},
    {"card lizard warrior", Portrait::Lizard, "Lizard Warrior", "Spear Thrust", "A long reach with", "a swift, sharp spear.", 200, 2},
    {"card wyvern", Portrait::Wyvern, "Wyvern", "Dive", "Soars high, then", "swoops on its prey.", 300, 4},
    {"card wizard", Portrait::Wizard, "Wizard", "Magic Bolts", "Five homing bolts", "seek out the enemy.", 200, 3},
}};

void PaintPortrait(cairo_t* cr, Portrait portrait)
{
    switch (portrait) {
    case Portrait::GreenSlime: PaintSlimePortrait(cr, SlimeKind::Green); break;
    case Portrait::BlueSlime: PaintSlimePortrait(cr, SlimeKind::Blue); break;
    case Portrait::RedSlime: PaintSlimePortrait(cr, SlimeKind::Red); break;
    case Portrait::Lizard: PaintLizardPortrait(cr); break;
    case Portrait::Wyvern: PaintWyvernPortrait(cr); break;
    case Portrait::Wizard: PaintWizardPortrait(cr); break;
    }
}

void PaintCard(cairo_t* cr, const Card& card)
{
    const PixelRect cell = RectOf(card.rect);
    const double size = cell.Height() - 2.0 * (FrameBorder + 8);
    const double px = cell.left + FrameBorder + 10;
    const double py = cell.top + FrameBorder + 8;
    cairo_save(cr);
    RoundedRectPath(cr, px, py, size, size, 14);
    cairo_clip(cr);
    cairo_translate(cr, px, py);
    cairo_scale(cr, size / 200.0, size / 200.0);
    PaintPortrait(cr, card.portrait);
    cairo_restore(cr);
    RoundedRectPath(cr, px, py, size, size, 14);
    SetColour(cr, Gold);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);

    const int textLeft = static_cast<int>(px + size + 16);
    const int textRight = cell.right - FrameBorder - 10;
    TextStyle nameStyle{FontFace::SerifBold, 34.0, White, Ink, 2.0};
    TextInBox(cr, card.name, PixelRect{textLeft, cell.top + 22, textRight, cell.top + 66}, nameStyle, 1.0);
    SetColour(cr, Gold);
    cairo_rectangle(cr, textLeft + 10, cell.top + 72, textRight - textLeft - 20, 2);
    cairo_fill(cr);
    TextStyle attackStyle{FontFace::SansBold, 20.0, Gold, Ink, 1.5};
    TextAt(cr, "Attack:", textLeft + 4, cell.top + 104, attackStyle);
    const double attackX = textLeft + 8 + TextWidth(cr, "Attack:", attackStyle) + 6;
    TextAt(cr, card.attack, attackX, cell.top + 104, TextStyle{FontFace::SansBold, 20.0, White, Ink, 1.5});
    TextStyle body{FontFace::Sans, 17.0, Colour{0.88, 0.9, 1.0, 1.0}, Ink, 0.0};
    TextAt(cr, card.line1, textLeft + 4, cell.top + 134, body);
    TextAt(cr, card.line2, textLeft + 4, cell.top + 156, body);

    TextStyle stat{FontFace::SansBold, 18.0, White, Ink, 1.0};
    TextAt(cr, "HP " + std::to_string(card.hp), textLeft + 4, cell.top + 200, stat);
    TextAt(cr, "Speed", textLeft + 104, cell.top + 200, stat);
    const double pipsLeft = textLeft + 104 + TextWidth(cr, "Speed", stat) + 16;
    for (int i = 0; i < 4; ++i) {
        cairo_arc(cr, pipsLeft + 17 * i, cell.top + 194, 6, 0, 2 * M_PI);
        SetColour(cr, i < card.speed ? Gold : Colour{0.25, 0.27, 0.4, 1.0});
        cairo_fill_preserve(cr);
        SetColour(cr, Ink);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

// Drawn after the card, so it shows only where the card is transparent: a
// gold border and the dark panel the card's text sits on.
void PaintCardFrame(cairo_t* cr, const PixelRect& r)
{
    RoundedRectPath(cr, r.left + 2, r.top + 2, r.Width() - 4, r.Height() - 4, 18);
    cairo_pattern_t* panel = cairo_pattern_create_linear(0, r.top, 0, r.bottom);
    cairo_pattern_add_color_stop_rgb(panel, 0.0, 0.12, 0.14, 0.32);
    cairo_pattern_add_color_stop_rgb(panel, 1.0, 0.05, 0.06, 0.16);
    cairo_set_source(cr, panel);
    cairo_fill(cr);
    cairo_pattern_destroy(panel);
    cairo_set_line_width(cr, 8.0);
    SetColour(cr, Ink);
    RoundedRectPath(cr, r.left + 5, r.top + 5, r.Width() - 10, r.Height() - 10, 16);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 5.0);
    SetColour(cr, Gold);
    RoundedRectPath(cr, r.left + 5, r.top + 5, r.Width() - 10, r.Height() - 10, 16);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.5);
    RoundedRectPath(cr, r.left + 11, r.top + 11, r.Width() - 22, r.Height() - 22, 12);
    cairo_stroke(cr);
    // Gems in the corners.
    const double corners[4][2] = {{r.left + 10.0, r.top + 10.0}, {r.right - 10.0, r.top + 10.0},
                                  {r.left + 10.0, r.bottom - 10.0}, {r.right - 10.0, r.bottom - 10.0}};
    for (const auto& c : corners) {
        cairo_move_to(cr, c[0], c[1] - 7);
        cairo_line_to(cr, c[0] + 7, c[1]);
        cairo_line_to(cr, c[0], c[1] + 7);
        cairo_line_to(cr, c[0] - 7, c[1]);
        cairo_close_path(cr);
        SetColour(cr, Colour{0.85, 0.15, 0.2, 1.0});
        cairo_fill_preserve(cr);
        SetColour(cr, Ink);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

// The banner is a pennant hanging from the window's top edge in the corner,
// with the screen's name and the keys. The rest of its rectangle stays clear:
// the highlighted character stands right of it and above the card, and its
// bounce, its wings or its spear sweep over the middle of the window.
constexpr double PennantLeft = 12.0;
constexpr double PennantRight = 192.0;
constexpr double PennantShoulder = 168.0;  // where the sides end
constexpr double PennantTip = 190.0;       // the point below the middle

void PaintBanner(cairo_t* cr, const PixelRect& r)
{
    const double left = r.left + PennantLeft;
    const double right = r.left + PennantRight;
    const double middle = (left + right) / 2.0;
    cairo_move_to(cr, left, r.top - 4.0);
    cairo_line_to(cr, right, r.top - 4.0);
    cairo_line_to(cr, right, r.top + PennantShoulder);
    cairo_line_to(cr, middle, r.top + PennantTip);
    cairo_line_to(cr, left, r.top + PennantShoulder);
    cairo_close_path(cr);
    cairo_pattern_t* cloth = cairo_pattern_create_linear(0, r.top, 0, r.top + PennantTip);
    cairo_pattern_add_color_stop_rgb(cloth, 0.0, 0.2, 0.24, 0.55);
    cairo_pattern_add_color_stop_rgb(cloth, 1.0, 0.08, 0.1, 0.28);
    cairo_set_source(cr, cloth);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(cloth);
    SetColour(cr, Gold);
    cairo_set_line_width(cr, 4.0);
    cairo_stroke(cr);

    const TextStyle title{FontFace::SerifBold, 40.0, White, Ink, 2.5};
    const int textLeft = static_cast<int>(left) + 6;
    const int textRight = static_cast<int>(right) - 6;
    TextInBox(cr, "Character", PixelRect{textLeft, r.top + 10, textRight, r.top + 54}, title, 2.0);
    TextInBox(cr, "Select", PixelRect{textLeft, r.top + 52, textRight, r.top + 96}, title, 2.0);
    SetColour(cr, Gold);
    cairo_rectangle(cr, left + 22, r.top + 102, right - left - 44, 2);
    cairo_fill(cr);

    // Key names in gold, what they do in white, in two columns.
    const TextStyle key{FontFace::SansBold, 17.0, Gold, Ink, 1.0};
    const TextStyle action{FontFace::SansBold, 17.0, White, Ink, 1.0};
    const char* const rows[3][2] = {{"\u2190 \u2192", "Choose"}, {"Enter", "Start"}, {"B", "Back"}};
    for (int row = 0; row < 3; ++row) {
        const double baseline = r.top + 126 + 21 * row;
        TextAt(cr, rows[row][0], left + 22, baseline, key);
        TextAt(cr, rows[row][1], left + 86, baseline, action);
    }
}

} // namespace

void PaintCharacterSelect(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    for (const Card& card : Cards) {
        PaintCard(cr, card);
    }
    PaintBanner(cr, RectOf("banner"));
    PaintCardFrame(cr, RectOf("card frame"));
}
