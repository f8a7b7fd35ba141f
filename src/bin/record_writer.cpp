// Completing a record (its box, and for texts its point count) and appending
// it to the BIN file.
#include <math.h>
#include <string.h>

#include "dgn/transform.h"
#include "run/converter.h"
#include "run/words.h"

// In locals: the box might share memory with the points as far as the
// compiler knows, and would be stored back after every point.
static void boxOfPoints(RecordBox& box, const Point* points, int count) {
  int32_t lowX = points[0].x, lowY = points[0].y, lowZ = points[0].z;
  int32_t highX = lowX, highY = lowY, highZ = lowZ;
  for (int i = 1; i < count; ++i) {
    const Point& p = points[i];
    lowX = p.x < lowX ? p.x : lowX;
    lowY = p.y < lowY ? p.y : lowY;
    lowZ = p.z < lowZ ? p.z : lowZ;
    highX = p.x > highX ? p.x : highX;
    highY = p.y > highY ? p.y : highY;
    highZ = p.z > highZ ? p.z : highZ;
  }
  box.lowX = lowX;
  box.lowY = lowY;
  box.lowZ = lowZ;
  box.highX = highX;
  box.highY = highY;
  box.highZ = highZ;
}

// A text covers a square of its height per character along its angle; a
// symbol text ("@...") a single square centred on its insertion point.
static void boxOfText(RecordBox& box, const Point& origin, const char* text) {
  double h = box.textHeight;
  double angle = box.textAngle * 0.000174533;
  double cosA = cos(angle), sinA = sin(angle);
  double x0 = origin.x, y0 = origin.y;
  double cx[4], cy[4];
  if (text[0] == '@') {
    double r = h / 2;
    cx[0] = x0 - r * cosA + r * sinA;
    cy[0] = y0 - r * sinA - r * cosA;
    cx[1] = x0 + r * cosA + r * sinA;
    cy[1] = y0 + r * sinA - r * cosA;
    cx[2] = x0 + r * cosA - r * sinA;
    cy[2] = y0 + r * sinA + r * cosA;
    cx[3] = x0 - r * cosA - r * sinA;
    cy[3] = y0 - r * sinA + r * cosA;
  } else {
    double w = strlen(text) * h;
    cx[0] = x0;
    cy[0] = y0;
    cx[1] = x0 + w * cosA;
    cy[1] = y0 + w * sinA;
    cx[2] = x0 + w * cosA - h * sinA;
    cy[2] = y0 + w * sinA + h * cosA;
    cx[3] = x0 - h * sinA;
    cy[3] = y0 + h * cosA;
  }
  for (int i = 0; i < 4; ++i) {
    int32_t x = truncToInt32(cx[i]), y = truncToInt32(cy[i]);
    if (i == 0 || x < box.lowX) box.lowX = x;
    if (i == 0 || y < box.lowY) box.lowY = y;
    if (i == 0 || x > box.highX) box.highX = x;
    if (i == 0 || y > box.highY) box.highY = y;
  }
  box.lowZ = box.highZ = origin.z;
}

void Converter::writeRecord(RecordHeader& header, RecordBox& box, Point* points,
                            AttributeItem* items, bool boxed) {
  char* text = reinterpret_cast<char*>(points + 1);
  if (header.kind == 'C') {
    if (header.pointCount == 0) return;
    if (!boxed) boxOfPoints(box, points, header.pointCount);
  } else if (header.kind == 'T') {
    if (text[0] == '\0') return;
    trimBlanks(text);
    boxOfText(box, points[0], text);
    header.pointCount = static_cast<uint16_t>(strlen(text) / 12 + 2);
  } else {
    header.pointCount = 0;
    header.itemCount = 0;
    return;
  }

  // Written where it goes in the sink's buffer: a record is never larger.
  static_assert(kRecordHeadBytes + kPointBytes * kMaxPoints + kItemBytes * kMaxItems <=
                    static_cast<int>(FileSink::kCapacity),
                "a record fits the BIN file's buffer");
  size_t pointBytes = sizeof(Point) * header.pointCount;
  unsigned char* out =
      binSink.reserve(kRecordHeadBytes + pointBytes + kItemBytes * header.itemCount);
  if (out == NULL) {
    fatalBinWrite();
  } else {
    memcpy(out, &header, sizeof header);
    memcpy(out + sizeof header, &box, sizeof box);
    memcpy(out + kRecordHeadBytes, points, pointBytes);
    unsigned char* item = out + kRecordHeadBytes + pointBytes;
    for (int i = 0; i < header.itemCount; ++i, item += kItemBytes) {
      memcpy(item, &items[i].code, 2);
      memcpy(item + 2, &items[i].value, 4);
      memcpy(item + 6, items[i].text, kItemTextBytes);
    }
    ++counts.records;
  }

  header.pointCount = 0;
  header.itemCount = 0;
}

// The code field holds six characters and the terminator; longer codes are
// cut. Bytes after the terminator keep what they held.
void Converter::setRecordCode() { copyTerminated(recordHeader.code, currentRow.code, 6); }
