// The files the program writes while it runs, "配置.ini" and "转盘记录.csv",
// survive a crash and a full disk. A forked child writes settings and spins'
// records through the program's own code as fast as it can and tells the
// test after each write; the test kills it at a point it cannot foresee
// (after a varying number of those messages, while the child goes on), then
// reads both files the way the program reads them at its next start.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/call.h"
#include "app/operations.h"
#include "app/settings.h"
#include "app/skins.h"
#include "app/spin_result.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text_codec.h"

namespace horavia::app {
namespace {

namespace fs = std::filesystem;

// The child's writes in turn: the four settings, then a spin's record.
constexpr std::array kSettings = {Setting::SkinName, Setting::Chime, Setting::Device, Setting::Volume};
constexpr int kRecordTurn = static_cast<int>(kSettings.size());
constexpr int kTurns = kRecordTurn + 1;

// What the child tells after each finished write: which turn, and the value
// it wrote (a setting's counter, or the number of records so far).
struct Done {
  std::int32_t turn;
  std::int32_t value;
};

std::string SkinNameFor(std::int32_t n) { return "skin" + std::to_string(n); }

SpinResult SpinNumber(std::int32_t n) {
  return {n, n % 12 + 1, platform::Utf8ToCp936("一等奖"), n % 360, platform::Utf8ToCp936("蓝色"), "mouse",
          "2027-01-15T20:14:03+08:00"};
}

class FilesSurviveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "horavia-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    ResetState();
    State().dataFolder = NewText(folder_ + "/");
  }
  void TearDown() override {
    ResetState();
    fs::remove_all(folder_);
  }

  std::string RecordPath() const { return folder_ + "/转盘记录.csv"; }
  std::string SettingsPath() const { return folder_ + "/配置.ini"; }
  std::string Bytes(const std::string& path) const {
    const auto bytes = platform::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }

  // Each setting as start-up reads it, as a number (the skin's name by the
  // counter in it; -1 when it holds no such name).
  std::array<std::int32_t, kSettings.size()> ReadSettings() {
    std::array<std::int32_t, kSettings.size()> values{};
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
      if (kSettings[i] != Setting::SkinName) {
        values[i] = ReadSettingNumber(kSettings[i]);
        continue;
      }
      const std::string name = ReadSetting(Setting::SkinName);
      values[i] = name.rfind("skin", 0) == 0 ? std::atoi(name.c_str() + 4) : -1;
    }
    return values;
  }

  // The child: from the values the files hold, every write in turn with the
  // next value, for good. Tells `done` after each one.
  [[noreturn]] void WriteForever(int done, std::array<std::int32_t, kSettings.size()> values, std::int32_t records) {
    SpinRecordFile file;
    for (std::int64_t n = 0;; ++n) {
      const int turn = static_cast<int>(n % kTurns);
      Done message{turn, 0};
      if (turn == kRecordTurn) {
        file.append(SpinNumber(records));
        message.value = ++records;
      } else {
        const std::int32_t next = ++values[static_cast<std::size_t>(turn)];
        if (kSettings[turn] == Setting::SkinName) {
          WriteSetting(Setting::SkinName, SkinNameFor(next));
        } else {
          WriteSetting(kSettings[turn], next);
        }
        message.value = next;
      }
      if (write(done, &message, sizeof message) != sizeof message) _exit(3);
    }
  }

  std::string folder_;
};

// The records that a start reads back, as the history reads them.
std::size_t RecordsRead() { return RecentSpins(1u << 20).size(); }

// Whole lines after the header: each is a record the reader takes.
void ExpectOnlyWholeRecords(const std::string& text) {
  const std::size_t lastBreak = text.rfind('\n');
  if (lastBreak == std::string::npos) return;
  std::size_t lines = 0;
  for (char c : text.substr(0, lastBreak + 1)) lines += c == '\n' ? 1 : 0;
  ASSERT_GE(lines, 1u);  // the header
  EXPECT_EQ(prizes::NewestRecords(text, lines).size(), lines - 1) << "a whole line that is no record";
}

TEST_F(FilesSurviveTest, KilledAtAnyMomentEveryKeyHoldsItsOldOrNewValueAndRecordsStayWhole) {
  // The first start's files, written whole.
  std::array<std::int32_t, kSettings.size()> values{0, 0, 0, 0};
  WriteSetting(Setting::SkinName, SkinNameFor(0));
  for (std::size_t i = 1; i < kSettings.size(); ++i) WriteSetting(kSettings[i], 0);
  std::int32_t records = 0;
  std::mt19937 random(23);  // a fixed seed: the same kills every run

  // What the child told: the value a setting or the record count reached.
  const auto take = [&](const Done& done) {
    if (done.turn == kRecordTurn) {
      records = done.value;
    } else {
      values[static_cast<std::size_t>(done.turn)] = done.value;
    }
  };

  constexpr int kRounds = 300;
  int killedInAWrite = 0;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipeFds[0]);
      WriteForever(pipeFds[1], values, records);
    }
    close(pipeFds[1]);
    // Let it finish a varying number of writes, then kill it while it goes on.
    const int writes = std::uniform_int_distribution<int>(0, 12)(random);
    Done message{};
    for (int i = 0; i < writes && read(pipeFds[0], &message, sizeof message) == sizeof message; ++i) take(message);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    // What it finished before it died but had no time to read yet.
    std::int64_t told = writes;
    for (; read(pipeFds[0], &message, sizeof message) == sizeof message; ++told) take(message);
    close(pipeFds[0]);

    // The one write that may have been under way: the turn after the last
    // one told, with its next value.
    const int underWay = static_cast<int>(told % kTurns);
    const std::array<std::int32_t, kSettings.size()> read = ReadSettings();
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
      SCOPED_TRACE(platform::Cp936ToUtf8(RowOf(kSettings[i]).key));
      if (read[i] == values[i]) continue;
      EXPECT_EQ(static_cast<int>(i), underWay);
      EXPECT_EQ(read[i], values[i] + 1);
      values[i] = read[i];
      ++killedInAWrite;
    }
    const std::size_t recordsRead = RecordsRead();
    if (recordsRead != static_cast<std::size_t>(records)) {
      EXPECT_EQ(underWay, kRecordTurn);
      EXPECT_EQ(recordsRead, static_cast<std::size_t>(records) + 1);
      records = static_cast<std::int32_t>(recordsRead);
      ++killedInAWrite;
    }
    ExpectOnlyWholeRecords(Bytes(RecordPath()));
    if (HasFailure()) return;
  }
  // Every setting and the record went through many rounds.
  for (std::int32_t value : values) EXPECT_GT(value, kRounds / 10);
  EXPECT_GT(records, kRounds / 10);
  RecordProperty("killed_after_a_write_it_had_not_told", killedInAWrite);
}

// A last line cut short (a crash or a full disk in the middle of a write) is
// skipped by the reader and cut off by the next spin, so it can never pass
// for a whole record once another line follows it.
TEST_F(FilesSurviveTest, ALineCutShortIsCutOffBeforeTheNextRecord) {
  SpinRecordFile file;
  file.append(SpinNumber(1));
  const std::string whole = Bytes(RecordPath());
  const std::string line = prizes::RecordLine({"t", "s", 1, "l", 16, "mouse"});
  // Cut inside its last field: "…,16,mou" would read as a record of source
  // "mou" once a line break followed it.
  platform::WriteWholeFile(RecordPath(), {whole, line.substr(0, line.size() - 3)});
  EXPECT_EQ(RecordsRead(), 1u);
  file.append(SpinNumber(2));
  EXPECT_EQ(Bytes(RecordPath()), whole + prizes::RecordLine(prizes::SpinRecord{
                                             "2027-01-15T20:14:03+08:00", "蓝色", 3, "一等奖", 2, "mouse"}));
  // A file cut inside its header starts again with the header.
  platform::WriteWholeFile(RecordPath(), {std::string(prizes::kRecordHeader).substr(0, 5)});
  file.append(SpinNumber(1));
  EXPECT_EQ(Bytes(RecordPath()), whole);
}

// The disk is full: here, a limit on the size of any file this process
// writes, with the signal that would end it ignored, so that writes fail as
// on a full disk. Run in a child, whose standard error the test reads.
TEST_F(FilesSurviveTest, AFullDiskFailsWithOneLineEachAndDamagesNothing) {
  // A settings file larger than the record file: the limit below leaves
  // room for neither to be written again whole.
  WriteSetting(Setting::SkinName, SkinNameFor(7) + std::string(600, 'y'));
  WriteSetting(Setting::Volume, 40);
  SpinRecordFile first;
  for (int n = 0; n < 3; ++n) first.append(SpinNumber(n));
  const std::string settingsBefore = Bytes(SettingsPath());
  const std::string recordsBefore = Bytes(RecordPath());

  int errors[2];
  ASSERT_EQ(pipe(errors), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(errors[0]);
    dup2(errors[1], STDERR_FILENO);
    signal(SIGXFSZ, SIG_IGN);
    // Room for part of one more record line, and no settings file.
    const rlim_t room = static_cast<rlim_t>(recordsBefore.size()) + 20;
    const rlimit limit{room, room};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    SpinRecordFile records;
    bool anyWritten = false;
    for (int n = 0; n < 5; ++n) {  // the program goes on, and fails again quietly
      anyWritten |= WriteSetting(Setting::SkinName, SkinNameFor(100 + n) + std::string(600, 'z'));
      anyWritten |= WriteSetting(Setting::Volume, 90);
      records.append(SpinNumber(100 + n));
    }
    // Still running: what it reads is what the files held.
    const bool kept = ReadSettingNumber(Setting::Volume) == 40 && RecordsRead() == 3;
    _exit(anyWritten ? 4 : kept ? 0 : 5);
  }
  close(errors[1]);
  std::string said;
  char buffer[512];
  for (ssize_t n; (n = read(errors[0], buffer, sizeof buffer)) > 0;) said.append(buffer, static_cast<std::size_t>(n));
  close(errors[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no limit, 4: a write got through, 5: the files read otherwise";

  // One line for the settings, one for the record, each naming its file.
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = said.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(said.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 2u) << said;
  EXPECT_NE(lines[0].find("配置.ini"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("转盘记录.csv"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("File too large"), std::string::npos) << lines[1];

  // Nothing earlier is damaged, and nothing half-written is left to read.
  EXPECT_EQ(Bytes(SettingsPath()), settingsBefore);
  EXPECT_EQ(prizes::NewestRecords(Bytes(RecordPath()), 100).size(), 3u);
  EXPECT_EQ(Bytes(RecordPath()).substr(0, recordsBefore.size()), recordsBefore);
  // Once there is room again, the next spin's line follows the old ones whole.
  SpinRecordFile later;
  later.append(SpinNumber(3));
  EXPECT_EQ(prizes::NewestRecords(Bytes(RecordPath()), 100).size(), 4u);
  ExpectOnlyWholeRecords(Bytes(RecordPath()));
}

}  // namespace
}  // namespace horavia::app
