#include "tools/host/editor_window.h"

#include <algorithm>
#include <cstdint>

#include "sdk/vst3/interfaces/plugviewcontentscale.h"
#include "tools/host/text.h"

namespace morvik::host {
using namespace Steinberg;

namespace {

uint16_t windowExtent(int32 extent)
{
    return static_cast<uint16_t>(std::clamp<int32>(extent, 1, 0x7fff));
}

}  // namespace

EditorWindow::EditorWindow(HostDisplay& display, IPtr<PollRunLoop> loop, IPtr<IPlugView> view)
    : display(display), loop(std::move(loop)), view(std::move(view))
{
}

std::unique_ptr<EditorWindow> EditorWindow::open(HostDisplay& display, IPtr<PollRunLoop> loop,
                                                 IPtr<IPlugView> view, const Options& options,
                                                 std::string& error)
{
    if (!view) {
        error = "the plug-in created no editor view";
        return nullptr;
    }
    if (view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue) {
        error = "the editor does not support X11 embedding";
        return nullptr;
    }
    loop->watchHostDescriptor(display.fileDescriptor(), [&display] {
        display.drainEvents();
        return !display.connectionBroken();
    });

    std::unique_ptr<EditorWindow> editor(new EditorWindow(display, loop, std::move(view)));
    editor->plugFrame = create<EditorFrame>(loop);
    editor->view->setFrame(editor->plugFrame.get());
    if (options.contentScale) {
        if (auto scaling = queryInterfacePtr<IPlugViewContentScaleSupport>(editor->view.get()))
            scaling->setContentScaleFactor(*options.contentScale);
    }
    const ViewRect size = editor->viewSize();
    if (size.getWidth() <= 0 || size.getHeight() <= 0) {
        error = "the editor reports no size";
        editor->close(CloseOrder::FrameFirst);
        return nullptr;
    }
    editor->hostWindow = std::make_unique<HostWindow>(display, windowExtent(size.getWidth()),
                                                      windowExtent(size.getHeight()), options.title);
    editor->plugFrame->setWindow(editor->hostWindow.get());
    EditorWindow* self = editor.get();
    editor->hostWindow->onUserResize = [self](uint16_t width, uint16_t height) {
        if (self->isOpen() && self->view->canResize() == kResultTrue)
            self->resize(width, height);
        else if (self->isOpen())
            self->resize(self->viewSize().getWidth(), self->viewSize().getHeight(), false);
    };
    editor->hostWindow->onKey = [self](const PlugKey& key, bool pressed) {
        if (!self->isOpen())
            return;
        const tresult answer = pressed ? self->view->onKeyDown(key.character, key.virtualKey, key.modifiers)
                                       : self->view->onKeyUp(key.character, key.virtualKey, key.modifiers);
        self->keys.push_back({key, pressed, answer});
    };
    // Hosts embed into a window that exists on the server; wait until it is shown.
    loop->runUntil([self] { return self->hostWindow->isMapped(); }, std::chrono::seconds(5));
    if (loop->hostConnectionLost()) {
        error = "lost the connection to the X display";
        editor->close(CloseOrder::FrameFirst);
        return nullptr;
    }

    void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(editor->hostWindow->id()));
    if (const tresult result = editor->view->attached(parent, kPlatformTypeX11EmbedWindowID);
        result != kResultOk) {
        error = "the editor refused attached() (" + resultText(result) + ")";
        editor->close(CloseOrder::FrameFirst);
        return nullptr;
    }
    return editor;
}

EditorWindow::~EditorWindow()
{
    if (isOpen())
        close(CloseOrder::FrameFirst);
}

ViewRect EditorWindow::viewSize() const
{
    ViewRect size;
    if (!view || view->getSize(&size) != kResultOk)
        return {};
    return size;
}

ViewRect EditorWindow::resize(int width, int height, bool askConstraint)
{
    ViewRect size{0, 0, width, height};
    if (askConstraint)
        view->checkSizeConstraint(&size);
    view->onSize(&size);
    const ViewRect now = viewSize();
    if (hostWindow && (now.getWidth() != hostWindow->width() || now.getHeight() != hostWindow->height()))
        hostWindow->resize(windowExtent(now.getWidth()), windowExtent(now.getHeight()));
    return now;
}

Screenshot EditorWindow::captureDrawn(std::chrono::milliseconds timeout) const
{
    Screenshot shot;
    loop->runUntil(
        [&] {
            display.sync();
            shot = hostWindow->capture();
            return !shot.empty() && shot.at(shot.width - 1, shot.height - 1) != 0;
        },
        timeout);
    return shot;
}

std::size_t EditorWindow::close(CloseOrder order)
{
    if (!view)
        return 0;
    if (order == CloseOrder::FrameFirst) {
        view->setFrame(nullptr);
        view->removed();
    } else {
        view->removed();
        view->setFrame(nullptr);
    }
    const std::size_t left = plugFrame->stillRegistered();
    view.reset();
    plugFrame->setWindow(nullptr);
    hostWindow.reset();
    return left;
}

}  // namespace morvik::host
