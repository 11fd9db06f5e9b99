#include "bass/device_list.h"

#include <gtest/gtest.h>

#include "bass/bass.h"
#include "platform/text_codec.h"

namespace horavia::bass {
namespace {

TEST(BassDeviceList, NumbersNoSoundDefaultThenHostDevicesWithoutGaps) {
  // SDL could not name the second device; the third takes its number.
  const std::string names[] = {"Speakers", "", "Headphones"};
  DeviceList list = DeviceList::FromHostNames("pulseaudio", names);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.at(kNoSoundDevice)->name, "No sound");
  EXPECT_EQ(list.at(kNoSoundDevice)->driver, "");
  EXPECT_EQ(list.at(kDefaultDevice)->flags, BASS_DEVICE_ENABLED | BASS_DEVICE_DEFAULT);
  EXPECT_EQ(list.at(kDefaultDevice)->hostName, "");
  EXPECT_EQ(list.at(2)->name, "Speakers");
  EXPECT_EQ(list.at(3)->name, "Headphones");
  EXPECT_EQ(list.at(3)->hostName, "Headphones");
  EXPECT_EQ(list.at(3)->driver, "pulseaudio");
  EXPECT_EQ(list.at(4), nullptr);
}

TEST(BassDeviceList, DescriptionsAreCodePage936WhileOpeningUsesTheHostName) {
  const std::string names[] = {"扬声器 (USB)"};
  DeviceList list = DeviceList::FromHostNames("alsa", names);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.at(2)->name, platform::Utf8ToCp936("扬声器 (USB)"));
  EXPECT_NE(list.at(2)->name, names[0]);
  EXPECT_EQ(list.at(2)->hostName, names[0]);
}

TEST(BassDeviceList, WithoutAnAudioDriverOnlyNoSound) {
  DeviceList list = DeviceList::FromSdl(false);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.at(kNoSoundDevice)->name, "No sound");
  EXPECT_EQ(list.at(kDefaultDevice), nullptr);
}

}  // namespace
}  // namespace horavia::bass
