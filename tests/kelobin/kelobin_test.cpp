// kelobin on a BIN file that dgnbin wrote from a drawing of every element
// type: the report, the dump, the GeoJSON, the picture, and bad input.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/conversion.h"

using namespace dgntest;

namespace {

const char kTable[] =
    "LIN 1 0 0 0 0 0 \"\" 1.0 0\n"
    "STR 2 0 0 0 0 0 \"\" 1.0 0\n"
    "CUR 3 0 0 0 0 0 \"\" 1.0 0\n"
    "CON 4 0 0 0 0 0 \"\" 1.0 0\n"
    "TXT 5 0 0 0 0 0 \"\" 1.0 0\n"
    "CEL 0 0 0 0 0 0 \"ARBOL\" 1.0 0\n"
    "CHN 6 0 0 0 0 0 \"\" 1.0 0\n";

// Records, in order: LIN line (2 points, 1 item), STR line string (3) and
// shape (5), a line on level 9, which has no row (2), CUR curve (3 of its 7
// vertices), CON arc (12) and ellipse (33), TXT text, CEL cell (1), CHN two
// chain components (2 each), another line on level 9 (2): 11 C records of
// 67 points, 1 T; records 3 and 11 are "nuevo".
// Coordinates truncate toward zero after adding 0.00001: -500 becomes -499.
DesignFile everyElementType() {
  DesignFile d(2);
  const std::vector<int32_t> upright = {214748, 0, 0, 214748};
  d.add(withItem(onLevel(line(2, 0, 0, 0, 1000, 0, 0), 1), 5, 101))
      .add(onLevel(lineString(2, {{0, 100, 0}, {500, 600, 0}, {1000, 100, 0}}), 2))
      .add(onLevel(shape(2, {{0, 0, 0}, {0, 900, 0}, {900, 900, 0}, {900, 0, 0}, {0, 0, 0}}), 2))
      .add(onLevel(line(2, -500, -700, 0, 12000, 9000, 0), 9))
      .add(onLevel(curve(2, {{0, 0, 0},
                             {100, 0, 0},
                             {200, 50, 0},
                             {300, 0, 0},
                             {400, 50, 0},
                             {500, 0, 0},
                             {600, 0, 0}}),
                   3))
      .add(onLevel(arc(2, 0, sweepSignMagnitude(32400000), 200, 200, {0}, {500, 500, 0}), 4))
      .add(onLevel(ellipse(2, 100, 100, {0}, {300, 300, 0}), 4))
      .add(onLevel(text(2, 1, 0, 50000, {0}, {200, 700, 0}, "CA\xD1O"), 5))
      .add(onLevel(cellHeader(2, "ARBOL", upright, {800, 800, 0}), 7))
      .add(onLevel(complexHeader(12, 2), 6))
      .add(asComponent(onLevel(lineString(2, {{0, 0, 0}, {10, 10, 0}}), 6)))
      .add(asComponent(onLevel(lineString(2, {{10, 10, 0}, {20, 0, 0}}), 6)))
      .add(onLevel(line(2, 0, 0, 0, 10, 10, 0), 9));
  return d;
}

class KelobinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.writeFile("in.dgn", everyElementType().bytes());
    dir_.writeFile("DGNBIN.TAB", std::string(kTable));
    ASSERT_EQ(0, runProgram(dir_.path(), {"out in 1 0 0 0 0 0"}).exitStatus);
    bin_ = dir_.file("out.bin");
  }
  TempDir dir_;
  std::string bin_;
};

// Elements with their attributes, in document order; false when a tag is
// left open or closed out of turn.
struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  size_t end;  // where the start tag ends
};
bool parseXml(const std::string& xml, std::vector<XmlElement>& elements) {
  std::vector<std::string> open;
  for (size_t i = xml.find('<'); i != std::string::npos; i = xml.find('<', i + 1)) {
    if (xml.compare(i, 2, "<?") == 0) continue;
    size_t end = xml.find('>', i);
    if (end == std::string::npos) return false;
    if (xml[i + 1] == '/') {
      if (open.empty() || xml.compare(i + 2, end - i - 2, open.back()) != 0) return false;
      open.pop_back();
      continue;
    }
    XmlElement e{"", {}, end + 1};
    size_t at = xml.find_first_of(" />", i);
    e.name = xml.substr(i + 1, at - i - 1);
    while (xml[at] == ' ') {
      size_t equals = xml.find("=\"", at), close = xml.find('"', equals + 2);
      e.attributes[xml.substr(at + 1, equals - at - 1)] =
          xml.substr(equals + 2, close - equals - 2);
      at = close + 1;
    }
    if (xml[end - 1] != '/') open.push_back(e.name);
    elements.push_back(e);
  }
  return open.empty();
}

}  // namespace

TEST_F(KelobinTest, InfoCountsEveryRecord) {
  ProgramResult run = runKelobin({"info", bin_});
  EXPECT_EQ(0, run.exitStatus) << run.err;
  EXPECT_EQ("fichero: " + bin_ +
                "\n"
                "registros: 12 (C 11, T 1)\n"
                "puntos: 67 en los registros C\n"
                "atributos: 1\n"
                "extension: x -499 a 12000, y -699 a 9000, z 0 a 0\n"
                "registros por codigo:\n"
                "  nuevo    2\n  CHN      2\n  CON      2\n  STR      2\n"
                "  CEL      1\n  CUR      1\n  LIN      1\n  TXT      1\n"
                "estructura: correcta, 1416 bytes\n",
            run.out);
}

TEST_F(KelobinTest, DumpShowsEachRecordAndItsBytes) {
  ProgramResult run = runKelobin({"dump", bin_, "--hex"});
  EXPECT_EQ(0, run.exitStatus) << run.err;
  std::string bytes;  // hexDump's rows, indented
  for (char c : hexDump(binPointRecord("LIN", {{0, 0, 0}, {1000, 0, 0}}, {{5, 101, ""}}))) {
    if (bytes.empty() || bytes.back() == '\n') bytes += "  ";
    bytes += c;
  }
  EXPECT_EQ(0u, run.out.find("registro 0 en el byte 0: C \"LIN\", puntos 2, atributos 1\n"
                             "  caja: x 0 a 1000, y 0 a 0, z 0 a 0\n"
                             "  campos de texto: altura 0, justificacion 0, angulo 0\n"
                             "  punto 0 0 0\n"
                             "  punto 1000 0 0\n"
                             "  atributo 5: valor 101, texto \"\"\n" +
                             bytes + "registro 1 en el byte 84: C \"STR\", puntos 3"))
      << run.out;
  EXPECT_NE(std::string::npos, run.out.find("  texto \"CA\xC3\x91O\"\n"));  // Latin-1 read
}

TEST_F(KelobinTest, GeojsonOpensInGdal) {
  if (runTool("ogrinfo", {"--version"}).exitStatus != 0) GTEST_SKIP() << "no ogrinfo here";
  ProgramResult run = runKelobin({"geojson", bin_, "--scale", "100", "--crs", "EPSG:25830"});
  ASSERT_EQ(0, run.exitStatus) << run.err;
  EXPECT_EQ("", run.err);
  dir_.writeFile("out.geojson", run.out);
  ProgramResult gdal = runTool("ogrinfo", {"-al", dir_.file("out.geojson")});
  EXPECT_NE(std::string::npos, gdal.out.find("Feature Count: 12")) << gdal.out << gdal.err;
  EXPECT_NE(std::string::npos, gdal.out.find("ID[\"EPSG\",25830]"));
  EXPECT_NE(std::string::npos, gdal.out.find("OGRFeature(out):0\n"
                                             "  kind (String) = C\n"
                                             "  code (String) = LIN\n"
                                             "  record (Integer) = 0\n"
                                             "  item_5 (Integer) = 101\n"));
  EXPECT_NE(std::string::npos, gdal.out.find("LINESTRING (0 0,10 0)\n"));
  EXPECT_NE(std::string::npos, gdal.out.find("LINESTRING (-4.99 -6.99,120 90)\n"));
  EXPECT_NE(std::string::npos, gdal.out.find("text (String) = CA\xC3\x91O\n"));
}

// Once any point has a height every point gets one; a code met twice in a
// record gets a second name; texts that are not UTF-8 are read as Latin-1.
TEST(KelobinGeojson, HeightsItemsAndTexts) {
  TempDir dir;
  const Box box = {0, 0, 0, 0, 0, 0, 250, 8, 4550};
  dir.writeFile("z.bin",
                concat({binPointRecord("A", {{0, 0, 0}, {1, -3, 5}}, {{7, 0, "x\"y"}, {7, 9, ""}}),
                        binTextRecord("B", box, {2, 2, 0}, "\xE1", {})}));
  ProgramResult run = runKelobin({"geojson", dir.file("z.bin"), "--scale", "4"});
  EXPECT_NE(std::string::npos, run.err.find("sin --crs los programas GIS toman las coordenadas "
                                            "como WGS 84"));
  EXPECT_EQ(
      "{\"type\":\"FeatureCollection\",\n\"features\":[\n"
      "{\"type\":\"Feature\",\"properties\":{\"kind\":\"C\",\"code\":\"A\",\"record\":0,"
      "\"item_7\":\"x\\\"y\",\"item_7_2\":9},\"geometry\":{\"type\":\"LineString\","
      "\"coordinates\":[[0,0,0],[0.25,-0.75,1.25]]}},\n"
      "{\"type\":\"Feature\",\"properties\":{\"kind\":\"T\",\"code\":\"B\",\"record\":1,"
      "\"text\":\"\xC3\xA1\",\"height\":62.5,\"angle\":45.5,\"justification\":8},"
      "\"geometry\":{\"type\":\"Point\",\"coordinates\":[0.5,0.5,0]}}\n]}\n",
      run.out);
}

TEST_F(KelobinTest, SvgDrawsEveryRecordAndNuevoLastInRed) {
  ProgramResult run = runKelobin({"svg", bin_, "--width", "400"});
  ASSERT_EQ(0, run.exitStatus) << run.err;
  std::vector<XmlElement> elements;
  ASSERT_TRUE(parseXml(run.out, elements)) << run.out;
  std::vector<int> drawn;
  for (const XmlElement& e : elements) {
    auto record = e.attributes.find("data-record");
    if (record == e.attributes.end()) continue;
    drawn.push_back(std::stoi(record->second));
    bool red =
        (e.name == "polyline" ? e.attributes.at("stroke") : e.attributes.at("fill")) == "#e00000";
    EXPECT_EQ(drawn.back() == 3 || drawn.back() == 11, red) << e.name << " " << drawn.back();
    if (e.name == "text") {
      EXPECT_EQ(0, run.out.compare(e.end, 6, "CA\xC3\x91O<"));
    }
  }
  EXPECT_EQ((std::vector<int>{0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 3, 11}), drawn);
}

TEST_F(KelobinTest, BadInputNamesTheFileAndTheRecord) {
  Bytes bin = dir_.readFile("out.bin");
  dir_.writeFile("cut.bin", Bytes(bin.begin(), bin.begin() + 300));  // inside record 3
  dir_.writeFile("noise.bin", std::string("GIF89a\x01\x02 not a BIN file"));
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{"info", dir_.file("cut.bin")},
       1,
       "registros: 3 (C 3, T 0)",
       dir_.file("cut.bin") + " no es un fichero BIN: registro imposible 3 en el byte 276: 2 "
                              "puntos y 0 atributos piden 72 bytes y el fichero termina a los 24"},
      {{"geojson", dir_.file("noise.bin")},
       1,
       "",
       dir_.file("noise.bin") + " no es un fichero BIN: registro imposible 0 en el byte 0: tipo "
                                "0x47, no es C ni T"},
      {{"svg", dir_.file("none.bin")}, 1, "", "no puedo abrir " + dir_.file("none.bin")},
      {{"dump", bin_, "--scale", "2"}, 2, "", "opcion desconocida para esta orden: --scale"},
  };
  for (const auto& c : cases) {
    ProgramResult run = runKelobin(c.args);
    EXPECT_EQ(c.status, run.exitStatus) << c.err;
    EXPECT_NE(std::string::npos, run.err.find(c.err)) << run.err;
    if (c.out.empty()) {
      EXPECT_EQ("", run.out);
    }
    EXPECT_NE(std::string::npos, run.out.find(c.out)) << run.out;
  }
}
