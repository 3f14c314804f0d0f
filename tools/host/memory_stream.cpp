#include "tools/host/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace morvik::host {
using namespace Steinberg;

MemoryStream::MemoryStream(std::vector<std::uint8_t> initialContents, std::optional<WriteLimit> writeLimit)
    : contents(std::move(initialContents)), limit(writeLimit)
{
}

tresult MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
    if (numBytesRead)
        *numBytesRead = 0;
    if (numBytes < 0 || (!buffer && numBytes > 0))
        return kInvalidArgument;

    const auto size = static_cast<int64>(contents.size());
    const int64 available = cursor < size ? size - cursor : 0;
    const auto count = static_cast<int32>(std::min<int64>(numBytes, available));
    if (count > 0)
        std::memcpy(buffer, contents.data() + cursor, static_cast<std::size_t>(count));
    cursor += count;
    if (numBytesRead)
        *numBytesRead = count;
    return kResultOk;
}

tresult MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
    if (numBytesWritten)
        *numBytesWritten = 0;
    if (numBytes < 0 || (!buffer && numBytes > 0))
        return kInvalidArgument;

    int64 count = numBytes;
    if (limit) {
        const auto capacity =
            static_cast<int64>(std::min<std::size_t>(limit->bytes, std::numeric_limits<int64>::max()));
        const int64 room = cursor < capacity ? capacity - cursor : 0;
        if (count > room) {
            if (limit->behaviour == WriteLimit::Behaviour::Refuse)
                return kResultFalse;
            count = room;
        }
    }
    if (count == 0)
        return kResultOk;

    int64 end = 0;
    if (__builtin_add_overflow(cursor, count, &end))
        return kOutOfMemory;
    try {
        if (static_cast<std::size_t>(end) > contents.size())
            contents.resize(static_cast<std::size_t>(end));  // zero-fills any gap left by a seek past the end
    } catch (...) {
        return kOutOfMemory;
    }
    std::memcpy(contents.data() + cursor, buffer, static_cast<std::size_t>(count));
    cursor += count;
    if (numBytesWritten)
        *numBytesWritten = static_cast<int32>(count);
    return kResultOk;
}

tresult MemoryStream::seek(int64 pos, int32 mode, int64* result)
{
    int64 base = 0;
    switch (mode) {
        case kIBSeekSet:
            base = 0;
            break;
        case kIBSeekCur:
            base = cursor;
            break;
        case kIBSeekEnd:
            base = static_cast<int64>(contents.size());
            break;
        default:
            return kInvalidArgument;
    }
    int64 target = 0;
    if (__builtin_add_overflow(base, pos, &target) || target < 0)
        return kInvalidArgument;
    cursor = target;
    if (result)
        *result = cursor;
    return kResultOk;
}

tresult MemoryStream::tell(int64* pos)
{
    if (!pos)
        return kInvalidArgument;
    *pos = cursor;
    return kResultOk;
}

}  // namespace morvik::host
