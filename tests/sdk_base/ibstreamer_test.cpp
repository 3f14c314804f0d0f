#include "sdk/vst3/base/ibstreamer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/support/faulty_stream.h"

namespace Steinberg {
namespace {

using morvik::testing::FaultyStream;
using Bytes = std::vector<uint8>;

TEST(IBStreamer, LittleEndianLayoutOfInt32Int64AndDouble)
{
    FaultyStream stream;
    IBStreamer streamer(&stream, kLittleEndian);
    ASSERT_TRUE(streamer.writeInt32(0x01020304));
    ASSERT_TRUE(streamer.writeInt32(-2));
    ASSERT_TRUE(streamer.writeInt64(0x0102030405060708LL));
    ASSERT_TRUE(streamer.writeInt64(std::numeric_limits<int64>::min()));
    ASSERT_TRUE(streamer.writeDouble(1.0));   // 0x3FF0000000000000
    ASSERT_TRUE(streamer.writeDouble(-0.0));  // 0x8000000000000000
    ASSERT_TRUE(streamer.writeInt32u(0xDEADBEEFu));

    const Bytes expected = {
        0x04, 0x03, 0x02, 0x01,                          //
        0xFE, 0xFF, 0xFF, 0xFF,                          //
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,  //
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80,  //
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,  //
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80,  //
        0xEF, 0xBE, 0xAD, 0xDE,
    };
    EXPECT_EQ(stream.data, expected);
}

TEST(IBStreamer, DefaultByteOrderIsLittleEndian)
{
    FaultyStream stream;
    IBStreamer streamer(&stream);
    EXPECT_EQ(streamer.getByteOrder(), kLittleEndian);
    ASSERT_TRUE(streamer.writeInt16(0x0102));
    EXPECT_EQ(stream.data, (Bytes{0x02, 0x01}));
}

TEST(IBStreamer, BigEndianLayout)
{
    FaultyStream stream;
    IBStreamer streamer(&stream, kBigEndian);
    ASSERT_TRUE(streamer.writeInt32(0x01020304));
    ASSERT_TRUE(streamer.writeInt16(0x0506));
    ASSERT_TRUE(streamer.writeDouble(1.0));
    EXPECT_EQ(stream.data, (Bytes{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0}));

    stream.position = 0;
    int32 i32 = 0;
    int16 i16 = 0;
    double d = 0;
    EXPECT_TRUE(streamer.readInt32(i32));
    EXPECT_TRUE(streamer.readInt16(i16));
    EXPECT_TRUE(streamer.readDouble(d));
    EXPECT_EQ(i32, 0x01020304);
    EXPECT_EQ(i16, 0x0506);
    EXPECT_EQ(d, 1.0);
}

TEST(IBStreamer, RoundTripsEveryTypeBitForBit)
{
    FaultyStream stream;
    IBStreamer out(&stream, kLittleEndian);
    const double nanWithPayload = std::bit_cast<double>(uint64{0x7FF8000000012345ull});
    ASSERT_TRUE(out.writeInt8(-5));
    ASSERT_TRUE(out.writeInt8u(250));
    ASSERT_TRUE(out.writeInt16(-12345));
    ASSERT_TRUE(out.writeInt16u(54321));
    ASSERT_TRUE(out.writeInt32(std::numeric_limits<int32>::min()));
    ASSERT_TRUE(out.writeInt32u(4000000000u));
    ASSERT_TRUE(out.writeInt64(-1234567890123456789LL));
    ASSERT_TRUE(out.writeInt64u(18000000000000000000ull));
    ASSERT_TRUE(out.writeFloat(-1.5f));
    ASSERT_TRUE(out.writeDouble(nanWithPayload));
    ASSERT_TRUE(out.writeDouble(0.1));
    ASSERT_TRUE(out.writeBool(true));
    ASSERT_TRUE(out.writeBool(false));
    ASSERT_TRUE(out.writeChar16(u'\x20AC'));
    EXPECT_EQ(stream.data.size(), 1u + 1 + 2 + 2 + 4 + 4 + 8 + 8 + 4 + 8 + 8 + 2 + 2 + 2);

    stream.position = 0;
    IBStreamer in(&stream);
    int8 i8;
    uint8 u8;
    int16 i16;
    uint16 u16;
    int32 i32;
    uint32 u32;
    int64 i64;
    uint64 u64;
    float f;
    double d1, d2;
    bool b1 = false, b2 = true;
    char16 c;
    ASSERT_TRUE(in.readInt8(i8));
    ASSERT_TRUE(in.readInt8u(u8));
    ASSERT_TRUE(in.readInt16(i16));
    ASSERT_TRUE(in.readInt16u(u16));
    ASSERT_TRUE(in.readInt32(i32));
    ASSERT_TRUE(in.readInt32u(u32));
    ASSERT_TRUE(in.readInt64(i64));
    ASSERT_TRUE(in.readInt64u(u64));
    ASSERT_TRUE(in.readFloat(f));
    ASSERT_TRUE(in.readDouble(d1));
    ASSERT_TRUE(in.readDouble(d2));
    ASSERT_TRUE(in.readBool(b1));
    ASSERT_TRUE(in.readBool(b2));
    ASSERT_TRUE(in.readChar16(c));
    EXPECT_EQ(i8, -5);
    EXPECT_EQ(u8, 250);
    EXPECT_EQ(i16, -12345);
    EXPECT_EQ(u16, 54321);
    EXPECT_EQ(i32, std::numeric_limits<int32>::min());
    EXPECT_EQ(u32, 4000000000u);
    EXPECT_EQ(i64, -1234567890123456789LL);
    EXPECT_EQ(u64, 18000000000000000000ull);
    EXPECT_EQ(f, -1.5f);
    EXPECT_EQ(std::bit_cast<uint64>(d1), 0x7FF8000000012345ull);
    EXPECT_EQ(d2, 0.1);
    EXPECT_TRUE(b1);
    EXPECT_FALSE(b2);
    EXPECT_EQ(c, u'\x20AC');
    EXPECT_FALSE(in.readInt8(i8));  // at the end
}

TEST(IBStreamer, BoolIsAnInt16AndNonZeroReadsTrue)
{
    FaultyStream stream({0x00, 0x01});
    IBStreamer streamer(&stream);
    bool b = false;
    ASSERT_TRUE(streamer.readBool(b));
    EXPECT_TRUE(b);  // 0x0100
}

// Every item type, read from a stream that ends one byte short of it, leaves the
// output untouched and answers false.
TEST(IBStreamer, ShortReadsLeaveNothingHalfRead)
{
    for (bool reportFalse : {true, false}) {
        for (int32 chunk : {0, 1, 3}) {
            SCOPED_TRACE(testing::Message() << "reportFalse " << reportFalse << " chunk " << chunk);
            auto make = [&](size_t n) {
                FaultyStream s(Bytes(n, 0xAB));
                s.reportFalseOnShort = reportFalse;
                s.chunk = chunk;
                return s;
            };
            {
                auto s = make(1);
                int16 v = 7;
                EXPECT_FALSE(IBStreamer(&s).readInt16(v));
                EXPECT_EQ(v, 7);
            }
            {
                auto s = make(1);
                uint16 v = 7;
                EXPECT_FALSE(IBStreamer(&s).readInt16u(v));
                EXPECT_EQ(v, 7);
            }
            {
                auto s = make(3);
                int32 v = 7;
                EXPECT_FALSE(IBStreamer(&s).readInt32(v));
                EXPECT_EQ(v, 7);
            }
            {
                auto s = make(3);
                uint32 v = 7;
                EXPECT_FALSE(IBStreamer(&s).readInt32u(v));
                EXPECT_EQ(v, 7u);
            }
            {
                auto s = make(7);
                int64 v = 7;
                EXPECT_FALSE(IBStreamer(&s).readInt64(v));
                EXPECT_EQ(v, 7);
            }
            {
                auto s = make(7);
                uint64 v = 7;
                EXPECT_FALSE(IBStreamer(&s).readInt64u(v));
                EXPECT_EQ(v, 7u);
            }
            {
                auto s = make(7);
                double v = 0.25;
                EXPECT_FALSE(IBStreamer(&s).readDouble(v));
                EXPECT_EQ(v, 0.25);
            }
            {
                auto s = make(3);
                float v = 0.25f;
                EXPECT_FALSE(IBStreamer(&s).readFloat(v));
                EXPECT_EQ(v, 0.25f);
            }
            {
                auto s = make(1);
                bool v = false;
                EXPECT_FALSE(IBStreamer(&s).readBool(v));
                EXPECT_FALSE(v);
            }
            {
                auto s = make(0);
                int8 v = 7;
                EXPECT_FALSE(IBStreamer(&s).readInt8(v));
                EXPECT_EQ(v, 7);
            }
        }
    }
}

TEST(IBStreamer, ReadsAcrossPartialTransfers)
{
    FaultyStream stream({0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01});
    stream.chunk = 3;
    IBStreamer streamer(&stream);
    int64 v = 0;
    ASSERT_TRUE(streamer.readInt64(v));
    EXPECT_EQ(v, 0x0102030405060708LL);
    EXPECT_EQ(stream.readCalls, 3);
}

TEST(IBStreamer, AStreamThatClaimsMoreThanAskedIsNotBelieved)
{
    FaultyStream stream({0x04, 0x03, 0x02, 0x01, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
    stream.overclaim = 5;
    IBStreamer streamer(&stream);
    int32 v = 0;
    ASSERT_TRUE(streamer.readInt32(v));
    EXPECT_EQ(v, 0x01020304);
    uint8 raw[4] = {};
    EXPECT_EQ(streamer.readRaw(raw, 4), 4);
    EXPECT_EQ(raw[3], 0xDD);

    stream.position = 0;
    EXPECT_TRUE(streamer.writeInt32(7));
    const uint8 bytes[3] = {1, 2, 3};
    EXPECT_EQ(streamer.writeRaw(bytes, 3), 3);
}

TEST(IBStreamer, AStreamThatRefusesReadsAnswersFalse)
{
    FaultyStream stream(Bytes(16, 1));
    stream.failAll = true;
    IBStreamer streamer(&stream);
    int32 v = 9;
    EXPECT_FALSE(streamer.readInt32(v));
    EXPECT_EQ(v, 9);
    uint8 raw[4] = {};
    EXPECT_EQ(streamer.readRaw(raw, 4), 0);
}

TEST(IBStreamer, WritesAnswerTrueOnlyWhenEveryByteWasTaken)
{
    for (bool reportFalse : {true, false}) {
        SCOPED_TRACE(reportFalse);
        FaultyStream stream({}, 10);  // takes 10 bytes, then cuts
        stream.reportFalseOnShort = reportFalse;
        IBStreamer streamer(&stream);
        EXPECT_TRUE(streamer.writeInt64(1));
        EXPECT_FALSE(streamer.writeInt32(2));  // only 2 of its 4 bytes fit
        EXPECT_EQ(stream.data.size(), 10u);
        EXPECT_FALSE(streamer.writeInt8(3));
        EXPECT_FALSE(streamer.writeDouble(3.0));
        EXPECT_FALSE(streamer.writeBool(true));
    }
}

TEST(IBStreamer, WritesAcrossPartialTransfers)
{
    FaultyStream stream;
    stream.chunk = 1;
    IBStreamer streamer(&stream);
    ASSERT_TRUE(streamer.writeDouble(1.0));
    EXPECT_EQ(stream.writeCalls, 8);
    EXPECT_EQ(stream.data, (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
}

TEST(IBStreamer, AStreamThatRefusesWritesAnswersFalse)
{
    FaultyStream stream;
    stream.failAll = true;
    IBStreamer streamer(&stream);
    EXPECT_FALSE(streamer.writeInt32(1));
    EXPECT_FALSE(streamer.writeDouble(1.0));
    const uint8 raw[3] = {1, 2, 3};
    EXPECT_EQ(streamer.writeRaw(raw, 3), 0);
    EXPECT_TRUE(stream.data.empty());
}

TEST(IBStreamer, RawReadAndWriteAnswerTheBytesMoved)
{
    FaultyStream stream({}, 5);
    IBStreamer streamer(&stream);
    const uint8 raw[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(streamer.writeRaw(raw, 8), 5);
    stream.position = 0;
    uint8 back[8] = {};
    EXPECT_EQ(streamer.readRaw(back, 8), 5);
    EXPECT_EQ(back[4], 5);
    EXPECT_EQ(back[5], 0);
    EXPECT_EQ(streamer.readRaw(back, 0), 0);
    EXPECT_EQ(streamer.readRaw(nullptr, 4), 0);
}

TEST(IBStreamer, NullStreamAnswersFalseEverywhere)
{
    IBStreamer streamer(nullptr);
    int8 i8 = 1;
    int16 i16 = 1;
    int32 i32 = 1;
    int64 i64 = 1;
    double d = 1;
    float f = 1;
    bool b = true;
    uint8 raw[2] = {};
    EXPECT_FALSE(streamer.writeInt8(1));
    EXPECT_FALSE(streamer.writeInt16(1));
    EXPECT_FALSE(streamer.writeInt32(1));
    EXPECT_FALSE(streamer.writeInt32u(1));
    EXPECT_FALSE(streamer.writeInt64(1));
    EXPECT_FALSE(streamer.writeDouble(1));
    EXPECT_FALSE(streamer.writeFloat(1));
    EXPECT_FALSE(streamer.writeBool(true));
    EXPECT_FALSE(streamer.readInt8(i8));
    EXPECT_FALSE(streamer.readInt16(i16));
    EXPECT_FALSE(streamer.readInt32(i32));
    EXPECT_FALSE(streamer.readInt64(i64));
    EXPECT_FALSE(streamer.readDouble(d));
    EXPECT_FALSE(streamer.readFloat(f));
    EXPECT_FALSE(streamer.readBool(b));
    EXPECT_EQ(streamer.readRaw(raw, 2), 0);
    EXPECT_EQ(streamer.writeRaw(raw, 2), 0);
    EXPECT_EQ(streamer.tell(), -1);
    EXPECT_EQ(streamer.seek(0), -1);
    EXPECT_EQ(i8 + i16 + i32 + i64, 4);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(f, 1.0f);
    EXPECT_TRUE(b);
}

TEST(IBStreamer, SeekAndTell)
{
    FaultyStream stream(Bytes{1, 2, 3, 4, 5, 6});
    IBStreamer streamer(&stream);
    EXPECT_EQ(streamer.seek(4), 4);
    EXPECT_EQ(streamer.tell(), 4);
    EXPECT_EQ(streamer.seek(-1, IBStream::kIBSeekCur), 3);
    int8 v = 0;
    ASSERT_TRUE(streamer.readInt8(v));
    EXPECT_EQ(v, 4);
    EXPECT_EQ(streamer.seek(-10, IBStream::kIBSeekSet), -1);
}

}  // namespace
}  // namespace Steinberg
