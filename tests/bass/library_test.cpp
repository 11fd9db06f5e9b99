// The audio library through its C interface, loaded by path. Output goes
// through SDL's disk driver into a file, so every check is on the samples
// that really left the mixer; no sound card is involved.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "platform/text_codec.h"
#include "tests/bass/bass_api.h"
#include "tests/bass/sound_support.h"

namespace horavia::bass::testing {
namespace {

BassApi& Api() {
  static BassApi* api = new BassApi(HORAVIA_BASS_LIBRARY);
  return *api;
}

// Waits for the audio thread to reach a state. The limit only turns a hang
// into a failure; no result depends on how long anything took.
bool WaitUntil(const std::function<bool()>& done) {
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::size_t LeadingZeros(std::span<const std::int16_t> samples) {
  return static_cast<std::size_t>(
      std::find_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; }) -
      samples.begin());
}

bool AllZero(std::span<const std::int16_t> samples) { return LeadingZeros(samples) == samples.size(); }

class BassLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    // The disk driver writes each mixed buffer to the file; a 1 ms pause per
    // buffer instead of its real duration keeps the tests short.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", outputFile().c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
  }
  void TearDown() override { bass.BASS_Free(); }

  std::string outputFile() const { return (temp.path() / "output.raw").string(); }

  void InitOutput() { ASSERT_TRUE(bass.BASS_Init(-1, 44100, 0, nullptr, nullptr)); }

  HSTREAM Open(const std::string& name) {
    return bass.BASS_StreamCreateFile(0, SoundPath(name).c_str(), 0, 0, 0);
  }

  void PlayToEnd(HSTREAM stream) {
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, 1));
    ASSERT_TRUE(WaitUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
  }

  // Everything written to the output file; the library must be freed first
  // so the driver has closed it.
  std::vector<std::int16_t> Recorded() {
    std::vector<std::uint8_t> bytes = ReadBytes(outputFile());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

  // Plays `name` at `volume` to its end and checks that the output holds the
  // reference decoding scaled by the volume, followed only by silence.
  void ExpectPlaysScaled(const std::string& name, float volume) {
    InitOutput();
    HSTREAM stream = Open(name);
    ASSERT_NE(stream, 0u);
    ASSERT_TRUE(bass.BASS_ChannelSetAttribute(stream, BASS_ATTRIB_VOL, volume));
    PlayToEnd(stream);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
              bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
    ASSERT_TRUE(bass.BASS_Free());
    std::vector<std::int16_t> expected = Scaled(DecodeReference(SoundPath(name)).samples, volume);
    std::vector<std::int16_t> recorded = Recorded();
    std::optional<std::size_t> start = FindAligned(recorded, expected, 1);
    ASSERT_TRUE(start.has_value()) << "reference not found in " << recorded.size() << " samples";
    std::size_t end = std::min(recorded.size(), *start + expected.size() + LeadingZeros(expected));
    EXPECT_TRUE(AllZero(std::span(recorded).subspan(end))) << "sound after the stream's end";
  }

  BassApi& bass = Api();
  TempFolder temp;
};

TEST_F(BassLibrary, PlaysDecodedSamplesScaledByTheVolume) { ExpectPlaysScaled("tones.mp3", 0.6f); }

TEST_F(BassLibrary, PlaysMonoAsTwoEqualChannelsAtFullVolume) { ExpectPlaysScaled("square.mp3", 1.0f); }

TEST_F(BassLibrary, VolumeZeroIsSilent) {
  InitOutput();
  HSTREAM stream = Open("tones.mp3");
  ASSERT_TRUE(bass.BASS_ChannelSetAttribute(stream, BASS_ATTRIB_VOL, 0.0f));
  PlayToEnd(stream);
  // It did play through: the position reached the end.
  EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
            bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
  ASSERT_TRUE(bass.BASS_Free());
  std::vector<std::int16_t> recorded = Recorded();
  EXPECT_GT(recorded.size(), DecodeReference(SoundPath("tones.mp3")).samples.size());
  EXPECT_TRUE(AllZero(recorded));
}

TEST_F(BassLibrary, MasterVolumeScalesTheMix) {
  InitOutput();
  ASSERT_TRUE(bass.BASS_SetVolume(0.5f));
  EXPECT_FLOAT_EQ(bass.BASS_GetVolume(), 0.5f);
  EXPECT_FALSE(bass.BASS_SetVolume(1.5f));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  HSTREAM stream = Open("square.mp3");
  PlayToEnd(stream);
  ASSERT_TRUE(bass.BASS_Free());
  std::vector<std::int16_t> expected = Scaled(DecodeReference(SoundPath("square.mp3")).samples, 0.5f);
  EXPECT_TRUE(FindAligned(Recorded(), expected, 1).has_value());
}

TEST_F(BassLibrary, SecondStreamAfterFreeingTheFirstReplacesIt) {
  InitOutput();
  HSTREAM first = Open("tones.mp3");
  ASSERT_TRUE(bass.BASS_ChannelPlay(first, 1));
  ASSERT_TRUE(WaitUntil([&] { return bass.BASS_ChannelGetPosition(first, BASS_POS_BYTE) > 0; }));
  ASSERT_TRUE(bass.BASS_StreamFree(first));
  HSTREAM second = Open("square.mp3");
  ASSERT_NE(second, 0u);
  EXPECT_NE(second, first);
  PlayToEnd(second);
  // The first handle is gone for good.
  EXPECT_EQ(bass.BASS_ChannelIsActive(first), BASS_ACTIVE_STOPPED);
  EXPECT_FALSE(bass.BASS_ChannelPlay(first, 1));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
  ASSERT_TRUE(bass.BASS_Free());

  // From where the second starts the output is the second alone: nothing of
  // the first is mixed in, and silence follows.
  std::vector<std::int16_t> expected = DecodeReference(SoundPath("square.mp3")).samples;
  std::vector<std::int16_t> recorded = Recorded();
  std::optional<std::size_t> start = FindAligned(recorded, expected, 1);
  ASSERT_TRUE(start.has_value());
  std::size_t end = std::min(recorded.size(), *start + expected.size() + LeadingZeros(expected));
  EXPECT_TRUE(AllZero(std::span(recorded).subspan(end)));
  // And the first was heard before it.
  EXPECT_FALSE(AllZero(std::span(recorded).first(*start)));
}

TEST_F(BassLibrary, PlaysFromASetPosition) {
  InitOutput();
  HSTREAM stream = Open("tones.mp3");
  const QWORD half = bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE) / 2 / 4 * 4;
  ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, half, BASS_POS_BYTE));
  EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), half);
  ASSERT_TRUE(bass.BASS_ChannelPlay(stream, 0));
  ASSERT_TRUE(WaitUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
  ASSERT_TRUE(bass.BASS_Free());
  std::vector<std::int16_t> reference = DecodeReference(SoundPath("tones.mp3")).samples;
  std::span<const std::int16_t> tail = std::span(reference).subspan(half / 2);
  EXPECT_TRUE(FindAligned(Recorded(), tail, 1).has_value());
}

TEST_F(BassLibrary, PlayPauseStopStates) {
  InitOutput();
  HSTREAM stream = Open("tones.mp3");
  EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
  EXPECT_FALSE(bass.BASS_ChannelPause(stream));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NOPLAY);
  ASSERT_TRUE(bass.BASS_ChannelPlay(stream, 1));
  EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
  ASSERT_TRUE(bass.BASS_ChannelPause(stream));
  EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PAUSED);
  // A paused channel does not move on.
  QWORD paused = bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), paused);
  ASSERT_TRUE(bass.BASS_ChannelStop(stream));
  EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
  // Played again after its end, a finished stream starts over.
  PlayToEnd(stream);
  ASSERT_TRUE(bass.BASS_ChannelPlay(stream, 0));
  EXPECT_LT(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
            bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
}

TEST_F(BassLibrary, SpectrumShowsTheTonesPlaying) {
  InitOutput();
  HSTREAM stream = Open("tones.mp3");
  ASSERT_TRUE(bass.BASS_ChannelPlay(stream, 1));
  ASSERT_TRUE(WaitUntil([&] { return bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE) >= 8192; }));
  bass.BASS_ChannelPause(stream);
  float bins[128];
  ASSERT_EQ(bass.BASS_ChannelGetData(stream, bins, BASS_DATA_FFT256), 128 * sizeof(float));
  // Left 1378.125 Hz sits on bin 8, right 689.0625 Hz on bin 4, each half
  // of full scale, so a quarter each in the mono mix.
  EXPECT_NEAR(bins[4], 0.25f, 0.03f);
  EXPECT_NEAR(bins[8], 0.25f, 0.03f);
  for (int k = 12; k < 128; ++k) EXPECT_LT(bins[k], 0.02f) << "bin " << k;
  EXPECT_EQ(bass.BASS_ChannelGetData(stream, bins, 1024), ~DWORD{0});
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
}

TEST_F(BassLibrary, LengthsPositionsAndSeconds) {
  InitOutput();
  HSTREAM stream = Open("tones.mp3");
  const QWORD length = bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE);
  EXPECT_EQ(length, DecodeReference(SoundPath("tones.mp3")).samples.size() * 2);
  EXPECT_NEAR(bass.BASS_ChannelBytes2Seconds(stream, length), 0.5, 0.01);
  EXPECT_DOUBLE_EQ(bass.BASS_ChannelBytes2Seconds(stream, 176400), 1.0);
  EXPECT_EQ(bass.BASS_ChannelSeconds2Bytes(stream, 0.25), QWORD{11025 * 4});
  EXPECT_EQ(bass.BASS_ChannelSeconds2Bytes(stream, -1.0), ~QWORD{0});
  EXPECT_EQ(bass.BASS_ChannelSeconds2Bytes(stream, std::nan("")), ~QWORD{0});
  EXPECT_FALSE(bass.BASS_ChannelSetPosition(stream, length + 4, BASS_POS_BYTE));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_POSITION);
  EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, 1), ~QWORD{0});
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  // A half-rate stream counts in its own rate's bytes.
  HSTREAM low = Open("low_rate.mp3");
  ASSERT_NE(low, 0u);
  EXPECT_DOUBLE_EQ(bass.BASS_ChannelBytes2Seconds(low, 88200), 1.0);
}

TEST_F(BassLibrary, ChannelVolumeAttribute) {
  InitOutput();
  HSTREAM stream = Open("tones.mp3");
  float volume = 0.0f;
  ASSERT_TRUE(bass.BASS_ChannelGetAttribute(stream, BASS_ATTRIB_VOL, &volume));
  EXPECT_EQ(volume, 1.0f);
  ASSERT_TRUE(bass.BASS_ChannelSetAttribute(stream, BASS_ATTRIB_VOL, 0.6f));
  ASSERT_TRUE(bass.BASS_ChannelGetAttribute(stream, BASS_ATTRIB_VOL, &volume));
  EXPECT_EQ(volume, 0.6f);
  ASSERT_TRUE(bass.BASS_ChannelSetAttribute(stream, BASS_ATTRIB_VOL, 3.0f));
  ASSERT_TRUE(bass.BASS_ChannelGetAttribute(stream, BASS_ATTRIB_VOL, &volume));
  EXPECT_EQ(volume, 1.0f);
  EXPECT_FALSE(bass.BASS_ChannelSetAttribute(stream, BASS_ATTRIB_VOL, std::nanf("")));
  EXPECT_FALSE(bass.BASS_ChannelSetAttribute(stream, 1, 0.5f));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  EXPECT_FALSE(bass.BASS_ChannelGetAttribute(stream, BASS_ATTRIB_VOL, nullptr));
  // A failed creation leaves handle 0, on which the volume call just fails.
  EXPECT_FALSE(bass.BASS_ChannelSetAttribute(0, BASS_ATTRIB_VOL, 0.6f));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(BassLibrary, RejectsEmptyTruncatedAndNonMp3Data) {
  InitOutput();
  std::vector<std::uint8_t> mp3 = ReadBytes(SoundPath("tones.mp3"));
  const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', '\n'};
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,  // signature
                                         0, 0, 0, 13, 'I', 'H', 'D', 'R'};            // first chunk
  // Frame sync bits and a plausible header, then nothing decodable.
  std::vector<std::uint8_t> fakeSync = {0xFF, 0xFB, 0x90, 0x64};
  fakeSync.resize(600, 0x00);
  std::vector<std::uint8_t> zeros(8192, 0);
  std::vector<std::uint8_t> headOnly(mp3.begin(), mp3.begin() + 200);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {{"empty", {}},       {"text", text},   {"png", png},
                        {"fake sync", fakeSync}, {"zeros", zeros}, {"first 200 bytes", headOnly}};
  for (const Case& c : cases) {
    std::filesystem::path file = temp.path() / "input.mp3";
    WriteBytes(file, c.bytes);
    EXPECT_EQ(bass.BASS_StreamCreateFile(0, file.string().c_str(), 0, 0, 0), 0u) << c.name;
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_FILEFORM) << c.name;
    EXPECT_EQ(bass.BASS_StreamCreateFile(1, c.bytes.data(), 0, c.bytes.size(), 0), 0u) << c.name;
  }
  std::string missing = (temp.path() / "missing.mp3").string();
  EXPECT_EQ(bass.BASS_StreamCreateFile(0, missing.c_str(), 0, 0, 0), 0u);
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
  EXPECT_EQ(bass.BASS_StreamCreateFile(0, nullptr, 0, 0, 0), 0u);
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
  // An offset beyond the data leaves nothing to decode.
  EXPECT_EQ(bass.BASS_StreamCreateFile(1, mp3.data(), mp3.size(), mp3.size(), 0), 0u);
  EXPECT_EQ(bass.BASS_StreamCreateFile(0, SoundPath("tones.mp3").c_str(), mp3.size() + 1, 0, 0), 0u);
}

TEST_F(BassLibrary, FileCutOffMidwayPlaysWhatIsThere) {
  InitOutput();
  std::vector<std::uint8_t> mp3 = ReadBytes(SoundPath("tones.mp3"));
  HSTREAM whole = bass.BASS_StreamCreateFile(1, mp3.data(), 0, mp3.size(), 0);
  HSTREAM half = bass.BASS_StreamCreateFile(1, mp3.data(), 0, mp3.size() / 2, 0);
  ASSERT_NE(half, 0u);
  QWORD halfLength = bass.BASS_ChannelGetLength(half, BASS_POS_BYTE);
  EXPECT_GT(halfLength, 0u);
  EXPECT_LT(halfLength, bass.BASS_ChannelGetLength(whole, BASS_POS_BYTE));
  PlayToEnd(half);
}

TEST_F(BassLibrary, MemoryFormDecodesLikeTheFile) {
  InitOutput();
  std::vector<std::uint8_t> mp3 = ReadBytes(SoundPath("tones.mp3"));
  HSTREAM fromFile = Open("tones.mp3");
  HSTREAM fromMemory = bass.BASS_StreamCreateFile(1, mp3.data(), 0, mp3.size(), 0);
  ASSERT_NE(fromMemory, 0u);
  EXPECT_EQ(bass.BASS_ChannelGetLength(fromMemory, BASS_POS_BYTE),
            bass.BASS_ChannelGetLength(fromFile, BASS_POS_BYTE));
  // Streams keep separate positions.
  ASSERT_TRUE(bass.BASS_ChannelSetPosition(fromMemory, 4000, BASS_POS_BYTE));
  EXPECT_EQ(bass.BASS_ChannelGetPosition(fromFile, BASS_POS_BYTE), 0u);
}

TEST_F(BassLibrary, OpensACodePage936PathWithBackslashes) {
  InitOutput();
  // Folder "声音", file "整点报时.mp3", as the program names them.
  std::filesystem::path folder = temp.path() / "声音";
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(SoundPath("tones.mp3"), folder / "整点报时.mp3");
  std::string runtimePath = platform::Utf8ToCp936((folder / "整点报时.mp3").string());
  std::replace(runtimePath.begin(), runtimePath.end(), '/', '\\');
  EXPECT_NE(bass.BASS_StreamCreateFile(0, runtimePath.c_str(), 0, 0, 0), 0u);
}

TEST_F(BassLibrary, Id3v1TagAtTheEnd) {
  InitOutput();
  std::vector<std::uint8_t> mp3 = ReadBytes(SoundPath("tones.mp3"));
  EXPECT_EQ(bass.BASS_ChannelGetTags(Open("tones.mp3"), BASS_TAG_ID3), nullptr);
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
  // "TAG", then a 30-byte title, the rest zero (artist, album, year, ...).
  std::vector<std::uint8_t> tag(128, 0);
  std::memcpy(tag.data(), "TAG", 3);
  std::memcpy(tag.data() + 3, "Chime", 5);
  mp3.insert(mp3.end(), tag.begin(), tag.end());
  HSTREAM tagged = bass.BASS_StreamCreateFile(1, mp3.data(), 0, mp3.size(), 0);
  const char* block = bass.BASS_ChannelGetTags(tagged, BASS_TAG_ID3);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::memcmp(block, tag.data(), 128), 0);
  EXPECT_EQ(bass.BASS_ChannelGetTags(tagged, 5), nullptr);
}

TEST_F(BassLibrary, FreeingZeroOrAFreedHandleFailsHarmlessly) {
  InitOutput();
  EXPECT_FALSE(bass.BASS_StreamFree(0));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
  HSTREAM stream = Open("tones.mp3");
  ASSERT_TRUE(bass.BASS_ChannelPlay(stream, 1));
  ASSERT_TRUE(bass.BASS_StreamFree(stream));
  EXPECT_FALSE(bass.BASS_StreamFree(stream));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
  // A new stream never takes the freed handle's number.
  EXPECT_NE(Open("tones.mp3"), stream);
}

// Starting the output must leave the termination signals to the process,
// so that a logout or `kill` still ends the program.
TEST_F(BassLibrary, StartedOutputLeavesTerminationSignalsToTheProcess) {
  InitOutput();
  for (int signal : {SIGTERM, SIGINT}) {
    struct sigaction now {};
    ASSERT_EQ(sigaction(signal, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL) << "signal " << signal;
  }
}

TEST_F(BassLibrary, InitTwiceWithoutFreeFails) {
  InitOutput();
  EXPECT_EQ(bass.BASS_GetDevice(), 1u);
  EXPECT_FALSE(bass.BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
  ASSERT_TRUE(bass.BASS_Free());
  EXPECT_FALSE(bass.BASS_Free());
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_INIT);
  EXPECT_EQ(bass.BASS_StreamCreateFile(0, SoundPath("tones.mp3").c_str(), 0, 0, 0), 0u);
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_INIT);
  EXPECT_TRUE(bass.BASS_Init(-1, 44100, 0, nullptr, nullptr));
}

TEST_F(BassLibrary, InitRefusesUnknownDevicesAndRates) {
  EXPECT_FALSE(bass.BASS_Init(99, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
  EXPECT_FALSE(bass.BASS_Init(-2, 44100, 0, nullptr, nullptr));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
  EXPECT_FALSE(bass.BASS_Init(-1, 1000000, 0, nullptr, nullptr));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
}

TEST_F(BassLibrary, NoSoundDeviceMakesStreamsButPlaysNothing) {
  ASSERT_TRUE(bass.BASS_Init(0, 44100, 0, nullptr, nullptr));
  HSTREAM stream = Open("tones.mp3");
  ASSERT_NE(stream, 0u);
  EXPECT_GT(bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE), 0u);
  EXPECT_FALSE(bass.BASS_ChannelPlay(stream, 1));
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NOPLAY);
}

TEST_F(BassLibrary, DeviceListHasNoSoundDefaultThenHostDevicesThenEnds) {
  BASS_DEVICEINFO info{};
  ASSERT_TRUE(bass.BASS_GetDeviceInfo(0, &info));
  EXPECT_STREQ(info.name, "No sound");
  ASSERT_TRUE(bass.BASS_GetDeviceInfo(1, &info));
  EXPECT_TRUE(info.flags & BASS_DEVICE_DEFAULT);
  EXPECT_FALSE(info.flags & BASS_DEVICE_INIT);
  DWORD count = 2;
  while (bass.BASS_GetDeviceInfo(count, &info)) {
    EXPECT_NE(info.name, nullptr);
    EXPECT_GT(std::strlen(info.name), 0u);
    ++count;
    ASSERT_LT(count, 1000u);
  }
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
  EXPECT_FALSE(bass.BASS_GetDeviceInfo(1, nullptr));
  // Initialised, the device in use is marked and the texts stay put.
  InitOutput();
  ASSERT_TRUE(bass.BASS_GetDeviceInfo(1, &info));
  EXPECT_TRUE(info.flags & BASS_DEVICE_INIT);
  const char* name = info.name;
  ASSERT_TRUE(bass.BASS_GetDeviceInfo(1, &info));
  EXPECT_EQ(info.name, name);
}

TEST_F(BassLibrary, WithoutAnAudioDriverOnlyNoSoundIsListedAndOpens) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  BASS_DEVICEINFO info{};
  EXPECT_TRUE(bass.BASS_GetDeviceInfo(0, &info));
  EXPECT_FALSE(bass.BASS_GetDeviceInfo(1, &info));
  EXPECT_FALSE(bass.BASS_Init(-1, 44100, 0, nullptr, nullptr));
  EXPECT_TRUE(bass.BASS_Init(0, 44100, 0, nullptr, nullptr));
}

TEST_F(BassLibrary, UrlStreamsReportNoNetwork) {
  InitOutput();
  EXPECT_EQ(bass.BASS_StreamCreateURL("http://example.invalid/a.mp3", 0, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NONET);
}

}  // namespace
}  // namespace horavia::bass::testing
