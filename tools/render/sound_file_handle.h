// An open libsndfile handle, closed when it goes.
#pragma once

#include <sndfile.h>

#include <memory>

namespace morvik::render {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFileHandle = std::unique_ptr<SNDFILE, SoundFileCloser>;

// Frames moved to or from libsndfile a call, whatever the block size: enough to
// make few system calls, few enough to keep the buffers small for any
// channel count.
inline constexpr std::size_t kFramesPerCall = 8192;

}  // namespace morvik::render
