// A drawing that ends after a whole element without its end marker converts
// as it stands, and standard error says it may have been cut.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

TEST(MissingEndMarker, ConvertedWithAWarning) {
  DesignFile d(2);
  d.add(line(2, 5, 6, 0, 7, 8, 0));
  const Conversion c = convert(d, "LIN001 1 0 0 0 0 0 \"\" 1 0\n", "1 0 0 0 0 0", false);
  EXPECT_EQ(c.exitStatus, 0);
  EXPECT_EQ(c.console, consoleStart(2));
  EXPECT_TRUE(sameBytes(binPointRecord("LIN001", {{5, 6, 0}, {7, 8, 0}}, {}), c.bin));
  EXPECT_NE(c.err.find("dgnbin: in.dgn: termina en el byte 1588 sin la marca de fin; puede estar "
                       "cortado\n"),
            std::string::npos)
      << c.err;
}
