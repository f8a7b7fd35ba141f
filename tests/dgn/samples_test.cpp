// Design files written by another program: the converter must read them
// whole, element for element.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/conversion.h"

using namespace dgntest;

namespace {

// The samples live beside the project, not in it. A checkout without them
// skips these tests, except in CI, where they must run.
bool samplesMissing() {
  if (access(DGNBIN_SAMPLES_DIR, R_OK) == 0) return false;
  return getenv("CI") == nullptr;
}

void copySample(const TempDir& dir, const std::string& name) {
  dir.writeFile(name, readFile(std::string(DGNBIN_SAMPLES_DIR) + "/" + name));
}

size_t countLines(const std::string& text) {
  size_t lines = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
    ++lines;
  }
  return lines;
}

}  // namespace

// 40 polygons, 30 line strings and 15 labels, 100 units per metre.
TEST(SampleFiles, ParcelsConvertElementForElement) {
  if (samplesMissing()) GTEST_SKIP() << "no samples beside the project";
  TempDir dir;
  copySample(dir, "parcelas.dgn");
  dir.writeFile("DGNBIN.TAB", "/ no rows: every element is listed\n");
  ProgramResult run = runProgram(dir.path(), {"out parcelas 1 0 0 0 0 1"});
  ASSERT_EQ(run.exitStatus, 0) << run.out;
  EXPECT_NE(run.out.find("Fichero DGN en 2D\n"), std::string::npos);
  EXPECT_NE(run.out.find("Final del fichero DGN\n"), std::string::npos);

  std::vector<BinRecord> records = parseBin(dir.readFile("out.bin"));
  ASSERT_EQ(records.size(), 85u);
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].kind, i < 70 ? 'C' : 'T') << i;
    EXPECT_EQ(records[i].code, "nuevo") << i;
    EXPECT_EQ(records[i].items.size(), 1u) << "each element carries one linkage item, " << i;
  }
  // POLYGON ((43445 20772,44453 20772,44453 22305,43445 22305,43445 20772)):
  // metres times 100 units, factor 1.
  std::vector<std::array<int32_t, 3>> first = {{4344500, 2077200, 0},
                                               {4445300, 2077200, 0},
                                               {4445300, 2230500, 0},
                                               {4344500, 2230500, 0},
                                               {4344500, 2077200, 0}};
  EXPECT_EQ(records[0].points, first);
  EXPECT_EQ(records[0].box[0], 4344500);
  EXPECT_EQ(records[0].box[4], 2230500);

  // POINT (32252 15346), LABEL a:30: the first label, at its origin.
  const BinRecord& label = records[70];
  ASSERT_FALSE(label.points.empty());
  EXPECT_EQ(label.points[0], (std::array<int32_t, 3>{3225200, 1534600, 0}));
  EXPECT_EQ(label.box[8], 3000);
  EXPECT_NE(label.text.find("Parcela 0"), std::string::npos) << label.text;

  // Header line and one line per element without a row.
  EXPECT_EQ(countLines(dir.readText("parcelas.ERR")), 1u + 85u);
}

// Six 3D contour lines; those longer than the writer's element limit are
// complex chains whose headers carry the complex bit themselves.
TEST(SampleFiles, ContourChainsAreJoinedNotLost) {
  if (samplesMissing()) GTEST_SKIP() << "no samples beside the project";
  TempDir dir;
  copySample(dir, "curvas3d.dgn");
  dir.writeFile("DGNBIN.TAB", "");
  ProgramResult run = runProgram(dir.path(), {"out curvas3d 10 0 0 0 0 2"});
  ASSERT_EQ(run.exitStatus, 0) << run.out;
  EXPECT_NE(run.out.find("Fichero DGN en 3D\n"), std::string::npos);

  std::vector<BinRecord> records = parseBin(dir.readFile("out.bin"));
  ASSERT_EQ(records.size(), 6u) << "mode 2 writes one joined record per contour";
  // Vertex counts and ends of the contours in curvas.csv; 1000 units per
  // metre and factor 10 give 10000 KELO units per metre.
  const size_t vertices[6] = {150, 60, 60, 150, 150, 60};
  const std::array<int32_t, 3> starts[6] = {
      {533730000, 202370000, 0},       {462060000, 558530000, 1000000},
      {267920000, 778280000, 2000000}, {453770000, 319900000, 3000000},
      {508980000, 254970000, 4000000}, {565950000, 629920000, 5000000}};
  const std::array<int32_t, 3> ends[6] = {
      {532770000, 200630000, 0},       {459430000, 553670000, 1000000},
      {265360000, 773540000, 2000000}, {453300000, 319060000, 3000000},
      {507610000, 252500000, 4000000}, {563890000, 626110000, 5000000}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(records[i].kind, 'C');
    ASSERT_EQ(records[i].points.size(), vertices[i]) << "contour " << i;
    EXPECT_EQ(records[i].points.front(), starts[i]) << "contour " << i;
    EXPECT_EQ(records[i].points.back(), ends[i]) << "contour " << i;
  }
}

// Polygons with holes as GDAL writes them: cells whose outer ring (a complex
// shape when it has over 101 vertices) and holes are all components. With
// the cells decomposed, mode 2 writes one record per feature GDAL lists: 37.
TEST(SampleFiles, HolesAreNotJoinedToTheirRing) {
  if (samplesMissing()) GTEST_SKIP() << "no samples beside the project";
  TempDir dir;
  copySample(dir, "huecos.dgn");
  dir.writeFile("DGNBIN.TAB", "");
  ASSERT_EQ(runProgram(dir.path(), {"out huecos 10 1 0 0 0 2"}).exitStatus, 0);
  EXPECT_EQ(parseBin(dir.readFile("out.bin")).size(), 37u);
}
