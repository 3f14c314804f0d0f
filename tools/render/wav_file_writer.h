// The rendered WAV file of 32-bit or 64-bit floats, written a block at a time.
// Where it can, it takes the destination's place only once finished (see
// PendingFile); elsewhere a file it created is removed again when the render
// fails.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/render/outcome.h"
#include "tools/render/pending_file.h"
#include "tools/render/render_options.h"
#include "tools/render/sound_file.h"
#include "tools/render/stereo_audio.h"

namespace morvik::render {

class WavFileWriter final : public AudioSink {
public:
    WavFileWriter(std::filesystem::path path, double sampleRate, SampleSize sampleSize);
    ~WavFileWriter() override;
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;

    void write(std::span<const float> left, std::span<const float> right) override;
    void write(std::span<const double> left, std::span<const double> right) override;

    // Whether the file could be created; checked before rendering into it.
    Status opened() const;

    // Completes the file and puts it in place, or reports the first problem
    // met since it was opened.
    Status finish();

private:
    // Frames on their way to the file, written kFramesPerCall at a time.
    template <class Sample>
    struct WriteBehind {
        std::vector<Sample> interleaved;
        std::size_t frames = 0;
    };

    template <class Sample>
    void writeFrames(std::span<const Sample> left, std::span<const Sample> right,
                     WriteBehind<Sample>& buffer);
    template <class Sample>
    void flush(WriteBehind<Sample>& buffer);

    std::filesystem::path path;
    std::optional<PendingFile> pending;  // declared before `file`, which must close first
    bool createdHere = false;            // opened directly where nothing was before
    SoundFileHandle file;
    std::optional<std::string> problem;
    bool finished = false;
    // Only the one for the sample type in use is filled.
    WriteBehind<float> writeBehind32;
    WriteBehind<double> writeBehind64;
};

}  // namespace morvik::render
