// A Cairo drawing surface for the generator's pictures, with the text and
// shape helpers every picture shares. Text uses the DejaVu faces with fixed
// font options (grey antialiasing, no hinting) so the pixels do not depend on
// the machine's font configuration.
#pragma once

#include <cairo.h> // Required for: cairo_t and the drawing calls of the painters

#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;
};

// A rectangle in pixels, left/top inclusive, right/bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

enum class FontFace { SansBold, Sans, SerifBold };

struct TextStyle {
    FontFace face = FontFace::SansBold;
    double size = 32.0;
    Colour fill{1.0, 1.0, 1.0, 1.0};
    Colour outline{0.0, 0.0, 0.0, 1.0};
    double outlineWidth = 0.0; // 0: no outline
};

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Context() const { return cr; }
    int Width() const { return width; }
    int Height() const { return height; }

    // Straight-alpha RGBA, top row first.
    std::vector<std::uint8_t> Rgba() const;
    // RGB, top row first; transparent parts come out black.
    std::vector<std::uint8_t> Rgb() const;

private:
    int width = 0;
    int height = 0;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
};

void SetColour(cairo_t* cr, const Colour& colour);
void FillRect(cairo_t* cr, const PixelRect& rect, const Colour& colour);
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);

enum class TextAlign { Left, Centre };

// Draws `text` in `box` (centred vertically; horizontally as `align` says),
// shrinking the font until it fits the box with `margin` pixels to spare
// on each side.
void TextInBox(cairo_t* cr, const std::string& text, const PixelRect& box, TextStyle style, double margin,
               TextAlign align = TextAlign::Centre);
// The largest size, up to the style's own, at which TextInBox fits `text`
// in `box` without shrinking it; 0 when the box has no room at all.
double FitTextSize(cairo_t* cr, const std::string& text, const PixelRect& box, TextStyle style, double margin);
// Draws `text` with its left end at x and its baseline at y.
void TextAt(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style);
// Width of `text` in pixels at the style's size.
double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style);

// A deterministic pseudo-random source for scattering details.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state(seed != 0 ? seed : 1u) {}
    // Uniform in [0, 1).
    double Next();
    double Range(double low, double high) { return low + (high - low) * Next(); }

private:
    std::uint32_t state = 1;
};
