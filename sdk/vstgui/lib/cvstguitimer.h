// A periodic callback on the UI thread, run by the platform's timer provider.
// It stops when its last reference goes, and may release itself (its last
// reference included) from inside its own callback.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "sdk/vstgui/lib/platform/platform.h"
#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CVSTGUITimer : public CBaseObject, private IPlatformTimerCallback {
public:
    using CallbackFunc = std::function<void(CVSTGUITimer*)>;

    // Calls `callback` every `fireTime` milliseconds; with doStart, from now on.
    explicit CVSTGUITimer(CallbackFunc callback, uint32_t fireTime = 100, bool doStart = true);
    ~CVSTGUITimer() noexcept override;
    CVSTGUITimer(const CVSTGUITimer&) = delete;
    CVSTGUITimer& operator=(const CVSTGUITimer&) = delete;

    // False when no timer provider is installed.
    bool start();
    bool stop();
    // Takes effect at once when running.
    bool setFireTime(uint32_t newFireTime);
    uint32_t getFireTime() const { return fireTime; }
    bool isRunning() const { return running; }

private:
    void onPlatformTimer() override;

    CallbackFunc callback;
    uint32_t fireTime;
    bool running = false;
    std::unique_ptr<IPlatformTimer> platformTimer;
};

}  // namespace VSTGUI
