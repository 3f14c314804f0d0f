// The editor runner: opens a plug-in's editor view in a top-level window of the
// host's display, in the order hosts use (frame, content scale, size, attached),
// and closes it in either of the two orders hosts use.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sdk/vst3/interfaces/plugview.h"
#include "tools/host/editor_frame.h"
#include "tools/host/host_display.h"
#include "tools/host/poll_run_loop.h"

namespace morvik::host {

enum class CloseOrder {
    FrameFirst,    // setFrame(nullptr), then removed()
    RemovedFirst,  // removed(), then setFrame(nullptr)
};

// A key the window passed to the view, and the view's answer (kResultTrue when
// it used the key; a host keeps any other key for its own commands).
struct ForwardedKey {
    PlugKey key;
    bool pressed;
    Steinberg::tresult answer;
};

class EditorWindow {
public:
    struct Options {
        std::optional<float> contentScale;  // set through IPlugViewContentScaleSupport before getSize
        std::string title = "editor";
    };

    // Null with the reason in `error` when the view refuses X11 embedding, its
    // size or attached(); the view has been released again then.
    static std::unique_ptr<EditorWindow> open(HostDisplay& display, Steinberg::IPtr<PollRunLoop> loop,
                                              Steinberg::IPtr<Steinberg::IPlugView> view,
                                              const Options& options, std::string& error);
    // Closes the editor (frame first) if it is still open.
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    bool isOpen() const { return view.get() != nullptr; }
    Steinberg::IPlugView& plugView() const { return *view; }
    HostWindow& window() const { return *hostWindow; }
    EditorFrame& frame() const { return *plugFrame; }
    // The view's answer to getSize; an empty rectangle when it gives none.
    Steinberg::ViewRect viewSize() const;

    // Resizes as a user does: checkSizeConstraint first (a host may skip it, and
    // the view must clamp on its own), then onSize; the window follows the size
    // the view reports afterwards.
    Steinberg::ViewRect resize(int width, int height, bool askConstraint = true);

    // The window's picture once the editor's has reached it, running the loop
    // meanwhile for at most `timeout`: the editor draws on a connection of its
    // own, which the server may serve after the host's, and while the window's
    // last corner still shows the host window's black its picture is not there.
    Screenshot captureDrawn(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // The keys typed in the window, as hosts pass them, through onKeyDown/onKeyUp.
    const std::vector<ForwardedKey>& forwardedKeys() const { return keys; }
    void clearForwardedKeys() { keys.clear(); }

    // Closes the editor and releases the view. Answers how many of the handlers
    // the editor registered through its frame are still registered: 0 for a
    // well-behaved editor.
    std::size_t close(CloseOrder order);

private:
    EditorWindow(HostDisplay& display, Steinberg::IPtr<PollRunLoop> loop,
                 Steinberg::IPtr<Steinberg::IPlugView> view);

    HostDisplay& display;
    Steinberg::IPtr<PollRunLoop> loop;
    Steinberg::IPtr<Steinberg::IPlugView> view;
    Steinberg::IPtr<EditorFrame> plugFrame;
    std::unique_ptr<HostWindow> hostWindow;
    std::vector<ForwardedKey> keys;
};

}  // namespace morvik::host
