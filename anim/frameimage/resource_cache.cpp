#include "anim/frameimage/resource_cache.h"

#include <algorithm>

namespace horavia::anim {

ResourceCache::Entry* ResourceCache::FindImage(const FrameImage& image) {
  for (Entry& entry : entries_) {
    if (entry.kind != Kind::Image) continue;
    if (entry.image.get() == &image || Equal(*entry.image, image)) return &entry;
  }
  return nullptr;
}

ResourceCache::Entry* ResourceCache::FindBlob(std::span<const std::uint8_t> bytes) {
  for (Entry& entry : entries_) {
    if (entry.kind != Kind::Blob || entry.blob->size() != bytes.size()) continue;
    if (entry.blob->data() == bytes.data() || std::equal(bytes.begin(), bytes.end(), entry.blob->begin())) {
      return &entry;
    }
  }
  return nullptr;
}

const FrameImage* ResourceCache::RegisterImage(std::unique_ptr<FrameImage> image) {
  return RegisterDecoded(std::move(image), {});
}

const FrameImage* ResourceCache::RegisterDecoded(std::unique_ptr<FrameImage> image, PackedPicture origin) {
  if (!image || !image->usable()) return nullptr;
  if (Entry* entry = FindImage(*image)) {
    ++entry->references;
    if (entry->origin.empty()) entry->origin = std::move(origin);
    return entry->image.get();  // the new image is dropped here
  }
  entries_.push_back({Kind::Image, std::move(image), nullptr, 1, std::move(origin), std::nullopt});
  return entries_.back().image.get();
}

const FrameImage* ResourceCache::AcquireDecoded(const PackedPicture& origin) {
  if (origin.empty()) return nullptr;
  for (Entry& entry : entries_) {
    if (entry.kind != Kind::Image || entry.origin != origin) continue;
    ++entry.references;
    return entry.image.get();
  }
  return nullptr;
}

const FrameImage* ResourceCache::RegisterImage(const FrameImage& image) {
  if (!image.usable()) return nullptr;
  if (Entry* entry = FindImage(image)) {
    ++entry->references;
    return entry->image.get();
  }
  entries_.push_back({Kind::Image, std::make_unique<FrameImage>(image), nullptr, 1, {}, std::nullopt});
  return entries_.back().image.get();
}

ImageArea ResourceCache::ShownAreaOf(const FrameImage& image) {
  auto entry = std::find_if(entries_.begin(), entries_.end(), [&image](const Entry& e) { return e.item() == &image; });
  if (entry == entries_.end()) return ShownArea(image);
  if (!entry->shown) entry->shown = ShownArea(image);
  return *entry->shown;
}

const ResourceCache::Blob* ResourceCache::RegisterBlob(std::unique_ptr<Blob> blob) {
  if (!blob || blob->empty()) return nullptr;
  if (Entry* entry = FindBlob(*blob)) {
    ++entry->references;
    return entry->blob.get();  // the new blob is dropped here
  }
  entries_.push_back({Kind::Blob, nullptr, std::move(blob), 1, {}, std::nullopt});
  return entries_.back().blob.get();
}

const ResourceCache::Blob* ResourceCache::RegisterBlob(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return nullptr;
  if (Entry* entry = FindBlob(bytes)) {
    ++entry->references;
    return entry->blob.get();
  }
  entries_.push_back({Kind::Blob, nullptr, std::make_unique<Blob>(bytes.begin(), bytes.end()), 1, {}, std::nullopt});
  return entries_.back().blob.get();
}

void ResourceCache::Release(const void* item) {
  if (!item) return;
  auto entry = std::find_if(entries_.begin(), entries_.end(), [item](const Entry& e) { return e.item() == item; });
  if (entry == entries_.end()) return;
  if (--entry->references == 0) entries_.erase(entry);
}

int ResourceCache::ReferenceCount(const void* item) const {
  for (const Entry& entry : entries_) {
    if (entry.item() == item) return entry.references;
  }
  return 0;
}

}  // namespace horavia::anim
