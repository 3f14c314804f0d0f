// A small in-memory IBStream for the base tests: a fixed capacity of N bytes,
// optionally handing out at most `chunk` bytes per call, and optionally refusing
// writes beyond a byte limit (taking what fits) or refusing every call outright.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "sdk/vst3/interfaces/bstream.h"

namespace Steinberg::test {

class MemoryStream : public IBStream {
public:
    explicit MemoryStream(std::vector<uint8> content = {}, int64 capacity = int64{1} << 40)
        : data(std::move(content)), capacity(capacity)
    {
    }

    std::vector<uint8> data;
    int64 capacity;          // writes beyond this many bytes are cut
    int64 position = 0;
    int32 chunk = 0;         // > 0: at most this many bytes per read/write call
    bool failAll = false;    // every read/write answers kResultFalse, moving nothing
    bool reportFalseOnShort = true;  // a cut transfer answers kResultFalse
    int32 overclaim = 0;     // bytes reported moved on top of those actually moved
    int32 readCalls = 0;
    int32 writeCalls = 0;

    tresult queryInterface(const TUID iid, void** obj) override
    {
        if (!obj)
            return kInvalidArgument;
        if (iidEqual(iid, FUnknown::iid) || iidEqual(iid, IBStream::iid)) {
            *obj = static_cast<IBStream*>(this);
            return kResultOk;
        }
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 addRef() override { return 1; }
    uint32 release() override { return 1; }

    tresult read(void* buffer, int32 numBytes, int32* numBytesRead) override
    {
        ++readCalls;
        if (numBytesRead)
            *numBytesRead = 0;
        if (failAll || numBytes < 0 || !buffer)
            return kResultFalse;
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
        return cutByEnd && reportFalseOnShort ? kResultFalse : kResultOk;
    }

    tresult write(void* buffer, int32 numBytes, int32* numBytesWritten) override
    {
        ++writeCalls;
        if (numBytesWritten)
            *numBytesWritten = 0;
        if (failAll || numBytes < 0 || !buffer)
            return kResultFalse;
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
        return cutByLimit && reportFalseOnShort ? kResultFalse : kResultOk;
    }

    tresult seek(int64 pos, int32 mode, int64* result) override
    {
        int64 base = mode == kIBSeekSet ? 0 : mode == kIBSeekCur ? position : static_cast<int64>(data.size());
        if (mode < kIBSeekSet || mode > kIBSeekEnd || base + pos < 0)
            return kInvalidArgument;
        position = base + pos;
        if (result)
            *result = position;
        return kResultOk;
    }

    tresult tell(int64* pos) override
    {
        if (!pos)
            return kInvalidArgument;
        *pos = position;
        return kResultOk;
    }
};

}  // namespace Steinberg::test
