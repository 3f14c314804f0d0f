#include "sdk/vstgui/lib/cvstguitimer.h"

namespace VSTGUI {

CVSTGUITimer::CVSTGUITimer(CallbackFunc callback, uint32_t fireTime, bool doStart)
    : callback(std::move(callback)), fireTime(fireTime)
{
    if (doStart)
        start();
}

CVSTGUITimer::~CVSTGUITimer() noexcept
{
    stop();
}

bool CVSTGUITimer::start()
{
    if (!platformTimer) {
        IPlatformTimerProvider* provider = getPlatformTimerProvider();
        if (!provider)
            return false;
        platformTimer = provider->createTimer(*this);
        if (!platformTimer)
            return false;
    }
    running = platformTimer->start(fireTime);
    return running;
}

bool CVSTGUITimer::stop()
{
    if (!running)
        return false;
    running = false;
    platformTimer->stop();
    return true;
}

bool CVSTGUITimer::setFireTime(uint32_t newFireTime)
{
    fireTime = newFireTime;
    return running ? start() : true;
}

void CVSTGUITimer::onPlatformTimer()
{
    if (!running || !callback)
        return;
    // The callback may drop the last outside reference; this one keeps the
    // timer alive until the callback has returned.
    SharedPointer<CVSTGUITimer> self(this);
    callback(this);
}

}  // namespace VSTGUI
