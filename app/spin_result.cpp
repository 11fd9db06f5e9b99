#include "app/spin_result.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/operations.h"
#include "app/prize_art.h"
#include "app/units.h"
#include "platform/files.h"
#include "platform/text_codec.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using main_window::kBox;

// A record line is a few hundred bytes at most; this much of the file's end
// holds far more lines than anyone asks for.
constexpr std::size_t kTailBytes = 512 * 1024;

std::string RecordFile() { return platform::HostPath(TextOf(State().dataFolder) + L.RecordFile); }

}  // namespace

// [banner] ---------------------------------------------------------------------

ResultBanner::ResultBanner() : timer_([this] { hide(); }) {}

void ResultBanner::show(const std::string& label, int seconds) {
  hide();
  if (seconds <= 0) return;
  const BannerPicture banner = DrawResultBanner(platform::Cp936ToUtf8(label));
  if (banner.png.empty()) return;
  void* picture = runtime::MakeByteSet(banner.png.data(), banner.png.size());
  // Centred on the box; the box shows the banner at the clock's size.
  const int x = InWindowPixels((kSkinSide - banner.width) / 2);
  const int y = InWindowPixels((kSkinSide - banner.height) / 2);
  object_ = Call(BoxCommand::CreateObject, {Unit(kBox), Omitted(), Int(x), Int(y), Bool(true)}).integer();
  Call(BoxCommand::SetObjectPicture, {Unit(kBox), Int(object_), ByteSet(picture), Int(-1)});
  FreeBlock(picture);
  timer_.startIn(static_cast<std::uint32_t>(seconds) * 1000);
}

void ResultBanner::hide() {
  timer_.stop();
  if (object_ == 0) return;
  if (Call(CoreCommand::IsLoaded, {Unit(kBox)}).boolean()) {
    Call(BoxCommand::DestroyObjects, {Unit(kBox), Int(object_)});
  }
  object_ = 0;
}

// [record] ---------------------------------------------------------------------

void SpinRecordFile::append(const SpinResult& result) {
  prizes::SpinRecord record{result.time,  platform::Cp936ToUtf8(result.skin), result.segment,
                            platform::Cp936ToUtf8(result.label), result.angle, result.source};
  const std::string path = RecordFile();
  const std::optional<std::string> failed = platform::AppendLine(path, prizes::kRecordHeader, prizes::RecordLine(record));
  if (!failed || reported_) return;
  reported_ = true;
  std::fprintf(stderr, "horavia: cannot write the record of spins %s: %s\n", path.c_str(), failed->c_str());
}

std::vector<prizes::SpinRecord> RecentSpins(std::size_t limit) {
  const std::optional<platform::FileTail> tail = platform::ReadFileTail(RecordFile(), kTailBytes);
  if (!tail) return {};
  return prizes::NewestRecords(tail->bytes, limit, !tail->whole);
}

}  // namespace horavia::app
