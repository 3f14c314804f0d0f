// What a WAV file's header announces, read directly: libsndfile believes the
// file's length over a header that announces more, so a cut-off file would go
// unnoticed.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

namespace morvik::render {

// The frames the data chunk's size announces; none when the file is not a RIFF
// WAVE file or the size is unknown (0 or 0xFFFFFFFF, as streaming writers leave it).
std::optional<std::size_t> wavAnnouncedFrames(const std::filesystem::path& path);

}  // namespace morvik::render
