#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "tools/host/memory_stream.h"

namespace {
using namespace Steinberg;
using morvik::host::create;
using morvik::host::MemoryStream;
using morvik::host::WriteLimit;
using ::testing::ElementsAre;

std::vector<std::uint8_t> bytes(std::initializer_list<int> values)
{
    return std::vector<std::uint8_t>(values.begin(), values.end());
}

TEST(MemoryStream, ReadsBackWhatWasWritten)
{
    auto stream = create<MemoryStream>();
    std::array<std::uint8_t, 5> data{1, 2, 3, 4, 5};
    int32 written = -1;
    ASSERT_EQ(stream->write(data.data(), 5, &written), kResultOk);
    EXPECT_EQ(written, 5);

    int64 position = -1;
    ASSERT_EQ(stream->seek(0, IBStream::kIBSeekSet, &position), kResultOk);
    EXPECT_EQ(position, 0);
    std::array<std::uint8_t, 5> back{};
    int32 read = -1;
    ASSERT_EQ(stream->read(back.data(), 5, &read), kResultOk);
    EXPECT_EQ(read, 5);
    EXPECT_EQ(back, data);
}

TEST(MemoryStream, ReadingPastTheEndReportsWhatWasThere)
{
    auto stream = create<MemoryStream>(bytes({7, 8, 9}));
    std::array<std::uint8_t, 8> buffer{};
    int32 read = -1;
    ASSERT_EQ(stream->read(buffer.data(), 8, &read), kResultOk);
    EXPECT_EQ(read, 3);
    EXPECT_THAT(std::vector(buffer.begin(), buffer.begin() + 3), ElementsAre(7, 8, 9));
    ASSERT_EQ(stream->read(buffer.data(), 8, &read), kResultOk);
    EXPECT_EQ(read, 0);
}

TEST(MemoryStream, SeeksFromEachOrigin)
{
    auto stream = create<MemoryStream>(bytes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    int64 position = -1;
    ASSERT_EQ(stream->seek(4, IBStream::kIBSeekSet, &position), kResultOk);
    EXPECT_EQ(position, 4);
    ASSERT_EQ(stream->seek(-1, IBStream::kIBSeekCur, &position), kResultOk);
    EXPECT_EQ(position, 3);
    ASSERT_EQ(stream->seek(-2, IBStream::kIBSeekEnd, nullptr), kResultOk);
    ASSERT_EQ(stream->tell(&position), kResultOk);
    EXPECT_EQ(position, 8);
    std::uint8_t value = 0;
    ASSERT_EQ(stream->read(&value, 1, nullptr), kResultOk);
    EXPECT_EQ(value, 8);
}

TEST(MemoryStream, RefusesSeeksBeforeTheStartAndUnknownModes)
{
    auto stream = create<MemoryStream>(bytes({1, 2, 3}));
    ASSERT_EQ(stream->seek(2, IBStream::kIBSeekSet, nullptr), kResultOk);
    EXPECT_EQ(stream->seek(-3, IBStream::kIBSeekCur, nullptr), kInvalidArgument);
    EXPECT_EQ(stream->seek(-1, IBStream::kIBSeekSet, nullptr), kInvalidArgument);
    EXPECT_EQ(stream->seek(0, 3, nullptr), kInvalidArgument);
    EXPECT_EQ(stream->seek(INT64_MAX, IBStream::kIBSeekEnd, nullptr), kInvalidArgument) << "overflow";
    EXPECT_EQ(stream->position(), 2) << "a refused seek must not move the stream";
}

TEST(MemoryStream, WritingAfterASeekPastTheEndFillsTheGapWithZeros)
{
    auto stream = create<MemoryStream>(bytes({1}));
    ASSERT_EQ(stream->seek(3, IBStream::kIBSeekSet, nullptr), kResultOk);
    std::uint8_t value = 9;
    ASSERT_EQ(stream->write(&value, 1, nullptr), kResultOk);
    EXPECT_THAT(stream->bytes(), ElementsAre(1, 0, 0, 9));
}

TEST(MemoryStream, RejectsImpossibleArgumentsWithoutTouchingAnything)
{
    auto stream = create<MemoryStream>(bytes({1, 2}));
    std::uint8_t buffer[2]{};
    int32 count = 5;
    EXPECT_EQ(stream->read(buffer, -1, &count), kInvalidArgument);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(stream->read(nullptr, 2, &count), kInvalidArgument);
    EXPECT_EQ(stream->write(buffer, -1, &count), kInvalidArgument);
    EXPECT_EQ(stream->write(nullptr, 2, &count), kInvalidArgument);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(stream->tell(nullptr), kInvalidArgument);
    EXPECT_EQ(stream->position(), 0);
    EXPECT_THAT(stream->bytes(), ElementsAre(1, 2));
    EXPECT_EQ(stream->read(nullptr, 0, nullptr), kResultOk) << "an empty read needs no buffer";
}

struct LimitCase {
    const char* name;
    WriteLimit::Behaviour behaviour;
    tresult secondWriteResult;
    int32 secondWriteCount;
    std::vector<std::uint8_t> contents;
};

class LimitedStream : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LimitedStream, StopsAtTheLimit)
{
    const LimitCase& limit = GetParam();
    auto stream = create<MemoryStream>(std::vector<std::uint8_t>{}, WriteLimit{5, limit.behaviour});
    std::array<std::uint8_t, 4> data{1, 2, 3, 4};
    int32 written = -1;
    ASSERT_EQ(stream->write(data.data(), 4, &written), kResultOk);
    EXPECT_EQ(written, 4);
    EXPECT_EQ(stream->write(data.data(), 4, &written), limit.secondWriteResult);
    EXPECT_EQ(written, limit.secondWriteCount);
    EXPECT_EQ(stream->bytes(), limit.contents);
    EXPECT_EQ(stream->position(), static_cast<int64>(limit.contents.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Behaviours, LimitedStream,
    ::testing::Values(LimitCase{"refuse", WriteLimit::Behaviour::Refuse, kResultFalse, 0, {1, 2, 3, 4}},
                      LimitCase{"shorten", WriteLimit::Behaviour::Shorten, kResultOk, 1, {1, 2, 3, 4, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
