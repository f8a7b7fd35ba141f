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

TEST(Platform, TextModeAndBufferedHandles) {
  dgntest::TempDir dir;
  FILE* f = fopen(dir.file("t.ERR").c_str(), "wb");
  EXPECT_TRUE(writeTextMode(f, "NIVEL\n\nA\nB", 10) && writeTextMode(f, "\n", 1));  // LF: CR LF
  fclose(f);
  EXPECT_EQ(dir.readText("t.ERR"), "NIVEL\r\n\r\nA\r\nB\r\n");
  // A lone CR stays, a CR LF split by the length limit is one line end, the last needs none.
  dir.writeFile("t.TAB", std::string("ab\r\ncd\re\r\nxxxx\r\nlast"));
  f = fopen(dir.file("t.TAB").c_str(), "r");
  char line[16];
  std::vector<std::string> lines;
  while (readTextLine(line, 6, f) != nullptr) lines.push_back(line);
  fclose(f);
  EXPECT_EQ(lines, std::vector<std::string>({"ab\n", "cd\re\n", "xxxx\n", "last"}));

  // The buffered handles, across their 64 KiB buffers.
  std::vector<uint8_t> bytes(200003), got(200003);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  const int out = open(dir.file("o.bin").c_str(), O_WRONLY | O_CREAT, 0600);
  FileSink sink;
  sink.attach(out);
  EXPECT_TRUE(sink.append(bytes.data(), 2) && sink.append(bytes.data() + 2, 200000) &&
              sink.append(bytes.data() + 200002, 1) && sink.flush());
  close(out);
  const int fd = open(dir.file("o.bin").c_str(), O_RDONLY);
  FileSource source;
  source.attach(fd);
  EXPECT_EQ(source.read(got.data(), 4), 4);
  EXPECT_EQ(source.read(got.data() + 4, 65600), 65600);
  EXPECT_EQ(source.read(got.data() + 65604, 200000), 200003 - 65604);
  EXPECT_EQ(source.read(got.data(), 4), 0);
  EXPECT_EQ(got, bytes);
  // A handle that cannot be written: the flush fails and the failure sticks.
  sink.attach(fd);
  EXPECT_TRUE(sink.append("x", 1));
  EXPECT_FALSE(sink.flush() || sink.append("y", 1));
  EXPECT_TRUE(sink.failed());
  close(fd);
}
