// A file among the plug-in's resources (its description, its bitmaps), opened
// without trusting the text of its path. It is read only when its resolved
// path, every symlink followed, lies inside the resource folder and names a
// regular file: a symlink that leads out of the folder is refused, one that
// stays inside is followed. A FIFO or a device in a file's place is refused at
// once, never opened and waited on.
#pragma once

#include <cstddef>
#include <string>

namespace VSTGUI {

class ResourceFile {
public:
    // Opens `path`, relative to `folder` unless it is absolute; an empty folder
    // is the current directory. isOpen() tells whether it was, getError() why not.
    ResourceFile(const std::string& folder, const std::string& path);
    ~ResourceFile() noexcept;
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    bool isOpen() const { return descriptor >= 0; }
    const std::string& getError() const { return error; }

    // Reads up to `size` bytes: answers how many, 0 at the end, -1 on an error.
    std::ptrdiff_t read(void* data, std::size_t size);

private:
    int descriptor = -1;
    std::string error;
};

}  // namespace VSTGUI
