// Any file libsndfile reads, read as a stream of stereo blocks: mono
// duplicated to both channels, beyond two only the first two.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/render/outcome.h"
#include "tools/render/sound_file.h"
#include "tools/render/stereo_audio.h"

namespace morvik::render {

class SoundFileReader final : public AudioSource {
    // Only open() constructs.
    struct ConstructionKey {
        explicit ConstructionKey() = default;
    };

public:
    static Outcome<std::unique_ptr<SoundFileReader>> open(const std::filesystem::path& path);

    SoundFileReader(ConstructionKey, SoundFileHandle file, std::filesystem::path path, int channels,
                    double rate, std::string format, std::optional<std::size_t> announcedFrames);

    int fileChannels() const { return channelCount; }
    const std::string& format() const { return formatName; }  // e.g. "WAV, 16-bit integer"
    double sampleRate() const override { return rate; }

    // The frames the file's header announces, when it says.
    std::optional<std::size_t> announcedFrames() const { return announced; }
    std::size_t framesRead() const { return delivered; }

    // The frame count in the header is not trusted: the file ends where reading ends.
    Outcome<std::size_t> read(std::span<float> left, std::span<float> right) override;
    Outcome<std::size_t> read(std::span<double> left, std::span<double> right) override;

private:
    // Frames as the file has them, read ahead kFramesPerCall at a time.
    template <class Sample>
    struct ReadAhead {
        std::vector<Sample> interleaved;
        std::size_t frames = 0;
        std::size_t next = 0;
    };

    template <class Sample>
    Outcome<std::size_t> readFrames(std::span<Sample> left, std::span<Sample> right,
                                    ReadAhead<Sample>& buffer);

    SoundFileHandle file;
    std::filesystem::path path;
    int channelCount;
    double rate;
    std::string formatName;
    std::optional<std::size_t> announced;
    std::size_t delivered = 0;
    bool ended = false;
    // Only the one for the sample type in use is filled.
    ReadAhead<float> readAhead32;
    ReadAhead<double> readAhead64;
};

}  // namespace morvik::render
