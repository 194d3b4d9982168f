#include "tools/paint_portraits.h"

#include <array>
#include <cmath>

namespace {

const Colour Ink{0.06, 0.05, 0.08, 1.0};

void Background(cairo_t* cr, const Colour& top, const Colour& bottom)
{
    cairo_rectangle(cr, 0, 0, 200, 200);
    cairo_pattern_t* ramp = cairo_pattern_create_linear(0, 0, 0, 200);
    cairo_pattern_add_color_stop_rgb(ramp, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(ramp, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, ramp);
    cairo_fill(cr);
    cairo_pattern_destroy(ramp);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void FillAndOutline(cairo_t* cr, const Colour& fill, double line)
{
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, Ink);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
}

void ShadedFill(cairo_t* cr, double lx, double ly, double radius, const Colour& light, const Colour& dark)
{
    cairo_pattern_t* shade = cairo_pattern_create_radial(lx, ly, 2, lx, ly, radius);
    cairo_pattern_add_color_stop_rgb(shade, 0.0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(shade, 1.0, dark.r, dark.g, dark.b);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetColour(cr, Ink);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
}

void Eye(cairo_t* cr, double x, double y, double r)
{
    Ellipse(cr, x, y, r * 0.8, r);
    FillAndOutline(cr, Colour{1.0, 1.0, 1.0, 1.0}, 2.0);
    Ellipse(cr, x + r * 0.15, y + r * 0.15, r * 0.45, r * 0.6);
    SetColour(cr, Ink);
    cairo_fill(cr);
    cairo_arc(cr, x + r * 0.3, y - r * 0.1, r * 0.18, 0, 2 * M_PI);
    SetColour(cr, Colour{1.0, 1.0, 1.0, 1.0});
    cairo_fill(cr);
}

} // namespace

void PaintSlimePortrait(cairo_t* cr, SlimeKind kind)
{
    Colour light{0.7, 1.0, 0.55, 1.0};
    Colour dark{0.1, 0.5, 0.1, 1.0};
    if (kind == SlimeKind::Green) {
        Background(cr, Colour{0.7, 0.92, 0.98}, Colour{0.55, 0.8, 0.45});
    } else if (kind == SlimeKind::Blue) {
        light = Colour{0.7, 0.9, 1.0, 1.0};
        dark = Colour{0.1, 0.3, 0.85, 1.0};
        Background(cr, Colour{0.6, 0.85, 1.0}, Colour{0.3, 0.55, 0.8});
    } else {
        light = Colour{1.0, 0.7, 0.55, 1.0};
        dark = Colour{0.75, 0.08, 0.05, 1.0};
        Background(cr, Colour{1.0, 0.85, 0.55}, Colour{0.85, 0.45, 0.25});
    }
    Ellipse(cr, 100, 172, 70, 12);
    SetColour(cr, Colour{0.0, 0.0, 0.0, 0.25});
    cairo_fill(cr);
    // A glossy drop, wide at the bottom, with a curled tip.
    cairo_move_to(cr, 104, 26);
    cairo_curve_to(cr, 120, 60, 178, 100, 176, 140);
    cairo_curve_to(cr, 174, 172, 140, 176, 100, 176);
    cairo_curve_to(cr, 60, 176, 26, 172, 24, 140);
    cairo_curve_to(cr, 22, 100, 84, 70, 90, 40);
    cairo_curve_to(cr, 92, 30, 98, 24, 104, 26);
    cairo_close_path(cr);
    ShadedFill(cr, 75, 85, 120, light, dark);
    Ellipse(cr, 68, 90, 12, 20);
    SetColour(cr, Colour{1.0, 1.0, 1.0, 0.85});
    cairo_fill(cr);
    Eye(cr, 80, 124, 13);
    Eye(cr, 122, 124, 13);
    cairo_set_line_width(cr, 3.0);
    SetColour(cr, Ink);
    cairo_arc(cr, 101, 146, 10, 0.2 * M_PI, 0.8 * M_PI);
    cairo_stroke(cr);
    if (kind == SlimeKind::Blue) {
        for (const auto& b : {std::array<double, 3>{30, 50, 12}, {170, 40, 9}, {160, 80, 6}, {40, 90, 7}}) {
            cairo_arc(cr, b[0], b[1], b[2], 0, 2 * M_PI);
            SetColour(cr, Colour{0.85, 0.95, 1.0, 0.6});
            cairo_fill_preserve(cr);
            SetColour(cr, Colour{1.0, 1.0, 1.0, 1.0});
            cairo_set_line_width(cr, 2.0);
            cairo_stroke(cr);
        }
    } else if (kind == SlimeKind::Red) {
        // A fire ball about to be spat.
        cairo_move_to(cr, 165, 30);
        cairo_curve_to(cr, 190, 50, 186, 80, 166, 86);
        cairo_curve_to(cr, 146, 84, 140, 60, 150, 50);
        cairo_curve_to(cr, 152, 60, 158, 62, 160, 58);
        cairo_curve_to(cr, 156, 48, 160, 38, 165, 30);
        cairo_close_path(cr);
        ShadedFill(cr, 165, 70, 30, Colour{1.0, 1.0, 0.6}, Colour{1.0, 0.4, 0.05});
    }
}

void PaintLizardPortrait(cairo_t* cr)
{
    Background(cr, Colour{0.95, 0.88, 0.65}, Colour{0.75, 0.6, 0.35});
    // The spear behind the warrior.
    cairo_set_line_width(cr, 7.0);
    SetColour(cr, Ink);
    cairo_move_to(cr, 20, 195);
    cairo_line_to(cr, 170, 20);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 4.0);
    SetColour(cr, Colour{0.55, 0.35, 0.15});
    cairo_move_to(cr, 20, 195);
    cairo_line_to(cr, 170, 20);
    cairo_stroke(cr);
    cairo_move_to(cr, 190, 0);
    cairo_line_to(cr, 176, 36);
    cairo_line_to(cr, 160, 22);
    cairo_close_path(cr);
    FillAndOutline(cr, Colour{0.85, 0.88, 0.95}, 2.5);
    // Leather shoulders.
    cairo_move_to(cr, 30, 200);
    cairo_curve_to(cr, 40, 150, 80, 140, 100, 140);
    cairo_curve_to(cr, 130, 140, 165, 150, 175, 200);
    cairo_close_path(cr);
    ShadedFill(cr, 80, 150, 90, Colour{0.7, 0.45, 0.25}, Colour{0.35, 0.2, 0.1});
    // Head in profile with a long snout, facing right.
    cairo_move_to(cr, 60, 150);
    cairo_curve_to(cr, 45, 110, 55, 60, 95, 52);
    cairo_curve_to(cr, 120, 48, 140, 62, 150, 72);
    cairo_line_to(cr, 186, 92);
    cairo_curve_to(cr, 192, 98, 188, 110, 178, 112);
    cairo_line_to(cr, 130, 118);
    cairo_curve_to(cr, 118, 135, 110, 150, 110, 150);
    cairo_close_path(cr);
    ShadedFill(cr, 90, 70, 110, Colour{0.6, 0.9, 0.4}, Colour{0.15, 0.45, 0.15});
    // Mouth line, nostril, crest spikes and scales.
    SetColour(cr, Ink);
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, 184, 104);
    cairo_curve_to(cr, 160, 106, 140, 108, 122, 106);
    cairo_stroke(cr);
    cairo_arc(cr, 178, 94, 2.5, 0, 2 * M_PI);
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i) {
        const double x = 60 + i * 14;
        const double y = 70 - i * 5 + (i > 1 ? 8 : 0);
        cairo_move_to(cr, x - 6, y + 6);
        cairo_line_to(cr, x - 10, y - 14);
        cairo_line_to(cr, x + 6, y);
        cairo_close_path(cr);
        FillAndOutline(cr, Colour{0.95, 0.6, 0.15}, 2.0);
    }
    SetColour(cr, Colour{0.1, 0.35, 0.1, 1.0});
    for (int i = 0; i < 7; ++i) {
        cairo_arc(cr, 70 + 9 * i, 120 - (i % 2) * 8, 3, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // A yellow eye with a slit.
    Ellipse(cr, 112, 78, 11, 9);
    FillAndOutline(cr, Colour{1.0, 0.85, 0.1}, 2.0);
    Ellipse(cr, 113, 78, 2.5, 8);
    SetColour(cr, Ink);
    cairo_fill(cr);
}

void PaintWyvernPortrait(cairo_t* cr)
{
    Background(cr, Colour{1.0, 0.75, 0.45}, Colour{0.75, 0.35, 0.35});
    const Colour body{0.7, 0.25, 0.15};
    const Colour wing{0.55, 0.18, 0.12};
    // Two wings spread behind the body, with finger bones.
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, 100 + side * 12, 95);
        cairo_line_to(cr, 100 + side * 60, 40);
        cairo_line_to(cr, 100 + side * 98, 30);
        cairo_curve_to(cr, 100 + side * 85, 60, 100 + side * 92, 90, 100 + side * 94, 120);
        cairo_curve_to(cr, 100 + side * 75, 110, 100 + side * 65, 120, 100 + side * 55, 135);
        cairo_curve_to(cr, 100 + side * 45, 120, 100 + side * 30, 120, 100 + side * 14, 128);
        cairo_close_path(cr);
        ShadedFill(cr, 100 + side * 50, 60, 80, Colour{0.85, 0.4, 0.3}, wing);
        SetColour(cr, Ink);
        cairo_set_line_width(cr, 2.0);
        for (const double fx : {55.0, 94.0}) {
            cairo_move_to(cr, 100 + side * 60, 40);
            cairo_line_to(cr, 100 + side * fx, fx > 60 ? 120 : 135);
            cairo_stroke(cr);
        }
    }
    // Tail curling down, body, then a long neck up to a horned head.
    cairo_move_to(cr, 110, 150);
    cairo_curve_to(cr, 130, 190, 170, 190, 185, 170);
    cairo_curve_to(cr, 175, 180, 140, 182, 118, 140);
    cairo_close_path(cr);
    ShadedFill(cr, 140, 160, 50, Colour{0.9, 0.45, 0.3}, body);
    Ellipse(cr, 100, 130, 28, 38);
    ShadedFill(cr, 90, 110, 50, Colour{0.95, 0.5, 0.35}, body);
    Ellipse(cr, 100, 140, 14, 24);
    SetColour(cr, Colour{0.95, 0.8, 0.55, 1.0});
    cairo_fill(cr);
    cairo_move_to(cr, 90, 105);
    cairo_curve_to(cr, 80, 80, 80, 60, 92, 45);
    cairo_line_to(cr, 108, 48);
    cairo_curve_to(cr, 100, 62, 104, 85, 112, 105);
    cairo_close_path(cr);
    ShadedFill(cr, 92, 60, 40, Colour{0.95, 0.5, 0.35}, body);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, 100 + side * 6, 30);
        cairo_line_to(cr, 100 + side * 22, 8);
        cairo_line_to(cr, 100 + side * 14, 32);
        cairo_close_path(cr);
        FillAndOutline(cr, Colour{0.95, 0.9, 0.75}, 2.0);
    }
    Ellipse(cr, 100, 36, 17, 14);
    ShadedFill(cr, 95, 30, 20, Colour{0.95, 0.5, 0.35}, body);
    Ellipse(cr, 100, 48, 10, 8);
    ShadedFill(cr, 98, 45, 12, Colour{0.95, 0.5, 0.35}, body);
    for (const double side : {-1.0, 1.0}) {
        Ellipse(cr, 100 + side * 7, 33, 4, 3);
        SetColour(cr, Colour{1.0, 0.95, 0.2, 1.0});
        cairo_fill_preserve(cr);
        SetColour(cr, Ink);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void PaintWizardPortrait(cairo_t* cr)
{
    Background(cr, Colour{0.12, 0.12, 0.35}, Colour{0.35, 0.2, 0.5});
    Scatter stars(11);
    SetColour(cr, Colour{1.0, 1.0, 0.8, 1.0});
    for (int i = 0; i < 24; ++i) {
        // Separate statements fix the order of the draws.
        const double x = stars.Range(5, 195);
        const double y = stars.Range(5, 120);
        const double radius = stars.Range(0.8, 2.0);
        cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // The staff with its glowing orb, to the right.
    cairo_set_line_width(cr, 6.0);
    SetColour(cr, Ink);
    cairo_move_to(cr, 165, 200);
    cairo_line_to(cr, 165, 50);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3.5);
    SetColour(cr, Colour{0.5, 0.3, 0.15});
    cairo_move_to(cr, 165, 200);
    cairo_line_to(cr, 165, 50);
    cairo_stroke(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(165, 42, 2, 165, 42, 30);
    cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgba(glow, 0.35, 0.6, 0.9, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.4, 0.6, 1.0, 0.0);
    cairo_arc(cr, 165, 42, 30, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    // Robe.
    cairo_move_to(cr, 40, 200);
    cairo_curve_to(cr, 50, 150, 70, 125, 100, 120);
    cairo_curve_to(cr, 130, 125, 150, 150, 158, 200);
    cairo_close_path(cr);
    ShadedFill(cr, 80, 140, 90, Colour{0.7, 0.4, 0.9}, Colour{0.3, 0.1, 0.45});
    // Face, then the long beard over the robe.
    Ellipse(cr, 100, 98, 22, 24);
    FillAndOutline(cr, Colour{0.98, 0.8, 0.65}, 2.5);
    cairo_move_to(cr, 78, 100);
    cairo_curve_to(cr, 80, 150, 92, 175, 100, 192);
    cairo_curve_to(cr, 108, 175, 120, 150, 122, 100);
    cairo_curve_to(cr, 112, 112, 88, 112, 78, 100);
    cairo_close_path(cr);
    FillAndOutline(cr, Colour{0.95, 0.95, 0.97}, 2.5);
    SetColour(cr, Ink);
    for (const double x : {91.0, 109.0}) {
        cairo_arc(cr, x, 95, 2.8, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // The tall pointed hat with a bent tip, a band and a star.
    cairo_move_to(cr, 58, 84);
    cairo_curve_to(cr, 80, 78, 120, 78, 142, 84);
    cairo_curve_to(cr, 130, 60, 118, 30, 100, 12);
    cairo_curve_to(cr, 112, 6, 126, 14, 134, 8);
    cairo_curve_to(cr, 110, -2, 92, 8, 84, 30);
    cairo_curve_to(cr, 76, 50, 70, 70, 58, 84);
    cairo_close_path(cr);
    ShadedFill(cr, 90, 40, 70, Colour{0.75, 0.45, 0.95}, Colour{0.3, 0.1, 0.5});
    cairo_move_to(cr, 66, 78);
    cairo_curve_to(cr, 86, 72, 114, 72, 136, 78);
    cairo_line_to(cr, 132, 70);
    cairo_curve_to(cr, 112, 64, 88, 64, 70, 70);
    cairo_close_path(cr);
    FillAndOutline(cr, Colour{0.95, 0.8, 0.25}, 1.5);
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + M_PI * i / 5;
        const double radius = i % 2 == 0 ? 9.0 : 4.0;
        const double x = 102 + radius * std::cos(angle);
        const double y = 48 + radius * std::sin(angle);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
    FillAndOutline(cr, Colour{1.0, 0.9, 0.3}, 1.0);
}
