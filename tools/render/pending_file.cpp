#include "tools/render/pending_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

namespace morvik::render {
namespace {

namespace fs = std::filesystem;

// As libsndfile creates files: read and write for all, less the umask.
constexpr mode_t kNewFileMode = 0666;
// Links in a chain are followed no further than the kernel follows them.
constexpr int kLongestLinkChain = 40;
constexpr int kNameAttempts = 100;

// The file an open() of `path` would write: the end of a chain of symbolic links.
fs::path followLinks(fs::path path)
{
    std::error_code error;
    for (int step = 0; step < kLongestLinkChain && fs::is_symlink(fs::symlink_status(path, error)); ++step) {
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

std::string systemError(int error)
{
    return std::strerror(error);
}

// A hard link to an open file, through /proc or, lacking it, by descriptor
// (which needs a privilege that /proc does not).
bool linkOpenFile(int descriptor, const fs::path& name)
{
    const std::string byProc = "/proc/self/fd/" + std::to_string(descriptor);
    if (::linkat(AT_FDCWD, byProc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    return ::linkat(descriptor, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

}  // namespace

std::optional<PendingFile> PendingFile::createFor(const fs::path& destination)
{
    fs::path target = followLinks(destination);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return std::nullopt;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return std::nullopt;

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int descriptor = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode);
    if (descriptor < 0)
        return std::nullopt;
    PendingFile file(descriptor, destination, std::move(target));
    if (exists) {
        // The replacement keeps what an overwritten file keeps. Only the owner
        // may fail to carry over, when we may not give files away.
        [[maybe_unused]] const bool ownerKept = ::fchown(descriptor, existing.st_uid, existing.st_gid) == 0;
        [[maybe_unused]] const bool modeKept = ::fchmod(descriptor, existing.st_mode & 07777) == 0;
    }
    return file;
}

PendingFile::PendingFile(int descriptor, fs::path destination, fs::path target)
    : fileDescriptor(descriptor), destination(std::move(destination)), target(std::move(target))
{
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : fileDescriptor(std::exchange(other.fileDescriptor, -1)),
      destination(std::move(other.destination)),
      target(std::move(other.target))
{
}

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept
{
    if (this != &other) {
        if (fileDescriptor >= 0)
            ::close(fileDescriptor);
        fileDescriptor = std::exchange(other.fileDescriptor, -1);
        destination = std::move(other.destination);
        target = std::move(other.target);
    }
    return *this;
}

PendingFile::~PendingFile()
{
    if (fileDescriptor >= 0)
        ::close(fileDescriptor);
}

Status PendingFile::putInPlace()
{
    // Linked under a name of its own first, then renamed over the target in
    // one step, so that the target is never missing or half written.
    std::string stem = ".";
    stem += target.filename().string();
    stem += ".morvik-render-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path temporary = target.parent_path() / (stem + std::to_string(attempt));
        if (!linkOpenFile(fileDescriptor, temporary)) {
            if (errno == EEXIST)
                continue;
            return Failure{"cannot create " + destination.string() + ": " + systemError(errno)};
        }
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return Failure{"cannot create " + destination.string() + ": " + systemError(error)};
        }
        return succeeded();
    }
    return Failure{"cannot create " + destination.string() + ": no free name for a temporary link"};
}

}  // namespace morvik::render
