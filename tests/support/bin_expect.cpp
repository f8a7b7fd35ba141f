#include "support/bin_expect.h"

#include <algorithm>
#include <cstdio>

#include "bin/record_reader.h"

namespace dgntest {

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
