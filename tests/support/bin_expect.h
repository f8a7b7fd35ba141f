// Expected BIN records built by hand, and byte comparisons that show where
// two BIN files part.
#ifndef DGNTEST_BIN_EXPECT_H
#define DGNTEST_BIN_EXPECT_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace dgntest {

struct ExpectItem {
    int16_t code;
    int32_t value;
    std::string text;  // only its first 6 bytes reach the file
};

// A "C" record: 'C', '=', the code in 7 NUL-padded bytes, item count byte,
// point count (16-bit LE), the box (lowest x, y, z, highest x, y, z over the
// points, then the three text fields: zero unless given), the points, the
// items (code, value, 6 text bytes). All integers little-endian.
std::vector<uint8_t> binPointRecord(const std::string& code,
                                    const std::vector<std::array<int32_t, 3>>& pts,
                                    const std::vector<ExpectItem>& items,
                                    const int32_t textFields[3] = nullptr);

// A "T" record with the box given whole (six extent fields, height,
// justification, angle): the insertion point in slot 0, then the text and
// its terminator NUL-padded to the end of its last 12-byte slot; the point
// count is text.size() / 12 + 2.
std::vector<uint8_t> binTextRecord(const std::string& code, const int32_t box[9],
                                   const std::array<int32_t, 3>& insertion,
                                   const std::string& text, const std::vector<ExpectItem>& items);

// Rows of 12 bytes (one BIN field width), each with its offset.
std::string hexDump(const std::vector<uint8_t>& b, size_t from = 0, size_t to = SIZE_MAX);

// Equal sizes and bytes; otherwise names the first differing offset and
// dumps both sides around it.
::testing::AssertionResult sameBytes(const std::vector<uint8_t>& expected,
                                     const std::vector<uint8_t>& actual);

}  // namespace dgntest

#endif
