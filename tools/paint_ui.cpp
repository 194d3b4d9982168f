// The stage's interface atlas (HP gauge, digits, combo prompt, lock-on
// marker, enemy counter label) and the three grass tufts.
#include "tools/image_atlas_table.h"
#include "tools/image_painters.h"

#include <cmath>
#include <string>

namespace {

constexpr std::string_view UiFile = "image/UI.png";
const Colour Ink{0.04, 0.04, 0.08, 1.0};
const Colour White{1.0, 1.0, 1.0, 1.0};

PixelRect RectOf(std::string_view name)
{
    const AtlasRect r = FindAtlasRect(UiFile, name);
    return PixelRect{r.left, r.top, r.right, r.bottom};
}

// The fill is tinted red for the player and green for enemies, so it is a
// grey ramp: bright along the top like a glass tube, darker below.
void PaintGaugeFill(cairo_t* cr, const PixelRect& r)
{
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_pattern_t* ramp = cairo_pattern_create_linear(0, r.top, 0, r.bottom);
    cairo_pattern_add_color_stop_rgb(ramp, 0.0, 0.85, 0.85, 0.85);
    cairo_pattern_add_color_stop_rgb(ramp, 0.25, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(ramp, 0.5, 0.8, 0.8, 0.8);
    cairo_pattern_add_color_stop_rgb(ramp, 1.0, 0.5, 0.5, 0.5);
    cairo_set_source(cr, ramp);
    cairo_fill(cr);
    cairo_pattern_destroy(ramp);
}

// The frame is drawn before the fill, so only its border is opaque.
void PaintGaugeFrame(cairo_t* cr, const PixelRect& r)
{
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    RoundedRectPath(cr, r.left, r.top, r.Width(), r.Height(), 6);
    cairo_rectangle(cr, r.left + 5, r.top + 5, r.Width() - 10, r.Height() - 10);
    SetColour(cr, Ink);
    cairo_fill(cr);
    RoundedRectPath(cr, r.left + 1.5, r.top + 1.5, r.Width() - 3, r.Height() - 3, 5);
    cairo_rectangle(cr, r.left + 4, r.top + 4, r.Width() - 8, r.Height() - 8);
    cairo_pattern_t* silver = cairo_pattern_create_linear(0, r.top, 0, r.bottom);
    cairo_pattern_add_color_stop_rgb(silver, 0.0, 0.95, 0.95, 1.0);
    cairo_pattern_add_color_stop_rgb(silver, 0.5, 0.6, 0.62, 0.7);
    cairo_pattern_add_color_stop_rgb(silver, 1.0, 0.85, 0.86, 0.92);
    cairo_set_source(cr, silver);
    cairo_fill(cr);
    cairo_pattern_destroy(silver);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void PaintDigits(cairo_t* cr)
{
    TextStyle style{FontFace::SansBold, 34.0, White, Ink, 2.5};
    for (int d = 0; d < 10; ++d) {
        const PixelRect cell{DigitOriginS + DigitCell * d, 0, DigitOriginS + DigitCell * (d + 1), DigitCell};
        TextInBox(cr, std::to_string(d), cell, style, 0.5);
    }
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn)
{
    for (int i = 0; i < points * 2; ++i) {
        const double angle = turn + M_PI * i / points;
        const double radius = (i % 2 == 0) ? outer : inner;
        const double x = cx + radius * std::cos(angle);
        const double y = cy + radius * std::sin(angle);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

// Six frames: a burst that grows and turns, the key name arriving on it, and
// a last frame that holds.
void PaintComboPrompt(cairo_t* cr, const PixelRect& cell, int frame)
{
    const double grow = 0.4 + 0.12 * frame;
    const double cx = cell.left + cell.Width() / 2.0;
    const double cy = cell.top + cell.Height() / 2.0;
    const double outer = 60.0 * grow;
    StarPath(cr, cx, cy, outer, outer * 0.62, 12, 0.12 * frame);
    cairo_pattern_t* burst = cairo_pattern_create_radial(cx, cy, 0, cx, cy, outer);
    cairo_pattern_add_color_stop_rgb(burst, 0.0, 1.0, 1.0, 0.75);
    cairo_pattern_add_color_stop_rgb(burst, 0.6, 1.0, 0.8, 0.2);
    cairo_pattern_add_color_stop_rgb(burst, 1.0, 1.0, 0.45, 0.1);
    cairo_set_source(cr, burst);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(burst);
    SetColour(cr, Colour{0.45, 0.12, 0.02, 1.0});
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    if (frame >= 2) {
        const double textScale = frame == 5 ? 1.0 : 0.55 + 0.12 * (frame - 2);
        const double halfW = 56.0 * textScale;
        const double halfH = 26.0 * textScale;
        const PixelRect box{static_cast<int>(cx - halfW), static_cast<int>(cy - halfH),
                            static_cast<int>(cx + halfW), static_cast<int>(cy + halfH)};
        TextStyle style{FontFace::SansBold, 40.0 * textScale, White, Colour{0.4, 0.05, 0.02, 1.0}, 3.0};
        TextInBox(cr, "Ctrl!", box, style, 1.0);
    }
}

// A red reticle with four arrowheads pointing at the target; the middle is
// left open so the target shows through.
void PaintLockOnMarker(cairo_t* cr, const PixelRect& r)
{
    const double cx = r.left + r.Width() / 2.0;
    const double cy = r.top + r.Height() / 2.0;
    cairo_set_line_width(cr, 8.0);
    SetColour(cr, Ink);
    cairo_arc(cr, cx, cy, 20, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 4.0);
    SetColour(cr, Colour{1.0, 0.2, 0.15, 1.0});
    cairo_arc(cr, cx, cy, 20, 0, 2 * M_PI);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        const double a = M_PI / 2.0 * i;
        const double ux = std::cos(a);
        const double uy = std::sin(a);
        const double tipR = 17.0;
        const double baseR = 30.0;
        cairo_move_to(cr, cx + ux * tipR, cy + uy * tipR);
        cairo_line_to(cr, cx + ux * baseR - uy * 8, cy + uy * baseR + ux * 8);
        cairo_line_to(cr, cx + ux * baseR + uy * 8, cy + uy * baseR - ux * 8);
        cairo_close_path(cr);
        SetColour(cr, Colour{1.0, 0.85, 0.2, 1.0});
        cairo_fill_preserve(cr);
        SetColour(cr, Ink);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
    }
}

} // namespace

void PaintStageInterface(Canvas& canvas)
{
    cairo_t* cr = canvas.Context();
    PaintGaugeFill(cr, RectOf("gauge fill"));
    PaintGaugeFrame(cr, RectOf("gauge frame"));
    PaintDigits(cr);
    for (int frame = 0; frame < 6; ++frame) {
        PaintComboPrompt(cr, RectOf("prompt " + std::to_string(frame)), frame);
    }
    PaintLockOnMarker(cr, RectOf("lock-on marker"));
    // The stage tints the label black, so its shape is all that matters.
    TextStyle label{FontFace::SansBold, 24.0, White, White, 0.5};
    // The count is drawn right after the label, so leave a gap before it.
    PixelRect labelBox = RectOf("enemy label");
    labelBox.right -= 12;
    TextInBox(cr, "Enemies left", labelBox, label, 2.0);
}

namespace {

void Blade(cairo_t* cr, double baseX, double baseY, double width, double height, double bend,
           const Colour& root, const Colour& tip)
{
    const double tipX = baseX + bend;
    const double tipY = baseY - height;
    cairo_move_to(cr, baseX - width / 2, baseY);
    cairo_curve_to(cr, baseX - width / 2, baseY - height * 0.4, tipX - bend * 0.4 - width * 0.2,
                   baseY - height * 0.75, tipX, tipY);
    cairo_curve_to(cr, tipX - bend * 0.4 + width * 0.2, baseY - height * 0.75, baseX + width / 2,
                   baseY - height * 0.4, baseX + width / 2, baseY);
    cairo_close_path(cr);
    cairo_pattern_t* ramp = cairo_pattern_create_linear(0, baseY, 0, tipY);
    cairo_pattern_add_color_stop_rgb(ramp, 0.0, root.r, root.g, root.b);
    cairo_pattern_add_color_stop_rgb(ramp, 1.0, tip.r, tip.g, tip.b);
    cairo_set_source(cr, ramp);
    cairo_fill(cr);
    cairo_pattern_destroy(ramp);
}

void Flower(cairo_t* cr, double x, double y, double groundY, const Colour& petals)
{
    SetColour(cr, Colour{0.2, 0.5, 0.15, 1.0});
    cairo_set_line_width(cr, 3.0);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 6, y + (groundY - y) * 0.4, x - 6, y + (groundY - y) * 0.7, x, groundY);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = M_PI / 3.0 * i;
        cairo_arc(cr, x + 7 * std::cos(a), y + 7 * std::sin(a), 5.5, 0, 2 * M_PI);
        cairo_close_path(cr);
    }
    SetColour(cr, petals);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 4.5, 0, 2 * M_PI);
    SetColour(cr, Colour{1.0, 0.75, 0.1, 1.0});
    cairo_fill(cr);
}

} // namespace

void PaintGrassTuft(Canvas& canvas, int variant)
{
    cairo_t* cr = canvas.Context();
    const double w = canvas.Width();
    const double h = canvas.Height();
    Scatter scatter(1000u + static_cast<std::uint32_t>(variant) * 7919u);
    const int blades = variant == 3 ? 26 : 40;
    const double tallest = variant == 3 ? 0.95 : (variant == 2 ? 0.7 : 0.8);
    for (int i = 0; i < blades; ++i) {
        // Outer blades first and shorter, so the middle of the tuft stands up.
        const double spread = scatter.Range(-1.0, 1.0);
        const double baseX = w / 2 + spread * w * 0.36;
        const double height = h * tallest * scatter.Range(0.55, 1.0) * (1.0 - 0.35 * std::fabs(spread));
        const double lean = scatter.Range(20, 60);
        const double sway = scatter.Range(-15, 15);
        const double bend = spread * lean + sway;
        const double width = variant == 3 ? scatter.Range(6, 9) : scatter.Range(9, 15);
        const double shade = scatter.Range(0.8, 1.15);
        const Colour root{0.12 * shade, 0.36 * shade, 0.08 * shade, 1.0};
        const Colour tip{0.55 * shade, std::fmin(1.0, 0.85 * shade), 0.25 * shade, 1.0};
        Blade(cr, baseX, h, width, height, bend, root, tip);
    }
    if (variant == 2) {
        Flower(cr, w * 0.35, h * 0.45, h, Colour{1.0, 1.0, 1.0, 1.0});
        Flower(cr, w * 0.62, h * 0.38, h, Colour{1.0, 0.55, 0.75, 1.0});
        Flower(cr, w * 0.5, h * 0.58, h, Colour{1.0, 0.95, 0.4, 1.0});
    }
    if (variant == 3) {
        // Seed heads on the tallest reeds.
        for (int i = 0; i < 5; ++i) {
            const double x = w * (0.3 + 0.1 * i);
            const double top = h * scatter.Range(0.08, 0.2);
            SetColour(cr, Colour{0.35, 0.5, 0.15, 1.0});
            cairo_set_line_width(cr, 3.0);
            cairo_move_to(cr, x, h);
            cairo_curve_to(cr, x, h * 0.6, x + (i - 2) * 6, top + 40, x + (i - 2) * 10, top + 24);
            cairo_stroke(cr);
            cairo_save(cr);
            cairo_translate(cr, x + (i - 2) * 10, top + 12);
            cairo_scale(cr, 0.45, 1.0);
            cairo_arc(cr, 0, 0, 16, 0, 2 * M_PI);
            cairo_restore(cr);
            SetColour(cr, Colour{0.85, 0.7, 0.35, 1.0});
            cairo_fill(cr);
        }
    }
}
