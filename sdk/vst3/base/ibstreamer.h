// IBStreamer: typed reads and writes over a host IBStream, in a fixed byte order.
//
// - A read answers true only when every byte of the item arrived; on false the
//   output argument is left exactly as it was (nothing half-read). The stream
//   position has then moved past whatever bytes did arrive.
// - A write answers true only when the stream took every byte of the item. On
//   false, the bytes it did take stay written.
// - With a null stream every call answers false (readRaw/writeRaw answer 0).
// - A stream call may move fewer bytes than asked; the streamer asks again for
//   the rest and gives up when a call fails or moves nothing.
// - Byte order: kLittleEndian (the default, and what the plug-in's state format
//   uses) or kBigEndian, independent of the host's own order. Floating-point
//   values are stored as their IEEE-754 bit patterns in that order.
// - bool is stored as an int16 (1 or 0), as the VST 3 SDK does; any non-zero
//   value reads as true.
#pragma once

#include "sdk/vst3/interfaces/bstream.h"

namespace Steinberg {

// Byte orders for IBStreamer (also reachable as IBStreamer::kLittleEndian).
inline constexpr int16 kLittleEndian = 0;
inline constexpr int16 kBigEndian = 1;

class IBStreamer {
public:
    static constexpr int16 kLittleEndian = Steinberg::kLittleEndian;
    static constexpr int16 kBigEndian = Steinberg::kBigEndian;

    // The streamer neither owns nor references `stream`. A byte order other than
    // kBigEndian counts as kLittleEndian.
    explicit IBStreamer(IBStream* stream, int16 byteOrder = kLittleEndian);

    IBStream* getStream() const { return stream; }
    int16 getByteOrder() const { return byteOrder; }
    void setByteOrder(int16 order) { byteOrder = order == kBigEndian ? kBigEndian : kLittleEndian; }

    // Raw bytes, no byte order. Answer the number of bytes actually moved.
    TSize readRaw(void* buffer, TSize size);
    TSize writeRaw(const void* buffer, TSize size);

    bool writeInt8(int8 value);
    bool readInt8(int8& value);
    bool writeInt8u(uint8 value);
    bool readInt8u(uint8& value);
    bool writeChar8(char8 value) { return writeInt8(value); }
    bool readChar8(char8& value) { return readInt8(value); }

    bool writeInt16(int16 value);
    bool readInt16(int16& value);
    bool writeInt16u(uint16 value);
    bool readInt16u(uint16& value);
    bool writeChar16(char16 value) { return writeInt16u(static_cast<uint16>(value)); }
    bool readChar16(char16& value);

    bool writeInt32(int32 value);
    bool readInt32(int32& value);
    bool writeInt32u(uint32 value);
    bool readInt32u(uint32& value);

    bool writeInt64(int64 value);
    bool readInt64(int64& value);
    bool writeInt64u(uint64 value);
    bool readInt64u(uint64& value);

    bool writeFloat(float value);
    bool readFloat(float& value);
    bool writeDouble(double value);
    bool readDouble(double& value);

    bool writeBool(bool value);
    bool readBool(bool& value);

    // Stream position: the new / current position, or -1 when the stream fails.
    int64 seek(int64 pos, int32 mode = IBStream::kIBSeekSet);
    int64 tell();

private:
    // `size` bytes of `bits` in the stream's byte order.
    bool writeBits(uint64 bits, int size);
    // Reads `size` bytes in the stream's byte order into `bits` (only on success).
    bool readBits(uint64& bits, int size);

    IBStream* stream;
    int16 byteOrder;
};

}  // namespace Steinberg
