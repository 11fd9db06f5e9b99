#include "ui/controls/gif_animation.h"

#include <chrono>

#include "platform/ticks.h"

namespace horavia::ui::controls {

GifAnimation::GifAnimation(FrameReady frameReady) : frameReady_(std::move(frameReady)) {}

GifAnimation::~GifAnimation() { stop(); }

bool GifAnimation::load(std::span<const std::uint8_t> bytes, std::uint32_t background) {
  stop();
  std::lock_guard lock(mutex_);
  composed_ = 0;
  return canvas_.open(bytes, background);
}

void GifAnimation::clear() {
  stop();
  std::lock_guard lock(mutex_);
  canvas_ = anim::GifCanvas{};
  composed_ = 0;
}

bool GifAnimation::loaded() const {
  std::lock_guard lock(mutex_);
  return canvas_.opened();
}

bool GifAnimation::animated() const {
  std::lock_guard lock(mutex_);
  return canvas_.opened() && !canvas_.singleImage();
}

bool GifAnimation::running() const {
  std::lock_guard lock(mutex_);
  return state_ == State::Running;
}

int GifAnimation::width() const {
  std::lock_guard lock(mutex_);
  return canvas_.width();
}

int GifAnimation::height() const {
  std::lock_guard lock(mutex_);
  return canvas_.height();
}

std::uint64_t GifAnimation::imagesComposed() const {
  std::lock_guard lock(mutex_);
  return composed_;
}

void GifAnimation::start() {
  if (worker_.joinable()) return;  // running, or stopping inside stop()
  std::lock_guard lock(mutex_);
  if (!canvas_.opened() || canvas_.singleImage()) return;
  canvas_.rewind();
  state_ = State::Running;
  worker_ = std::thread(&GifAnimation::run, this);
}

void GifAnimation::stop() {
  {
    std::lock_guard lock(mutex_);
    if (state_ == State::Running) state_ = State::StopRequested;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
  std::lock_guard lock(mutex_);
  state_ = State::Idle;
}

bool GifAnimation::withCanvas(const std::function<void(const anim::Bitmap&)>& use) const {
  std::lock_guard lock(mutex_);
  if (!canvas_.hasPicture()) return false;
  use(canvas_.canvas());
  return true;
}

void GifAnimation::recheckClock() {
  std::unique_lock lock(mutex_);
  if (state_ != State::Running) return;
  const std::uint64_t mine = ++rechecks_;
  wake_.notify_all();
  wake_.wait(lock, [&] { return acknowledged_ >= mine || state_ != State::Running; });
}

// [the worker] -------------------------------------------------------------------

void GifAnimation::run() {
  std::unique_lock lock(mutex_);
  while (state_ == State::Running) {
    const std::uint32_t began = platform::TickCount();
    if (!canvas_.composeNext()) {
      // Nothing more decodes: the last picture stays until the stop.
      waitForStop(lock);
      break;
    }
    ++composed_;
    const std::uint32_t due = began + canvas_.delayMs();
    lock.unlock();
    frameReady_();
    lock.lock();
    if (!waitUntil(lock, due)) break;
  }
  acknowledgeRechecks();
}

bool GifAnimation::waitUntil(std::unique_lock<std::mutex>& lock, std::uint32_t due) {
  while (state_ == State::Running) {
    const std::uint32_t now = platform::TickCount();
    if (platform::TickReached(now, due)) return true;
    acknowledgeRechecks();
    wake_.wait_for(lock, std::chrono::milliseconds(platform::TicksUntil(now, due)));
  }
  return false;
}

void GifAnimation::waitForStop(std::unique_lock<std::mutex>& lock) {
  while (state_ == State::Running) {
    acknowledgeRechecks();
    wake_.wait(lock);
  }
}

void GifAnimation::acknowledgeRechecks() {
  acknowledged_ = rechecks_;
  wake_.notify_all();
}

}  // namespace horavia::ui::controls
