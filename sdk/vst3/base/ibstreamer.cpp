#include "sdk/vst3/base/ibstreamer.h"

#include <bit>
#include <cstring>
#include <limits>

namespace Steinberg {

namespace {

constexpr TSize kMaxChunk = std::numeric_limits<int32>::max();

}  // namespace

IBStreamer::IBStreamer(IBStream* stream, int16 byteOrder)
    : stream(stream), byteOrder(byteOrder == kBigEndian ? kBigEndian : kLittleEndian)
{
}

TSize IBStreamer::readRaw(void* buffer, TSize size)
{
    if (!stream || !buffer || size <= 0)
        return 0;
    auto* bytes = static_cast<uint8*>(buffer);
    TSize done = 0;
    while (done < size) {
        const auto ask = static_cast<int32>(size - done < kMaxChunk ? size - done : kMaxChunk);
        int32 moved = 0;
        const tresult result = stream->read(bytes + done, ask, &moved);
        if (moved > ask)
            moved = ask;  // a stream that claims more than asked is not believed
        if (moved > 0)
            done += moved;
        if (result != kResultOk || moved <= 0)
            break;
    }
    return done;
}

TSize IBStreamer::writeRaw(const void* buffer, TSize size)
{
    if (!stream || !buffer || size <= 0)
        return 0;
    // IBStream::write takes a non-const pointer but only reads from it.
    auto* bytes = static_cast<uint8*>(const_cast<void*>(buffer));
    TSize done = 0;
    while (done < size) {
        const auto ask = static_cast<int32>(size - done < kMaxChunk ? size - done : kMaxChunk);
        int32 moved = 0;
        const tresult result = stream->write(bytes + done, ask, &moved);
        if (moved > ask)
            moved = ask;
        if (moved > 0)
            done += moved;
        if (result != kResultOk || moved <= 0)
            break;
    }
    return done;
}

bool IBStreamer::writeBits(uint64 bits, int size)
{
    uint8 bytes[8];
    for (int i = 0; i < size; ++i) {
        const int shift = byteOrder == kLittleEndian ? 8 * i : 8 * (size - 1 - i);
        bytes[i] = static_cast<uint8>((bits >> shift) & 0xFFu);
    }
    return writeRaw(bytes, size) == size;
}

bool IBStreamer::readBits(uint64& bits, int size)
{
    uint8 bytes[8];
    if (readRaw(bytes, size) != size)
        return false;
    uint64 result = 0;
    for (int i = 0; i < size; ++i) {
        const int shift = byteOrder == kLittleEndian ? 8 * i : 8 * (size - 1 - i);
        result |= static_cast<uint64>(bytes[i]) << shift;
    }
    bits = result;
    return true;
}

bool IBStreamer::writeInt8(int8 value)
{
    return writeBits(static_cast<uint8>(value), 1);
}

bool IBStreamer::readInt8(int8& value)
{
    uint64 bits;
    if (!readBits(bits, 1))
        return false;
    value = static_cast<int8>(static_cast<uint8>(bits));
    return true;
}

bool IBStreamer::writeInt8u(uint8 value)
{
    return writeBits(value, 1);
}

bool IBStreamer::readInt8u(uint8& value)
{
    uint64 bits;
    if (!readBits(bits, 1))
        return false;
    value = static_cast<uint8>(bits);
    return true;
}

bool IBStreamer::writeInt16(int16 value)
{
    return writeBits(static_cast<uint16>(value), 2);
}

bool IBStreamer::readInt16(int16& value)
{
    uint64 bits;
    if (!readBits(bits, 2))
        return false;
    value = static_cast<int16>(static_cast<uint16>(bits));  // modular since C++20
    return true;
}

bool IBStreamer::writeInt16u(uint16 value)
{
    return writeBits(value, 2);
}

bool IBStreamer::readInt16u(uint16& value)
{
    uint64 bits;
    if (!readBits(bits, 2))
        return false;
    value = static_cast<uint16>(bits);
    return true;
}

bool IBStreamer::readChar16(char16& value)
{
    uint16 unit;
    if (!readInt16u(unit))
        return false;
    value = static_cast<char16>(unit);
    return true;
}

bool IBStreamer::writeInt32(int32 value)
{
    return writeBits(static_cast<uint32>(value), 4);
}

bool IBStreamer::readInt32(int32& value)
{
    uint64 bits;
    if (!readBits(bits, 4))
        return false;
    value = static_cast<int32>(static_cast<uint32>(bits));
    return true;
}

bool IBStreamer::writeInt32u(uint32 value)
{
    return writeBits(value, 4);
}

bool IBStreamer::readInt32u(uint32& value)
{
    uint64 bits;
    if (!readBits(bits, 4))
        return false;
    value = static_cast<uint32>(bits);
    return true;
}

bool IBStreamer::writeInt64(int64 value)
{
    return writeBits(static_cast<uint64>(value), 8);
}

bool IBStreamer::readInt64(int64& value)
{
    uint64 bits;
    if (!readBits(bits, 8))
        return false;
    value = static_cast<int64>(bits);
    return true;
}

bool IBStreamer::writeInt64u(uint64 value)
{
    return writeBits(value, 8);
}

bool IBStreamer::readInt64u(uint64& value)
{
    uint64 bits;
    if (!readBits(bits, 8))
        return false;
    value = bits;
    return true;
}

bool IBStreamer::writeFloat(float value)
{
    static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);
    return writeBits(std::bit_cast<uint32>(value), 4);
}

bool IBStreamer::readFloat(float& value)
{
    uint64 bits;
    if (!readBits(bits, 4))
        return false;
    value = std::bit_cast<float>(static_cast<uint32>(bits));
    return true;
}

bool IBStreamer::writeDouble(double value)
{
    static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559);
    return writeBits(std::bit_cast<uint64>(value), 8);
}

bool IBStreamer::readDouble(double& value)
{
    uint64 bits;
    if (!readBits(bits, 8))
        return false;
    value = std::bit_cast<double>(bits);
    return true;
}

bool IBStreamer::writeBool(bool value)
{
    return writeInt16(value ? 1 : 0);
}

bool IBStreamer::readBool(bool& value)
{
    int16 word;
    if (!readInt16(word))
        return false;
    value = word != 0;
    return true;
}

int64 IBStreamer::seek(int64 pos, int32 mode)
{
    if (!stream)
        return -1;
    int64 result = -1;
    if (stream->seek(pos, mode, &result) != kResultOk)
        return -1;
    return result >= 0 ? result : tell();  // a stream may leave `result` unset
}

int64 IBStreamer::tell()
{
    if (!stream)
        return -1;
    int64 pos = -1;
    if (stream->tell(&pos) != kResultOk)
        return -1;
    return pos;
}

}  // namespace Steinberg
