// How the report names a sound file's format: its container and its samples.
#pragma once

#include <string>

namespace morvik::render {

// `format` is libsndfile's SF_INFO::format, e.g. "WAV, 32-bit float" for
// SF_FORMAT_WAV | SF_FORMAT_FLOAT. Formats without a short name of ours take
// libsndfile's own name; "unknown" where it has none either.
std::string soundFormatName(int format);

}  // namespace morvik::render
