// A host's state stream over a byte vector, read-only, plus a builder for the
// processor's 132-byte state record.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "sdk/vst3/interfaces/bstream.h"

namespace Steinberg::Vst::testing {

class MemoryStream : public IBStream {
public:
    explicit MemoryStream(std::vector<uint8> bytes) : bytes(std::move(bytes)) {}

    tresult read(void* buffer, int32 numBytes, int32* numBytesRead) override
    {
        if (numBytesRead)
            *numBytesRead = 0;
        if (!buffer || numBytes < 0)
            return kInvalidArgument;
        if (failReads)
            return kResultFalse;
        const auto count = std::min<std::size_t>(static_cast<std::size_t>(numBytes), bytes.size() - position);
        if (count > 0)
            std::memcpy(buffer, bytes.data() + position, count);
        position += count;
        if (numBytesRead)
            *numBytesRead = static_cast<int32>(count);
        return kResultOk;
    }
    tresult write(void*, int32, int32*) override { return kResultFalse; }
    tresult seek(int64, int32, int64*) override { return kNotImplemented; }
    tresult tell(int64* pos) override
    {
        if (!pos)
            return kInvalidArgument;
        *pos = static_cast<int64>(position);
        return kResultOk;
    }

    tresult queryInterface(const TUID iid, void** obj) override
    {
        if (!obj)
            return kInvalidArgument;
        if (iidEqual(iid, FUnknown::iid) || iidEqual(iid, IBStream::iid)) {
            addRef();
            *obj = this;
            return kResultOk;
        }
        *obj = nullptr;
        return kNoInterface;
    }
    // Lives on the test's stack.
    uint32 addRef() override { return ++references; }
    uint32 release() override { return --references; }

    bool failReads = false;  // a stream whose reads the host reports as failed

private:
    std::vector<uint8> bytes;
    std::size_t position = 0;
    uint32 references = 1;
};

// The processor's state record in its stream form (little-endian).
inline std::vector<uint8> stateRecord(int32 bypass, const std::array<double, 13>& values,
                                      const std::array<int32, 4>& flags = {})
{
    static_assert(std::endian::native == std::endian::little, "the record is little-endian");
    std::vector<uint8> bytes(8, 0);  // leading word
    const auto append = [&bytes](const auto& item) {
        const std::size_t offset = bytes.size();
        bytes.resize(offset + sizeof(item));
        std::memcpy(bytes.data() + offset, &item, sizeof(item));
    };
    append(bypass);
    for (double value : values)
        append(value);
    for (int32 flag : flags)
        append(flag);
    return bytes;
}

}  // namespace Steinberg::Vst::testing
