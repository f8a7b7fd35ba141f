// Number words read as glibc's atoi and strtod read them: the Windows
// programs read them with the same function, so this is what both give.
#include <errno.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include "platform/number_words.h"

TEST(NumberWords, ReadAsGlibcReadsThem) {
  const char* const words[] = {
      "nan", "-nan", "NaN(123)", "nan(0x7fff)", "nan(017)", "nan(08)", "nan(abc)", "nan(abc",
      "nan()", "nan(99999999999999999999)", "inf", "-INF", "infinity", "infinit", "0x1A",
      "0x1.8p1", "0x", "1e1", "1e", "1e400", "-1e-400", "0,1", " \t\v\f\r12.5x", "+.5", ".",
      "-.e1", "-", "+-1", "", "99", "4294967297", "-2147483649", "99999999999999999999",
      "-9223372036854775808", "-9223372036854775809", "9223372036854775807", "0006", " -7 "};
  for (const char* word : words) {
    SCOPED_TRACE(word);
    char* glibcEnd = nullptr;
    const double glibc = strtod(word, &glibcEnd);
    const char* end = nullptr;
    const double own = readReal(word, &end);
    EXPECT_EQ(memcmp(&own, &glibc, sizeof own), 0) << own << " " << glibc;
    EXPECT_EQ(end, glibcEnd);
    EXPECT_EQ(readInteger(word), atoi(word));
    errno = 0;
    const long wide = strtol(word, &glibcEnd, 10);
    bool overflow = false;
    EXPECT_EQ(readWholeNumber(word, &end, &overflow), wide);
    EXPECT_EQ(end, glibcEnd);
    EXPECT_EQ(overflow, errno == ERANGE);
  }
}
