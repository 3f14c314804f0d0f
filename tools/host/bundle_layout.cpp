#include "tools/host/bundle_layout.h"

#include <system_error>

namespace morvik::host {
namespace fs = std::filesystem;

fs::path expectedBinaryPath(const fs::path& bundle)
{
    // "Name.vst3/" names the same bundle as "Name.vst3".
    const fs::path folder = bundle.has_filename() ? bundle : bundle.parent_path();
    return folder / "Contents" / kBinaryFolder / (folder.stem().string() + ".so");
}

std::optional<fs::path> findModuleBinary(const fs::path& path, std::string& error)
{
    std::error_code failure;
    const fs::file_status status = fs::status(path, failure);
    if (!fs::exists(status)) {
        error = "no such file or folder: " + path.string();
        return std::nullopt;
    }
    if (!fs::is_directory(status))
        return path;

    fs::path binary = expectedBinaryPath(path);
    if (!fs::is_regular_file(binary, failure)) {
        error = "bundle " + path.string() + " has no binary at " + binary.string();
        return std::nullopt;
    }
    return binary;
}

}  // namespace morvik::host
