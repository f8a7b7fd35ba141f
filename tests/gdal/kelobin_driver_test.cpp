// The KELOBIN plugin of this build through GDAL's own programs, on BIN files
// that dgnbin wrote from drawings: every record as kelobin's GeoJSON has it,
// the layers the project's reader puts it in, the open options, filters,
// reading by FID and files it must not open.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <set>
#include <sstream>

#include "bin/record_reader.h"
#include "support/conversion.h"

using namespace dgntest;

namespace {

class KelobinDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("GDAL_DRIVER_PATH", KELOBIN_PLUGIN_DIR, 1);
    if (runTool("ogrinfo", {"--version"}).exitStatus != 0) GTEST_SKIP() << "no ogrinfo here";
  }
  // plano2d.bin and plano3d.bin from the bundled examples, and mixed.bin.
  void convertExamples() {
    for (const char* name : {"DGNBIN.TAB", "plano2d.dgn", "plano3d.dgn"}) {
      dir_.writeFile(name, readFile(std::string(DGNBIN_SOURCE_DIR) + "/examples/" + name));
    }
    ASSERT_EQ(0, runProgram(dir_.path(), {"plano2d plano2d 1 0 0 0 0 1"}).exitStatus);
    ASSERT_EQ(0, runProgram(dir_.path(), {"plano3d plano3d 10 0 0 0 0 1"}).exitStatus);
    // A Latin-1 text, a cell as a point, an item code met twice in one
    // element, and item 1 as a text (from code 2) and as a number.
    DesignFile d(2);
    d.add(withItem(text(2, 1, 0, 50000, {0}, {200, 700, 0}, "CA\xD1O"), 1, 5))
        .add(cellHeader(2, "FAROLA", {214748, 0, 0, 214748}, {805, 800, 0}))
        .add(withLinkages(line(2, 0, 0, 0, 1000, 0, 0), {linkage1007(7, 1), linkage1007(7, 2)}))
        .add(
            withItem(shape(2, {{0, 0, 0}, {0, 90, 0}, {90, 90, 0}, {90, 0, 0}, {0, 0, 0}}), 2, 47));
    dir_.writeFile("mixed.dgn", d.bytes());
    ASSERT_EQ(0, runProgram(dir_.path(), {"mixed mixed 1 0 0 0 0 0"}).exitStatus);
  }
  ProgramResult ogrinfo(const std::vector<std::string>& args) {
    ProgramResult run = runTool("ogrinfo", args);
    EXPECT_LT(run.exitStatus, 128) << "ogrinfo ended by a signal";
    return run;
  }
  TempDir dir_;
};

// ogrinfo's features by FID: the layer and the lines of each, numbers by
// value so that an Integer 3 equals a Real 3.0, null fields left out as unset.
using Features = std::map<long, std::pair<std::string, std::set<std::string>>>;
Features features(const std::string& dump) {
  Features out;
  std::istringstream in(dump);
  std::string line;
  auto f = out.end();
  while (std::getline(in, line)) {
    size_t close = line.find("):"), type = line.find(" ("), value = line.find(") = ");
    if (line.compare(0, 11, "OGRFeature(") == 0) {
      f = out.insert({std::stol(line.substr(close + 2)), {line.substr(11, close - 11), {}}}).first;
    } else if (f != out.end() && line.compare(0, 2, "  ") == 0) {
      if (value != std::string::npos) {
        std::string kind = line.substr(type + 2, value - type - 2), v = line.substr(value + 4);
        if (v == "(null)") continue;
        if (kind == "Integer" || kind == "Real") {
          char number[32];
          snprintf(number, sizeof number, "%.17g", std::stod(v));
          v = number;
        }
        line = line.substr(0, type) + " = " + v;
      }
      f->second.second.insert(line);
    }
  }
  return out;
}

std::vector<long> keys(const Features& features) {
  std::vector<long> out;
  for (const auto& f : features) out.push_back(f.first);
  return out;
}

}  // namespace

TEST_F(KelobinDriver, EveryRecordAsTheGeojsonHasItInTheLayerOfItsKind) {
  convertExamples();
  const struct {
    const char* bin;
    const char* scale;
  } files[] = {{"plano2d", "100"}, {"plano3d", "1"}, {"mixed", "1"}};
  for (const auto& f : files) {
    const std::string bin = dir_.file(std::string(f.bin) + ".bin");
    ProgramResult json = runKelobin({"geojson", bin, "--scale", f.scale});
    dir_.writeFile("out.geojson", json.out);
    auto expected = features(ogrinfo({"-q", "-al", dir_.file("out.geojson")}).out);
    ProgramResult driver = ogrinfo({"-q", "-al", "-oo", std::string("SCALE=") + f.scale, bin});
    EXPECT_EQ("", driver.err);  // ogrinfo asks for update first: declined silently
    Features got = features(driver.out);
    // The project's reader decides each record's layer.
    FILE* file = fopen(bin.c_str(), "rb");
    RecordReader reader;
    reader.attach(file);
    for (RecordView r; reader.next(r) == kRecordRead;) {
      std::string& layer = got[static_cast<long>(r.index)].first;
      const char* const kLayers[] = {"points", "lines", "texts"};
      EXPECT_EQ(kLayers[r.header.kind == 'T' ? 2 : r.coordinateCount() > 1], layer) << r.index;
      layer = "out";
    }
    fclose(file);
    EXPECT_EQ(expected, got) << f.bin;
  }
  // Types from the whole file; Z only in 3D; GeoPackage holds it all.
  const std::string schema = ogrinfo({"-so", "-al", dir_.file("mixed.bin")}).out;
  for (const char* field :
       {"record: Integer", "item_1: String", "item_7: Integer", "item_7_2: Integer", "height: Real",
        "justification: Integer", "Geometry: Line String\n"}) {
    EXPECT_NE(std::string::npos, schema.find(field)) << field << schema;
  }
  EXPECT_NE(std::string::npos,
            ogrinfo({"-so", "-al", dir_.file("plano3d.bin")}).out.find("Geometry: 3D Line String"));
  ASSERT_EQ(0, runTool("ogr2ogr", {"-f", "GPKG", "-preserve_fid", dir_.file("out.gpkg"),
                                   dir_.file("mixed.bin")})
                   .exitStatus);
  EXPECT_EQ(features(ogrinfo({"-q", "-al", dir_.file("mixed.bin")}).out),
            features(ogrinfo({"-q", "-al", dir_.file("out.gpkg")}).out));
}

TEST_F(KelobinDriver, OpenOptionsPolygonsAndFilters) {
  convertExamples();
  const std::string bin = dir_.file("plano2d.bin");
  // Closed lines of 4 points or more leave the lines for the polygons.
  auto lines = features(ogrinfo({"-q", "-al", bin}).out);
  auto polygons = features(ogrinfo({"-q", "-al", "-oo", "POLYGONS=YES", bin}).out);
  int moved = 0;
  for (auto& f : polygons) {
    if (f.second.first != "polygons") continue;
    ++moved;
    std::string wkt = *f.second.second.begin();  // "  POLYGON ((...))" sorts first
    f.second.second.erase(wkt);
    f.second.second.insert("  LINESTRING " + wkt.substr(11, wkt.size() - 12));
    f.second.first = "lines";
  }
  EXPECT_EQ(3, moved);  // two shapes and an ellipse
  EXPECT_EQ(lines, polygons);

  const std::string cm =
      ogrinfo({"-so", "-al", "-oo", "UNITS=CM", "-oo", "CRS=EPSG:25830", bin}).out;
  EXPECT_EQ(cm, ogrinfo({"-so", "-al", "-oo", "SCALE=100", "-oo", "CRS=EPSG:25830", bin}).out);
  EXPECT_NE(std::string::npos, cm.find("(1000.000000, 2000.000000) - (1600.000000, 2250.000000)"));
  EXPECT_NE(std::string::npos, cm.find("ID[\"EPSG\",25830]"));
  const std::string plain = ogrinfo({"-so", "-al", bin}).out;
  EXPECT_NE(std::string::npos,
            plain.find("Feature Count: 12\nExtent: (100000.000000, 200000.000000)"
                       " - (160000.000000, 225000.000000)\nLayer SRS WKT:\n"
                       "(unknown)"));
  EXPECT_NE(std::string::npos, ogrinfo({"-so", "-oo", "UNITS=MM", "-oo", "SCALE=10", bin})
                                   .err.find("give SCALE or UNITS, not both"));

  // A box around the west end of the road edges, a code, a record by FID.
  auto spatial =
      features(ogrinfo({"-q", "-spat", "99000", "199500", "100500", "201500", bin, "lines"}).out);
  EXPECT_EQ((std::vector<long>{0, 1}), keys(spatial));
  const std::string where = ogrinfo({"-where", "code = '002200'", bin, "lines"}).out;
  EXPECT_EQ((std::vector<long>{4, 5, 6, 7}), keys(features(where)));  // 3 components, their chain
  EXPECT_NE(std::string::npos, where.find("Feature Count: 4\n"));
  const std::string byFid = ogrinfo({"-q", "-fid", "13", bin, "texts"}).out;
  EXPECT_NE(std::string::npos, byFid.find("OGRFeature(texts):13\n  record (Integer) = 13\n"));
  EXPECT_NE(std::string::npos, byFid.find("text (String) = CALLE MAYOR\n"));
  EXPECT_NE(std::string::npos,  // record 0 is a line
            ogrinfo({"-q", "-fid", "0", bin, "texts"}).out.find("Unable to locate feature id 0"));
}

TEST_F(KelobinDriver, RefusesWhatIsNoBinFileAndInstallsUnderItsPrefix) {
  convertExamples();
  Bytes bin = dir_.readFile("plano2d.bin");
  dir_.writeFile("cut.BIN", Bytes(bin.begin(), bin.begin() + 300));
  dir_.writeFile("empty.bin", Bytes());
  dir_.writeFile("noise.bin", std::string("GIF89a not a BIN file"));
  ProgramResult cut = ogrinfo({dir_.file("cut.BIN")});
  EXPECT_NE(0, cut.exitStatus);
  EXPECT_NE(std::string::npos, cut.err.find("impossible record 3 at byte 288")) << cut.err;
  for (const char* name : {"empty.bin", "noise.bin"}) {
    ProgramResult other = ogrinfo({dir_.file(name)});
    EXPECT_EQ(0u, other.out.find("FAILURE:\nUnable to open datasource")) << name << other.out;
  }
  TempDir prefix;
  const std::vector<std::string> install = {"--install", DGNBIN_BUILD_DIR, "--component",
                                            "gdal",      "--prefix",       prefix.path()};
  ASSERT_EQ(0, runProgram(prefix.path(), install, -1, DGNBIN_CMAKE).exitStatus);
  setenv("GDAL_DRIVER_PATH", prefix.file(DGNBIN_GDAL_PLUGIN_DIR).c_str(), 1);
  EXPECT_EQ(0, runTool("ogrinfo", {"--format", "KELOBIN"}).exitStatus);
}
