// The BIN record writer: boxes, text point counts and the exact bytes it
// appends.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "run/converter.h"
#include "support/bin_expect.h"
#include "support/program_run.h"

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes hex(const std::string& s) {
  Bytes b;
  for (size_t i = 0; i < s.size();) {
    if (s[i] == ' ') {
      ++i;
      continue;
    }
    b.push_back(static_cast<uint8_t>(std::stoul(s.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return b;
}

int32_t int32At(const Bytes& b, size_t offset) {
  int32_t v;
  std::memcpy(&v, b.data() + offset, 4);
  return v;
}

uint16_t pointCountOf(const Bytes& b) { return static_cast<uint16_t>(b[10] | (b[11] << 8)); }

class RecordWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fd_ = ::open(dir_.file("out.bin").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd_, 0);
    c_.binSink.attach(fd_);
    c_.binFile = fd_;  // closed by the converter
  }

  // Everything written so far.
  Bytes written() {
    EXPECT_TRUE(c_.binSink.flush());
    return dir_.readFile("out.bin");
  }

  void header(char kind, const char* code, uint8_t items, uint16_t points) {
    std::memset(&c_.recordHeader, 0, sizeof c_.recordHeader);
    c_.recordHeader.kind = kind;
    c_.recordHeader.equals = '=';
    std::strcpy(c_.recordHeader.code, code);
    c_.recordHeader.itemCount = items;
    c_.recordHeader.pointCount = points;
  }

  // A text record of height h and angle `angle` at `origin`.
  void text(const char* chars, int32_t h, int32_t angle, const Point& origin) {
    header('T', "TXT", 0, 0);
    c_.recordBox.textHeight = h;
    c_.recordBox.textJustification = 0;
    c_.recordBox.textAngle = angle;
    c_.recordPoints[0] = origin;
    std::strcpy(c_.textArea, chars);
  }

  void write() { c_.writeRecord(c_.recordHeader, c_.recordBox, c_.recordPoints, c_.recordItems); }

  // The six extent fields of the record at `offset`.
  std::vector<int32_t> extent(const Bytes& b, size_t offset = 0) {
    std::vector<int32_t> e;
    for (int i = 0; i < 6; ++i) e.push_back(int32At(b, offset + 12 + 4 * i));
    return e;
  }

  dgntest::TempDir dir_;
  Converter c_;
  int fd_ = -1;
};

}  // namespace

TEST_F(RecordWriterTest, TwoPointRecordBytes) {
  header('C', "001106", 0, 2);
  std::memset(&c_.recordBox, 0x77, sizeof c_.recordBox);
  c_.recordBox.textHeight = 11;
  c_.recordBox.textJustification = 2;
  c_.recordBox.textAngle = -1;
  c_.recordPoints[0] = Point{1000, 2000, 0};
  c_.recordPoints[1] = Point{1500, 2500, 0};
  write();
  EXPECT_TRUE(dgntest::sameBytes(
      hex("43 3D 30 30 31 31 30 36 00 00 02 00"
          "E8 03 00 00 D0 07 00 00 00 00 00 00 DC 05 00 00 C4 09 00 00 00 00 00 00"
          "0B 00 00 00 02 00 00 00 FF FF FF FF"
          "E8 03 00 00 D0 07 00 00 00 00 00 00 DC 05 00 00 C4 09 00 00 00 00 00 00"),
      written()));
  EXPECT_EQ(0, c_.recordHeader.pointCount);
  EXPECT_EQ(0, c_.recordHeader.itemCount);
}

TEST_F(RecordWriterTest, OnePointRecordWithAnItem) {
  header('C', "PUNTO", 1, 1);
  c_.recordPoints[0] = Point{5, -7, 0};
  AttributeItem& item = c_.recordItems[0];
  item.code = 32001;
  item.value = 7;
  std::memcpy(item.text, "123\0\0\0XY", 8);  // the last two bytes never reach the file
  write();
  EXPECT_TRUE(dgntest::sameBytes(
      hex("43 3D 50 55 4E 54 4F 00 00 01 01 00"
          "05 00 00 00 F9 FF FF FF 00 00 00 00 05 00 00 00 F9 FF FF FF 00 00 00 00"
          "00 00 00 00 00 00 00 00 00 00 00 00"
          "05 00 00 00 F9 FF FF FF 00 00 00 00"
          "01 7D 07 00 00 00 31 32 33 00 00 00"),
      written()));
  EXPECT_EQ(0, c_.recordHeader.pointCount);
  EXPECT_EQ(0, c_.recordHeader.itemCount);
}

TEST_F(RecordWriterTest, ItemsFollowThePointsTwelveBytesEach) {
  header('C', "X", 3, 1);
  c_.recordPoints[0] = Point{1, 2, 3};
  c_.recordItems[0] = AttributeItem{-2, -1, {'a', 'b', 'c', 'd', 'e', 'f', 'g', '\0'}};
  c_.recordItems[1] = AttributeItem{2, 65536, {}};
  c_.recordItems[2] = AttributeItem{3, 0, {'x', 'y', 'z', '\0', '\0', '\0', '\0', '\0'}};
  write();
  Bytes b = written();
  ASSERT_EQ(48u + 12 + 36, b.size());
  EXPECT_EQ(3, b[9]);
  EXPECT_TRUE(dgntest::sameBytes(hex("FE FF FF FF FF FF 61 62 63 64 65 66"
                                     "02 00 00 00 01 00 00 00 00 00 00 00"
                                     "03 00 00 00 00 00 78 79 7A 00 00 00"),
                                 Bytes(b.begin() + 60, b.end())));
}

TEST_F(RecordWriterTest, BoxOfThePoints) {
  header('C', "X", 0, 3);
  c_.recordPoints[0] = Point{10, 20, 0};
  c_.recordPoints[1] = Point{-5, 40, 3};
  c_.recordPoints[2] = Point{7, -1, 0};
  write();
  Bytes b = written();
  ASSERT_EQ(48u + 36, b.size());
  EXPECT_EQ(std::vector<int32_t>({-5, -1, 0, 10, 40, 3}), extent(b));
}

TEST_F(RecordWriterTest, TextRecordBytes) {
  text("ABC", 100, 0, Point{1000, 2000, 0});
  c_.recordBox.textJustification = 3;
  c_.recordHeader.pointCount = 9;  // the writer counts the slots itself
  write();
  EXPECT_TRUE(dgntest::sameBytes(
      hex("54 3D 54 58 54 00 00 00 00 00 02 00"
          "E8 03 00 00 D0 07 00 00 00 00 00 00 14 05 00 00 34 08 00 00 00 00 00 00"
          "64 00 00 00 03 00 00 00 00 00 00 00"
          "E8 03 00 00 D0 07 00 00 00 00 00 00"
          "41 42 43 00 00 00 00 00 00 00 00 00"),
      written()));
  EXPECT_EQ(0, c_.recordHeader.pointCount);
  EXPECT_EQ(0, c_.recordHeader.itemCount);
}

TEST_F(RecordWriterTest, TextBoxes) {
  // Turned a quarter: the constant 0.000174533 leaves cos A just below 0.
  text("ABC", 100, 9000, Point{1000, 2000, 0});
  write();
  Bytes b = written();
  ASSERT_EQ(72u, b.size());
  EXPECT_EQ(std::vector<int32_t>({899, 1999, 0, 1000, 2299, 0}), extent(b));

  // A symbol text covers one square centred on its point.
  text("@150", 100, 0, Point{1000, 2000, 5});
  write();
  b = written();
  ASSERT_EQ(144u, b.size());
  EXPECT_EQ(std::vector<int32_t>({950, 1950, 5, 1050, 2050, 5}), extent(b, 72));
  EXPECT_EQ(2, pointCountOf(Bytes(b.begin() + 72, b.end())));

  // Corners truncate toward zero: -1000.5 is -1000, -999.5 is -999.
  text("@", 1, 0, Point{-1000, -2000, 0});
  write();
  b = written();
  ASSERT_EQ(216u, b.size());
  EXPECT_EQ(std::vector<int32_t>({-1000, -2000, 0, -999, -1999, 0}), extent(b, 144));
}

TEST_F(RecordWriterTest, PointCountFromTheTextLength) {
  const char* texts[] = {"ABCDEFGHIJK", "ABCDEFGHIJKL", "ABCDEFGHIJKLMNOPQRSTUVW",
                         "ABCDEFGHIJKLMNOPQRSTUVWX"};
  const uint16_t counts[] = {2, 3, 3, 4};
  size_t offset = 0;
  for (int i = 0; i < 4; ++i) {
    text(texts[i], 10, 0, Point{0, 0, 0});
    write();
    Bytes b = written();
    Bytes record(b.begin() + static_cast<std::ptrdiff_t>(offset), b.end());
    ASSERT_EQ(48u + 12u * counts[i], record.size()) << texts[i];
    EXPECT_EQ(counts[i], pointCountOf(record)) << texts[i];
    size_t length = std::strlen(texts[i]);
    EXPECT_EQ(0, std::memcmp(texts[i], record.data() + 60, length));
    EXPECT_EQ(0, record[60 + length]) << texts[i];  // the terminator is written
    EXPECT_EQ(10 * static_cast<int32_t>(length), int32At(record, 24)) << texts[i];  // highest x
    offset = b.size();
  }
}

TEST_F(RecordWriterTest, TextOfBlanksIsWrittenEmpty) {
  text("   ", 100, 0, Point{1000, 2000, 0});
  write();
  Bytes b = written();
  ASSERT_EQ(72u, b.size());
  EXPECT_EQ(2, pointCountOf(b));
  EXPECT_EQ(std::vector<int32_t>({1000, 2000, 0, 1000, 2100, 0}), extent(b));
  EXPECT_TRUE(dgntest::sameBytes(hex("00 20 20 00 00 00 00 00 00 00 00 00"),
                                 Bytes(b.begin() + 60, b.end())));

  // Turned a quarter, two corners lie on the point and two at
  // (900.0000000000227, 1999.9999327).
  text("  ", 100, 9000, Point{1000, 2000, 0});
  write();
  b = written();
  ASSERT_EQ(144u, b.size());
  EXPECT_EQ(std::vector<int32_t>({900, 1999, 0, 1000, 2000, 0}), extent(b, 72));
}

TEST_F(RecordWriterTest, LeadingBlanksAreTrimmedBeforeTheSymbolTest) {
  text("  @x", 100, 0, Point{1000, 2000, 0});
  write();
  Bytes b = written();
  ASSERT_EQ(72u, b.size());
  EXPECT_EQ(std::vector<int32_t>({950, 1950, 0, 1050, 2050, 0}), extent(b));
  // "@x" and its terminator moved to the front; the bytes behind are as the
  // trimming left them.
  EXPECT_TRUE(dgntest::sameBytes(hex("40 78 00 78 00 00 00 00 00 00 00 00"),
                                 Bytes(b.begin() + 60, b.end())));
}

TEST_F(RecordWriterTest, RecordsThatCannotBeWrittenAreDropped) {
  std::memset(&c_.recordBox, 0x11, sizeof c_.recordBox);
  const RecordBox box = c_.recordBox;

  // A text record without text keeps its header and box.
  text("", 100, 0, Point{1, 2, 3});
  std::memset(&c_.recordBox, 0x11, sizeof c_.recordBox);
  c_.recordHeader.itemCount = 2;
  c_.recordHeader.pointCount = 4;
  write();
  EXPECT_EQ(2, c_.recordHeader.itemCount);
  EXPECT_EQ(4, c_.recordHeader.pointCount);
  EXPECT_EQ(0, std::memcmp(&box, &c_.recordBox, sizeof box));

  // So does a geometry record without points.
  header('C', "X", 3, 0);
  write();
  EXPECT_EQ(3, c_.recordHeader.itemCount);
  EXPECT_EQ(0, c_.recordHeader.pointCount);
  EXPECT_EQ(0, std::memcmp(&box, &c_.recordBox, sizeof box));

  // Another kind writes nothing and empties both counts.
  header('X', "X", 2, 5);
  write();
  EXPECT_EQ(0, c_.recordHeader.itemCount);
  EXPECT_EQ(0, c_.recordHeader.pointCount);
  header('\0', "X", 1, 1);
  write();
  EXPECT_EQ(0, c_.recordHeader.itemCount);
  EXPECT_EQ(0, c_.recordHeader.pointCount);

  EXPECT_EQ(0u, written().size());
}

TEST_F(RecordWriterTest, RecordsFollowEachOtherWithoutGaps) {
  header('C', "A", 0, 1);
  c_.recordPoints[0] = Point{5, -7, 0};
  write();
  text("ABC", 100, 0, Point{1000, 2000, 0});
  c_.recordHeader.itemCount = 1;
  c_.recordItems[0] = AttributeItem{9, 9, {}};
  write();
  Bytes b = written();
  ASSERT_EQ(60u + 72u + 12u, b.size());
  EXPECT_EQ('C', b[0]);
  EXPECT_EQ('T', b[60]);
  EXPECT_EQ('=', b[61]);
  EXPECT_EQ(1, b[60 + 9]);
  EXPECT_TRUE(dgntest::sameBytes(hex("09 00 09 00 00 00 00 00 00 00 00 00"),
                                 Bytes(b.begin() + 132, b.end())));
}

TEST_F(RecordWriterTest, TextAreaIsTheSecondPointSlot) {
  EXPECT_EQ(reinterpret_cast<char*>(c_.recordPoints + 1), c_.textArea);
}
