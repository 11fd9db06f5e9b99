// One per animation box: shares equal frame images and equal byte blobs
// (sounds, font data) between the objects that use them, with reference
// counts. An image decoded from bytes remembers them, so that the next
// object showing the same bytes shares it without decoding them again; the
// image goes with its last reference, so decoded pictures live only as long
// as something uses them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/packed_picture.h"

namespace horavia::anim {

class ResourceCache {
 public:
  using Blob = std::vector<std::uint8_t>;

  // Registers an image the cache takes over. An equal registered image (or
  // this very one) gains a reference and is returned, and the new one is
  // dropped; otherwise the image becomes a new entry with one reference.
  // Nothing for an unusable image.
  const FrameImage* RegisterImage(std::unique_ptr<FrameImage> image);
  // Registers an image the caller keeps: a match gains a reference, else the
  // cache stores a copy. Passing an item the cache returned counts again.
  const FrameImage* RegisterImage(const FrameImage& image);
  // Registers an image decoded from `origin`, as the first RegisterImage
  // does, and keeps the origin with the entry for AcquireDecoded.
  const FrameImage* RegisterDecoded(std::unique_ptr<FrameImage> image, PackedPicture origin);
  // The image decoded from an equal origin, with one more reference; null
  // when the cache holds none.
  const FrameImage* AcquireDecoded(const PackedPicture& origin);

  // The ShownArea of an image: of one the cache holds, worked out once and
  // kept with its entry (a source turned every second is not scanned every
  // second); of any other, worked out now.
  ImageArea ShownAreaOf(const FrameImage& image);

  // The same for byte blobs; nothing for an empty one.
  const Blob* RegisterBlob(std::unique_ptr<Blob> blob);
  const Blob* RegisterBlob(std::span<const std::uint8_t> bytes);

  // Drops one reference of the entry holding the item; at zero the item is
  // freed. An item the cache does not hold is ignored.
  void Release(const void* item);

  // The reference count of the entry holding the item, 0 when there is none.
  int ReferenceCount(const void* item) const;
  std::size_t size() const { return entries_.size(); }

 private:
  enum class Kind { Image = 0, Blob = 1 };
  struct Entry {
    Kind kind;
    std::unique_ptr<FrameImage> image;
    std::unique_ptr<Blob> blob;
    int references = 1;
    PackedPicture origin;  // what the image was decoded from, if known
    std::optional<ImageArea> shown;  // ShownAreaOf, once asked
    const void* item() const { return kind == Kind::Image ? static_cast<const void*>(image.get()) : blob.get(); }
  };

  Entry* FindImage(const FrameImage& image);
  Entry* FindBlob(std::span<const std::uint8_t> bytes);

  std::vector<Entry> entries_;
};

}  // namespace horavia::anim
