// The end screens: the bright game clear background with its three result
// messages, and the dark game over strip and prompt.
#include "tools/image_atlas_table.h"
#include "tools/image_painters.h"

#include <array>
#include <cmath>

namespace {

const Colour Ink{0.05, 0.04, 0.08, 1.0};
const Colour White{1.0, 1.0, 1.0, 1.0};
const Colour Gold{0.98, 0.8, 0.3, 1.0};

void PaintRays(cairo_t* cr, double cx, double cy, int rays)
{
    for (int i = 0; i < rays; ++i) {
        const double a0 = 2.0 * M_PI * i / rays;
        const double a1 = 2.0 * M_PI * (i + 0.5) / rays;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + 1200 * std::cos(a0), cy + 1200 * std::sin(a0));
        cairo_line_to(cr, cx + 1200 * std::cos(a1), cy + 1200 * std::sin(a1));
        cairo_close_path(cr);
    }
    SetColour(cr, Colour{1.0, 0.95, 0.6, 0.55});
    cairo_fill(cr);
}

void PaintBunting(cairo_t* cr, double y, double sag, int flags)
{
    const std::array<Colour, 5> colours{{{0.95, 0.25, 0.3}, {0.2, 0.55, 0.95}, {1.0, 0.8, 0.2},
                                         {0.3, 0.8, 0.35}, {0.75, 0.35, 0.9}}};
    SetColour(cr, Colour{0.35, 0.25, 0.2, 1.0});
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, 0, y);
    cairo_curve_to(cr, 266, y + sag, 533, y + sag, 800, y);
    cairo_stroke(cr);
    for (int i = 0; i < flags; ++i) {
        const double t = (i + 0.5) / flags;
        const double x = 800 * t;
        // The string's height at t, from the same cubic as above.
        const double top = y + 3.0 * t * (1 - t) * sag;
        cairo_move_to(cr, x - 16, top);
        cairo_line_to(cr, x + 16, top);
        cairo_line_to(cr, x, top + 34);
        cairo_close_path(cr);
        SetColour(cr, colours[static_cast<std::size_t>(i) % colours.size()]);
        cairo_fill_preserve(cr);
        SetColour(cr, Ink);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void PaintConfetti(cairo_t* cr, int pieces, std::uint32_t seed)
{
    Scatter scatter(seed);
    const std::array<Colour, 6> colours{{{1.0, 0.3, 0.35}, {0.25, 0.6, 1.0}, {1.0, 0.85, 0.2},
                                         {0.35, 0.85, 0.4}, {0.85, 0.4, 0.95}, {1.0, 0.6, 0.2}}};
    for (int i = 0; i < pieces; ++i) {
        // One draw per statement: argument order is not fixed in C++, and
        // the picture must not depend on the compiler.
        const double x = scatter.Range(0, 800);
        const double y = scatter.Range(0, 600);
        const double turn = scatter.Range(0, M_PI);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, turn);
        cairo_rectangle(cr, -6, -3, 12, 6);
        cairo_restore(cr);
        SetColour(cr, colours[static_cast<std::size_t>(i) % colours.size()]);
        cairo_fill(cr);
    }
}

} // namespace

void PaintClearBackground(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    const int w = canvas.Width();
    const int h = canvas.Height();
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_pattern_t* sky = cairo_pattern_create_radial(400, 230, 20, 400, 230, 560);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 1.0, 1.0, 0.9);
    cairo_pattern_add_color_stop_rgb(sky, 0.3, 1.0, 0.88, 0.45);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.95, 0.55, 0.3);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    PaintRays(cr, 400, 230, 24);
    PaintCloud(cr, 70, 120, 0.9);
    PaintCloud(cr, 680, 90, 1.1);
    PaintRidge(cr, w, h, 480, 28, 0.7, Colour{0.55, 0.85, 0.35, 1.0}, Colour{0.3, 0.62, 0.2, 1.0});
    PaintRidge(cr, w, h, 545, 18, 3.9, Colour{0.42, 0.75, 0.28, 1.0}, Colour{0.22, 0.5, 0.15, 1.0});
    PaintBunting(cr, 8, 70, 14);
    PaintConfetti(cr, 140, 4242);
}

void PaintClearMessage(Canvas& canvas, int result)
{
    cairo_t* cr = canvas.Context();
    // The headline in gold with a heavy outline and a drop shadow.
    const PixelRect headline{60, 110, 740, 250};
    TextInBox(cr, "Stage Clear!", PixelRect{headline.left + 6, headline.top + 7, headline.right + 6, headline.bottom + 7},
              TextStyle{FontFace::SerifBold, 110.0, Colour{0.25, 0.1, 0.05, 0.8}, Colour{0.25, 0.1, 0.05, 0.8}, 6.0}, 6.0);
    TextInBox(cr, "Stage Clear!", headline, TextStyle{FontFace::SerifBold, 110.0, Gold, Ink, 6.0}, 6.0);
    cairo_save(cr);
    cairo_rectangle(cr, 0, headline.top, 800, headline.Height() * 0.45);
    cairo_clip(cr);
    TextInBox(cr, "Stage Clear!", headline, TextStyle{FontFace::SerifBold, 110.0, Colour{1.0, 0.96, 0.7, 1.0}, Ink, 0.0},
              12.0);
    cairo_restore(cr);

    const char* lines[2] = {"All enemies defeated!", "Clear without a scratch to unlock new heroes."};
    if (result == 2) {
        lines[0] = "New heroes unlocked!";
        lines[1] = "Pick Character Select on the title menu.";
    } else if (result == 3) {
        lines[0] = "All enemies defeated!";
        lines[1] = "Try another hero from Character Select.";
    }
    RoundedRectPath(cr, 100, 290, 600, 150, 20);
    SetColour(cr, Colour{0.08, 0.1, 0.28, 0.92});
    cairo_fill_preserve(cr);
    SetColour(cr, Gold);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke(cr);
    TextInBox(cr, lines[0], PixelRect{120, 300, 680, 370},
              TextStyle{FontFace::SansBold, 40.0, result == 2 ? Gold : White, Ink, 2.0}, 4.0);
    TextInBox(cr, lines[1], PixelRect{120, 370, 680, 428}, TextStyle{FontFace::Sans, 26.0, White, Ink, 0.0}, 4.0);

    TextInBox(cr, "Press Enter", PixelRect{250, 490, 550, 560},
              TextStyle{FontFace::SansBold, 40.0, White, Ink, 3.0}, 4.0);
}

void PaintGameOver(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    FillRect(cr, PixelRect{0, 0, canvas.Width(), canvas.Height()}, Colour{0.0, 0.0, 0.0, 1.0});
    const AtlasRect strip = FindAtlasRect("image/GameOver.bmp", "title strip");
    const AtlasRect prompt = FindAtlasRect("image/GameOver.bmp", "prompt");
    const PixelRect stripBox{strip.left, strip.top, strip.right, strip.bottom};
    const PixelRect promptBox{prompt.left, prompt.top, prompt.right, prompt.bottom};

    // A dim red glow behind the words, kept inside the strip.
    cairo_save(cr);
    cairo_rectangle(cr, stripBox.left, stripBox.top, stripBox.Width(), stripBox.Height());
    cairo_clip(cr);
    // An ellipse that fades to black exactly at the strip's edges, so the
    // strip has no visible border on the black screen.
    const double halfW = stripBox.Width() / 2.0;
    const double halfH = stripBox.Height() / 2.0;
    cairo_pattern_t* glow = cairo_pattern_create_radial(halfW, halfW, 0, halfW, halfW, halfW);
    cairo_pattern_add_color_stop_rgb(glow, 0.0, 0.35, 0.0, 0.0);
    cairo_pattern_add_color_stop_rgb(glow, 1.0, 0.0, 0.0, 0.0);
    cairo_matrix_t squash{};
    cairo_matrix_init_scale(&squash, 1.0, halfW / halfH);
    cairo_pattern_set_matrix(glow, &squash);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
    TextInBox(cr, "GAME OVER", stripBox,
              TextStyle{FontFace::SerifBold, 72.0, Colour{0.72, 0.05, 0.05, 1.0}, Colour{0.25, 0.0, 0.0, 1.0}, 2.5}, 6.0);
    cairo_save(cr);
    cairo_rectangle(cr, stripBox.left, stripBox.top, stripBox.Width(), stripBox.Height() * 0.45);
    cairo_clip(cr);
    TextInBox(cr, "GAME OVER", stripBox,
              TextStyle{FontFace::SerifBold, 72.0, Colour{0.9, 0.2, 0.15, 1.0}, Colour{}, 0.0}, 6.0 + 2.5);
    cairo_restore(cr);
    TextInBox(cr, "Press Enter to return to the title", promptBox,
              TextStyle{FontFace::SansBold, 32.0, Colour{0.75, 0.55, 0.5, 1.0}, Colour{0.2, 0.0, 0.0, 1.0}, 1.5}, 8.0);
}
