// What a spin leaves behind: the winning label shown over the wheel for a
// while, and one line in the record of spins, "转盘记录.csv" in the data
// folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/app_observer.h"
#include "app/prizes/record.h"
#include "platform/timers.h"

namespace horavia::app {

class ResultBanner {
 public:
  ResultBanner();
  ~ResultBanner() = default;
  ResultBanner(const ResultBanner&) = delete;
  ResultBanner& operator=(const ResultBanner&) = delete;

  // Shows the label (code page 936) over the wheel for `seconds`; 0 shows
  // nothing. A banner already shown gives way.
  void show(const std::string& label, int seconds);
  void hide();

 private:
  std::int32_t object_ = 0;
  platform::Timer timer_;
};

class SpinRecordFile {
 public:
  // Appends the spin's line. A file that cannot be written is reported once
  // on standard error; the spin goes on either way.
  void append(const SpinResult& result);

 private:
  bool reported_ = false;
};

}  // namespace horavia::app
