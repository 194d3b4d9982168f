#include "platform/font_box.h"

#include <X11/Xlib.h>       // Required for: the box's window and its events
#include <X11/Xatom.h>      // Required for: XA_ATOM
#include <X11/Xutil.h>      // Required for: size hints, XLookupKeysym
#include <X11/keysym.h>     // Required for: the keys that close the box
#include <cairo-ft.h>       // Required for: a Cairo face from a fontconfig match
#include <cairo-xlib.h>     // Required for: drawing into the window
#include <fontconfig/fontconfig.h>  // Required for: a face that covers the text

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr double FontSize = 15.0;
constexpr double Margin = 18.0;
constexpr double LineGap = 5.0;
constexpr double MaxTextWidth = 640.0;
constexpr double MinBoxWidth = 260.0;
constexpr double ButtonWidth = 88.0;
constexpr double ButtonHeight = 30.0;

// Decodes one UTF-8 sequence at `at`; a broken byte counts as itself, so the
// walk always moves on.
char32_t NextCodePoint(const std::string& text, size_t& at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 1;
    char32_t value = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        value = lead & 0x07u;
    } else if (lead >= 0xE0) {
        length = 3;
        value = lead & 0x0Fu;
    } else if (lead >= 0xC0) {
        length = 2;
        value = lead & 0x1Fu;
    }
    if (length == 1 || at + length > text.size()) {
        ++at;
        return lead;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0u) != 0x80u) {
            ++at;
            return lead;
        }
        value = (value << 6) | (byte(at + i) & 0x3Fu);
    }
    at += length;
    return value;
}

// The face fontconfig ranks best for a sans-serif text holding exactly these
// characters: a Japanese message gets a face with kana and kanji wherever the
// system has one, instead of the first Latin face.
cairo_font_face_t* FaceCovering(const std::string& text)
{
    if (FcInit() == FcFalse) {
        return nullptr;
    }
    FcCharSet* wanted = FcCharSetCreate();
    for (size_t at = 0; at < text.size();) {
        const char32_t code = NextCodePoint(text, at);
        if (code > 0x20) {
            FcCharSetAddChar(wanted, code);
        }
    }
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    cairo_font_face_t* face = nullptr;
    if (match != nullptr) {
        face = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcCharSetDestroy(wanted);
    return face;
}

// Splits at line feeds, then wraps each line by characters so that no line
// is wider than the box allows (compiler logs have long lines).
std::vector<std::string> LayOutLines(cairo_t* cr, const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    const auto width = [&](const std::string& s) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, s.c_str(), &extents);
        return extents.x_advance;
    };
    for (size_t at = 0; at < text.size();) {
        const size_t start = at;
        const char32_t code = NextCodePoint(text, at);
        if (code == U'\n') {
            lines.push_back(line);
            line.clear();
            continue;
        }
        const std::string piece = text.substr(start, at - start);
        if (!line.empty() && width(line + piece) > MaxTextWidth) {
            lines.push_back(line);
            line.clear();
        }
        line += piece;
    }
    lines.push_back(line);
    return lines;
}

struct BoxLayout {
    std::vector<std::string> lines;
    double lineHeight = 0.0;
    int width = 0;
    int height = 0;
    double buttonX = 0.0;
    double buttonY = 0.0;

    bool InButton(int x, int y) const
    {
        return x >= buttonX && x <= buttonX + ButtonWidth && y >= buttonY && y <= buttonY + ButtonHeight;
    }
};

void UseBoxFont(cairo_t* cr, cairo_font_face_t* face)
{
    if (face != nullptr) {
        cairo_set_font_face(cr, face);
    }
    cairo_set_font_size(cr, FontSize);
}

// Measures the text on a scratch surface, before the window exists.
BoxLayout MeasureBox(const std::string& text, cairo_font_face_t* face)
{
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    UseBoxFont(cr, face);
    BoxLayout layout;
    layout.lines = LayOutLines(cr, text);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    layout.lineHeight = font.height + LineGap;
    double widest = 0.0;
    for (const std::string& line : layout.lines) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, line.c_str(), &extents);
        widest = std::max(widest, extents.x_advance);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    layout.width = static_cast<int>(std::max(MinBoxWidth, widest + 2.0 * Margin));
    const double textHeight = layout.lineHeight * static_cast<double>(layout.lines.size());
    layout.height = static_cast<int>(Margin + textHeight + Margin + ButtonHeight + Margin);
    layout.buttonX = (layout.width - ButtonWidth) / 2.0;
    layout.buttonY = layout.height - Margin - ButtonHeight;
    return layout;
}

void PaintBox(cairo_t* cr, cairo_font_face_t* face, const BoxLayout& layout)
{
    cairo_set_source_rgb(cr, 0.93, 0.93, 0.93);
    cairo_paint(cr);
    UseBoxFont(cr, face);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.05);
    double y = Margin + font.ascent;
    for (const std::string& line : layout.lines) {
        cairo_move_to(cr, Margin, y);
        cairo_show_text(cr, line.c_str());
        y += layout.lineHeight;
    }
    cairo_rectangle(cr, layout.buttonX + 0.5, layout.buttonY + 0.5, ButtonWidth, ButtonHeight);
    cairo_set_source_rgb(cr, 0.82, 0.82, 0.82);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_text_extents_t ok;
    cairo_text_extents(cr, "OK", &ok);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.05);
    cairo_move_to(cr, layout.buttonX + (ButtonWidth - ok.x_advance) / 2.0,
                  layout.buttonY + (ButtonHeight + font.ascent - font.descent) / 2.0);
    cairo_show_text(cr, "OK");
    cairo_surface_flush(cairo_get_target(cr));
}

// Names the window the way the desktop shows it, and asks for a fixed-size
// dialog that the window manager's close button ends like OK does.
void DescribeWindow(Display* display, Window window, const char* title, const BoxLayout& layout,
                    Atom deleteWindow)
{
    XStoreName(display, window, title);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::string(title).size()));
    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&dialog), 1);
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = layout.width;
    hints->min_height = hints->max_height = layout.height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
    Atom protocols[] = {deleteWindow};
    XSetWMProtocols(display, window, protocols, 1);
}

// Waits for OK: a click on the button, Enter, Space or Escape, or the window
// manager's close.
void RunBox(Display* display, cairo_t* cr, cairo_font_face_t* face, const BoxLayout& layout,
            Atom deleteWindow)
{
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) {
                PaintBox(cr, face, layout);
                XFlush(display);
            }
            break;
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_Return || key == XK_KP_Enter || key == XK_space || key == XK_Escape) {
                return;
            }
            break;
        }
        case ButtonRelease:
            if (event.xbutton.button == Button1 && layout.InButton(event.xbutton.x, event.xbutton.y)) {
                return;
            }
            break;
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
                return;
            }
            break;
        default:
            break;
        }
    }
}

}  // namespace

bool ShowFontBox(const char* title, const char* text)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    cairo_font_face_t* face = FaceCovering(std::string(title) + text + "OK");
    const BoxLayout layout = MeasureBox(text, face);
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const int x = std::max(0, (DisplayWidth(display, screen) - layout.width) / 2);
    const int y = std::max(0, (DisplayHeight(display, screen) - layout.height) / 2);
    // The window listens from its creation on, so a key sent the moment it
    // can be found by its title is never lost.
    XSetWindowAttributes attributes = {};
    attributes.background_pixel = WhitePixel(display, screen);
    attributes.border_pixel = BlackPixel(display, screen);
    attributes.event_mask = ExposureMask | KeyPressMask | ButtonReleaseMask;
    const Window window = XCreateWindow(display, root, x, y, static_cast<unsigned>(layout.width),
                                        static_cast<unsigned>(layout.height), 1, CopyFromParent, InputOutput,
                                        CopyFromParent, CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    DescribeWindow(display, window, title, layout, deleteWindow);
    XMapRaised(display, window);

    cairo_surface_t* surface =
        cairo_xlib_surface_create(display, window, DefaultVisual(display, screen), layout.width, layout.height);
    cairo_t* cr = cairo_create(surface);
    RunBox(display, cr, face, layout, deleteWindow);

    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    if (face != nullptr) {
        cairo_font_face_destroy(face);
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return true;
}
