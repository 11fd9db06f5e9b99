// The prize wheel's spins: the queue of spins asked for, the one turning and
// its stages, and what its end brings (sound, end pictures, the result
// banner, the record line, the observers told).
//
// A spin is drawn first (winner, rest angle, d) and then turned in eight
// stages, each one rotation of the animation box with a total-angle limit:
// the box stops it after exactly its steps and says so with event 15, which
// starts the next stage, so the spin lands exactly on the drawn angle however
// late the box's timer runs. A hidden object does not turn (clock mode, a
// skin without that picture): then a stage ends on the clock after its
// nominal time, or at the latest twice that and a second while shown, and the
// object is set to the stage's end angle. Nothing waits in a nested loop, so
// a spin asked for while one turns waits its turn in the queue.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/app_observer.h"
#include "app/operations.h"
#include "app/prizes/draw.h"
#include "app/prizes/motion.h"
#include "app/spin_result.h"
#include "platform/timers.h"

namespace horavia::app {

class WheelSpinner {
 public:
  explicit WheelSpinner(std::span<const std::uint32_t> seed);

  SpinTicket request(std::string_view source);
  // The end of an object's automatic rotation (event 15): true when it ended
  // a stage of the spin, which then goes on.
  bool rotationStopped(std::int32_t object);
  // The wheel was shown or hidden.
  void displayChanged();

  bool spinning() const { return running_.has_value(); }
  int waiting() const { return static_cast<int>(waiting_.size()); }
  // The object a spin is turning, 0 when none.
  std::int32_t turningObject() const { return running_ ? running_->object : 0; }
  const std::optional<SpinResult>& lastResult() const { return last_; }

 private:
  struct Request {
    int spin = 0;
    std::string source;
  };
  struct Running {
    std::int32_t object = 0;
    prizes::SpinPlan plan;
    int stage = 0;                 // the stage turning now
    std::uint32_t stageStart = 0;  // the tick it started at
    SpinResult result;             // decided at the start; the time at the end
  };

  void start(Request request);
  void startStage();
  void endStage();
  void finish();
  void armDeadline();

  prizes::SpinRandom random_;
  std::deque<Request> waiting_;
  std::optional<Running> running_;
  std::optional<SpinResult> last_;
  int nextSpin_ = 1;
  ResultBanner banner_;
  SpinRecordFile record_;
  platform::Timer stageDeadline_;
  platform::Timer nextTurn_;  // the pause in which a result shows before the next waiting spin
};

}  // namespace horavia::app
