#include "support/bin_expect.h"

#include <algorithm>
#include <cstdio>

#include "bin/record_reader.h"

namespace dgntest {

namespace {

Bytes header(char kind, const std::string& code, size_t items, size_t points) {
  Bytes b = {static_cast<uint8_t>(kind), '='};
  for (size_t i = 0; i < 7; ++i) b.push_back(i < code.size() ? static_cast<uint8_t>(code[i]) : 0);
  b.push_back(static_cast<uint8_t>(items));
  putU16(b, static_cast<uint16_t>(points));
  return b;
}

void putItems(Bytes& b, const std::vector<ExpectItem>& items) {
  for (const ExpectItem& it : items) {
    putU16(b, static_cast<uint16_t>(it.code));
    putI32Le(b, it.value);
    for (size_t i = 0; i < 6; ++i)
      b.push_back(i < it.text.size() ? static_cast<uint8_t>(it.text[i]) : 0);
  }
}

}  // namespace

Bytes binPointRecord(const std::string& code, const std::vector<Point3>& pts,
                     const std::vector<ExpectItem>& items, const Box* textFields) {
  Bytes b = header('C', code, items.size(), pts.size());
  Point3 lo = pts.empty() ? Point3{} : pts[0], hi = lo;
  for (const Point3& p : pts)
    for (int k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], p[k]);
      hi[k] = std::max(hi[k], p[k]);
    }
  for (int32_t v : lo) putI32Le(b, v);
  for (int32_t v : hi) putI32Le(b, v);
  for (int k = 6; k < 9; ++k) putI32Le(b, textFields ? (*textFields)[k] : 0);
  for (const Point3& p : pts)
    for (int32_t v : p) putI32Le(b, v);
  putItems(b, items);
  return b;
}

Bytes binTextRecord(const std::string& code, const Box& box, const Point3& insertion,
                    const std::string& text, const std::vector<ExpectItem>& items) {
  const size_t n = text.size() / 12 + 2;
  Bytes b = header('T', code, items.size(), n);
  for (int32_t v : box) putI32Le(b, v);
  for (int32_t v : insertion) putI32Le(b, v);
  Bytes slots(12 * (n - 1), 0);
  std::copy(text.begin(), text.end(), slots.begin());
  b.insert(b.end(), slots.begin(), slots.end());
  putItems(b, items);
  return b;
}

std::vector<BinRecord> parseBin(const Bytes& bin) {
  std::vector<BinRecord> records;
  FILE* file = fmemopen(const_cast<uint8_t*>(bin.data()), bin.size(), "rb");
  if (bin.empty() || file == nullptr) return records;
  RecordReader reader;
  reader.attach(file);
  RecordView r;
  ReadResult result;
  while ((result = reader.next(r)) == kRecordRead) {
    BinRecord out = {r.header.kind, r.header.code, {}, {}, r.text ? r.text : "", {}};
    const RecordBox& b = r.box;
    out.box = {b.lowX, b.lowY, b.lowZ, b.highX, b.highY, b.highZ, b.textHeight,
               b.textJustification, b.textAngle};
    for (int i = 0; i < r.coordinateCount(); ++i) out.points.push_back({r.point(i).x, r.point(i).y, r.point(i).z});
    for (int i = 0; i < r.header.itemCount; ++i) {
      const AttributeItem item = r.item(i);
      out.items.push_back({item.code, item.value, item.text});
    }
    records.push_back(out);
  }
  EXPECT_EQ(result, kEndOfFile) << reader.problem();
  fclose(file);
  return records;
}

}  // namespace dgntest
