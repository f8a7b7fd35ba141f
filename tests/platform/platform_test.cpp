// The text-mode emulation and the buffered file handles.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_sink.h"
#include "platform/file_source.h"
#include "platform/platform.h"
#include "support/program_run.h"

using dgntest::TempDir;

TEST(TextMode, EveryLineFeedIsStoredAsCrLf) {
  TempDir dir;
  FILE* f = fopen(dir.file("t.ERR").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  const std::string text = "NIVEL\n\nA\nB";
  EXPECT_TRUE(writeTextMode(f, text.data(), text.size()));
  EXPECT_TRUE(writeTextMode(f, "\n", 1));
  fclose(f);
  EXPECT_EQ(dir.readText("t.ERR"), "NIVEL\r\n\r\nA\r\nB\r\n");
}

TEST(TextMode, LinesDropTheCrBeforeTheirLf) {
  TempDir dir;
  // A lone CR stays; a CR LF split by the length limit still reads as one
  // line end; the last line may lack its line end.
  dir.writeFile("t.TAB", std::string("ab\r\ncd\re\r\n") + std::string(4, 'x') + "\r\nlast");
  FILE* f = fopen(dir.file("t.TAB").c_str(), "r");
  ASSERT_NE(f, nullptr);
  char line[16];
  std::vector<std::string> lines;
  while (readTextLine(line, 6, f) != nullptr) lines.push_back(line);
  fclose(f);
  std::vector<std::string> expected = {"ab\n", "cd\re\n", "xxxx\n", "last"};
  EXPECT_EQ(lines, expected);
}

TEST(FileSink, GathersWritesAndReportsFailures) {
  TempDir dir;
  int fd = open(dir.file("o.bin").c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  FileSink sink;
  sink.attach(fd);
  std::vector<unsigned char> big(200000, 0x5A);
  EXPECT_TRUE(sink.append("ab", 2));
  EXPECT_TRUE(sink.append(big.data(), big.size()));
  EXPECT_TRUE(sink.append("z", 1));
  EXPECT_TRUE(sink.flush());
  close(fd);
  std::vector<uint8_t> written = dir.readFile("o.bin");
  ASSERT_EQ(written.size(), 200003u);
  EXPECT_EQ(written[0], 'a');
  EXPECT_EQ(written[2], 0x5A);
  EXPECT_EQ(written.back(), 'z');

  // A handle that cannot be written: the failure sticks.
  int readOnly = open(dir.file("o.bin").c_str(), O_RDONLY);
  sink.attach(readOnly);
  EXPECT_TRUE(sink.append("x", 1));  // only gathered so far
  EXPECT_FALSE(sink.flush());
  EXPECT_FALSE(sink.append("y", 1));
  EXPECT_TRUE(sink.failed());
  close(readOnly);
}

TEST(FileSource, ReadsAcrossItsBufferAndStopsAtTheEnd) {
  TempDir dir;
  std::vector<uint8_t> bytes(70000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  dir.writeFile("d.dgn", bytes);
  int fd = open(dir.file("d.dgn").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  FileSource source;
  source.attach(fd);
  std::vector<uint8_t> got(70000);
  EXPECT_EQ(source.read(got.data(), 4), 4);
  EXPECT_EQ(source.read(got.data() + 4, 65600), 65600);
  EXPECT_EQ(source.read(got.data() + 65604, 10000), 70000 - 65604);
  EXPECT_EQ(got, bytes);
  EXPECT_EQ(source.read(got.data(), 4), 0);
  close(fd);

  FileSource broken;
  broken.attach(-1);
  EXPECT_EQ(broken.read(got.data(), 4), -1);
}
