// Reading any file libsndfile reads, and writing the rendered WAV.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "tools/render/outcome.h"
#include "tools/render/render_options.h"
#include "tools/render/stereo_audio.h"

namespace morvik::render {

struct InputFile {
    StereoAudio audio;      // mono duplicated to both channels, beyond two only the first two
    int fileChannels = 0;   // as the file has them
    std::string format;     // e.g. "WAV (Microsoft), Signed 16 bit PCM"
};

Outcome<InputFile> readAudioFile(const std::filesystem::path& path);

// A WAV file of 32-bit or 64-bit floats at the audio's sample rate.
Status writeWavFile(const std::filesystem::path& path, const StereoAudio& audio, SampleSize sampleSize);

}  // namespace morvik::render
