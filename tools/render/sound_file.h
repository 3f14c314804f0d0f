// Sound files through libsndfile: an open file's handle, the size of its
// transfers, how the report names a format, and what a WAV header announces.
#pragma once

#include <sndfile.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace morvik::render {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFileHandle = std::unique_ptr<SNDFILE, SoundFileCloser>;

// Frames moved to or from libsndfile a call, whatever the block size: enough to
// make few system calls, few enough to keep the buffers small for any
// channel count.
inline constexpr std::size_t kFramesPerCall = 8192;

// `format` is libsndfile's SF_INFO::format, e.g. "WAV, 32-bit float" for
// SF_FORMAT_WAV | SF_FORMAT_FLOAT. Formats without a short name of ours take
// libsndfile's own name; "unknown" where it has none either.
std::string soundFormatName(int format);

// The frames a WAV file's data chunk size announces, read directly: libsndfile
// believes the file's length over a header that announces more, so a cut-off
// file would go unnoticed. None when the file is not a RIFF WAVE file or the
// size is unknown (0 or 0xFFFFFFFF, as streaming writers leave it).
std::optional<std::size_t> wavAnnouncedFrames(const std::filesystem::path& path);

}  // namespace morvik::render
