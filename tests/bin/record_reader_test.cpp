// The BIN reader over arbitrary bytes: whole records are handed out, and
// anything else is named with its record number and byte offset (each
// problem's text: tests/cases/kelobin/info-names-each-impossible-record).
#include "bin/record_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

typedef std::vector<uint8_t> Bytes;

// Reads `bytes` to the end; "" at a clean end, else the problem.
std::string readAll(const Bytes& bytes, int& records) {
  FILE* file = std::tmpfile();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  RecordReader reader;
  reader.attach(file);
  RecordView r;
  ReadResult result;
  records = 0;
  while ((result = reader.next(r)) == kRecordRead) {
    EXPECT_EQ(records, r.index);
    EXPECT_LE(r.offset + r.size, static_cast<long long>(bytes.size()));
    ++records;
  }
  std::fclose(file);
  EXPECT_NE(kReadFailed, result);
  return result == kEndOfFile ? "" : reader.problem();
}

}  // namespace

// Random bytes behind a plausible header end in a clean end or a named
// problem; the sanitizer build sees any read outside the record.
TEST(RecordReader, SurvivesRandomBytes) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    Bytes bytes(random() % 400);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random() % 4 == 0 ? 0 : random());
    if (bytes.size() > 12) {
      bytes[0] = round % 2 ? 'C' : 'T';
      bytes[1] = '=';
      bytes[11] = 0;  // at most 255 points
    }
    int records;
    std::string problem = readAll(bytes, records);
    EXPECT_TRUE(problem.empty() || problem.find("registro imposible") == 0) << problem;
  }
}
