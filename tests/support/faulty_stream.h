// An in-memory IBStream that a test can make misbehave, for the code that reads
// and writes streams: a fixed capacity, optionally handing out at most `chunk`
// bytes per call, refusing writes beyond the capacity (taking what fits),
// refusing every call outright, or claiming more bytes than it moved. Unlike a
// host's stream (tools/host's MemoryStream), it answers kResultFalse for a
// transfer cut short, unless told otherwise.
#pragma once

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "sdk/vst3/interfaces/bstream.h"
#include "tests/support/counted.h"

namespace morvik::testing {

class FaultyStream : public Counted<Steinberg::IBStream> {
public:
    using int32 = Steinberg::int32;
    using int64 = Steinberg::int64;
    using tresult = Steinberg::tresult;
    using uint8 = Steinberg::uint8;

    explicit FaultyStream(std::vector<uint8> content = {}, int64 capacity = int64{1} << 40)
        : data(std::move(content)), capacity(capacity)
    {
    }

    std::vector<uint8> data;
    int64 capacity;  // writes beyond this many bytes are cut
    int64 position = 0;
    int32 chunk = 0;                 // > 0: at most this many bytes per read/write call
    bool failAll = false;            // every read/write answers kResultFalse, moving nothing
    bool reportFalseOnShort = true;  // a cut transfer answers kResultFalse
    int32 overclaim = 0;             // bytes reported moved on top of those actually moved
    int32 readCalls = 0;
    int32 writeCalls = 0;

    tresult read(void* buffer, int32 numBytes, int32* numBytesRead) override
    {
        ++readCalls;
        if (numBytesRead)
            *numBytesRead = 0;
        if (failAll || numBytes < 0 || !buffer)
            return Steinberg::kResultFalse;
        const auto available = static_cast<int64>(data.size()) - position;
        int64 n = std::min<int64>(numBytes, std::max<int64>(available, 0));
        if (chunk > 0)
            n = std::min<int64>(n, chunk);
        if (n > 0)
            std::memcpy(buffer, data.data() + position, static_cast<size_t>(n));
        position += n;
        if (numBytesRead)
            *numBytesRead = static_cast<int32>(n) + overclaim;
        const bool cutByEnd = n < numBytes && n == std::max<int64>(available, 0);
        return cutByEnd && reportFalseOnShort ? Steinberg::kResultFalse : Steinberg::kResultOk;
    }

    tresult write(void* buffer, int32 numBytes, int32* numBytesWritten) override
    {
        ++writeCalls;
        if (numBytesWritten)
            *numBytesWritten = 0;
        if (failAll || numBytes < 0 || !buffer)
            return Steinberg::kResultFalse;
        const int64 room = capacity - position;
        int64 n = std::min<int64>(numBytes, std::max<int64>(room, 0));
        if (chunk > 0)
            n = std::min<int64>(n, chunk);
        if (static_cast<int64>(data.size()) < position + n)
            data.resize(static_cast<size_t>(position + n));
        if (n > 0)
            std::memcpy(data.data() + position, buffer, static_cast<size_t>(n));
        position += n;
        if (numBytesWritten)
            *numBytesWritten = static_cast<int32>(n) + overclaim;
        const bool cutByLimit = n < numBytes && n == std::max<int64>(room, 0);
        return cutByLimit && reportFalseOnShort ? Steinberg::kResultFalse : Steinberg::kResultOk;
    }

    tresult seek(int64 pos, int32 mode, int64* result) override
    {
        int64 base = mode == kIBSeekSet ? 0 : mode == kIBSeekCur ? position : static_cast<int64>(data.size());
        if (mode < kIBSeekSet || mode > kIBSeekEnd || base + pos < 0)
            return Steinberg::kInvalidArgument;
        position = base + pos;
        if (result)
            *result = position;
        return Steinberg::kResultOk;
    }

    tresult tell(int64* pos) override
    {
        if (!pos)
            return Steinberg::kInvalidArgument;
        *pos = position;
        return Steinberg::kResultOk;
    }
};

}  // namespace morvik::testing
