// Fuzz entry for the animation box: its stored data and its templates'
// stored data as forms carry them, and random sequences of box operations
// in which every event handler may do anything a program could: refuse a
// move, destroy the object, destroy another, create one, or destroy the
// whole box.
//
// Input: byte 0 picks the mode (0 box data, 1 template data, else
// operations); the rest is the data or the operation stream.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "anim/cartoonbox/cartoon_box.h"
#include "anim/cartoonbox/object_template.h"
#include "anim/cartoonbox/stored_data.h"
#include "platform/ticks.h"

namespace horavia::fuzz {

namespace {

using anim::BoxEvent;
using anim::CartoonBox;

// Handlers may create objects on every event; the cap keeps each input quick.
constexpr std::size_t kMaxObjects = 48;

// Reads the operation stream; past its end every read gives 0.
class Input {
 public:
  explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool done() const { return at_ >= bytes_.size(); }
  std::uint8_t u8() { return done() ? 0 : bytes_[at_++]; }
  std::int32_t i16() {
    const std::uint8_t low = u8();
    return static_cast<std::int16_t>(low | u8() << 8);
  }
  std::int32_t small(int limit) { return u8() % limit; }
  std::span<const std::uint8_t> slice(std::size_t most) {
    const std::size_t wanted = u8() % (most + 1);
    const std::size_t from = std::min(at_, bytes_.size());
    const std::size_t n = std::min(wanted, bytes_.size() - from);
    at_ = from + n;
    return bytes_.subspan(from, n);
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// A text renderer that draws each character as a filled cell.
class BlockText : public anim::TextRenderer {
 public:
  LineSize Measure(std::string_view line) override { return {static_cast<int>(line.size()) * 3, 5}; }
  void Draw(std::string_view line, int x, int y, std::uint32_t colour, anim::Bitmap& surface) override {
    for (std::size_t i = 0; i < line.size(); ++i) {
      const int cx = x + static_cast<int>(i) * 3 + 1;
      if (cx >= 0 && cx < surface.width && y + 2 >= 0 && y + 2 < surface.height) surface.at(cx, y + 2) = colour;
    }
  }
};

anim::FrameImage Picture(int width, int height, int frames, std::uint32_t key) {
  anim::FrameImage image;
  image.width = width;
  image.height = height;
  for (int f = 0; f < frames; ++f) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 3 == 0 ? 0xFF000000u : 0u) | (i * 0x10305 + f);
    image.frames.push_back({key, 30 * f, std::move(pixels)});
  }
  return image;
}

const std::vector<anim::ObjectTemplate>& Templates() {
  static const std::vector<anim::ObjectTemplate> templates = [] {
    std::vector<anim::ObjectTemplate> t(3);
    t[0].picture = Picture(6, 4, 1, anim::kNoKey);
    t[0].data.rotateFollow = 1;
    t[0].data.zoom = 1500;
    t[1].picture = Picture(5, 5, 2, 0x000305);
    t[1].data.playGif = 1;
    t[1].data.gifAutoDestroy = 1;
    t[1].data.existTime = 300;
    t[1].data.destroySound = {1, 2, 3};
    t[1].data.createSound = {4};
    t[2].picture = Picture(7, 3, 1, anim::kNoKey);
    t[2].data.turnType = 3;
    t[2].data.trendDepth = 40;
    t[2].data.light = -20;
    t[2].data.alpha = 50;
    t[2].data.layer = 1;
    return t;
  }();
  return templates;
}

// Events are answered from the input: a handler may do what a program's
// handlers do, including closing the box.
class FuzzHost : public anim::BoxHost {
 public:
  FuzzHost(Input& in) : in_(in) {}
  std::unique_ptr<CartoonBox> box;

  std::optional<std::int32_t> RaiseEvent(BoxEvent, std::span<const std::int32_t> args) override {
    if (depth_ > 3) return std::nullopt;  // handlers calling handlers: enough
    ++depth_;
    std::optional<std::int32_t> result;
    switch (in_.small(8)) {
      case 1: result = 0; break;
      case 2: if (!args.empty()) box->destroy(args[0]); break;
      case 3: box->destroy(in_.small(12)); break;
      case 4:
        if (box->objectCount() < kMaxObjects) {
          // Every read in its own statement: the stream means the same to every compiler.
          const auto& from = Templates()[static_cast<std::size_t>(in_.small(3))];
          const int x = in_.i16() % 80;
          const int y = in_.i16() % 80;
          box->createObject(&from, x, y, true, "");
        }
        break;
      case 5: box.reset(); break;
      case 6: box->setPicture(in_.small(12), {}, anim::kPictureNoKey); break;
      case 7: box->setPictureScale(in_.small(40) * 11); break;  // every picture made again
      default: break;
    }
    --depth_;
    return result;
  }
  void Invalidate(const anim::BoxRect&) override {}
  void UpdateNow() override {}
  void PlaySound(std::span<const std::uint8_t>) override {}

 private:
  Input& in_;
  int depth_ = 0;
};

// One operation; false once the box is gone.
bool Operate(FuzzHost& host, Input& in, platform::ManualTicks& ticks) {
  CartoonBox& box = *host.box;
  const std::int32_t id = in.small(12);
  switch (in.small(13)) {
    case 0: {
      if (box.objectCount() >= kMaxObjects) break;
      const int which = in.small(4);
      const anim::ObjectTemplate* from = which < 3 ? &Templates()[static_cast<std::size_t>(which)] : nullptr;
      const int x = in.i16() % 100;
      const int y = in.i16() % 100;
      const bool visible = in.u8() & 1;
      box.createObject(from, x, y, visible, "");
      break;
    }
    case 1: box.destroy(id); break;
    case 2: box.setVisible(id, in.u8() & 1); break;
    case 3: {
      const auto bytes = in.slice(64);
      box.setPicture(id, bytes, in.small(3) - 2);
      break;
    }
    case 4: box.setAngle(id, in.i16()); break;
    case 5: {
      const int step = in.i16() % 400;
      const int interval = in.i16();
      const int degrees = in.i16();
      box.startRotation(id, step, interval, degrees, in.i16());
      break;
    }
    case 6: box.setRotateWithAngle(id, in.u8() & 1); break;
    case 7: ticks.advance(static_cast<std::uint32_t>(in.u8()) * 8); break;
    case 8: {
      const int x = in.i16() % 90;
      const int y = in.i16() % 90;
      switch (in.small(7)) {
        case 0: return box.leftDown(x, y);
        case 1: return box.leftUp(x, y);
        case 2: return box.rightDown(x, y);
        case 3: return box.rightUp(x, y);
        case 4: return box.doubleClick(x, y);
        case 5: return box.pointerLeft();
        default: return box.pointerMoved(x, y, in.u8() & 1);
      }
    }
    case 9: {
      const anim::BoxRect area{in.i16() % 80, in.i16() % 80, in.small(64), in.small(64)};  // read in order
      std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area.width) * area.height);
      box.compose(area, {pixels.data(), area.width, area.height});
      break;
    }
    case 10: {
      const int width = in.small(64);
      box.resize(width, in.small(64));
      break;
    }
    case 11: box.setPictureScale(in.small(40) * 11); break;  // 0..429: outside the scales too
    default: {
      const auto bytes = in.slice(96);
      box.setBackground(bytes, in.small(5), 0x00C0C0C0);
      break;
    }
  }
  return host.box != nullptr;
}

void FuzzOperations(std::span<const std::uint8_t> bytes) {
  platform::ManualTicks ticks(0xFFFFF000u);  // near the wrap, so it is crossed too
  Input in(bytes);
  FuzzHost host(in);
  host.box = std::make_unique<CartoonBox>(host);
  host.box->resize(64, 48);
  for (int step = 0; step < 200 && !in.done(); ++step) {
    if (!Operate(host, in, ticks) || host.box == nullptr) return;
  }
  ticks.advance(2000);  // let whatever is due happen
}

void FuzzBoxData(std::span<const std::uint8_t> bytes) {
  anim::CartoonBoxData data;
  if (anim::readCartoonBoxData(bytes, data) != anim::StoredStatus::Ok) return;
  anim::ClampBoxSettings(data);
  anim::CartoonBoxData again;
  anim::readCartoonBoxData(anim::writeCartoonBoxData(data), again);
  const auto picture = anim::DecodeBackground(data.pic);
  anim::BuildBackground(picture ? &*picture : nullptr, data.picDrawMode.number(), data.backColor, 40, 30);
}

void FuzzTemplateData(std::span<const std::uint8_t> bytes) {
  anim::ObjectTemplate from;
  if (anim::readCartoonObjectData(bytes, from.data) != anim::StoredStatus::Ok) return;
  anim::ClampTemplateSettings(from.data);
  if (from.data.zoom > 4000) from.data.zoom = 4000;  // keeps each input quick; zoom is fuzzed by the pictures' own target
  BlockText text;
  from.picture = anim::BuildTemplatePicture(from.data, &text);
  // Small pictures only, so that each input stays quick (the pictures' own
  // target sees every size); what zoom and turn make of them is the box's
  // to bound.
  const anim::FrameImage decoded = from.picture.Pixels();
  if (static_cast<std::int64_t>(decoded.width) * decoded.height > (1 << 16)) return;
  platform::ManualTicks ticks;
  Input none({});
  FuzzHost host(none);
  host.box = std::make_unique<CartoonBox>(host);
  host.box->resize(40, 30);
  const std::int32_t id = host.box->createObject(&from, 3, 4, true, "");
  host.box->setAngle(id, 33);
  std::vector<std::uint32_t> pixels(40 * 30);
  host.box->compose({0, 0, 40, 30}, {pixels.data(), 40, 30});
  ticks.advance(500);
}

}  // namespace

int FuzzCartoonBox(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  switch (data[0]) {
    case 0: FuzzBoxData(rest); break;
    case 1: FuzzTemplateData(rest); break;
    default: FuzzOperations(rest); break;
  }
  return 0;
}

}  // namespace horavia::fuzz

#ifndef HORAVIA_FUZZ_NO_MAIN
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return horavia::fuzz::FuzzCartoonBox(data, size);
}
#endif
