#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI {
namespace {

// Both are set and read on the UI thread only.
IPlatformTimerProvider* timerProvider = nullptr;

UTF8String& resourceFolder()
{
    static UTF8String folder;
    return folder;
}

}  // namespace

void setPlatformTimerProvider(IPlatformTimerProvider* provider)
{
    timerProvider = provider;
}

IPlatformTimerProvider* getPlatformTimerProvider()
{
    return timerProvider;
}

void setPlatformResourceFolder(const UTF8String& folder)
{
    resourceFolder() = folder;
}

UTF8String getPlatformResourceFolder()
{
    return resourceFolder();
}

}  // namespace VSTGUI
