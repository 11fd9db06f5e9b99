// The GIF player's worker: a thread that composes an animated GIF's images on
// the canvas at the pace of their delays, for ever, until it is stopped.
//
// The canvas is shared with the user-interface thread, which only reads it
// (withCanvas) to paint: both sides hold one mutex while they touch it, so a
// paint never sees a half-composed image. After each image the worker calls
// the frame-ready function (outside the lock) so that the window asks for a
// repaint; it never draws on the window itself. stop() returns only once the
// worker has left, so nothing it uses goes away under it.
//
// Time comes from the tick seam: an image's delay runs from the tick at
// which the worker began composing it, and the worker waits on a condition
// until that much has passed (or a stop). Tests drive the clock by hand and
// call recheckClock() to have the worker look at it again.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <thread>

#include "anim/gifplayer/gif_canvas.h"

namespace horavia::ui::controls {

class GifAnimation {
 public:
  using FrameReady = std::function<void()>;  // called on the worker thread

  explicit GifAnimation(FrameReady frameReady);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  // Stops a running worker first, then opens the bytes with the canvas
  // filled by `background` (a pixel 0x00RRGGBB). A single image is composed
  // at once. False when the bytes are not a GIF that decodes.
  bool load(std::span<const std::uint8_t> bytes, std::uint32_t background);
  // Stops, and drops the picture.
  void clear();

  bool loaded() const;
  // A GIF of several images, which only a worker shows.
  bool animated() const;
  bool running() const;
  int width() const;
  int height() const;
  std::uint64_t imagesComposed() const;

  // Starts the worker from the first image, when the GIF is animated and no
  // worker runs.
  void start();
  // Asks the worker to stop and returns once it has left.
  void stop();

  // Calls `use` with the canvas while the worker cannot touch it; false
  // (and no call) while nothing has been composed.
  bool withCanvas(const std::function<void(const anim::Bitmap&)>& use) const;

  // Tests: wakes the worker to read the clock again and returns once it is
  // waiting for a tick still to come (or has stopped), so every image due by
  // now has been composed.
  void recheckClock();

 private:
  enum class State { Idle, Running, StopRequested };

  void run();
  // Waits until `due` or a stop; false when stopping.
  bool waitUntil(std::unique_lock<std::mutex>& lock, std::uint32_t due);
  // Waiting for nothing but a stop.
  void waitForStop(std::unique_lock<std::mutex>& lock);
  void acknowledgeRechecks();

  const FrameReady frameReady_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  anim::GifCanvas canvas_;
  State state_ = State::Idle;
  std::uint64_t composed_ = 0;
  std::uint64_t rechecks_ = 0;
  std::uint64_t acknowledged_ = 0;
  std::thread worker_;  // touched by the user-interface thread only
};

}  // namespace horavia::ui::controls
