// GDAL reads kelobin's GeoJSON as kelobin means it: the BIN file of the case
// kelobin/geojson-with-crs, whose GeoJSON that case checks byte for byte.
#include <gtest/gtest.h>

#include "support/program_run.h"

using namespace dgntest;

TEST(KelobinGeojson, OpensInGdal) {
  if (runTool("ogrinfo", {"--version"}).exitStatus != 0) GTEST_SKIP() << "no ogrinfo here";
  TempDir dir;
  const ProgramResult run = runKelobin(
      {"geojson", DGNBIN_SOURCE_DIR "/tests/cases/kelobin/geojson-with-crs/out/out.bin", "--scale",
       "100", "--crs", "EPSG:25830"});
  ASSERT_EQ(0, run.exitStatus) << run.err;
  dir.writeFile("out.geojson", run.out);
  const ProgramResult gdal = runTool("ogrinfo", {"-al", dir.file("out.geojson")});
  for (const char* said :
       {"Feature Count: 12", "ID[\"EPSG\",25830]",
        "OGRFeature(out):0\n  kind (String) = C\n  code (String) = LIN\n  record (Integer) = 0\n"
        "  item_5 (Integer) = 101\n",
        "LINESTRING (0 0,10 0)\n", "LINESTRING (-4.99 -6.99,120 90)\n",
        "text (String) = CA\xC3\x91O\n"}) {
    EXPECT_NE(std::string::npos, gdal.out.find(said)) << said << "\n" << gdal.out << gdal.err;
  }
}
