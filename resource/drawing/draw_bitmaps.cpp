// Draws the editor's bitmaps with cairo and writes them as PNG files into the
// folder given as the only argument. Run through draw-bitmaps.sh; the PNGs are
// committed, so a build never needs this program.
//
// One PNG pixel is one point in the editor. Shapes sit on whole or half pixels
// so that their edges stay sharp at 100 % and smooth when scaled to 200 %.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

struct Colour {
    double red, green, blue, alpha = 1.;
};

// The editor's palette; plug.uidesc names the same colours.
constexpr Colour kHandleFace{0.85, 0.87, 0.89};
constexpr Colour kHandleEdge{0.36, 0.39, 0.43};
constexpr Colour kHandleGrip{0.42, 0.45, 0.49};
constexpr Colour kSwitchOff{0.23, 0.25, 0.28};
constexpr Colour kSwitchOn{0.88, 0.63, 0.19};
constexpr Colour kKnobOff{0.60, 0.64, 0.68};
constexpr Colour kKnobOn{0.98, 0.98, 0.97};
constexpr Colour kAboutOff{0.60, 0.64, 0.68};
constexpr Colour kAboutOn{0.25, 0.72, 0.69};
constexpr Colour kPanel{0.11, 0.13, 0.15};

void setColour(cairo_t* cr, const Colour& colour)
{
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, colour.alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double width, double height, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

bool writeBitmap(const std::string& path, int width, int height, const std::function<void(cairo_t*)>& draw)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!written)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return written;
}

// The slider's handle: a light key with a grip line, as tall as the slider.
void drawHandle(cairo_t* cr)
{
    roundedRect(cr, 0.5, 0.5, 13., 23., 3.);
    setColour(cr, kHandleFace);
    cairo_fill_preserve(cr);
    setColour(cr, kHandleEdge);
    cairo_set_line_width(cr, 1.);
    cairo_stroke(cr);
    setColour(cr, kHandleGrip);
    cairo_rectangle(cr, 6., 6., 2., 12.);
    cairo_fill(cr);
}

// One state of the bypass switch in a 44 x 22 cell: a pill with its knob at
// the left (off) or lit with its knob at the right (on).
void drawSwitch(cairo_t* cr, double top, bool on)
{
    roundedRect(cr, 1., top + 2., 42., 18., 9.);
    setColour(cr, on ? kSwitchOn : kSwitchOff);
    cairo_fill(cr);
    cairo_arc(cr, on ? 34. : 10., top + 11., 7., 0., 2 * M_PI);
    setColour(cr, on ? kKnobOn : kKnobOff);
    cairo_fill(cr);
}

// One state of the about button in a 22 x 22 cell: an "i" in a ring (off) or
// in a filled disc (on).
void drawAbout(cairo_t* cr, double top, bool on)
{
    cairo_arc(cr, 11., top + 11., 9.5, 0., 2 * M_PI);
    if (on) {
        setColour(cr, kAboutOn);
        cairo_fill(cr);
    } else {
        setColour(cr, kAboutOff);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    setColour(cr, on ? kPanel : kAboutOff);
    cairo_arc(cr, 11., top + 6.5, 1.5, 0., 2 * M_PI);
    cairo_fill(cr);
    cairo_rectangle(cr, 10., top + 9., 2., 8.);
    cairo_fill(cr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    // Two-state buttons hold the off picture above the on picture.
    const bool written = writeBitmap(folder + "slider_handle.png", 14, 24, drawHandle) &&
        writeBitmap(folder + "bypass_switch.png", 44, 44,
                    [](cairo_t* cr) {
                        drawSwitch(cr, 0., false);
                        drawSwitch(cr, 22., true);
                    }) &&
        writeBitmap(folder + "about_button.png", 22, 44, [](cairo_t* cr) {
                             drawAbout(cr, 0., false);
                             drawAbout(cr, 22., true);
                         });
    return written ? 0 : 1;
}
