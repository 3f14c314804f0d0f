#include "tests/render/wav_io.h"

#include <sndfile.h>

#include <memory>

namespace morvik::testing {
namespace {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

}  // namespace

bool writeSoundFile(const std::filesystem::path& path, int sampleRate, int format,
                    const std::vector<std::vector<double>>& channels)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = static_cast<int>(channels.size());
    info.format = format;
    SoundFile file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file || channels.empty())
        return false;
    const std::size_t frames = channels[0].size();
    std::vector<double> interleaved;
    for (std::size_t frame = 0; frame < frames; ++frame)
        for (const auto& channel : channels)
            interleaved.push_back(channel.at(frame));
    return sf_writef_double(file.get(), interleaved.data(), static_cast<sf_count_t>(frames)) ==
        static_cast<sf_count_t>(frames);
}

bool writeFloatWav(const std::filesystem::path& path, int sampleRate,
                   const std::vector<std::vector<double>>& channels)
{
    return writeSoundFile(path, sampleRate, SF_FORMAT_WAV | SF_FORMAT_FLOAT, channels);
}

std::optional<SoundFileContents> readSoundFile(const std::filesystem::path& path)
{
    SF_INFO info{};
    SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file || info.channels < 1)
        return std::nullopt;
    std::vector<double> interleaved(static_cast<std::size_t>(info.frames) *
                                    static_cast<std::size_t>(info.channels));
    if (sf_readf_double(file.get(), interleaved.data(), info.frames) != info.frames)
        return std::nullopt;

    SoundFileContents contents;
    contents.sampleRate = info.samplerate;
    contents.format = info.format;
    contents.channels.resize(static_cast<std::size_t>(info.channels));
    for (std::size_t index = 0; index < interleaved.size(); ++index)
        contents.channels[index % contents.channels.size()].push_back(interleaved[index]);
    return contents;
}

}  // namespace morvik::testing
