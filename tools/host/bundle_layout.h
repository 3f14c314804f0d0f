// Where a VST 3 bundle keeps its Linux binary.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace morvik::host {

inline constexpr const char* kBinaryFolder = "x86_64-linux";

// <bundle>/Contents/x86_64-linux/<bundle name without .vst3>.so
std::filesystem::path expectedBinaryPath(const std::filesystem::path& bundle);

// The shared object to load for a path: a bundle folder's binary, or the path
// itself when it names a file. Null with a reason in `error` when there is none.
std::optional<std::filesystem::path> findModuleBinary(const std::filesystem::path& path, std::string& error);

}  // namespace morvik::host
