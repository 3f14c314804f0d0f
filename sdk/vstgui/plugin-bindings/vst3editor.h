// VST3Editor: the editor a host gets from IEditController::createView. It
// builds its view tree from a template of a UI description in the bundle's
// resources, shows it in a window embedded in the host's (X11 on Linux), and
// binds every control whose tag is a parameter id to that parameter.
//
// Hosts call the view in different orders (setFrame(nullptr) before or after
// removed(), removed() without attached(), views created only to be asked
// isPlatformTypeSupported), so the editor keeps an explicit stage and every
// host call that depends on it is one switch over that stage.
//
// Sizes a host sees are physical pixels: the template's size (and its
// "minSize"/"maxSize", "maxSize" up to kMaxViewExtent) times the content scale
// factor, which lies between kMinContentScale and kMaxContentScale.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sdk/vst3/base/fobject.h"
#include "sdk/vst3/controller/editcontroller.h"
#include "sdk/vst3/interfaces/plugview.h"
#include "sdk/vst3/interfaces/plugviewcontentscale.h"
#include "sdk/vstgui/lib/cpoint.h"
#include "sdk/vstgui/lib/platform/platform.h"
#include "sdk/vstgui/plugin-bindings/parameterbinding.h"
#include "sdk/vstgui/plugin-bindings/vst3editordelegate.h"
#include "sdk/vstgui/uidescription/icontroller.h"

namespace VSTGUI {

class CFrame;
class UIDescription;
namespace X11 {
class Frame;
}

class VST3Editor : public Steinberg::FObject,
                   public Steinberg::IPlugView,
                   public Steinberg::IPlugViewContentScaleSupport,
                   public IController {
public:
    // An editor for `controller` (which it keeps a reference to while it
    // exists) on the template `templateName` of the UI description file
    // `xmlFile` in the bundle's resources. The description is read when the
    // host first needs it.
    VST3Editor(Steinberg::Vst::EditController* controller, UTF8StringPtr templateName, UTF8StringPtr xmlFile);

    // Hosts send 1, 1.25, 1.5, 2, 3...; from a half up every point of a size
    // still rounds to a pixel, and at 8 an editor of kMaxViewExtent points takes
    // 8192 pixels a side (256 MB). Other factors are refused.
    static constexpr double kMinContentScale = 0.5;
    static constexpr double kMaxContentScale = 8.;

    // Reads the description and the template's sizes, once; false when they
    // cannot be used (missing, refused or broken file, no such template, a
    // template larger than kMaxViewExtent). Called when the host first needs
    // them, or by a controller that would rather answer no editor at all.
    bool loadDescription();

    Steinberg::Vst::EditController* getController() const { return controller; }
    // The view tree's root while attached, else null.
    CFrame* getFrame() const { return frame.get(); }

    // IPlugView
    Steinberg::tresult isPlatformTypeSupported(Steinberg::FIDString type) override;
    Steinberg::tresult attached(void* parent, Steinberg::FIDString type) override;
    Steinberg::tresult removed() override;
    Steinberg::tresult onWheel(float distance) override;
    Steinberg::tresult onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                                 Steinberg::int16 modifiers) override;
    Steinberg::tresult onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                               Steinberg::int16 modifiers) override;
    Steinberg::tresult getSize(Steinberg::ViewRect* size) override;
    Steinberg::tresult onSize(Steinberg::ViewRect* newSize) override;
    Steinberg::tresult onFocus(Steinberg::TBool state) override;
    Steinberg::tresult setFrame(Steinberg::IPlugFrame* frame) override;
    Steinberg::tresult canResize() override;
    Steinberg::tresult checkSizeConstraint(Steinberg::ViewRect* rect) override;

    // IPlugViewContentScaleSupport
    Steinberg::tresult setContentScaleFactor(ScaleFactor factor) override;

    // FUnknown
    Steinberg::tresult queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 addRef() override { return FObject::addRef(); }
    Steinberg::uint32 release() override { return FObject::release(); }

    // IController: the description's builder asks the editor, which asks its delegate.
    void valueChanged(CControl* /*control*/) override {}
    IControlListener* getControlListener(UTF8StringPtr controlTagName) override;
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override;
    IController* createSubController(UTF8StringPtr name, const IUIDescription* description) override;

protected:
    ~VST3Editor() noexcept override;

private:
    enum class Stage { Created, Attached, Removed };

    // Everything attached() builds; false (and nothing left) when a step fails.
    bool open(void* parent);
    // Everything removed() undoes.
    void close();
    void bindControls(CView* view);
    void applySize(const CPoint& points);
    Steinberg::ViewRect toPixels(const CPoint& points) const;
    CPoint clampToLimits(const CPoint& points) const;
    bool dispatch(PlatformEvent& event);
    Steinberg::tresult dispatchKey(PlatformEvent::Type type, Steinberg::char16 key, Steinberg::int16 keyCode,
                                   Steinberg::int16 modifiers);

    Stage stage = Stage::Created;
    Steinberg::Vst::EditController* controller;  // one reference held
    VST3EditorDelegate* delegate;                // the controller, when it is one
    std::string templateName;
    std::string xmlFile;
    Steinberg::IPtr<Steinberg::IPlugFrame> plugFrame;

    SharedPointer<UIDescription> description;
    bool descriptionFailed = false;
    CPoint size;     // points
    CPoint minSize;  // points
    CPoint maxSize;  // points
    double scaleFactor = 1.;

    SharedPointer<CFrame> frame;
    X11::Frame* platformFrame = nullptr;  // owned by the frame
    std::vector<Steinberg::IPtr<ParameterBinding>> bindings;
    bool keepsDeferredUpdatesRunning = false;
};

}  // namespace VSTGUI
