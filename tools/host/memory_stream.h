// An IBStream over bytes in memory, for state round trips.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sdk/vst3/interfaces/bstream.h"
#include "tools/host/com_object.h"

namespace morvik::host {

// Makes a stream behave like a full disk once it holds `bytes` bytes.
struct WriteLimit {
    enum class Behaviour {
        Refuse,   // a write that does not fit writes nothing and answers kResultFalse
        Shorten,  // a write that does not fit writes what fits and reports that count
    };
    std::size_t bytes = 0;
    Behaviour behaviour = Behaviour::Refuse;
};

// Reads past the end report fewer bytes (possibly none) and answer kResultOk,
// as hosts' memory streams do. Seeking past the end is allowed; a later write
// there fills the gap with zeros.
class MemoryStream : public ComObject<Steinberg::IBStream> {
public:
    explicit MemoryStream(std::vector<std::uint8_t> contents = {},
                          std::optional<WriteLimit> limit = std::nullopt);

    Steinberg::tresult read(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* numBytesRead) override;
    Steinberg::tresult write(void* buffer, Steinberg::int32 numBytes,
                             Steinberg::int32* numBytesWritten) override;
    Steinberg::tresult seek(Steinberg::int64 pos, Steinberg::int32 mode, Steinberg::int64* result) override;
    Steinberg::tresult tell(Steinberg::int64* pos) override;

    const std::vector<std::uint8_t>& bytes() const { return contents; }
    Steinberg::int64 position() const { return cursor; }
    void rewind() { cursor = 0; }

private:
    std::vector<std::uint8_t> contents;
    std::optional<WriteLimit> limit;
    Steinberg::int64 cursor = 0;
};

}  // namespace morvik::host
