// Sound files for the tool's tests, through libsndfile directly rather than
// through the tool's own reader and writer.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace morvik::testing {

struct SoundFileContents {
    int sampleRate = 0;
    int format = 0;  // libsndfile's SF_FORMAT_* bits
    std::vector<std::vector<double>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// Writes the channels (all the same length) in libsndfile's `format`
// (SF_FORMAT_* bits, container and samples).
bool writeSoundFile(const std::filesystem::path& path, int sampleRate, int format,
                    const std::vector<std::vector<double>>& channels);

// A WAV file of 32-bit floats.
bool writeFloatWav(const std::filesystem::path& path, int sampleRate,
                   const std::vector<std::vector<double>>& channels);

std::optional<SoundFileContents> readSoundFile(const std::filesystem::path& path);

}  // namespace morvik::testing
