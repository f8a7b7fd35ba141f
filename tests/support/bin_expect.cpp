#include "support/bin_expect.h"

#include <algorithm>
#include <cstdio>

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

int32_t le32(const Bytes& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 |
                              static_cast<uint32_t>(b[at + 3]) << 24);
}

std::string dump(const Bytes& b, size_t from, size_t to) {
  std::string out;
  char cell[32];
  for (size_t row = from - from % 12; row < std::min(to, b.size()); row += 12) {
    std::snprintf(cell, sizeof cell, "%06zx:", row);
    out += cell;
    for (size_t i = row; i < row + 12 && i < b.size(); ++i) {
      std::snprintf(cell, sizeof cell, " %02X", b[i]);
      out += cell;
    }
    out += '\n';
  }
  return out;
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

::testing::AssertionResult sameBytes(const Bytes& expected, const Bytes& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  size_t first = 0;
  while (first < std::min(expected.size(), actual.size()) && expected[first] == actual[first])
    ++first;
  const size_t from = first >= 36 ? first - 36 : 0;
  return ::testing::AssertionFailure()
         << "expected " << expected.size() << " bytes, got " << actual.size()
         << "; first difference at byte " << first << "\n--- expected:\n"
         << dump(expected, from, first + 48) << "--- got:\n"
         << dump(actual, from, first + 48);
}

std::vector<BinRecord> parseBin(const Bytes& b) {
  std::vector<BinRecord> records;
  size_t at = 0;
  while (at + 48 <= b.size()) {
    BinRecord r;
    r.kind = static_cast<char>(b[at]);
    r.code = std::string(reinterpret_cast<const char*>(&b[at + 2]), 7).c_str();
    const size_t m = b[at + 9], n = b[at + 10] | b[at + 11] << 8, end = at + 48 + 12 * (n + m);
    if (end > b.size()) break;
    for (int k = 0; k < 9; ++k) r.box[k] = le32(b, at + 12 + 4 * k);
    for (size_t i = 0; i < (r.kind == 'T' ? 1 : n); ++i) {
      const size_t p = at + 48 + 12 * i;
      r.points.push_back({le32(b, p), le32(b, p + 4), le32(b, p + 8)});
    }
    if (r.kind == 'T') r.text = std::string(&b[at + 60], &b[at + 48 + 12 * n]).c_str();
    for (size_t i = 0; i < m; ++i) {
      const size_t p = at + 48 + 12 * (n + i);
      r.items.push_back({static_cast<int16_t>(b[p] | b[p + 1] << 8), le32(b, p + 2),
                         std::string(reinterpret_cast<const char*>(&b[p + 6]), 6).c_str()});
    }
    records.push_back(r);
    at = end;
  }
  EXPECT_EQ(at, b.size()) << "the BIN file ends inside a record";
  return records;
}

}  // namespace dgntest
