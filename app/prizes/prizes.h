// A wheel's prizes: equal slices going clockwise from a start angle, each
// with a label and a weight, as a skin's settings list them; and which slice
// lies under the pointer. Pure functions over values, without Qt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace horavia::app::prizes {

inline constexpr int kFewestPrizes = 2;
inline constexpr int kMostPrizes = 36;
inline constexpr std::size_t kLongestLabel = 64;  // bytes of code page 936

struct Prize {
  std::string label;  // code page 936; may be empty
  std::uint32_t weight = 1;  // 0: cannot be won
};

// Segment k (1-based) of N covers [start + (k - 1) · 360 / N, start + k · 360 / N)
// degrees clockwise from 12 o'clock on the wheel picture.
struct PrizeWheel {
  std::vector<Prize> prizes;  // empty: no prizes
  int startAngle = 0;         // 0..359
  int segments() const { return static_cast<int>(prizes.size()); }
};

// The prize keys of a skin as the program reads them: the count, then as
// many labels and weights (read only when the count is in range).
struct PrizeKeys {
  std::int32_t count = 0;  // 0: the skin lists no prizes
  std::int32_t startAngle = 0;
  std::vector<std::string> labels;
  std::vector<std::int32_t> weights;
};

// Why a skin's prize keys give no prizes. Every value but None is a fault
// of the skin that its check reports.
enum class PrizeProblem {
  None,
  CountOutOfRange,  // a count other than 0 outside 2..36
  LabelTooLong,     // a label longer than 64 bytes
  NegativeWeight,   // a weight below 0
  NothingToWin,     // every weight 0
};
const char* Describe(PrizeProblem problem);

struct PrizeReading {
  PrizeWheel wheel;  // no prizes unless problem is None
  PrizeProblem problem = PrizeProblem::None;
  int prize = 0;  // the prize (1-based) a label or weight problem is about
};

// Judges the keys: any bad value means no prizes, never a partial list.
PrizeReading JudgePrizeKeys(const PrizeKeys& keys);

// The angle in 0..359 that `degrees` names on a circle.
int NormalAngle(std::int64_t degrees);

// The segment (1-based) of `segments` equal slices from `startAngle` that
// contains `angle` (degrees clockwise from 12 on the wheel picture); a
// border belongs to the slice it begins.
int SegmentAt(int segments, int startAngle, int angle);

// Where on the wheel picture the pointer rests when the turning object
// stops at `restAngle`: a turning needle points at its own angle; a turning
// wheel has carried the point (360 - restAngle) under the fixed pointer at
// 12 o'clock.
int PointedAngle(int restAngle, bool wheelTurns);
// The turning object's rest angle that puts the pointer on `pointedAngle`.
int RestAngleFor(int pointedAngle, bool wheelTurns);

}  // namespace horavia::app::prizes
