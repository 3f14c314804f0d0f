#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {
namespace {
AssertionHandler installedHandler = nullptr;
}

void setAssertionHandler(AssertionHandler handler)
{
    installedHandler = handler;
}

AssertionHandler getAssertionHandler()
{
    return installedHandler;
}

void doAssert(const char* file, const char* line, const char* description)
{
    if (installedHandler)
        installedHandler(file, line, description);
}

}  // namespace VSTGUI
