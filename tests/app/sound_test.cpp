// Start-up checks the output devices once the clock is on screen: the
// check waits for the audio thread, and the first frame must not. A sound
// due before that frame checks first, so it is never lost.
#include "app/subroutines.h"
#include "tests/app/app_fixture.h"

namespace horavia::app::testing {
namespace {

// The real player, with its device and play calls written down in order.
class RecordingPlayer : public SoundPlayer {
 public:
  explicit RecordingPlayer(std::vector<std::string>& calls) : calls_(calls) {}
  bool Init(std::optional<std::int32_t> device, std::optional<std::uint32_t> frequency,
            std::optional<std::uint32_t> flags, void* window) override {
    calls_.push_back("init " + std::to_string(device.value_or(-1)));
    return SoundPlayer::Init(device, frequency, flags, window);
  }
  bool Play(std::uint32_t handle, std::optional<std::int32_t> restart) override {
    calls_.push_back("play");
    return SoundPlayer::Play(handle, restart);
  }

 private:
  std::vector<std::string>& calls_;
};

class StartUpSoundTest : public AppTest {
 protected:
  void StartRecording() {
    Start();
    State().player = std::make_unique<RecordingPlayer>(calls_);
  }

  std::vector<std::string> calls_;
};

TEST_F(StartUpSoundTest, TheDevicesAreCheckedOnceTheFirstFrameIsOnScreenAndOnlyThen) {
  StartRecording();
  ticks_.advance(1);
  EXPECT_TRUE(calls_.empty()) << "checked before any frame was painted";
  PaintFrame();
  // The default output, then the chosen one (entry 0: the default again).
  EXPECT_EQ(calls_, (std::vector<std::string>{"init -1", "init -1"}));
  PaintFrame();
  EXPECT_EQ(calls_.size(), 2u) << "checked again at a later frame";
}

TEST_F(StartUpSoundTest, ASoundDueBeforeTheFirstFrameChecksTheDevicesFirst) {
  StartRecording();
  playHourlyChime();
  EXPECT_EQ(calls_, (std::vector<std::string>{"init -1", "init -1", "play"}));
  PaintFrame();
  EXPECT_EQ(calls_.size(), 3u) << "checked again after the sound had checked";
}

}  // namespace
}  // namespace horavia::app::testing
