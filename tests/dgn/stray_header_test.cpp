// Complex chain headers that carry the complex bit themselves, as some
// writers store every chain: such a chain must not be lost.
#include <gtest/gtest.h>

#include "support/conversion.h"

using namespace dgntest;

namespace {
const char kTable[] = "000001 1 0 0 0\n000002 2 0 0 0\n000003 3 0 0 0\n";

Element strayHeader() { return asComponent(onLevel(complexHeader(12, 0, 2), 1)); }
Element lineOn(int level, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return onLevel(line(2, x1, y1, 0, x2, y2, 0), level);
}
}  // namespace

// Mode 2 gives only the joined record, coded by the header's level. Inside a
// cell kept whole (a point) the chain and its line are skipped with the cell.
TEST(StrayHeader, ChainIsJoinedUnlessInsideACell) {
  DesignFile d(2);
  d.add(strayHeader())
      .add(asComponent(lineOn(2, 0, 0, 100, 0)))
      .add(asComponent(lineOn(2, 100, 0, 100, 50)));
  EXPECT_TRUE(sameBytes(binPointRecord("000001", {{0, 0, 0}, {100, 0, 0}, {100, 50, 0}}, {}),
                        convert(d, kTable, settings(0, 0, 2)).bin));
  const int32_t upright[4] = {214748, 0, 0, 214748};
  DesignFile cell(2);
  cell.add(onLevel(cellHeader2D("POSTE", upright, 700, 800), 3))
      .add(strayHeader())
      .add(asComponent(lineOn(2, 0, 0, 100, 0)));
  const std::string table = std::string(kTable) + "000009 0 0 0 0 0 0 POSTE 1 0\n";
  EXPECT_TRUE(sameBytes(binPointRecord("000009", {{700, 800, 0}}, {}),
                        convert(cell, table, settings(0, 0, 1)).bin));
}
