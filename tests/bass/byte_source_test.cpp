#include "bass/byte_source.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/bass/sound_support.h"

namespace horavia::bass {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// Ten bytes 0 ... 9, so every byte tells where it came from.
const std::uint8_t kDigits[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

std::vector<std::uint8_t> ReadAll(ByteSource& source) {
  std::vector<std::uint8_t> all;
  std::uint8_t buffer[3];
  for (std::ptrdiff_t got; (got = source.read(buffer)) > 0;) all.insert(all.end(), buffer, buffer + got);
  return all;
}

TEST(BassByteSource, MemoryWindowStartsAtTheOffset) {
  auto source = ByteSource::FromMemory(kDigits, 4, sizeof kDigits);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->size(), 6u);
  EXPECT_EQ(ReadAll(*source), (std::vector<std::uint8_t>{4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(ByteSource::FromMemory(kDigits, 10, 10), nullptr);
  EXPECT_EQ(ByteSource::FromMemory(nullptr, 0, 10), nullptr);
}

TEST(BassByteSource, FileWindowHonoursOffsetAndLength) {
  TempFolder temp;
  WriteBytes(temp.path() / "digits", kDigits);
  std::string path = (temp.path() / "digits").string();
  auto middle = ByteSource::FromFile(path, 2, 5);
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(ReadAll(*middle), (std::vector<std::uint8_t>{2, 3, 4, 5, 6}));
  // A length past the end stops at the end; 0 means "to the end".
  EXPECT_EQ(ByteSource::FromFile(path, 8, 100)->size(), 2u);
  EXPECT_EQ(ByteSource::FromFile(path, 3, 0)->size(), 7u);
  EXPECT_EQ(ByteSource::FromFile(path, 11, 0), nullptr);
  EXPECT_EQ(ByteSource::FromFile((temp.path() / "missing").string(), 0, 0), nullptr);
}

TEST(BassByteSource, SeeksStayInsideTheWindow) {
  auto source = ByteSource::FromMemory(kDigits, 2, sizeof kDigits);  // bytes 2 ... 9
  EXPECT_EQ(source->seek(-3, SEEK_END), 5);
  std::uint8_t byte = 0;
  ASSERT_EQ(source->read(std::span(&byte, 1)), 1);
  EXPECT_EQ(byte, 7);
  EXPECT_EQ(source->seek(-1, SEEK_CUR), 5);
  EXPECT_EQ(source->seek(-1, SEEK_SET), -1);
  EXPECT_EQ(source->seek(-7, SEEK_CUR), -1);
  EXPECT_EQ(source->seek(INT64_MIN, SEEK_END), -1);
  EXPECT_EQ(source->seek(INT64_MAX, SEEK_END), -1);
  EXPECT_EQ(source->seek(0, 99), -1);
  // Past the end is a valid place that reads nothing.
  EXPECT_EQ(source->seek(20, SEEK_SET), 20);
  EXPECT_EQ(source->read(std::span(&byte, 1)), 0);
}

TEST(BassByteSource, ReadAtNeedsEveryByte) {
  auto source = ByteSource::FromMemory(kDigits, 0, sizeof kDigits);
  std::uint8_t tail[3] = {};
  EXPECT_TRUE(source->readAt(7, tail));
  EXPECT_EQ(tail[0], 7);
  EXPECT_EQ(tail[2], 9);
  EXPECT_FALSE(source->readAt(8, tail));
  // The read position is left alone.
  std::uint8_t first = 0xFF;
  ASSERT_EQ(source->read(std::span(&first, 1)), 1);
  EXPECT_EQ(first, 0);
}

}  // namespace
}  // namespace horavia::bass
