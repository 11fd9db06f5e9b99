#include "anim/gifplayer/placement.h"

#include <gtest/gtest.h>

namespace horavia::anim {
namespace {

struct PlacementCase {
  std::int32_t mode;
  int clientWidth, clientHeight, width, height;
  PlacedRect expected;
};

class Placements : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placements, PutThePictureWhereItsModeSays) {
  const PlacementCase& c = GetParam();
  EXPECT_EQ(PlacePicture(c.mode, c.clientWidth, c.clientHeight, c.width, c.height), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Placements,
    ::testing::Values(PlacementCase{0, 100, 50, 30, 20, {0, 0, 30, 20}},     // natural size, top-left
                      PlacementCase{0, 10, 10, 30, 20, {0, 0, 30, 20}},      // larger: cut by the window
                      PlacementCase{1, 100, 50, 30, 20, {0, 0, 100, 50}},    // stretched
                      PlacementCase{2, 100, 50, 30, 20, {35, 15, 30, 20}},   // centred at natural size
                      PlacementCase{2, 100, 50, 200, 40, {0, 15, 100, 20}},  // too wide: halved, centred
                      PlacementCase{2, 60, 50, 90, 200, {19, 0, 22, 50}},    // too tall: sizes truncated
                      PlacementCase{7, 100, 50, 30, 20, {0, 0, 30, 20}}));   // unknown modes as 0

}  // namespace
}  // namespace horavia::anim
