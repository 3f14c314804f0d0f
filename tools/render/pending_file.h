// A new file that stays out of sight until it is put in place of its
// destination: a render that fails leaves whatever was there (or nothing),
// and the input may be the output, read while the output is written.
#pragma once

#include <filesystem>
#include <optional>

#include "tools/render/outcome.h"

namespace morvik::render {

class PendingFile {
public:
    // None where the destination cannot be replaced this way (a device, an
    // existing file without write permission, a folder without it, a file
    // system without unnamed files): it is then opened as it is.
    static std::optional<PendingFile> createFor(const std::filesystem::path& destination);

    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&& other) noexcept;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    // Unless put in place, the file vanishes with its descriptor.
    ~PendingFile();

    // Open for reading and writing.
    int descriptor() const { return fileDescriptor; }

    // Replaces the destination (what a link names, when it is one) with this file.
    Status putInPlace();

private:
    PendingFile(int descriptor, std::filesystem::path destination, std::filesystem::path target);

    int fileDescriptor;
    std::filesystem::path destination;  // as given, for messages
    std::filesystem::path target;       // where the links lead
};

}  // namespace morvik::render
