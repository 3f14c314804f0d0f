#include "sdk/vstgui/plugin-bindings/vst3editor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "sdk/vst3/factory/moduleinit.h"
#include "sdk/vst3/factory/modulepath.h"
#include "sdk/vstgui/lib/cframe.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/lib/platform/linux/x11frame.h"
#include "sdk/vstgui/plugin-bindings/deferredupdates.h"
#include "sdk/vstgui/plugin-bindings/hostkeycode.h"
#include "sdk/vstgui/plugin-bindings/parameterbinding.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uidescription.h"

namespace VSTGUI {

using namespace Steinberg;

namespace {

// Descriptions and the bitmaps they name live in the bundle's resources.
const ModuleInitializer findResources([] { setPlatformResourceFolder(getModuleResourcesPath()); });

std::string resourceFolder()
{
    std::string folder = getPlatformResourceFolder();
    if (folder.empty())
        folder = getModuleResourcesPath();
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

bool isX11(FIDString type)
{
    return type && std::strcmp(type, kPlatformTypeX11EmbedWindowID) == 0;
}

// Sizes are bounded (kMaxViewExtent, kMaxContentScale); the clamp keeps any
// conversion in range all the same.
int32 toPixelExtent(CCoord points, double scaleFactor)
{
    const double pixels = std::round(points * scaleFactor);
    return pixels < INT32_MAX ? static_cast<int32>(std::max(pixels, 0.)) : INT32_MAX;
}

// A host's rectangle may span the whole int32 range: its extent needs 64 bits.
int64 extentOf(int32 start, int32 end)
{
    return int64(end) - int64(start);
}

// Gives the span from `start` the length `extent`; when its end would pass the
// int32 range, the span moves back instead of wrapping.
void setExtent(int32& start, int32& end, int32 extent)
{
    end = static_cast<int32>(std::min<int64>(int64(start) + extent, INT32_MAX));
    start = end - extent;
}

}  // namespace

VST3Editor::VST3Editor(Vst::EditController* controller, UTF8StringPtr templateName, UTF8StringPtr xmlFile)
    : controller(controller),
      delegate(dynamic_cast<VST3EditorDelegate*>(controller)),
      templateName(templateName ? templateName : ""),
      xmlFile(xmlFile ? xmlFile : "")
{
    if (controller)
        controller->addRef();
}

VST3Editor::~VST3Editor() noexcept
{
    if (stage == Stage::Attached)
        close();
    description = nullptr;
    if (controller)
        controller->release();
}

tresult VST3Editor::queryInterface(const TUID iid, void** obj)
{
    if (queryOwnInterface<IPlugView>(iid, obj, this) ||
        queryOwnInterface<IPlugViewContentScaleSupport>(iid, obj, this))
        return kResultOk;
    return FObject::queryInterface(iid, obj);
}

// ---- the description and its sizes

bool VST3Editor::loadDescription()
{
    if (description)
        return true;
    if (descriptionFailed || xmlFile.empty())
        return false;
    try {
        auto loaded = makeOwned<UIDescription>(resourceFolder() + xmlFile);
        const UIAttributes* attributes =
            loaded->parse() ? loaded->getViewAttributes(templateName.c_str()) : nullptr;
        CPoint templateSize;
        const auto fits = [](CCoord extent) { return extent > 0. && extent <= kMaxViewExtent; };
        if (attributes && attributes->getPointAttribute("size", templateSize) && fits(templateSize.x) &&
            fits(templateSize.y)) {
            // Without limits the template keeps its size.
            CPoint smallest = templateSize;
            CPoint largest = templateSize;
            attributes->getPointAttribute("minSize", smallest);
            attributes->getPointAttribute("maxSize", largest);
            minSize = CPoint(std::clamp(smallest.x, 1., templateSize.x),
                             std::clamp(smallest.y, 1., templateSize.y));
            maxSize = CPoint(std::clamp(largest.x, templateSize.x, kMaxViewExtent),
                             std::clamp(largest.y, templateSize.y, kMaxViewExtent));
            size = templateSize;
            description = loaded;
            return true;
        }
    } catch (const std::bad_alloc&) {
        return false;  // short of memory: no exception leaves the host's call, and a later one tries again
    } catch (...) {
        // No exception leaves a host's call; a description that throws otherwise is unusable.
    }
    descriptionFailed = true;
    return false;
}

ViewRect VST3Editor::toPixels(const CPoint& points) const
{
    return ViewRect{0, 0, toPixelExtent(points.x, scaleFactor), toPixelExtent(points.y, scaleFactor)};
}

CPoint VST3Editor::clampToLimits(const CPoint& points) const
{
    return CPoint(std::clamp(points.x, minSize.x, maxSize.x), std::clamp(points.y, minSize.y, maxSize.y));
}

// ---- IPlugView

tresult VST3Editor::isPlatformTypeSupported(FIDString type)
{
    return isX11(type) ? kResultTrue : kResultFalse;
}

tresult VST3Editor::attached(void* parent, FIDString type)
{
    switch (stage) {
        case Stage::Attached:
            return kResultFalse;
        case Stage::Created:
        case Stage::Removed:
            if (!parent || !isX11(type))
                return kResultFalse;
            if (!open(parent))
                return kResultFalse;
            stage = Stage::Attached;
            return kResultOk;
    }
    return kResultFalse;
}

tresult VST3Editor::removed()
{
    switch (stage) {
        case Stage::Created:
        case Stage::Removed:
            // Some hosts remove views they never attached.
            return kResultOk;
        case Stage::Attached:
            close();
            stage = Stage::Removed;
            return kResultOk;
    }
    return kResultOk;
}

bool VST3Editor::open(void* parent)
{
    // A Linux editor runs on its host's loop; without one nothing would ever draw.
    const auto runLoop = plugFrame ? queryInterfacePtr<Linux::IRunLoop>(plugFrame.get()) : nullptr;
    if (!runLoop || !loadDescription())
        return false;
    try {
        const auto root = owned(description->createView(templateName.c_str(), this));
        if (!root)
            return false;
        auto newFrame = makeOwned<CFrame>(CRect(CPoint(), size));
        root->setViewSize(CRect(CPoint(), size));
        root->remember();
        newFrame->addView(root);
        const auto window = static_cast<xcb_window_t>(reinterpret_cast<uintptr_t>(parent));
        auto platform = X11::Frame::create(*newFrame, window, runLoop.get(), scaleFactor);
        if (!platform) {
            newFrame->close();
            return false;
        }
        platformFrame = platform.get();
        newFrame->open(std::move(platform));
        frame = newFrame;
        DeferredUpdates::editorOpened();
        keepsDeferredUpdatesRunning = true;
        bindControls(frame);
        return true;
    } catch (...) {
        // Out of memory half-way: leave nothing behind.
        close();
        return false;
    }
}

void VST3Editor::close()
{
    for (const auto& binding : bindings)
        binding->removeAllControls();
    bindings.clear();
    if (frame) {
        // The views go first (each sub-controller after its views), then the
        // window, whose going unregisters everything from the host's loop.
        frame->close();
        frame = nullptr;
    }
    platformFrame = nullptr;
    if (keepsDeferredUpdatesRunning) {
        keepsDeferredUpdatesRunning = false;
        DeferredUpdates::editorClosed();
    }
}

void VST3Editor::bindControls(CView* view)
{
    if (auto* control = dynamic_cast<CControl*>(view); control && control->getTag() >= 0 && controller) {
        const auto id = static_cast<Vst::ParamID>(control->getTag());
        if (Vst::Parameter* parameter = controller->getParameterObject(id)) {
            auto found = std::find_if(bindings.begin(), bindings.end(),
                                      [id](const auto& binding) { return binding->getParameterId() == id; });
            if (found == bindings.end()) {
                bindings.push_back(Steinberg::owned(new ParameterBinding(*controller, *parameter)));
                found = bindings.end() - 1;
            }
            (*found)->addControl(control);
        }
    }
    if (auto* container = dynamic_cast<CViewContainer*>(view)) {
        for (uint32_t i = 0; i < container->getNbViews(); ++i)
            bindControls(container->getView(i));
    }
}

tresult VST3Editor::getSize(ViewRect* rect)
{
    if (!rect)
        return kInvalidArgument;
    if (!loadDescription())
        return kResultFalse;
    *rect = toPixels(size);
    return kResultTrue;
}

tresult VST3Editor::onSize(ViewRect* newSize)
{
    if (!newSize)
        return kInvalidArgument;
    if (!loadDescription())
        return kResultFalse;
    // Hosts may ignore checkSizeConstraint's answer: the limits hold here too.
    applySize(clampToLimits(CPoint(extentOf(newSize->left, newSize->right) / scaleFactor,
                                   extentOf(newSize->top, newSize->bottom) / scaleFactor)));
    return kResultTrue;
}

void VST3Editor::applySize(const CPoint& points)
{
    size = points;
    switch (stage) {
        case Stage::Created:
        case Stage::Removed:
            return;
        case Stage::Attached:
            frame->setSize(size.x, size.y);
            if (CView* root = frame->getView(0))
                root->setViewSize(CRect(CPoint(), size));
            return;
    }
}

tresult VST3Editor::canResize()
{
    if (!loadDescription())
        return kResultFalse;
    return minSize != maxSize ? kResultTrue : kResultFalse;
}

tresult VST3Editor::checkSizeConstraint(ViewRect* rect)
{
    if (!rect)
        return kInvalidArgument;
    if (!loadDescription())
        return kResultFalse;
    const ViewRect limited = toPixels(clampToLimits(CPoint(extentOf(rect->left, rect->right) / scaleFactor,
                                                           extentOf(rect->top, rect->bottom) / scaleFactor)));
    setExtent(rect->left, rect->right, limited.right);
    setExtent(rect->top, rect->bottom, limited.bottom);
    return kResultTrue;
}

tresult VST3Editor::setContentScaleFactor(ScaleFactor factor)
{
    // Before anything is sized or drawn at it; NaN fails the test too.
    if (!(factor >= kMinContentScale && factor <= kMaxContentScale))
        return kInvalidArgument;
    if (factor == scaleFactor)
        return kResultTrue;
    scaleFactor = factor;
    switch (stage) {
        case Stage::Created:
        case Stage::Removed:
            return kResultTrue;
        case Stage::Attached:
            platformFrame->setScaleFactor(scaleFactor);
            if (plugFrame && loadDescription()) {
                ViewRect pixels = toPixels(size);
                plugFrame->resizeView(this, &pixels);
            }
            return kResultTrue;
    }
    return kResultTrue;
}

bool VST3Editor::dispatch(PlatformEvent& event)
{
    switch (stage) {
        case Stage::Created:
        case Stage::Removed:
            return false;
        case Stage::Attached:
            return platformFrame->dispatchHostEvent(event);
    }
    return false;
}

tresult VST3Editor::onWheel(float distance)
{
    // The host's one number has no axis: hosts pass the ordinary, vertical
    // wheel with it (up positive), so it is the vertical wheel here too.
    PlatformEvent event;
    event.type = PlatformEvent::Type::MouseWheel;
    event.wheelAxis = kMouseWheelAxisY;
    event.wheelDistance = distance;
    return dispatch(event) ? kResultTrue : kResultFalse;
}

tresult VST3Editor::onKeyDown(char16 key, int16 keyCode, int16 modifiers)
{
    return dispatchKey(PlatformEvent::Type::KeyDown, key, keyCode, modifiers);
}

tresult VST3Editor::onKeyUp(char16 key, int16 keyCode, int16 modifiers)
{
    return dispatchKey(PlatformEvent::Type::KeyUp, key, keyCode, modifiers);
}

tresult VST3Editor::dispatchKey(PlatformEvent::Type type, char16 key, int16 keyCode, int16 modifiers)
{
    PlatformEvent event;
    event.type = type;
    event.key = keyCodeFromHost(key, keyCode, modifiers);
    // A key the toolkit cannot name stays with the host, and so does any key
    // with Ctrl: those are the host's commands (save, quit, ...).
    if ((event.key.virt == 0 && event.key.character == 0) || (event.key.modifier & MODIFIER_CONTROL))
        return kResultFalse;
    return dispatch(event) ? kResultTrue : kResultFalse;
}

tresult VST3Editor::onFocus(TBool /*state*/)
{
    return kResultOk;
}

tresult VST3Editor::setFrame(IPlugFrame* newFrame)
{
    // The run loop was taken in attached() and is kept until removed(), so the
    // frame may go first.
    plugFrame = IPtr<IPlugFrame>(newFrame);
    return kResultOk;
}

// ---- IController

IControlListener* VST3Editor::getControlListener(UTF8StringPtr /*controlTagName*/)
{
    // Controls bound to parameters report to their binding, which listens
    // beside whatever listener a sub-controller gives them.
    return nullptr;
}

CView* VST3Editor::createView(const UIAttributes& attributes, const IUIDescription* uiDescription)
{
    const std::string* name = attributes.getAttributeValue("custom-view-name");
    if (!delegate || !name)
        return nullptr;
    return delegate->createCustomView(name->c_str(), attributes, uiDescription);
}

IController* VST3Editor::createSubController(UTF8StringPtr name, const IUIDescription* uiDescription)
{
    return delegate ? delegate->createSubController(name, uiDescription) : nullptr;
}

}  // namespace VSTGUI
