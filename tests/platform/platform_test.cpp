// The text-mode emulation.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>

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

}
