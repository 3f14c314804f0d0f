// Helpers for the slider tests: bitmaps of any size, a recorder for assertion
// reports, a listener that checks the edit bracket as a host would see it, and
// a headless frame with a manual clock that takes synthetic input.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cframe.h"
#include "sdk/vstgui/lib/platform/headless/headlessframe.h"
#include "sdk/vstgui/lib/platform/headless/manualclock.h"
#include "tests/vstgui_lib/vstguitesting.h"
#include "vstgui/lib/controls/cslider.h"

namespace VSTGUI {

// Writes a PNG of one colour, or with its first `leftWidth` columns in another.
inline void writePNG(const std::string& path, int width, int height, const CColor& colour, int leftWidth = 0,
                     const CColor& leftColour = kRedCColor)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    const auto fill = [cr](const CColor& c, double x, double w, double h) {
        cairo_set_source_rgba(cr, c.normRed(), c.normGreen(), c.normBlue(), c.normAlpha());
        cairo_rectangle(cr, x, 0, w, h);
        cairo_fill(cr);
    };
    fill(colour, 0, width, height);
    fill(leftColour, 0, leftWidth, height);
    cairo_destroy(cr);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

// A file name in the temporary folder, unique to this process.
inline std::string tempFileName(const std::string& stem)
{
    static int serial = 0;
    return "slider-" + stem + "-" + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".png";
}

// A bitmap as writePNG draws it, loaded back.
inline SharedPointer<CBitmap> makeBitmap(int width, int height, const CColor& colour = kRedCColor,
                                         int leftWidth = 0, const CColor& leftColour = kRedCColor)
{
    const std::string path = testing::TempDir() + tempFileName("bitmap");
    writePNG(path, width, height, colour, leftWidth, leftColour);
    auto bitmap = makeOwned<CBitmap>(CResourceDescription(path));
    std::remove(path.c_str());
    return bitmap;
}

// Collects the assertion reports made while it lives.
struct AssertionRecorder {
    struct Report {
        std::string file;
        std::string description;  // "(none)" when the report had no description
    };

    AssertionRecorder()
    {
        reports().clear();
        setAssertionHandler([](const char* file, const char*, const char* description) {
            reports().push_back({file ? file : "", description ? description : "(none)"});
        });
    }
    ~AssertionRecorder() { setAssertionHandler(nullptr); }

    static std::vector<Report>& reports()
    {
        static std::vector<Report> all;
        return all;
    }
};

// What a host sees of a control's edits: the bracket's balance, the values
// reported inside it, and anything reported outside one.
struct EditRecorder : IControlListener {
    void valueChanged(CControl* control) override
    {
        const float value = control->getValue();
        values.push_back(value);
        if (std::isnan(value))
            ++nanValues;
        if (open == 0)
            ++changesOutsideEdit;
    }
    void controlBeginEdit(CControl*) override
    {
        ++begins;
        ++open;
    }
    void controlEndEdit(CControl*) override
    {
        ++ends;
        --open;
    }

    void clear() { *this = EditRecorder(); }

    int begins = 0;
    int ends = 0;
    int open = 0;
    int changesOutsideEdit = 0;
    int nanValues = 0;
    std::vector<float> values;
};

// Publishes the slider's protected track state to the tests.
template <class Slider>
struct Exposed : Slider {
    using Slider::getHandleMinPosPrivate;
    using Slider::getHandleSizePrivate;
    using Slider::Slider;
};
using TestSlider = Exposed<CSlider>;

// A frame of 400 x 300 points on the headless platform, a manual clock as the
// timer provider, and input sent through the frame as a platform would.
struct HeadlessEditor {
    explicit HeadlessEditor(double scaleFactor = 1.) : frame(owned(new CFrame(CRect(0, 0, 400, 300))))
    {
        auto platformFrame = std::make_unique<HeadlessPlatformFrame>(*frame, scaleFactor);
        platform = platformFrame.get();
        frame->open(std::move(platformFrame));
    }
    ~HeadlessEditor() { frame->close(); }

    // Adds the view; the frame takes over the caller's reference.
    template <class View>
    View* add(View* view)
    {
        frame->addView(view);
        return view;
    }

    bool send(PlatformEvent event) { return frame->platformOnEvent(event); }
    bool mouse(PlatformEvent::Type type, CPoint where, int32_t buttons)
    {
        PlatformEvent event;
        event.type = type;
        event.where = where;
        event.buttons = buttons;
        return send(event);
    }
    bool down(CPoint where, int32_t buttons = kLButton)
    {
        return mouse(PlatformEvent::Type::MouseDown, where, buttons);
    }
    bool move(CPoint where, int32_t buttons = kLButton)
    {
        return mouse(PlatformEvent::Type::MouseMoved, where, buttons);
    }
    bool up(CPoint where, int32_t buttons = kLButton)
    {
        return mouse(PlatformEvent::Type::MouseUp, where, buttons);
    }
    bool cancel() { return mouse(PlatformEvent::Type::MouseCancel, CPoint(), 0); }
    bool wheel(CPoint where, float distance, CMouseWheelAxis axis = kMouseWheelAxisY, int32_t buttons = 0)
    {
        PlatformEvent event;
        event.type = PlatformEvent::Type::MouseWheel;
        event.where = where;
        event.buttons = buttons;
        event.wheelAxis = axis;
        event.wheelDistance = distance;
        return send(event);
    }
    bool key(uint8_t virt, uint8_t modifier = 0)
    {
        PlatformEvent event;
        event.type = PlatformEvent::Type::KeyDown;
        event.key.virt = virt;
        event.key.modifier = modifier;
        return send(event);
    }
    COffscreenContext& render()
    {
        platform->flush();
        return platform->getImage();
    }

    ManualClock clock;
    ScopedTimerProvider timers{clock};
    SharedPointer<CFrame> frame;
    HeadlessPlatformFrame* platform = nullptr;
};

}  // namespace VSTGUI
