// What the editor's surface sends to the X server (run under xvfb-run): only
// the pixels of the areas it copies, in requests the server accepts.
#include <gtest/gtest.h>

#include <cairo/cairo.h>

#include <cstdlib>
#include <memory>

#include "sdk/vstgui/lib/platform/linux/x11surface.h"
#include "tests/editor/counted_x_connection.h"
#include "tools/host/host_display.h"

namespace {
using namespace VSTGUI::X11;
using editortest::CountedXConnection;
using morvik::host::HostDisplay;
using morvik::host::HostWindow;

constexpr std::size_t kBytesPerPixel = 4;

// A child of `parent` on `c` in the screen's own visual, mapped.
xcb_window_t makeChild(xcb_connection_t* c, xcb_window_t parent, uint16_t width, uint16_t height)
{
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, parent, 0, 0, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(c, window);
    return window;
}

xcb_visualtype_t* rootVisual(xcb_connection_t* c)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    for (auto depth = xcb_screen_allowed_depths_iterator(screen); depth.rem; xcb_depth_next(&depth))
        for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual))
            if (visual.data->visual_id == screen->root_visual)
                return visual.data;
    return nullptr;
}

void fill(Surface& surface, const VSTGUI::CRect& area, double red, double green, double blue)
{
    cairo_t* cr = cairo_create(surface.offscreen());
    cairo_rectangle(cr, area.left, area.top, area.getWidth(), area.getHeight());
    cairo_set_source_rgb(cr, red, green, blue);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface.offscreen());
}

struct CountedSurface : ::testing::Test {
    void SetUp() override
    {
        std::string error;
        display = HostDisplay::open(error);
        ASSERT_TRUE(display) << error << " (run the test under xvfb-run)";
        ASSERT_EQ(xcb_connection_has_error(counted.get()), 0);
        visual = rootVisual(counted.get());
        ASSERT_TRUE(visual);
    }

    std::unique_ptr<HostDisplay> display;
    CountedXConnection counted;
    xcb_visualtype_t* visual = nullptr;
};

TEST_F(CountedSurface, ASmallChangeSendsOnlyItsOwnPixels)
{
    constexpr int kWidth = 520;
    constexpr int kHeight = 384;
    HostWindow host(*display, kWidth, kHeight, "surface");
    display->sync();
    const xcb_window_t window = makeChild(counted.get(), host.id(), kWidth, kHeight);
    Surface surface(counted.get(), window, visual, kWidth, kHeight);
    fill(surface, VSTGUI::CRect(0, 0, kWidth, kHeight), 0, 0, 1);
    surface.copyToWindow({VSTGUI::CRect(0, 0, kWidth, kHeight)});
    counted.sync();

    // One value display's worth: 40 x 120 pixels.
    const VSTGUI::CRect changed(200, 100, 240, 220);
    const std::size_t before = counted.bytesSent();
    fill(surface, changed, 1, 0, 0);
    surface.copyToWindow({changed});
    counted.sync();
    const std::size_t sent = counted.bytesSent() - before;
    const std::size_t pixels = 40 * 120 * kBytesPerPixel;
    EXPECT_GE(sent, pixels);
    EXPECT_LE(sent, pixels + 256) << "the whole picture is " << kWidth * kHeight * kBytesPerPixel;

    display->sync();
    const auto shot = host.capture();
    ASSERT_FALSE(shot.empty());
    EXPECT_EQ(shot.at(200, 100), 0xFF0000u);
    EXPECT_EQ(shot.at(239, 219), 0xFF0000u);
    EXPECT_EQ(shot.at(240, 219), 0x0000FFu);
    EXPECT_EQ(shot.at(199, 100), 0x0000FFu);
    EXPECT_EQ(shot.at(200, 220), 0x0000FFu);
}

}  // namespace
