// Test helpers: listeners that write what they are told into one shared log
// (so a test can compare the order of notifications across listeners),
// readable failure output for geometry and colours, and a pixel check that
// leaves the picture behind as PNG when it fails.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/lib/coffscreencontext.h"
#include "sdk/vstgui/lib/crect.h"

#include "sdk/vstgui/lib/controls/icontrollistener.h"
#include "sdk/vstgui/lib/iviewlistener.h"

namespace VSTGUI {

inline void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const CColor& c, std::ostream* os)
{
    *os << "rgba(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ", " << int(c.alpha)
        << ")";
}

// A file name unique to the running test (tests run in parallel processes).
inline std::string testFilePath(const std::string& suffix)
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + info->test_suite_name() + "." + info->name() + "." +
        std::to_string(getpid()) + suffix;
}

// Whether a device pixel has the colour, each channel within `tolerance`.
// On failure the image is written next to the test's other files.
inline testing::AssertionResult pixelIs(const COffscreenContext& image, int32_t x, int32_t y,
                                        const CColor& expected, int tolerance = 0)
{
    const CColor actual = image.getPixel(x, y);
    const auto near = [tolerance](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) <= tolerance; };
    if (near(actual.red, expected.red) && near(actual.green, expected.green) &&
        near(actual.blue, expected.blue) && near(actual.alpha, expected.alpha))
        return testing::AssertionSuccess();
    const std::string png = testFilePath(".png");
    image.writePNG(png);
    return testing::AssertionFailure()
        << "pixel (" << x << ", " << y << ") is " << testing::PrintToString(actual) << ", expected "
        << testing::PrintToString(expected) << "; picture in " << png;
}

// Writes a 4 x 6 PNG: three red rows (a button's off state) above three blue
// ones (its on state). Answers the path.
inline std::string writeTwoStatePng(const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 6);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_rectangle(cr, 0, 3, 4, 3);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    return path;
}

struct EventLog {
    std::vector<std::string> events;
};

struct RecordingControlListener : IControlListener {
    RecordingControlListener(EventLog& log, std::string name) : log(log), name(std::move(name)) {}
    void valueChanged(CControl*) override
    {
        log.events.push_back(name + " value");
        if (onValue)
            onValue();
    }
    void controlBeginEdit(CControl*) override { log.events.push_back(name + " begin"); }
    void controlEndEdit(CControl*) override { log.events.push_back(name + " end"); }
    void controlTagWillChange(CControl*) override
    {
        if (onTag)
            onTag();
    }
    void controlTagDidChange(CControl*) override
    {
        if (onTag)
            onTag();
    }

    EventLog& log;
    std::string name;
    std::function<void()> onValue;
    std::function<void()> onTag;
};

struct RecordingViewListener : IViewListener {
    RecordingViewListener(EventLog& log, std::string name) : log(log), name(std::move(name)) {}
    void viewSizeChanged(CView*, const CRect&) override { log.events.push_back(name + " size"); }
    void viewAttached(CView*) override { log.events.push_back(name + " attached"); }
    void viewRemoved(CView*) override { log.events.push_back(name + " removed"); }
    void viewLostFocus(CView*) override { log.events.push_back(name + " lost focus"); }
    void viewTookFocus(CView*) override { log.events.push_back(name + " took focus"); }
    void viewWillDelete(CView*) override { log.events.push_back(name + " will delete"); }

    EventLog& log;
    std::string name;
};

}  // namespace VSTGUI
