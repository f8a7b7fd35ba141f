// The BIN reader over arbitrary bytes: whole records are handed out, and
// anything else is named with its record number and byte offset.
#include "bin/record_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/conversion.h"

using namespace dgntest;

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

Bytes with(Bytes b, size_t at, uint8_t value) {
  b.at(at) = value;
  return b;
}

}  // namespace

TEST(RecordReader, NamesTheImpossibleRecord) {
  const int32_t box[9] = {0, 0, 0, 1, 1, 0, 10, 0, 0};
  const Bytes line = binPointRecord("L1", {{0, 0, 0}, {1, 1, 0}}, {{5, 7, "ab"}});  // 84 bytes
  const Bytes text = binTextRecord("T1", box, {0, 0, 0}, "ABCDEFGHIJK", {});        // 72 bytes
  const std::string at84 = "registro imposible 1 en el byte 84: ";
  const struct {
    Bytes bytes;
    int records;
    std::string problem;
  } cases[] = {
      {{}, 0, ""},
      {concat({line, text, line}), 3, ""},
      {concat({line, Bytes(line.begin(), line.begin() + 5)}), 1,
       at84 + "el fichero termina a los 5 bytes de su cabecera de 12"},
      {concat({line, Bytes(line.begin(), line.end() - 1)}), 1,
       at84 + "2 puntos y 1 atributos piden 84 bytes y el fichero termina a los 83"},
      {concat({line, with(line, 0, 'A')}), 1, at84 + "tipo 0x41, no es C ni T"},
      {concat({line, with(line, 1, '-')}), 1, at84 + "segundo byte 0x2D, no es '='"},
      {concat({line, binPointRecord("ABCDEFG", {{0, 0, 0}}, {})}), 1, at84 + "codigo sin terminar"},
      {concat({line, with(line, 10, 0)}), 1, at84 + "registro C sin puntos"},
      {concat({line, with(text, 10, 1)}), 1,
       at84 + "registro T de 1 puntos, sin sitio para el texto"},
      {concat({line, with(text, 71, 'L')}), 1, at84 + "texto sin NUL en sus 1 huecos"},
  };
  for (const auto& c : cases) {
    int records = -1;
    EXPECT_EQ(c.problem, readAll(c.bytes, records));
    EXPECT_EQ(c.records, records) << c.problem;
  }
}

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
