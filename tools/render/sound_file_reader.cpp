#include "tools/render/sound_file_reader.h"

#include <algorithm>
#include <utility>

#include "tools/render/sound_file.h"

namespace morvik::render {
namespace {

sf_count_t readInterleaved(SNDFILE* file, float* frames, sf_count_t count)
{
    return sf_readf_float(file, frames, count);
}

sf_count_t readInterleaved(SNDFILE* file, double* frames, sf_count_t count)
{
    return sf_readf_double(file, frames, count);
}

}  // namespace

Outcome<std::unique_ptr<SoundFileReader>> SoundFileReader::open(const std::filesystem::path& path)
{
    SF_INFO info{};
    SoundFileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        return Failure{"cannot read " + path.string() + ": " + sf_strerror(nullptr)};
    if (info.channels < 1 || info.samplerate < 1)
        return Failure{path.string() + " has no usable channels or sample rate"};
    // libsndfile gives a cut-off WAV file's actual length as its frame count.
    std::optional<std::size_t> announced = wavAnnouncedFrames(path);
    if (!announced && info.frames > 0 && info.frames < SF_COUNT_MAX)
        announced = static_cast<std::size_t>(info.frames);
    return std::make_unique<SoundFileReader>(ConstructionKey{}, std::move(file), path, info.channels,
                                             info.samplerate, soundFormatName(info.format), announced);
}

SoundFileReader::SoundFileReader(ConstructionKey, SoundFileHandle file, std::filesystem::path path,
                                 int channels, double rate, std::string format,
                                 std::optional<std::size_t> announcedFrames)
    : file(std::move(file)),
      path(std::move(path)),
      channelCount(channels),
      rate(rate),
      formatName(std::move(format)),
      announced(announcedFrames)
{
}

template <class Sample>
Outcome<std::size_t> SoundFileReader::readFrames(std::span<Sample> left, std::span<Sample> right,
                                                 ReadAhead<Sample>& buffer)
{
    const auto channels = static_cast<std::size_t>(channelCount);
    const std::size_t rightOffset = channels > 1 ? 1 : 0;
    std::size_t filled = 0;
    while (filled < left.size()) {
        if (buffer.next == buffer.frames) {
            if (ended)
                break;
            buffer.interleaved.resize(kFramesPerCall * channels);
            const sf_count_t got = readInterleaved(file.get(), buffer.interleaved.data(),
                                                   static_cast<sf_count_t>(kFramesPerCall));
            buffer.frames = got > 0 ? static_cast<std::size_t>(got) : 0;
            buffer.next = 0;
            if (got <= 0) {
                ended = true;
                if (sf_error(file.get()) != SF_ERR_NO_ERROR)
                    return Failure{"error while reading " + path.string() + ": " + sf_strerror(file.get())};
                break;
            }
        }
        const std::size_t count = std::min(left.size() - filled, buffer.frames - buffer.next);
        const Sample* frame = buffer.interleaved.data() + buffer.next * channels;
        for (std::size_t index = filled; index < filled + count; ++index, frame += channels) {
            left[index] = frame[0];
            right[index] = frame[rightOffset];
        }
        buffer.next += count;
        filled += count;
    }
    delivered += filled;
    return filled;
}

Outcome<std::size_t> SoundFileReader::read(std::span<float> left, std::span<float> right)
{
    return readFrames(left, right, readAhead32);
}

Outcome<std::size_t> SoundFileReader::read(std::span<double> left, std::span<double> right)
{
    return readFrames(left, right, readAhead64);
}

}  // namespace morvik::render
