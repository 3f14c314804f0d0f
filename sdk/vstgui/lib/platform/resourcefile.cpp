#include "sdk/vstgui/lib/platform/resourcefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace VSTGUI {
namespace {

// The path with every symlink, "." and ".." resolved; empty when it does not exist.
std::string resolve(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// Both paths are resolved, so a plain prefix on a component boundary decides.
bool liesInside(const std::string& file, const std::string& folder)
{
    if (file.size() <= folder.size() || file.compare(0, folder.size(), folder) != 0)
        return false;
    return folder.back() == '/' || file[folder.size()] == '/';
}

bool isRegularFile(const struct stat& status)
{
    return S_ISREG(status.st_mode);
}

}  // namespace

ResourceFile::ResourceFile(const std::string& folder, const std::string& path)
{
    std::string named = path;
    if (!folder.empty() && (path.empty() || path.front() != '/'))
        named = folder.back() == '/' ? folder + path : folder + "/" + path;
    const std::string root = resolve(folder.empty() ? "." : folder);
    const std::string file = resolve(named);
    if (root.empty() || file.empty()) {
        error = "cannot open " + named;
        return;
    }
    if (!liesInside(file, root)) {
        error = "cannot open " + named + ": it lies outside " + root;
        return;
    }
    // Looked at before it is opened: opening a device may already do something.
    struct stat status {};
    if (stat(file.c_str(), &status) != 0 || !isRegularFile(status)) {
        error = "cannot open " + named + ": not a regular file";
        return;
    }
    // Without blocking and without following a symlink, in case the file was
    // replaced since; what was opened is checked again.
    const int opened = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (opened < 0) {
        error = "cannot open " + named;
        return;
    }
    if (fstat(opened, &status) != 0 || !isRegularFile(status)) {
        ::close(opened);
        error = "cannot open " + named + ": not a regular file";
        return;
    }
    descriptor = opened;
}

ResourceFile::~ResourceFile() noexcept
{
    if (descriptor >= 0)
        ::close(descriptor);
}

std::ptrdiff_t ResourceFile::read(void* data, std::size_t size)
{
    if (descriptor < 0)
        return -1;
    for (;;) {
        const ssize_t count = ::read(descriptor, data, size);
        if (count >= 0 || errno != EINTR)
            return count;
    }
}

}  // namespace VSTGUI
