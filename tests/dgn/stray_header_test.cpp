// Complex chain headers that carry the complex bit themselves, as some
// writers store every chain: such a chain must not be lost.
#include <gtest/gtest.h>

#include "translate/translate_fixture.h"

using namespace dgntest;
using namespace translate_test;

namespace {

const char kTable[] = "000001 1 0 0 0\n000002 2 0 0 0\n000003 3 0 0 0\n";

Element chainHeader() { return component(onLevel(complexHeader(12, 0, 2), 1)); }

}  // namespace

TEST(StrayHeader, ChainWhoseHeaderCarriesTheComplexBitIsJoined) {
  DesignFile d(2);
  d.add(chainHeader());
  d.add(component(onLevel(line(2, 0, 0, 0, 100, 0, 0), 2)));
  d.add(component(onLevel(line(2, 100, 0, 0, 100, 50, 0), 2)));
  Conversion c = convert(d, kTable, 0, 0, 2);
  ASSERT_EQ(c.exitStatus, 0);
  // Mode 2: only the joined record, coded by the header's level.
  EXPECT_TRUE(sameBytes(binPointRecord("000001", {{0, 0, 0}, {100, 0, 0}, {100, 50, 0}}, {}),
                        c.bin));
}

TEST(StrayHeader, OtherComponentsBeforeAnyHeaderAreStillSkipped) {
  DesignFile d(2);
  d.add(component(onLevel(line(2, 0, 0, 0, 100, 0, 0), 2)));
  d.add(onLevel(line(2, 5, 5, 0, 9, 9, 0), 3));
  Conversion c = convert(d, kTable, 0, 0, 0);
  ASSERT_EQ(c.exitStatus, 0);
  EXPECT_TRUE(sameBytes(binPointRecord("000003", {{5, 5, 0}, {9, 9, 0}}, {}), c.bin));
}

TEST(StrayHeader, ChainInsideACellKeptWholeIsPassedOver) {
  const int32_t upright[4] = {214748, 0, 0, 214748};
  DesignFile d(2);
  d.add(onLevel(cellHeader2D("POSTE", upright, 700, 800), 3));
  d.add(chainHeader());
  d.add(component(onLevel(line(2, 0, 0, 0, 100, 0, 0), 2)));
  std::string table = std::string(kTable) + "000009 0 0 0 0 0 0 POSTE 1 0\n";
  Conversion c = convert(d, table, 0, 0, 1);
  ASSERT_EQ(c.exitStatus, 0);
  // The cell becomes a point; its chain and the chain's line are its own
  // components and are skipped with it.
  EXPECT_TRUE(sameBytes(binPointRecord("000009", {{700, 800, 0}}, {}), c.bin));
}
