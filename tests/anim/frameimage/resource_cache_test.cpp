#include "anim/frameimage/resource_cache.h"

#include <gtest/gtest.h>

namespace horavia::anim {
namespace {

FrameImage Picture(std::uint32_t pixel) {
  FrameImage image;
  image.width = 1;
  image.height = 1;
  image.frames.push_back({kNoKey, 0, {pixel}});
  return image;
}

TEST(ResourceCache, SharesEqualImagesAndCountsReferences) {
  ResourceCache cache;
  const FrameImage* first = cache.RegisterImage(std::make_unique<FrameImage>(Picture(1)));
  ASSERT_NE(first, nullptr);
  const FrameImage* second = cache.RegisterImage(std::make_unique<FrameImage>(Picture(1)));
  EXPECT_EQ(second, first);
  EXPECT_EQ(cache.ReferenceCount(first), 2);
  EXPECT_EQ(cache.RegisterImage(*first), first) << "the same object counts again";
  EXPECT_EQ(cache.ReferenceCount(first), 3);
  EXPECT_NE(cache.RegisterImage(Picture(2)), first);
  EXPECT_EQ(cache.size(), 2u);

  cache.Release(first);
  cache.Release(first);
  EXPECT_EQ(cache.ReferenceCount(first), 1);
  cache.Release(first);
  EXPECT_EQ(cache.ReferenceCount(first), 0);
  EXPECT_EQ(cache.size(), 1u);
  cache.Release(first);  // no longer held: ignored
  EXPECT_EQ(cache.size(), 1u);
}

TEST(ResourceCache, CopiesImagesItDoesNotOwn) {
  ResourceCache cache;
  FrameImage mine = Picture(3);
  const FrameImage* stored = cache.RegisterImage(mine);
  ASSERT_NE(stored, nullptr);
  EXPECT_NE(stored, &mine);
  mine.frames[0].pixels[0] = 4;
  EXPECT_EQ(stored->frames[0].pixels[0], 3u);
}

// A 2 × 1 BMP whose left pixel is `colour`.
std::vector<std::uint8_t> Bmp(std::uint8_t blue) {
  std::vector<std::uint8_t> bmp = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header, data at 54
                                   40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,               // 2 × 1
                                   1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,               // 24 bits, uncompressed
                                   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   blue, 0, 0, 0, 0, 0xFF, 0, 0};                      // B G R, B G R, padding
  return bmp;
}

TEST(ResourceCache, FindsAPictureDecodedFromEqualBytesUntilItsLastReferenceGoes) {
  ResourceCache cache;
  const PackedPicture packed(Bmp(9), kNoKey, false);
  EXPECT_EQ(cache.AcquireDecoded(packed), nullptr) << "nothing decoded yet";
  const FrameImage* image = cache.RegisterDecoded(std::make_unique<FrameImage>(packed.Decode().image), packed);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->frames[0].pixels[0], 9u);

  // The same bytes in another buffer, with the same key: found without decoding.
  const PackedPicture again(Bmp(9), kNoKey, false);
  EXPECT_EQ(cache.AcquireDecoded(again), image);
  EXPECT_EQ(cache.ReferenceCount(image), 2);
  EXPECT_EQ(cache.AcquireDecoded(PackedPicture(Bmp(9), 0x000009, false)), nullptr) << "another key";
  EXPECT_EQ(cache.AcquireDecoded(PackedPicture(Bmp(8), kNoKey, false)), nullptr) << "other bytes";
  EXPECT_EQ(cache.AcquireDecoded(PackedPicture()), nullptr) << "no bytes";

  cache.Release(image);
  cache.Release(image);
  EXPECT_EQ(cache.size(), 0u) << "the decoded picture goes with its last reference";
  EXPECT_EQ(cache.AcquireDecoded(packed), nullptr);
}

TEST(ResourceCache, SharesBlobsByContent) {
  ResourceCache cache;
  const std::vector<std::uint8_t> sound = {1, 2, 3};
  const auto* a = cache.RegisterBlob(sound);
  const auto* b = cache.RegisterBlob(std::make_unique<ResourceCache::Blob>(sound));
  const auto* c = cache.RegisterBlob(std::vector<std::uint8_t>{1, 2, 4});
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  EXPECT_EQ(cache.ReferenceCount(a), 2);
  cache.Release(a);
  cache.Release(a);
  EXPECT_EQ(cache.ReferenceCount(a), 0);
  EXPECT_EQ(cache.size(), 1u);
}

TEST(ResourceCache, RefusesUnusableImagesAndEmptyBlobs) {
  ResourceCache cache;
  EXPECT_EQ(cache.RegisterImage(std::make_unique<FrameImage>()), nullptr);
  EXPECT_EQ(cache.RegisterImage(FrameImage{}), nullptr);
  EXPECT_EQ(cache.RegisterBlob(std::span<const std::uint8_t>{}), nullptr);
  EXPECT_EQ(cache.size(), 0u);
}

}  // namespace
}  // namespace horavia::anim
