#include "tools/render/audio_file.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace morvik::render {
namespace {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

constexpr sf_count_t kChunkFrames = 8192;

std::string formatName(int format, int command)
{
    SF_FORMAT_INFO info{};
    info.format = format;
    if (sf_command(nullptr, command, &info, sizeof(info)) != 0 || !info.name)
        return "unknown";
    return info.name;
}

std::string describeFormat(int format)
{
    return formatName(format & SF_FORMAT_TYPEMASK, SFC_GET_FORMAT_MAJOR) + ", " +
           formatName(format & SF_FORMAT_SUBMASK, SFC_GET_FORMAT_SUBTYPE);
}

}  // namespace

Outcome<InputFile> readAudioFile(const std::filesystem::path& path)
{
    SF_INFO info{};
    SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        return Failure{"cannot read " + path.string() + ": " + sf_strerror(nullptr)};
    if (info.channels < 1 || info.samplerate < 1)
        return Failure{path.string() + " has no usable channels or sample rate"};

    InputFile input;
    input.fileChannels = info.channels;
    input.format = describeFormat(info.format);
    input.audio.sampleRate = info.samplerate;

    // The frame count in the header is not trusted: read until the file ends.
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<double> interleaved(static_cast<std::size_t>(kChunkFrames) * channels);
    for (;;) {
        const sf_count_t framesRead = sf_readf_double(file.get(), interleaved.data(), kChunkFrames);
        if (framesRead <= 0)
            break;
        for (sf_count_t frame = 0; frame < framesRead; ++frame) {
            const double* samples = interleaved.data() + static_cast<std::size_t>(frame) * channels;
            input.audio.channels[0].push_back(samples[0]);
            input.audio.channels[1].push_back(channels > 1 ? samples[1] : samples[0]);
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        return Failure{"error while reading " + path.string() + ": " + sf_strerror(file.get())};
    return input;
}

Status writeWavFile(const std::filesystem::path& path, const StereoAudio& audio, SampleSize sampleSize)
{
    const int sampleRate = static_cast<int>(std::lround(audio.sampleRate));
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = static_cast<int>(StereoAudio::kChannels);
    info.format = SF_FORMAT_WAV | (sampleSize == SampleSize::Float64 ? SF_FORMAT_DOUBLE : SF_FORMAT_FLOAT);
    if (sampleRate < 1 || sf_format_check(&info) == 0)
        return Failure{"cannot write a WAV file at " + std::to_string(audio.sampleRate) + " Hz"};

    SoundFile file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
        return Failure{"cannot create " + path.string() + ": " + sf_strerror(nullptr)};

    std::vector<double> interleaved;
    interleaved.reserve(static_cast<std::size_t>(kChunkFrames) * StereoAudio::kChannels);
    for (std::size_t start = 0; start < audio.frames(); start += static_cast<std::size_t>(kChunkFrames)) {
        const std::size_t end = std::min(audio.frames(), start + static_cast<std::size_t>(kChunkFrames));
        interleaved.clear();
        for (std::size_t frame = start; frame < end; ++frame)
            for (const auto& channel : audio.channels)
                interleaved.push_back(channel[frame]);
        const auto frames = static_cast<sf_count_t>(end - start);
        if (sf_writef_double(file.get(), interleaved.data(), frames) != frames)
            return Failure{"error while writing " + path.string() + ": " + sf_strerror(file.get())};
    }
    // Closing writes the header; a failure there (a full disk) must not pass as success.
    if (sf_close(file.release()) != 0)
        return Failure{"error while finishing " + path.string()};
    return succeeded();
}

}  // namespace morvik::render
