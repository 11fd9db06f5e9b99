// The record of spins: lines written so that any spreadsheet reads them, and
// read back newest first, skipping what is not a whole record.
#include "app/prizes/record.h"

#include <gtest/gtest.h>

namespace horavia::app::prizes {
namespace {

SpinRecord Record(int segment, std::string label = "一等奖", std::string source = "mouse") {
  return {"2027-01-15T10:10:30+08:00", "蓝色", segment, std::move(label), 241, std::move(source)};
}

bool Same(const SpinRecord& a, const SpinRecord& b) {
  return a.time == b.time && a.skin == b.skin && a.segment == b.segment && a.label == b.label && a.angle == b.angle &&
         a.source == b.source;
}

TEST(RecordLine, PlainFieldsStandAsTheyAreOthersAreQuoted) {
  EXPECT_EQ(RecordLine(Record(3)), "2027-01-15T10:10:30+08:00,蓝色,3,一等奖,241,mouse\n");
  EXPECT_EQ(RecordLine(Record(4, "Prize, \"big\" one")),
            "2027-01-15T10:10:30+08:00,蓝色,4,\"Prize, \"\"big\"\" one\",241,mouse\n");
  EXPECT_EQ(RecordLine(Record(0, "")), "2027-01-15T10:10:30+08:00,蓝色,0,,241,mouse\n");
}

TEST(RecordLine, WhatIsWrittenReadsBack) {
  const std::string text = std::string(kRecordHeader) + RecordLine(Record(1, "a,b")) +
                           RecordLine(Record(2, "\"quoted\"", "stream deck")) + RecordLine(Record(3, ""));
  const std::vector<SpinRecord> records = NewestRecords(text, 10);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_TRUE(Same(records[0], Record(3, "")));
  EXPECT_TRUE(Same(records[1], Record(2, "\"quoted\"", "stream deck")));
  EXPECT_TRUE(Same(records[2], Record(1, "a,b")));
}

TEST(NewestRecords, SkipsTheHeaderJunkATornLastLineAndStopsAtTheLimit) {
  std::string text = std::string(kRecordHeader);
  for (int i = 1; i <= 5; ++i) text += RecordLine(Record(i));
  text += "not,a,record\n";
  text += "2027-01-15T10:10:30+08:00,蓝色,9,x,400,mouse\n";  // no angle of 400°
  text += "2027-01-15T10:10:30+08:00,\"open,9,x,4,mouse\n";  // a quote that never closes
  text += RecordLine(Record(6)).substr(0, 20);              // a write cut short
  const std::vector<SpinRecord> newest = NewestRecords(text, 2);
  ASSERT_EQ(newest.size(), 2u);
  EXPECT_EQ(newest[0].segment, 5);
  EXPECT_EQ(newest[1].segment, 4);
  EXPECT_EQ(NewestRecords(text, 100).size(), 5u);
  EXPECT_TRUE(NewestRecords("", 10).empty());
  EXPECT_TRUE(NewestRecords(kRecordHeader, 10).empty());
}

TEST(NewestRecords, ATailReadFromInsideTheFileDropsItsFirstPartLine) {
  const std::string whole = RecordLine(Record(1)) + RecordLine(Record(2));
  const std::string tail = whole.substr(5);  // starts inside record 1
  const std::vector<SpinRecord> records = NewestRecords(tail, 10, true);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].segment, 2);
  // CRLF line ends (a file touched by another editor) read the same.
  const std::vector<SpinRecord> crlf = NewestRecords("2027-01-15T10:10:30+08:00,蓝色,7,x,1,api\r\n", 10);
  ASSERT_EQ(crlf.size(), 1u);
  EXPECT_EQ(crlf[0].source, "api");
}

TEST(SpinRecord, TimesCarryTheirOffsetAndSourcesAreKeptShortAndOnOneLine) {
  EXPECT_EQ(IsoTime({2027, 1, 15, 10, 10, 30, 8 * 3600}), "2027-01-15T10:10:30+08:00");
  EXPECT_EQ(IsoTime({2026, 12, 31, 23, 59, 59, -(3 * 3600 + 30 * 60)}), "2026-12-31T23:59:59-03:30");
  EXPECT_EQ(IsoTime({2027, 7, 1, 0, 0, 0, 0}), "2027-07-01T00:00:00+00:00");
  EXPECT_EQ(CleanSource("chat\r\nbot\t"), "chatbot");
  EXPECT_EQ(CleanSource(std::string(40, 'x')).size(), kLongestSource);
  // 31 bytes, then a three-byte character that would end past 32: cut before it.
  EXPECT_EQ(CleanSource(std::string(31, 'x') + "转"), std::string(31, 'x'));
}

}  // namespace
}  // namespace horavia::app::prizes
