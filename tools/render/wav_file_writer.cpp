#include "tools/render/wav_file_writer.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

namespace morvik::render {
namespace {

sf_count_t writeInterleaved(SNDFILE* file, const float* frames, sf_count_t count)
{
    return sf_writef_float(file, frames, count);
}

sf_count_t writeInterleaved(SNDFILE* file, const double* frames, sf_count_t count)
{
    return sf_writef_double(file, frames, count);
}

constexpr std::size_t kChannels = 2;

}  // namespace

WavFileWriter::WavFileWriter(std::filesystem::path path, double sampleRate, SampleSize sampleSize)
    : path(std::move(path))
{
    const int wholeRate = static_cast<int>(std::lround(sampleRate));
    SF_INFO info{};
    info.samplerate = wholeRate;
    info.channels = static_cast<int>(kChannels);
    info.format = SF_FORMAT_WAV | (sampleSize == SampleSize::Float64 ? SF_FORMAT_DOUBLE : SF_FORMAT_FLOAT);
    if (wholeRate < 1 || sf_format_check(&info) == 0) {
        problem = "cannot write a WAV file at " + std::to_string(sampleRate) + " Hz";
        return;
    }

    pending = PendingFile::createFor(this->path);
    if (pending) {
        file.reset(sf_open_fd(pending->descriptor(), SFM_WRITE, &info, SF_FALSE));
    } else {
        std::error_code ignored;
        createdHere = !std::filesystem::exists(std::filesystem::symlink_status(this->path, ignored));
        file.reset(sf_open(this->path.c_str(), SFM_WRITE, &info));
    }
    if (!file)
        problem = "cannot create " + this->path.string() + ": " + sf_strerror(nullptr);
}

WavFileWriter::~WavFileWriter()
{
    if (finished || !createdHere || !file)
        return;
    file.reset();
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

template <class Sample>
void WavFileWriter::writeFrames(std::span<const Sample> left, std::span<const Sample> right,
                                WriteBehind<Sample>& buffer)
{
    buffer.interleaved.resize(kFramesPerCall * kChannels);
    for (std::size_t written = 0; written < left.size() && !problem && file;) {
        const std::size_t count = std::min(left.size() - written, kFramesPerCall - buffer.frames);
        Sample* frame = buffer.interleaved.data() + buffer.frames * kChannels;
        for (std::size_t index = written; index < written + count; ++index, frame += kChannels) {
            frame[0] = left[index];
            frame[1] = right[index];
        }
        buffer.frames += count;
        written += count;
        if (buffer.frames == kFramesPerCall)
            flush(buffer);
    }
}

template <class Sample>
void WavFileWriter::flush(WriteBehind<Sample>& buffer)
{
    const auto count = static_cast<sf_count_t>(buffer.frames);
    buffer.frames = 0;
    if (problem || !file || count == 0)
        return;
    if (writeInterleaved(file.get(), buffer.interleaved.data(), count) != count)
        problem = "error while writing " + path.string() + ": " + sf_strerror(file.get());
}

void WavFileWriter::write(std::span<const float> left, std::span<const float> right)
{
    writeFrames(left, right, writeBehind32);
}

void WavFileWriter::write(std::span<const double> left, std::span<const double> right)
{
    writeFrames(left, right, writeBehind64);
}

Status WavFileWriter::opened() const
{
    if (problem)
        return Failure{*problem};
    return succeeded();
}

Status WavFileWriter::finish()
{
    finished = true;
    flush(writeBehind32);
    flush(writeBehind64);
    if (problem)
        return Failure{*problem};
    // Closing writes the header; a failure there (a full disk) must not pass as success.
    if (sf_close(file.release()) != 0)
        return Failure{"error while finishing " + path.string()};
    if (pending)
        return pending->putInPlace();
    return succeeded();
}

}  // namespace morvik::render
