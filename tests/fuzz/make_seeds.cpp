// Writes the seed corpora of the fuzz targets with the element builder of the
// tests: small drawings of every element type in 2D and 3D with their
// settings and table rows, code tables, and the BIN files that conversions of
// some of those drawings leave. Run from the source folder:
//   build/release/dgnbin_fuzz_seeds tests/fuzz/corpus   (make fuzz-seeds)
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_targets.h"
#include "support/dgn_builder.h"

using namespace dgntest;

namespace {

using Row = std::array<uint8_t, kRowBytes>;

struct Settings {
  uint8_t factor = 0;  // "1"
  uint8_t claveCel = 0, claveGg = 0;
  uint8_t utm = 0;  // "0"
  uint8_t complexMode = 0;
};

// A row of the code table; `name`, `simb` and `alto` index the choice lists.
Row row(int level, int colour = 0, int font = 0, int group = 0, int name = 0, int simb = 0,
        int styleWeight = 0, int alto = 0) {
  return {static_cast<uint8_t>(level),  static_cast<uint8_t>(styleWeight),
          static_cast<uint8_t>(colour), static_cast<uint8_t>(font),
          static_cast<uint8_t>(group),  static_cast<uint8_t>(name),
          static_cast<uint8_t>(simb),   static_cast<uint8_t>(alto)};
}

Bytes conversionInput(const Settings& s, const std::vector<Row>& rows, const Bytes& design) {
  Bytes in = {s.factor, s.claveCel,    s.claveGg,
              s.utm,    s.complexMode, static_cast<uint8_t>(rows.size())};
  for (const Row& r : rows) in.insert(in.end(), r.begin(), r.end());
  in.insert(in.end(), design.begin(), design.end());
  return in;
}

struct Seed {
  std::string name;
  Bytes bytes;
};

Element on(Element e, int level, int colour = 0) { return withSymbology(e, level, 0, colour, 0); }

std::vector<int32_t> upright(int dim) {
  return dim == 3 ? std::vector<int32_t>{214748, 0, 0, 0, 214748, 0, 0, 0, 214748}
                  : std::vector<int32_t>{214748, 0, 0, 214748};
}

// One drawing per element type and dimension, each with a row that finds it.
void elementSeeds(int dim, std::vector<Seed>& out) {
  const std::string d = dim == 3 ? "_3d" : "_2d";
  const int32_t z = dim == 3 ? 500 : 0;
  const Settings plain;
  const std::vector<Row> byLevel = {row(1, 0), row(2, 3)};
  auto add = [&](const std::string& name, const Settings& s, const std::vector<Row>& rows,
                 const DesignFile& f) {
    out.push_back({name + d, conversionInput(s, rows, f.bytes())});
  };

  add("line", plain, byLevel,
      DesignFile(dim).add(
          withLinkages(line(dim, 1000, 2000, z, 3000, 2500, z), {linkage1007(5, 101)})));
  add("line_string", plain, byLevel,
      DesignFile(dim).add(
          withLinkages(lineString(dim, {{0, 0, z}, {100, 0, z}, {100, 80, 0}, {0, 80, z}}),
                       {linkage1003(1, 2, 3)})));
  add("shape", plain, byLevel,
      DesignFile(dim).add(
          on(shape(dim, {{0, 0, 0}, {50, 0, 0}, {50, 50, z}, {0, 50, 0}, {0, 0, 0}}), 2, 3)));
  add("curve", plain, byLevel,
      DesignFile(dim).add(
          curve(dim, {{0, 0, 0}, {10, 5, 0}, {20, 8, z}, {30, 9, 0}, {40, 7, 0}, {50, 4, 0}})));
  add("arc", plain, byLevel,
      DesignFile(dim).add(
          arc(dim, 0, sweepSignMagnitude(32400000), 300, 200, noTurn(dim), {500, 500, 10})));
  add("ellipse", plain, byLevel,
      DesignFile(dim).add(ellipse(dim, 150, 100, noTurn(dim), {800, 300, 20})));
  add("text", plain, {row(1, 0, 1, 0, 4)},
      DesignFile(dim).add(text(dim, 1, 7, 60000, noTurn(dim), {1200, 1900, z}, "CALLE MAYOR")));
  Settings symbols;
  add("cell_symbol", symbols, {row(1, 0, 0, 0, 1, 2)},
      DesignFile(dim).add(cellHeader(dim, "ARBOL", upright(dim), {400, 700, z})));
  Settings joined;
  joined.complexMode = 1;
  add("complex_chain", joined, byLevel,
      DesignFile(dim)
          .add(withLinkages(complexHeader(12, 2), {linkage1007(7, 9)}))
          .add(asComponent(lineString(dim, {{0, 0, z}, {100, 0, z}, {100, 100, z}})))
          .add(asComponent(line(dim, 100, 100, z, 0, 150, z))));
  add("text_node", plain, {row(1, 0, 2, 0, 2, 3)},
      DesignFile(dim)
          .add(textNode(2))
          .add(asComponent(text(dim, 2, 1, 30000, noTurn(dim), {10, 10, z}, "POZO")))
          .add(asComponent(text(dim, 2, 13, 30000, noTurn(dim), {10, 60, z}, "POZO 2"))));
}

// Drawings of the settings and of the rules between elements.
void ruleSeeds(std::vector<Seed>& out) {
  auto add = [&](const std::string& name, const Settings& s, const std::vector<Row>& rows,
                 const Bytes& design) {
    out.push_back({name, conversionInput(s, rows, design)});
  };
  const std::vector<Row> byLevel = {row(1), row(2, 3)};
  const std::vector<int32_t> m2 = upright(2);

  Settings shapeOnly;
  shapeOnly.complexMode = 2;
  add("complex_shape_mode2", shapeOnly, byLevel,
      DesignFile(2)
          .add(complexHeader(14, 3))
          .add(asComponent(line(2, 0, 0, 0, 100, 0, 0)))
          .add(asComponent(line(2, 100, 0, 0, 100, 100, 0)))
          .add(asComponent(line(2, 100, 100, 0, 0, 0, 0)))
          .add(line(2, 5, 5, 0, 6, 6, 0))
          .bytes());
  add("complex_chain_mode0", Settings(), byLevel,
      DesignFile(2)
          .add(withLinkages(complexHeader(12), {linkage1013(4, 5, 6, 12.34f, 7)}))
          .add(asComponent(lineString(2, {{0, 0, 0}, {10, 10, 0}})))
          .add(asComponent(arc(2, 0, sweepSignMagnitude(-9000000), 10, 10, {0}, {20, 10, 0})))
          .bytes());
  Settings decomposed;
  decomposed.claveCel = 1;
  decomposed.claveGg = 1;
  add("cell_decomposed_by_group", decomposed, {row(0, 0, 0, 44), row(0, 0, 0, 45, 0, 1)},
      DesignFile(2)
          .add(cellHeader(2, "FAROLA", m2, {50, 50, 0}))
          .add(asComponent(inGroup(line(2, 40, 40, 0, 60, 60, 0), 44)))
          .add(asComponent(inGroup(text(2, 1, 0, 20000, {0}, {50, 65, 0}, "F1"), 45)))
          .bytes());
  Settings cellsAsSymbols;
  cellsAsSymbols.claveCel = 2;
  add("cell_as_symbol", cellsAsSymbols, {row(1, 0, 0, 0, 5, 0)},
      DesignFile(3).add(cellHeader(3, "FAROLA", upright(3), {1, 2, 3})).bytes());
  add("text_as_point", Settings(), {row(1, 0, 3, 0, 3, 1)},
      DesignFile(2).add(text(2, 3, 0, 10000, {0}, {70, 80, 0}, "CALLE")).bytes());
  Element gone = line(2, 0, 0, 0, 9, 9, 0);
  gone.deletedBit = true;
  add("deleted", Settings(), byLevel,
      DesignFile(2).add(gone).add(line(2, 1, 1, 0, 2, 2, 0)).bytes());
  Bytes cut =
      DesignFile(2).add(line(2, 0, 0, 0, 5, 5, 0)).add(line(2, 5, 5, 0, 9, 0, 0)).bytes(false);
  cut.resize(cut.size() - 6);
  add("truncated", Settings(), byLevel, cut);
  Settings millimetres;
  millimetres.factor = 2;  // "10"
  millimetres.utm = 3;     // "4000"
  add("factor10_utm", millimetres, byLevel,
      DesignFile(3)
          .units(100, 10)
          .origin(1000, 2000, 30)
          .add(line(3, 0, 0, 0, 10, 20, 30))
          .bytes());
  Element stray = complexHeader(12, 1);
  stray.complexBit = true;
  add("stray_complex_header", Settings{0, 0, 0, 0, 1}, byLevel,
      DesignFile(2).add(stray).add(asComponent(line(2, 0, 0, 0, 4, 4, 0))).bytes());
  add("linkages", Settings(), byLevel,
      DesignFile(2)
          .add(withLinkages(
              withLinkages(withLinkages(line(2, 0, 0, 0, 1, 1, 0), {linkage1007(2, -42)}),
                           {linkage1007(3, 70000, 0x9007, 24721)}),
              {linkageWords({0x0102, 1, 2, 0, 0, 0, 0})}))
          .bytes());
  // Items at their caps: 258 on a chain header, 30 more on its component.
  Bytes headerItems, lineItems;
  for (uint16_t k = 0; k < 86; ++k) {
    const Bytes l = linkage1003(k, k, k);
    headerItems.insert(headerItems.end(), l.begin(), l.end());
    if (k < 10) lineItems.insert(lineItems.end(), l.begin(), l.end());
  }
  add("item_caps", Settings(), byLevel,
      DesignFile(2)
          .add(withLinkages(complexHeader(12, 1), {headerItems}))
          .add(asComponent(withLinkages(line(2, 0, 0, 0, 3, 3, 0), {lineItems})))
          .bytes());
  DesignFile justified(2);
  const uint8_t justifications[] = {0, 1, 2, 6, 7, 8, 12, 13, 14};
  for (uint8_t j : justifications)
    justified.add(text(2, 1, j, 20000, {32400000}, {100 * j, 50, 0}, "TX"));
  add("text_justifications", Settings(), {row(1)}, justified.bytes());
  // A polygon with a hole as GDAL writes it: a cell whose outer ring is a
  // complex shape, then the hole.
  Settings holes;
  holes.claveCel = 1;
  holes.complexMode = 1;
  add("cell_with_holes", holes, byLevel,
      DesignFile(2)
          .add(cellHeader(2, "", m2, {0, 0, 0}))
          .add(asComponent(complexHeader(14, 1)))
          .add(asComponent(shape(2, {{0, 0, 0}, {90, 0, 0}, {90, 90, 0}, {0, 0, 0}})))
          .add(asComponent(shape(2, {{10, 10, 0}, {20, 10, 0}, {20, 20, 0}, {10, 10, 0}})))
          .bytes());
  add("plan_2d", Settings{0, 0, 0, 0, 1},
      {row(10, 3), row(20, 1, 0, 0, 0, 0, 1), row(22, 2), row(30, 4), row(41, 2, 0, 0, 1, 2),
       row(50, 0, 1, 0, 4), row(52, 0, 3, 0, 2, 3), row(51, 0, 1, 0, 0, 1)},
      DesignFile(2)
          .origin(-100, 50, 0)
          .add(withLinkages(on(line(2, 100000, 200000, 0, 160000, 200000, 0), 10, 3),
                            {linkage1007(5, 1)}))
          .add(on(shape(2, {{110000, 203000, 0},
                            {125000, 203000, 0},
                            {125000, 215000, 0},
                            {110000, 203000, 0}}),
                  20, 1))
          .add(on(complexHeader(12, 2), 22, 2))
          .add(asComponent(on(lineString(2, {{130000, 203000, 0}, {140000, 210000, 0}}), 22, 2)))
          .add(asComponent(on(line(2, 140000, 210000, 0, 130000, 210000, 0), 22, 2)))
          .add(on(curve(2, {{0, 0, 0}, {1, 1, 0}, {2, 3, 0}, {4, 4, 0}, {6, 4, 0}}), 30, 4))
          .add(on(cellHeader(2, "ARBOL", m2, {112000, 217000, 0}), 41, 2))
          .add(on(text(2, 1, 7, 60000, {0}, {120000, 199000, 0}, "CALLE MAYOR"), 50))
          .add(on(text(2, 3, 2, 30000, {0}, {131000, 204000, 0}, "POZO"), 52))
          .add(on(line(2, 100000, 225000, 0, 101000, 225000, 0), 60, 9))
          .bytes());
}

std::vector<Seed> tableSeeds() {
  const std::vector<std::pair<std::string, std::string>> tables = {
      {"readme",
       "CODIGO NIVEL ESTILO COLOR PESO FONT GRUPO_G.  CELL/SIMB. ALTO  Simb.Kelo\n"
       "001106  20     0       3    0   84    1106       \"1\"     1.5    \"@150\"\n"
       "002312  21     1      13    0   00    0006       \"\"      1.5      0      [remark]\n"},
      {"comments_crlf", "/ titulo\r\n\r\n001,1,0,0,0,0,0,\"ARBOL\",1.0,C\r\n/002 2\r\n"},
      {"quoted",
       "003 4 0 0 0 1 0 \"A, B C\" 2.5 \"@CAMINO\"\n004 \"\" \"\" 1 1 1 1 \"\" \"\" \"\"\n"},
      {"cut_fields", "0123456789AB 1 2 3 4 5 6 NOMBRELARGO 1e30 @SIMBOLOLARGO\n"},
      {"few_words", "005 9\n006\n\"007\n"},
      {"wide_numbers", "008 70000 -1 99999999999 2147483648 -32769 65536 x -0.5 0\n"},
      {"long_line", std::string(300, 'a') + " 1 2 3\n" + std::string(200, ',') + "009 1\n"},
      {"many_words", "010 1 2 3 4 5 6 N 1 0 uno dos tres cuatro cinco seis siete ocho\n"},
  };
  std::vector<Seed> seeds;
  for (const auto& t : tables) seeds.push_back({t.first, Bytes(t.second.begin(), t.second.end())});
  return seeds;
}

Bytes readAll(const char* path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void writeSeed(const std::string& folder, const Seed& seed) {
  std::ofstream f(folder + "/" + seed.name, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(seed.bytes.data()),
          static_cast<std::streamsize>(seed.bytes.size()));
  if (!f) {
    fprintf(stderr, "dgnbin_fuzz_seeds: no puedo escribir %s/%s\n", folder.c_str(),
            seed.name.c_str());
    exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "uso: dgnbin_fuzz_seeds CARPETA_DE_CORPUS\n");
    return 2;
  }
  char* base = realpath(argv[1], NULL);
  if (base == NULL) {
    perror(argv[1]);
    return 1;
  }
  const std::string corpus = base;
  free(base);
  std::vector<Seed> drawings;
  elementSeeds(2, drawings);
  elementSeeds(3, drawings);
  ruleSeeds(drawings);

  // The conversions print their console; the seeds are the product.
  int null = open("/dev/null", O_WRONLY);
  if (null < 0 || dup2(null, STDOUT_FILENO) < 0 || !enterScratchFolder()) {
    perror("dgnbin_fuzz_seeds");
    return 1;
  }
  // The BIN files of drawings that give every kind of record, items and
  // joined records.
  const std::set<std::string> binSources = {"line_3d",
                                            "arc_3d",
                                            "text_3d",
                                            "cell_symbol_3d",
                                            "complex_chain_2d",
                                            "text_node_2d",
                                            "linkages",
                                            "plan_2d",
                                            "ellipse_2d",
                                            "cell_as_symbol",
                                            "text_justifications",
                                            "complex_chain_mode0"};
  std::vector<Seed> bins;
  for (const Seed& s : drawings) {
    writeSeed(corpus + "/conversion", s);
    if (binSources.count(s.name) == 0) continue;
    fuzzConversion(s.bytes.data(), s.bytes.size());
    bins.push_back({s.name, readAll("out.bin")});
  }
  for (const Seed& s : bins) writeSeed(corpus + "/bin_reader", s);
  const std::vector<Seed> tables = tableSeeds();
  for (const Seed& s : tables) writeSeed(corpus + "/code_table", s);
  fprintf(stderr, "%zu dibujos, %zu ficheros BIN, %zu tablas en %s\n", drawings.size(), bins.size(),
          tables.size(), corpus.c_str());
  return 0;
}
