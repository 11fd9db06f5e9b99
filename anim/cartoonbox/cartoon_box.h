// The animation box's logic, without any toolkit: its objects ordered by
// layer, the operations the box commands perform, the timer step, the
// pointer state machine and composing the client area into pixels. It
// raises events and asks for repaints through a BoxHost, and reads time
// from the tick seam, so it runs the same in a window, a test or a fuzzer.
//
// Every event handler may destroy the object, other objects or the box
// itself (and the host with it). Operations that raise events answer a
// BoxStatus; once it says the box is gone the caller must not touch the box.
//
// Index (the implementation is split by concern)
//   cartoon_box.cpp   objects: create, find, destroy, visibility, pictures
//                     (decoded only while shown), angles, rotation start
//                     and stop, moving
//   box_timer.cpp     the timer step and the next wake-up
//   box_pointer.cpp   hit test and pointer input
//   box_drawing.cpp   background surface and composing
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "anim/cartoonbox/background.h"
#include "anim/cartoonbox/box_host.h"
#include "anim/cartoonbox/box_object.h"
#include "anim/cartoonbox/object_template.h"
#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/resource_cache.h"
#include "platform/timers.h"

namespace horavia::anim {

// What an operation that raised events left behind.
enum class BoxStatus : int {
  Done = 0,        // finished
  BoxGone = 1,     // a handler destroyed the box: touch nothing of it
  ObjectGone = 2,  // a handler destroyed the object: the rest was skipped
};

// Colours for Set picture's transparent-colour argument.
inline constexpr std::int32_t kPictureNoKey = -1;
inline constexpr std::int32_t kPictureAutoKey = -2;

class CartoonBox {
 public:
  // The old 5 ms timer's period: the shortest interval of any animation or
  // rotation step, so a zero interval steps 200 times a second as it did.
  static constexpr std::uint32_t kShortestStepMs = 5;

  explicit CartoonBox(BoxHost& host);
  // Frees every object without events or sounds.
  ~CartoonBox();
  CartoonBox(const CartoonBox&) = delete;
  CartoonBox& operator=(const CartoonBox&) = delete;

  // [objects] ------------------------------------------------------------------
  // A new object from the template (or a bare one without), added after the
  // last object of a layer not above its own; plays the create sound.
  std::int32_t createObject(const ObjectTemplate* from, double x, double y, bool visible, std::string_view name);
  // Ids <= 0 never match.
  const BoxObject* find(std::int32_t id) const;
  int indexOf(std::int32_t id) const;
  std::size_t objectCount() const { return objects_.size(); }
  const BoxObject& objectAt(std::size_t index) const { return *objects_[index]; }
  ResourceCache& cache() { return cache_; }

  // Raises event 10 first; unknown ids do nothing. A nested destroy of the
  // same object from that handler removes it without a second event.
  BoxStatus destroy(std::int32_t id);
  void setVisible(std::int32_t id, bool visible);
  // Colour kPictureNoKey: no key; kPictureAutoKey: the top-left pixel's
  // colour; anything else is the key. A new picture does not animate.
  void setPicture(std::int32_t id, std::span<const std::uint8_t> bytes, std::int32_t colour);
  // The angle is kept in 0..359; while the object turns with its angle the
  // picture turns about its centre.
  BoxStatus setAngle(std::int32_t id, std::int32_t angle);
  void setRotateWithAngle(std::int32_t id, bool on);
  void startRotation(std::int32_t id, std::int32_t step, std::int32_t interval, std::int32_t degrees,
                     std::int32_t duration);
  // Every picture the box shows (objects' and the background) is resampled
  // to `percent` (kMinDisplayPercent..kMaxDisplayPercent, else ignored) when
  // it is decoded, and those decoded already are decoded again; positions
  // are the caller's to scale. A picture made of ready pixels (a text
  // template's) takes the scale when an object is made from it.
  void setPictureScale(int percent);
  int pictureScale() const { return pictureScale_; }

  // [timer] --------------------------------------------------------------------
  // One pass over the objects, as the box's wake-up runs it: expiry,
  // animation, rotation steps, then a forced repaint when one is due.
  void step();
  // The earliest tick something is due at, if anything is.
  std::optional<std::uint32_t> nextWake() const;
  int wakeUps() const { return wakeUps_; }

  // [pointer] ------------------------------------------------------------------
  // The id of the topmost object whose picture is hit (hidden ones too), or
  // -1.
  std::int32_t hitTest(int x, int y) const;
  // Each answers whether the box still exists afterwards.
  bool leftDown(int x, int y);
  bool leftUp(int x, int y);
  bool rightDown(int x, int y);
  bool rightUp(int x, int y);
  bool doubleClick(int x, int y);
  bool pointerMoved(int x, int y, bool leftButtonDown);
  bool pointerLeft();
  std::int32_t pressed() const { return pressed_; }
  std::int32_t hovered() const { return hovered_; }

  // [drawing] ------------------------------------------------------------------
  // The background: picture bytes (empty: none), mode 0-3 and the colour
  // 0x00BBGGRR it fills with.
  void setBackground(std::span<const std::uint8_t> picture, int mode, std::uint32_t colour);
  void resize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  const Bitmap& surface();
  // Composes `area` of the client into `out` (area.width × area.height):
  // the background, then every visible object that meets it in list order.
  // The fourth byte of every pixel is then set to `fourth` (0 by default;
  // 0xFF000000 for a toolkit that reads it as opacity).
  void compose(BoxRect area, PixelView out, std::uint32_t fourth = 0);
  // The host has painted everything marked.
  void painted();

 private:
  struct Raised {
    bool boxAlive = false;
    std::optional<std::int32_t> result;
  };

  Raised raise(BoxEvent event, std::initializer_list<std::int32_t> args);
  BoxObject* findSerial(std::uint64_t serial) const;
  BoxObject* findMutable(std::int32_t id) const;
  BoxStatus afterEvent(const Raised& raised, std::uint64_t serial) const;

  void insertByLayer(std::unique_ptr<BoxObject> object);
  void invalidate(const BoxRect& rect);
  void releasePictures(BoxObject& object);
  void rebuild(BoxObject& object);
  const FrameImage* decodeSource(const PackedPicture& packed);
  FrameImage AtPictureScale(FrameImage image) const;
  bool ensureSource(BoxObject& object);
  void trimSource(BoxObject& object);
  void releaseSource(BoxObject& object);
  void letPixelsGo(BoxObject& object);
  BoxStatus destroyObject(BoxObject& object);
  void removeObject(BoxObject& object);
  BoxStatus move(BoxObject& object, double x, double y);
  BoxStatus recentre(BoxObject& object, int oldWidth, int oldHeight);
  BoxStatus stopRotation(BoxObject& object);
  void applyTemplate(BoxObject& object, const ObjectTemplate& from);

  enum class Next { Following, SameIndex, Stop };
  Next visit(BoxObject& object);
  Next animate(BoxObject& object, std::uint32_t now);
  Next turn(BoxObject& object, std::uint32_t now);
  void forceUpdate();
  void reschedule();

  BoxHost& host_;
  // Expires with the box: an event handler that destroyed the box leaves
  // every copy of it expired.
  std::shared_ptr<const bool> life_ = std::make_shared<const bool>(true);
  std::vector<std::unique_ptr<BoxObject>> objects_;
  ResourceCache cache_;
  std::int32_t pressed_ = 0;  // -1 none at press time, 0 no press
  std::int32_t hovered_ = 0;
  std::vector<std::uint64_t> dying_;  // objects whose event 10 is being handled

  int width_ = 0;
  int height_ = 0;
  int pictureScale_ = 100;
  // The background picture's bytes: decoded only while the surface is
  // built, which holds all of the picture that is ever drawn.
  std::vector<std::uint8_t> backgroundBytes_;
  int backgroundMode_ = 0;
  std::uint32_t backgroundColour_ = 0;
  Bitmap surface_;
  bool surfaceValid_ = false;
  bool paintPending_ = false;

  platform::Timer wake_;
  int wakeUps_ = 0;
};

}  // namespace horavia::anim
