#include "tools/icons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "tools/png_writer.h"

namespace {

// Everything is drawn on a 256-unit square and scaled to the canvas.
constexpr double Units = 256.0;

const Colour Ink{0.06, 0.08, 0.16, 1.0};
const Colour Gold{0.97, 0.77, 0.2, 1.0};
const Colour GoldEdge{0.4, 0.25, 0.05, 1.0};

// Outlines stay at least one pixel wide, so the small sizes keep their edges.
double OutlineWidth(double scale, double units)
{
    return std::max(units, 1.0 / scale);
}

void FillPattern(cairo_t* cr, cairo_pattern_t* pattern)
{
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

void StrokeWith(cairo_t* cr, const Colour& colour, double width)
{
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void PaintSkyAndHill(cairo_t* cr)
{
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 8, 0, 200);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.16, 0.45, 0.86);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.62, 0.92, 0.98);
    cairo_rectangle(cr, 0, 0, Units, Units);
    FillPattern(cr, sky);
    cairo_new_path(cr);

    cairo_move_to(cr, 0, 176);
    cairo_curve_to(cr, 70, 150, 170, 150, Units, 184);
    cairo_line_to(cr, Units, Units);
    cairo_line_to(cr, 0, Units);
    cairo_close_path(cr);
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, 150, 0, Units);
    cairo_pattern_add_color_stop_rgb(grass, 0.0, 0.5, 0.8, 0.3);
    cairo_pattern_add_color_stop_rgb(grass, 1.0, 0.22, 0.5, 0.14);
    FillPattern(cr, grass);
    cairo_new_path(cr);
}

// The sword leans from the lower left to the upper right, hilt down.
void PaintSword(cairo_t* cr, double outline)
{
    cairo_save(cr);
    cairo_translate(cr, 58, 196);
    cairo_rotate(cr, -0.87);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

    cairo_move_to(cr, 18, -13);
    cairo_line_to(cr, 176, -13);
    cairo_line_to(cr, 204, 0);
    cairo_line_to(cr, 176, 13);
    cairo_line_to(cr, 18, 13);
    cairo_close_path(cr);
    cairo_pattern_t* steel = cairo_pattern_create_linear(0, -13, 0, 13);
    cairo_pattern_add_color_stop_rgb(steel, 0.0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(steel, 0.5, 0.78, 0.83, 0.92);
    cairo_pattern_add_color_stop_rgb(steel, 1.0, 0.48, 0.53, 0.64);
    FillPattern(cr, steel);
    StrokeWith(cr, Ink, outline);

    RoundedRectPath(cr, 8, -34, 16, 68, 6);
    SetColour(cr, Gold);
    cairo_fill_preserve(cr);
    StrokeWith(cr, GoldEdge, outline);

    RoundedRectPath(cr, -26, -8, 36, 16, 5);
    SetColour(cr, Colour{0.47, 0.24, 0.12, 1.0});
    cairo_fill_preserve(cr);
    StrokeWith(cr, GoldEdge, outline);

    cairo_arc(cr, -30, 0, 12, 0, 2 * M_PI);
    SetColour(cr, Gold);
    cairo_fill_preserve(cr);
    StrokeWith(cr, GoldEdge, outline);
    cairo_restore(cr);
}

// A glossy drop with its tip up, as the slimes in the game are shaped.
void PaintSlime(cairo_t* cr, double outline)
{
    cairo_move_to(cr, 148, 86);
    cairo_curve_to(cr, 162, 120, 226, 142, 222, 194);
    cairo_curve_to(cr, 220, 226, 186, 234, 148, 234);
    cairo_curve_to(cr, 110, 234, 76, 226, 74, 194);
    cairo_curve_to(cr, 70, 142, 134, 120, 148, 86);
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_radial(124, 150, 8, 148, 180, 96);
    cairo_pattern_add_color_stop_rgb(body, 0.0, 0.7, 1.0, 0.55);
    cairo_pattern_add_color_stop_rgb(body, 0.55, 0.3, 0.82, 0.25);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.1, 0.48, 0.12);
    FillPattern(cr, body);
    StrokeWith(cr, Colour{0.04, 0.22, 0.06, 1.0}, outline);

    cairo_save(cr);
    cairo_translate(cr, 112, 150);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, 1.0, 0.55);
    cairo_arc(cr, 0, 0, 17, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, Colour{1.0, 1.0, 1.0, 0.75});
    cairo_fill(cr);

    for (const double x : {126.0, 172.0}) {
        cairo_save(cr);
        cairo_translate(cr, x, 184);
        cairo_scale(cr, 0.8, 1.0);
        cairo_arc(cr, 0, 0, 17, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColour(cr, Colour{1.0, 1.0, 1.0, 1.0});
        cairo_fill_preserve(cr);
        StrokeWith(cr, Ink, outline * 0.6);
        cairo_arc(cr, x + 3, 187, 8, 0, 2 * M_PI);
        SetColour(cr, Ink);
        cairo_fill(cr);
    }
}

}  // namespace

void PaintIcon(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    const double scale = canvas.Width() / Units;
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    const double outline = OutlineWidth(scale, 6.0);

    // The tile: everything else is clipped to its rounded square, whose
    // dark rim keeps it apart from light and dark panels alike.
    cairo_save(cr);
    RoundedRectPath(cr, 8, 8, Units - 16, Units - 16, 44);
    cairo_clip(cr);
    PaintSkyAndHill(cr);
    PaintSword(cr, outline);
    PaintSlime(cr, outline);
    cairo_restore(cr);
    RoundedRectPath(cr, 8, 8, Units - 16, Units - 16, 44);
    StrokeWith(cr, Ink, OutlineWidth(scale, 8.0));
    cairo_restore(cr);
}

bool WriteIcons(const std::string& outDir)
{
    bool ok = true;
    for (const int size : IconSizes) {
        const std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
        const std::string folder = outDir + "/hicolor/" + dimensions + "/apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.message().c_str());
            ok = false;
            continue;
        }
        Canvas canvas(size, size);
        PaintIcon(canvas);
        ok = WritePng(folder + "/kestrune.png", size, size, canvas.Rgba()) && ok;
    }
    return ok;
}
