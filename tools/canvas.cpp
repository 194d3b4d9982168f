#include "tools/canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int w, int h) : width(w), height(h)
{
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

Canvas::~Canvas()
{
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

std::vector<std::uint8_t> Canvas::Rgba() const
{
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = row[x];
            const std::uint32_t alpha = pixel >> 24;
            std::uint8_t* dest = &out[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                       static_cast<std::size_t>(x)) * 4];
            if (alpha == 0) {
                continue;
            }
            // Cairo stores premultiplied colour; PNG wants it straight.
            for (int c = 0; c < 3; ++c) {
                const std::uint32_t premultiplied = (pixel >> (16 - 8 * c)) & 0xffu;
                dest[c] = static_cast<std::uint8_t>(std::min<std::uint32_t>(255u, (premultiplied * 255u + alpha / 2) / alpha));
            }
            dest[3] = static_cast<std::uint8_t>(alpha);
        }
    }
    return out;
}

std::vector<std::uint8_t> Canvas::Rgb() const
{
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = row[x];
            std::uint8_t* dest = &out[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                       static_cast<std::size_t>(x)) * 3];
            dest[0] = static_cast<std::uint8_t>((pixel >> 16) & 0xffu);
            dest[1] = static_cast<std::uint8_t>((pixel >> 8) & 0xffu);
            dest[2] = static_cast<std::uint8_t>(pixel & 0xffu);
        }
    }
    return out;
}

void SetColour(cairo_t* cr, const Colour& colour)
{
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
}

void FillRect(cairo_t* cr, const PixelRect& rect, const Colour& colour)
{
    SetColour(cr, colour);
    cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::min(radius, std::min(w, h) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2.0, 0.0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0.0, M_PI / 2.0);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2.0, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3.0 * M_PI / 2.0);
    cairo_close_path(cr);
}

namespace {

void SelectFace(cairo_t* cr, const TextStyle& style)
{
    const char* family = style.face == FontFace::SerifBold ? "DejaVu Serif" : "DejaVu Sans";
    const cairo_font_weight_t weight = style.face == FontFace::Sans ? CAIRO_FONT_WEIGHT_NORMAL : CAIRO_FONT_WEIGHT_BOLD;
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, weight);
    cairo_set_font_size(cr, style.size);
}

// Outline first, then the fill on top, so the outline only shows outside.
void PaintTextPath(cairo_t* cr, const TextStyle& style)
{
    if (style.outlineWidth > 0.0) {
        SetColour(cr, style.outline);
        cairo_set_line_width(cr, style.outlineWidth * 2.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColour(cr, style.fill);
    cairo_fill(cr);
}

} // namespace

double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style)
{
    SelectFace(cr, style);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.width;
}

void TextAt(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style)
{
    SelectFace(cr, style);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    PaintTextPath(cr, style);
}

double FitTextSize(cairo_t* cr, const std::string& text, const PixelRect& box, TextStyle style, double margin)
{
    const double room = box.Width() - 2.0 * (margin + style.outlineWidth);
    const double headroom = box.Height() - 2.0 * (margin + style.outlineWidth);
    if (room <= 0.0 || headroom <= 0.0 || text.empty()) {
        return 0.0;
    }
    // Without hinting the ink grows in proportion to the font size, so one
    // rescale nearly fits; a few more passes absorb rounding.
    for (int attempt = 0; attempt < 8; ++attempt) {
        SelectFace(cr, style);
        cairo_text_extents_t extents{};
        cairo_text_extents(cr, text.c_str(), &extents);
        if (extents.width <= room && extents.height <= headroom) {
            return style.size;
        }
        style.size *= 0.98 * std::min(room / extents.width, headroom / extents.height);
    }
    return style.size;
}

void TextInBox(cairo_t* cr, const std::string& text, const PixelRect& box, TextStyle style, double margin,
               TextAlign align)
{
    style.size = FitTextSize(cr, text, box, style, margin);
    if (style.size <= 0.0) {
        return;
    }
    SelectFace(cr, style);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text.c_str(), &extents);
    const double inset = align == TextAlign::Left ? margin + style.outlineWidth : (box.Width() - extents.width) / 2.0;
    const double x = box.left + inset - extents.x_bearing;
    const double y = box.top + (box.Height() - extents.height) / 2.0 - extents.y_bearing;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    PaintTextPath(cr, style);
}

double Scatter::Next()
{
    // xorshift32: small, fast and the same on every machine.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 4294967296.0;
}
