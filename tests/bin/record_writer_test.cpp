// The BIN record writer: boxes, text point counts and the bytes it appends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstring>
#include <string>
#include <vector>

#include "bin/record_reader.h"
#include "run/converter.h"
#include "support/bin_expect.h"
#include "support/program_run.h"

typedef std::vector<uint8_t> Bytes;

static Bytes hex(const char* s) {
  Bytes b;
  for (; *s; ++s)
    if (*s != ' ') b.push_back(static_cast<uint8_t>(std::stoul(std::string(s++, 2), 0, 16)));
  return b;
}

class RecordWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {  // the converter closes the file
    c_.binSink.attach(c_.binFile = ::open(dir_.file("out.bin").c_str(), O_WRONLY | O_CREAT, 0600));
  }
  Bytes write(char kind, const char* code, uint8_t items, uint16_t points) {
    c_.recordHeader = RecordHeader{kind, '=', {}, items, points};
    std::strcpy(c_.recordHeader.code, code);
    c_.writeRecord(c_.recordHeader, c_.recordBox, c_.recordPoints, c_.recordItems);
    EXPECT_TRUE(c_.binSink.flush());  // then return the bytes this record appended
    Bytes added = dir_.readFile("out.bin");
    added.erase(added.begin(), added.begin() + static_cast<std::ptrdiff_t>(seen_));
    seen_ += added.size();
    return added;
  }
  // A text record of height 100; `points` is what the header held before.
  Bytes text(const char* chars, int32_t angle, const Point& origin, uint16_t points = 0) {
    c_.recordBox = RecordBox{0, 0, 0, 0, 0, 0, 100, 0, angle};
    c_.recordPoints[0] = origin;
    std::strcpy(c_.textArea, chars);
    return write('T', "TXT", 0, points);
  }
  std::string counts() const {
    return std::to_string(c_.recordHeader.itemCount) + " " +
           std::to_string(c_.recordHeader.pointCount);
  }
  dgntest::TempDir dir_;
  Converter c_;
  size_t seen_ = 0;
};

TEST_F(RecordWriterTest, PointRecords) {
  c_.recordBox = RecordBox{7, 7, 7, 7, 7, 7, 11, 2, -1};  // the text fields are kept
  c_.recordPoints[0] = Point{1000, 2000, 0};
  c_.recordPoints[1] = Point{1500, 2500, 0};
  EXPECT_TRUE(dgntest::sameBytes(
      hex("43 3D 30 30 31 31 30 36 00 00 02 00  E8 03 00 00 D0 07 00 00 00 00 00 00"
          "DC 05 00 00 C4 09 00 00 00 00 00 00  0B 00 00 00 02 00 00 00 FF FF FF FF"
          "E8 03 00 00 D0 07 00 00 00 00 00 00  DC 05 00 00 C4 09 00 00 00 00 00 00"),
      write('C', "001106", 0, 2)));
  EXPECT_EQ("0 0", counts());  // emptied after each write
  c_.recordBox = RecordBox{};
  c_.recordPoints[0] = Point{5, -7, 0};
  c_.recordItems[0] = AttributeItem{32001, 7, {'1', '2', '3', 0, 0, 0, 'X', 'Y'}};
  EXPECT_TRUE(dgntest::sameBytes(  // six item text bytes reach the file
      hex("43 3D 50 55 4E 54 4F 00 00 01 01 00  05 00 00 00 F9 FF FF FF 00 00 00 00"
          "05 00 00 00 F9 FF FF FF 00 00 00 00  00 00 00 00 00 00 00 00 00 00 00 00"
          "05 00 00 00 F9 FF FF FF 00 00 00 00  01 7D 07 00 00 00 31 32 33 00 00 00"),
      write('C', "PUNTO", 1, 1)));
  EXPECT_EQ("0 0", counts());
  // No points: nothing written, the counts and box kept. Another kind writes
  // nothing and empties both counts.
  const RecordBox box{1, 2, 3, 4, 5, 6, 7, 8, 9};
  c_.recordBox = box;
  EXPECT_TRUE(write('C', "X", 3, 0).empty());
  EXPECT_EQ("3 0", counts());
  EXPECT_EQ(0, std::memcmp(&box, &c_.recordBox, sizeof box));
  EXPECT_TRUE(write('X', "X", 2, 5).empty());
  EXPECT_EQ("0 0", counts());
}

TEST_F(RecordWriterTest, TextRecords) {
  EXPECT_TRUE(dgntest::sameBytes(  // the writer counts the point slots itself
      hex("54 3D 54 58 54 00 00 00 00 00 02 00  E8 03 00 00 D0 07 00 00 00 00 00 00"
          "14 05 00 00 34 08 00 00 00 00 00 00  64 00 00 00 00 00 00 00 00 00 00 00"
          "E8 03 00 00 D0 07 00 00 00 00 00 00  41 42 43 00 00 00 00 00 00 00 00 00"),
      text("ABC", 0, Point{1000, 2000, 0}, 9)));
  EXPECT_EQ("0 0", counts());
  c_.textArea[0] = '\0';  // no characters: nothing written, the counts kept
  EXPECT_TRUE(write('T', "X", 2, 4).empty());
  EXPECT_EQ("2 4", counts());
  // At 9000 * 0.000174533 cos A is just below 0. A symbol covers one square centred on its
  // point, after leading blanks go (moved bytes stay behind the NUL). n is length / 12 + 2.
  const struct { const char* chars; Point at; int32_t box[9]; std::string stored; } cases[] = {
      {"ABC", {1000, 2000, 0}, {899, 1999, 0, 1000, 2299, 0, 100, 0, 9000}, "ABC"},
      {"@150", {1000, 2000, 5}, {950, 1950, 5, 1050, 2050, 5, 100, 0, 0}, "@150"},
      {"  @x", {1000, 2000, 5}, {950, 1950, 5, 1050, 2050, 5, 100, 0, 0}, {"@x\0x", 4}},
      {"   ", {1000, 2000, 0}, {1000, 2000, 0, 1000, 2100, 0, 100, 0, 0}, {"\0  ", 3}},
      {"ABCDEFGHIJK", {}, {0, 0, 0, 1100, 100, 0, 100, 0, 0}, "ABCDEFGHIJK"},
      {"ABCDEFGHIJKL", {}, {0, 0, 0, 1200, 100, 0, 100, 0, 0}, "ABCDEFGHIJKL"}};
  for (const auto& c : cases) {
    EXPECT_TRUE(dgntest::sameBytes(
        dgntest::binTextRecord("TXT", c.box, {c.at.x, c.at.y, c.at.z}, c.stored, {}),
        text(c.chars, c.box[8], c.at))) << c.chars;
  }
}

// What the writer wrote, the reader gives back field for field.
TEST_F(RecordWriterTest, ReadBack) {
  c_.recordPoints[0] = Point{1000, 2000, 3};
  c_.recordPoints[1] = Point{-1500, 2500, 0};
  c_.recordItems[0] = AttributeItem{32001, 7, {'1', '2', '3', '4', '5', '6', 'X', 'Y'}};
  const size_t lineBytes = write('C', "001106", 1, 2).size();
  text("ABC", 4500, Point{5, 6, 7});
  FILE* file = std::fopen(dir_.file("out.bin").c_str(), "rb");
  ASSERT_NE(nullptr, file);
  RecordReader reader;
  reader.attach(file);
  RecordView r;
  ASSERT_EQ(kRecordRead, reader.next(r));
  EXPECT_STREQ("001106", r.header.code);
  EXPECT_EQ(-1500, r.box.lowX);
  EXPECT_EQ(2500, r.point(1).y);
  AttributeItem item = r.item(0);
  EXPECT_EQ(32001, item.code);
  EXPECT_EQ(7, item.value);
  EXPECT_STREQ("123456", item.text);
  ASSERT_EQ(kRecordRead, reader.next(r));
  EXPECT_EQ(1, r.index);
  EXPECT_EQ(static_cast<long long>(lineBytes), r.offset);
  EXPECT_EQ('T', r.header.kind);
  EXPECT_STREQ("ABC", r.text);
  EXPECT_EQ(7, r.point(0).z);
  EXPECT_EQ(4500, r.box.textAngle);
  EXPECT_EQ(kEndOfFile, reader.next(r));
  std::fclose(file);
}
