#include "support/bin_expect.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "support/dgn_encode.h"

namespace dgntest {

namespace {

void putHeader(std::vector<uint8_t>& b, char kind, const std::string& code, size_t items,
               size_t points) {
    b.push_back(static_cast<uint8_t>(kind));
    b.push_back('=');
    for (size_t i = 0; i < 7; ++i) b.push_back(i < code.size() ? static_cast<uint8_t>(code[i]) : 0);
    b.push_back(static_cast<uint8_t>(items));
    putU16(b, static_cast<uint16_t>(points));
}

void putItems(std::vector<uint8_t>& b, const std::vector<ExpectItem>& items) {
    for (const ExpectItem& it : items) {
        putU16(b, static_cast<uint16_t>(it.code));
        putI32Le(b, it.value);
        for (size_t i = 0; i < 6; ++i)
            b.push_back(i < it.text.size() ? static_cast<uint8_t>(it.text[i]) : 0);
    }
}

}  // namespace

std::vector<uint8_t> binPointRecord(const std::string& code,
                                    const std::vector<std::array<int32_t, 3>>& pts,
                                    const std::vector<ExpectItem>& items,
                                    const int32_t textFields[3]) {
    std::vector<uint8_t> b;
    putHeader(b, 'C', code, items.size(), pts.size());
    int32_t lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    if (!pts.empty())
        for (int k = 0; k < 3; ++k) lo[k] = hi[k] = pts[0][k];
    for (const auto& p : pts)
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    for (int k = 0; k < 3; ++k) putI32Le(b, lo[k]);
    for (int k = 0; k < 3; ++k) putI32Le(b, hi[k]);
    for (int k = 0; k < 3; ++k) putI32Le(b, textFields ? textFields[k] : 0);
    for (const auto& p : pts)
        for (int k = 0; k < 3; ++k) putI32Le(b, p[k]);
    putItems(b, items);
    return b;
}

std::vector<uint8_t> binTextRecord(const std::string& code, const int32_t box[9],
                                   const std::array<int32_t, 3>& insertion,
                                   const std::string& text, const std::vector<ExpectItem>& items) {
    const size_t n = text.size() / 12 + 2;
    std::vector<uint8_t> b;
    putHeader(b, 'T', code, items.size(), n);
    for (int k = 0; k < 9; ++k) putI32Le(b, box[k]);
    for (int k = 0; k < 3; ++k) putI32Le(b, insertion[k]);
    std::vector<uint8_t> slots(12 * (n - 1), 0);
    std::copy(text.begin(), text.end(), slots.begin());
    b.insert(b.end(), slots.begin(), slots.end());
    putItems(b, items);
    return b;
}

std::string hexDump(const std::vector<uint8_t>& b, size_t from, size_t to) {
    to = std::min(to, b.size());
    from -= from % 12;
    std::string out;
    char buf[32];
    for (size_t row = from; row < to; row += 12) {
        std::snprintf(buf, sizeof buf, "%06zx:", row);
        out += buf;
        for (size_t i = row; i < row + 12 && i < to; ++i) {
            std::snprintf(buf, sizeof buf, " %02X", b[i]);
            out += buf;
        }
        out += '\n';
    }
    return out;
}

::testing::AssertionResult sameBytes(const std::vector<uint8_t>& expected,
                                     const std::vector<uint8_t>& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    const size_t common = std::min(expected.size(), actual.size());
    size_t first = 0;
    while (first < common && expected[first] == actual[first]) ++first;
    const size_t from = first >= 36 ? first - 36 : 0;
    const size_t to = first + 48;
    std::ostringstream msg;
    msg << "expected " << expected.size() << " bytes, actual " << actual.size()
        << " bytes; first difference at offset " << first << " (0x" << std::hex << first
        << std::dec << ")\n--- expected, around it:\n"
        << hexDump(expected, from, to) << "--- actual, around it:\n"
        << hexDump(actual, from, to);
    return ::testing::AssertionFailure() << msg.str();
}

}  // namespace dgntest
