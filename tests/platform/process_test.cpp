#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace horavia::platform {
namespace {

bool AllEqual(const std::uint8_t* begin, std::size_t size, std::uint8_t value) {
  return std::all_of(begin, begin + size, [value](std::uint8_t byte) { return byte == value; });
}

// Anonymous pages read back as zeros once released, which shows exactly
// which pages went: only those wholly inside the range, never a neighbour's.
TEST(ReleaseConstantPages, ReleasesOnlyWholePagesInsideTheRange) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* mapped = mmap(nullptr, 4 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  auto* bytes = static_cast<std::uint8_t*>(mapped);
  std::fill(bytes, bytes + 4 * page, 0xAB);

  ReleaseConstantPages(bytes + 100, 3 * page);  // pages 1 and 2 whole, 0 and 3 in part
  EXPECT_TRUE(AllEqual(bytes, page, 0xAB));
  EXPECT_TRUE(AllEqual(bytes + page, 2 * page, 0x00));
  EXPECT_TRUE(AllEqual(bytes + 3 * page, page, 0xAB));

  std::fill(bytes, bytes + 4 * page, 0xCD);
  ReleaseConstantPages(bytes + 1, page);  // no whole page
  ReleaseConstantPages(bytes + 2 * page, 0);
  EXPECT_TRUE(AllEqual(bytes, 4 * page, 0xCD));
  munmap(mapped, 4 * page);
}

}  // namespace
}  // namespace horavia::platform
