// The title screen: a painted landscape with a castle, the logo, the menu
// items, the sword cursor, the "Press Enter" prompt and the record panel.
#include "tools/image_atlas_table.h"
#include "tools/image_painters.h"

#include <cmath>

namespace {

constexpr std::string_view TitleUi = "image/GameTitleUI.png";
constexpr std::string_view RecordFile = "image/TitleMessage.png";

PixelRect RectOf(std::string_view path, std::string_view name)
{
    const AtlasRect r = FindAtlasRect(path, name);
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

void LinearFill(cairo_t* cr, double x0, double y0, double x1, double y1, const Colour& from, const Colour& to)
{
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(pattern, 0.0, from.r, from.g, from.b, from.a);
    cairo_pattern_add_color_stop_rgba(pattern, 1.0, to.r, to.g, to.b, to.a);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void PaintSky(cairo_t* cr, int width, int height)
{
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 420);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.16, 0.45, 0.86);
    cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.45, 0.80, 0.97);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.80, 0.97, 0.98);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);

    // The sun's glow, low on the left so the castle on the right is lit.
    cairo_pattern_t* glow = cairo_pattern_create_radial(150, 150, 10, 150, 150, 260);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 1.0, 0.85, 1.0);
    cairo_pattern_add_color_stop_rgba(glow, 0.12, 1.0, 0.96, 0.7, 0.9);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 1.0, 0.9, 0.6, 0.0);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void PaintTree(cairo_t* cr, double x, double groundY, double size, const Colour& leaves)
{
    SetColour(cr, Colour{0.35, 0.22, 0.12, 1.0});
    cairo_rectangle(cr, x - size * 0.08, groundY - size * 0.5, size * 0.16, size * 0.5);
    cairo_fill(cr);
    const double crowns[3][3] = {{0.0, -0.75, 0.42}, {-0.25, -0.55, 0.3}, {0.25, -0.55, 0.3}};
    for (const auto& c : crowns) {
        cairo_arc(cr, x + c[0] * size, groundY + c[1] * size, c[2] * size, 0, 2 * M_PI);
        cairo_pattern_t* shade = cairo_pattern_create_radial(x - size * 0.2, groundY - size, size * 0.05,
                                                             x, groundY - size * 0.6, size * 0.7);
        cairo_pattern_add_color_stop_rgb(shade, 0.0, leaves.r * 1.4, leaves.g * 1.3, leaves.b * 1.2);
        cairo_pattern_add_color_stop_rgb(shade, 1.0, leaves.r * 0.6, leaves.g * 0.6, leaves.b * 0.6);
        cairo_set_source(cr, shade);
        cairo_fill(cr);
        cairo_pattern_destroy(shade);
    }
}

void Battlements(cairo_t* cr, double left, double right, double top, double merlon)
{
    for (double x = left; x + merlon <= right + 0.5; x += merlon * 2.0) {
        cairo_rectangle(cr, x, top - merlon, merlon, merlon);
    }
}

void Tower(cairo_t* cr, double cx, double baseY, double w, double h, const Colour& stone, const Colour& roof)
{
    SetColour(cr, stone);
    cairo_rectangle(cr, cx - w / 2, baseY - h, w, h);
    cairo_fill(cr);
    // A pointed roof with a pennant.
    SetColour(cr, roof);
    cairo_move_to(cr, cx - w / 2 - 4, baseY - h);
    cairo_line_to(cr, cx, baseY - h - w * 1.3);
    cairo_line_to(cr, cx + w / 2 + 4, baseY - h);
    cairo_close_path(cr);
    cairo_fill(cr);
    const double tip = baseY - h - w * 1.3;
    SetColour(cr, Colour{0.3, 0.25, 0.2, 1.0});
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, cx, tip);
    cairo_line_to(cr, cx, tip - 16);
    cairo_stroke(cr);
    SetColour(cr, Colour{0.95, 0.8, 0.15, 1.0});
    cairo_move_to(cr, cx, tip - 16);
    cairo_line_to(cr, cx + 14, tip - 12);
    cairo_line_to(cr, cx, tip - 8);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Lit windows.
    SetColour(cr, Colour{1.0, 0.86, 0.45, 1.0});
    for (double y = baseY - h + 12; y < baseY - 14; y += 22) {
        RoundedRectPath(cr, cx - 3, y, 6, 10, 3);
        cairo_fill(cr);
    }
}

void PaintCastle(cairo_t* cr)
{
    const Colour stone{0.55, 0.55, 0.68, 1.0};
    const Colour darkStone{0.42, 0.42, 0.55, 1.0};
    const Colour roof{0.25, 0.3, 0.62, 1.0};
    const double base = 372.0;
    // Curtain wall with battlements and a gate.
    SetColour(cr, darkStone);
    cairo_rectangle(cr, 560, base - 50, 190, 50);
    Battlements(cr, 560, 750, base - 50, 8);
    cairo_fill(cr);
    SetColour(cr, Colour{0.2, 0.16, 0.14, 1.0});
    cairo_move_to(cr, 642, base);
    cairo_line_to(cr, 642, base - 24);
    cairo_arc(cr, 655, base - 24, 13, M_PI, 2 * M_PI);
    cairo_line_to(cr, 668, base);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Keep behind the towers.
    SetColour(cr, stone);
    cairo_rectangle(cr, 615, base - 110, 80, 62);
    Battlements(cr, 615, 695, base - 110, 8);
    cairo_fill(cr);
    Tower(cr, 655, base - 110, 34, 50, stone, roof);
    Tower(cr, 572, base - 45, 26, 75, stone, roof);
    Tower(cr, 738, base - 45, 26, 75, stone, roof);
    Tower(cr, 610, base - 60, 20, 60, darkStone, roof);
    Tower(cr, 700, base - 60, 20, 60, darkStone, roof);
}

void PaintPath(cairo_t* cr)
{
    cairo_move_to(cr, 330, 600);
    cairo_curve_to(cr, 420, 520, 560, 470, 640, 380);
    cairo_line_to(cr, 670, 380);
    cairo_curve_to(cr, 620, 470, 520, 540, 470, 600);
    cairo_close_path(cr);
    LinearFill(cr, 0, 380, 0, 600, Colour{0.86, 0.78, 0.55, 1.0}, Colour{0.78, 0.64, 0.4, 1.0});
}

} // namespace

void PaintCloud(cairo_t* cr, double x, double y, double scale)
{
    const double puffs[6][3] = {{0, 0, 22}, {24, -10, 26}, {52, -2, 22}, {74, 6, 16}, {-22, 8, 15}, {30, 10, 20}};
    for (const auto& p : puffs) {
        cairo_arc(cr, x + p[0] * scale, y + p[1] * scale, p[2] * scale, 0, 2 * M_PI);
        cairo_close_path(cr);
    }
    LinearFill(cr, 0, y - 36 * scale, 0, y + 30 * scale, Colour{1.0, 1.0, 1.0, 0.95}, Colour{0.82, 0.88, 0.95, 0.95});
}

void PaintRidge(cairo_t* cr, int width, int height, double baseY, double amplitude, double seedPhase,
                const Colour& top, const Colour& bottom)
{
    cairo_move_to(cr, 0, height);
    for (int x = 0; x <= width; x += 4) {
        const double t = x / static_cast<double>(width);
        const double y = baseY + amplitude * (0.55 * std::sin(t * 7.0 + seedPhase) +
                                              0.3 * std::sin(t * 13.0 + seedPhase * 2.1) +
                                              0.15 * std::sin(t * 29.0 + seedPhase * 0.7));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, width, height);
    cairo_close_path(cr);
    LinearFill(cr, 0, baseY - amplitude, 0, height, top, bottom);
}

void PaintTitleBackground(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    const int w = canvas.Width();
    const int h = canvas.Height();
    PaintSky(cr, w, h);
    PaintCloud(cr, 90, 70, 1.1);
    PaintCloud(cr, 330, 120, 0.8);
    PaintCloud(cr, 560, 60, 1.3);
    PaintCloud(cr, 730, 170, 0.7);

    // Far mountains in haze, then the castle hill, then nearer hills.
    PaintRidge(cr, w, h, 330, 40, 1.0, Colour{0.55, 0.62, 0.82, 1.0}, Colour{0.7, 0.8, 0.9, 1.0});
    PaintRidge(cr, w, h, 375, 22, 4.0, Colour{0.45, 0.7, 0.55, 1.0}, Colour{0.5, 0.75, 0.5, 1.0});
    cairo_move_to(cr, 480, 600);
    cairo_curve_to(cr, 520, 400, 580, 372, 655, 368);
    cairo_curve_to(cr, 740, 368, 790, 400, 800, 420);
    cairo_line_to(cr, 800, 600);
    cairo_close_path(cr);
    LinearFill(cr, 0, 368, 0, 600, Colour{0.5, 0.78, 0.35, 1.0}, Colour{0.3, 0.55, 0.2, 1.0});
    PaintCastle(cr);
    PaintRidge(cr, w, h, 470, 26, 2.3, Colour{0.48, 0.78, 0.3, 1.0}, Colour{0.3, 0.6, 0.18, 1.0});
    PaintPath(cr);
    PaintRidge(cr, w, h, 545, 18, 5.1, Colour{0.36, 0.66, 0.22, 1.0}, Colour{0.2, 0.45, 0.12, 1.0});

    const Colour leaves{0.2, 0.45, 0.16, 1.0};
    const double trees[][3] = {{40, 470, 70}, {95, 480, 52}, {150, 462, 60}, {255, 490, 46},
                               {520, 560, 64}, {770, 520, 80}, {715, 560, 58}, {20, 585, 90}};
    for (const auto& t : trees) {
        PaintTree(cr, t[0], t[1], t[2], leaves);
    }
    // Specks of flowers in the nearest meadow.
    Scatter scatter(77);
    for (int i = 0; i < 90; ++i) {
        const double x = scatter.Range(0, w);
        const double y = scatter.Range(560, 598);
        const bool yellow = scatter.Next() < 0.5;
        SetColour(cr, yellow ? Colour{1.0, 0.9, 0.3, 1.0} : Colour{1.0, 0.95, 0.95, 1.0});
        cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

namespace {

// The logo is tinted blue by the game, so it is painted in greys: a light
// face with a bevel-like gradient and a black outline.
void PaintLogo(cairo_t* cr, const PixelRect& box)
{
    TextStyle shadow{FontFace::SerifBold, 96.0, Colour{0.0, 0.0, 0.0, 0.55}, Colour{0.0, 0.0, 0.0, 0.55}, 5.0};
    PixelRect shadowBox = box;
    shadowBox.left += 5;
    shadowBox.top += 5;
    shadowBox.right += 5;
    shadowBox.bottom += 5;
    TextInBox(cr, "Kestrune", shadowBox, shadow, 6.0);

    TextStyle face{FontFace::SerifBold, 96.0, Colour{1.0, 1.0, 1.0, 1.0}, Colour{0.05, 0.05, 0.08, 1.0}, 5.0};
    TextInBox(cr, "Kestrune", box, face, 6.0);
    // A darker lower half over the white face reads as a bevel once tinted.
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top + box.Height() * 0.58, box.Width(), box.Height() * 0.42);
    cairo_clip(cr);
    TextInBox(cr, "Kestrune", box, TextStyle{FontFace::SerifBold, 96.0, Colour{0.72, 0.72, 0.78, 1.0}, Colour{}, 0.0}, 6.0 + 5.0);
    cairo_restore(cr);
}

// Both items share one size, the one at which the longer of them fits.
void PaintMenuItems(cairo_t* cr, const PixelRect& first, const PixelRect& second)
{
    TextStyle style{FontFace::SansBold, 40.0, Colour{1.0, 1.0, 1.0, 1.0}, Colour{0.05, 0.02, 0.02, 1.0}, 3.0};
    style.size = FitTextSize(cr, "Character Select", second, style, 3.0);
    // Left-aligned, so the cursor just left of the cell points at the word.
    TextInBox(cr, "Start", first, style, 3.0, TextAlign::Left);
    TextInBox(cr, "Character Select", second, style, 3.0, TextAlign::Left);
}

// A small sword pointing right at the menu item: steel blade, gold guard.
void PaintSwordCursor(cairo_t* cr, const PixelRect& box)
{
    const double cy = box.top + box.Height() / 2.0;
    const double x0 = box.left + 3;
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Blade.
    cairo_move_to(cr, x0 + 22, cy - 5);
    cairo_line_to(cr, x0 + 52, cy - 5);
    cairo_line_to(cr, x0 + 60, cy);
    cairo_line_to(cr, x0 + 52, cy + 5);
    cairo_line_to(cr, x0 + 22, cy + 5);
    cairo_close_path(cr);
    cairo_pattern_t* steel = cairo_pattern_create_linear(0, cy - 5, 0, cy + 5);
    cairo_pattern_add_color_stop_rgb(steel, 0.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(steel, 0.5, 0.78, 0.82, 0.9);
    cairo_pattern_add_color_stop_rgb(steel, 1.0, 0.5, 0.55, 0.65);
    cairo_set_source(cr, steel);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(steel);
    SetColour(cr, Colour{0.1, 0.1, 0.15, 1.0});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Guard.
    RoundedRectPath(cr, x0 + 17, cy - 14, 6, 28, 2.5);
    SetColour(cr, Colour{0.95, 0.75, 0.2, 1.0});
    cairo_fill_preserve(cr);
    SetColour(cr, Colour{0.35, 0.22, 0.05, 1.0});
    cairo_stroke(cr);
    // Grip and pommel.
    RoundedRectPath(cr, x0 + 4, cy - 3.5, 13, 7, 2);
    SetColour(cr, Colour{0.45, 0.22, 0.12, 1.0});
    cairo_fill_preserve(cr);
    SetColour(cr, Colour{0.2, 0.1, 0.05, 1.0});
    cairo_stroke(cr);
    cairo_arc(cr, x0 + 3, cy, 4.5, 0, 2 * M_PI);
    SetColour(cr, Colour{0.95, 0.75, 0.2, 1.0});
    cairo_fill_preserve(cr);
    SetColour(cr, Colour{0.35, 0.22, 0.05, 1.0});
    cairo_stroke(cr);
}

void PaintPressEnter(cairo_t* cr, const PixelRect& box)
{
    // Only the upper 220 rows reach the window; the prompt sits in them.
    const PixelRect textBox{box.left, box.top + 30, box.right, box.top + 100};
    TextStyle style{FontFace::SansBold, 54.0, Colour{1.0, 1.0, 1.0, 1.0}, Colour{0.05, 0.02, 0.02, 1.0}, 3.5};
    TextInBox(cr, "Press Enter", textBox, style, 4.0);
    // Two small diamonds either side of a rule underline the prompt.
    SetColour(cr, Colour{0.05, 0.02, 0.02, 1.0});
    RoundedRectPath(cr, box.left + 60, box.top + 112, box.Width() - 120, 7, 3.5);
    cairo_fill(cr);
    SetColour(cr, Colour{1.0, 1.0, 1.0, 1.0});
    RoundedRectPath(cr, box.left + 62, box.top + 114, box.Width() - 124, 3, 1.5);
    cairo_fill(cr);
    for (const double x : {box.left + 50.0, box.right - 50.0}) {
        cairo_move_to(cr, x, box.top + 106);
        cairo_line_to(cr, x + 10, box.top + 115.5);
        cairo_line_to(cr, x, box.top + 125);
        cairo_line_to(cr, x - 10, box.top + 115.5);
        cairo_close_path(cr);
        SetColour(cr, Colour{1.0, 1.0, 1.0, 1.0});
        cairo_fill_preserve(cr);
        SetColour(cr, Colour{0.05, 0.02, 0.02, 1.0});
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
}

} // namespace

void PaintTitleInterface(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    PaintLogo(cr, RectOf(TitleUi, "logo"));
    PaintMenuItems(cr, RectOf(TitleUi, "menu start"), RectOf(TitleUi, "menu select"));
    PaintSwordCursor(cr, RectOf(TitleUi, "cursor"));
    PaintPressEnter(cr, RectOf(TitleUi, "press enter"));
}

void PaintRecordPanel(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    const PixelRect label = RectOf(RecordFile, "record label");
    // A dark ribbon with a gold edge; the count below it is drawn by the game.
    RoundedRectPath(cr, label.left, label.top, label.Width(), label.Height(), 10);
    SetColour(cr, Colour{0.06, 0.08, 0.16, 0.9});
    cairo_fill_preserve(cr);
    SetColour(cr, Colour{0.95, 0.78, 0.3, 1.0});
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    TextStyle style{FontFace::SansBold, 26.0, Colour{1.0, 1.0, 1.0, 1.0}, Colour{0.0, 0.0, 0.0, 1.0}, 1.5};
    TextInBox(cr, "Enemies defeated", label, style, 8.0);
}
