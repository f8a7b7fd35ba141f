// Whole conversions as a user runs them: a design file and a code table in a
// fresh working directory, the converter run on them, and what it left.
#ifndef DGNTEST_CONVERSION_H
#define DGNTEST_CONVERSION_H

#include <string>

#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/program_run.h"

namespace dgntest {

struct Conversion {
  int exitStatus = -1;
  Bytes bin;              // out.bin; empty when none was left
  std::string errorFile;  // in.ERR as stored (CR LF line ends)
  std::string console;    // standard output
  std::string err;        // standard error
};

// Runs "out in <words>" with `table` as DGNBIN.TAB. The default words suit the
// builder's 100 units per master unit: factor 1, clave_cel 0, clave_gg 0,
// pattern 0, no shift, complex mode 0.
inline Conversion convertBytes(const Bytes& design, const std::string& table,
                               const std::string& words = "1 0 0 0 0 0") {
  TempDir dir;
  dir.writeFile("in.dgn", design);
  dir.writeFile("DGNBIN.TAB", table);
  const ProgramResult run = runProgram(dir.path(), {"out in " + words});
  Conversion c;
  c.exitStatus = run.exitStatus;
  c.console = run.out;
  c.err = run.err;
  if (dir.exists("out.bin")) c.bin = dir.readFile("out.bin");
  if (dir.exists("in.ERR")) c.errorFile = dir.readText("in.ERR");
  return c;
}

inline Conversion convert(const DesignFile& design, const std::string& table,
                          const std::string& words = "1 0 0 0 0 0", bool endMarker = true) {
  return convertBytes(design.bytes(endMarker), table, words);
}

// Words 3 to 8 for factor 1 with the given cell key, lookup key and complex mode.
inline std::string settings(int claveCel, int claveGg, int complexMode) {
  return "1 " + std::to_string(claveCel) + " " + std::to_string(claveGg) + " 0 0 " +
         std::to_string(complexMode);
}

// The console up to the first element for a zero global origin, printed
// negated as -0.
inline std::string consoleStart(int dimension) {
  return std::string(dimension == 3 ? "Fichero DGN en 3D\n" : "Fichero DGN en 2D\n") +
         "Origen Global GOX=          -0 GOY=          -0  GOZ=          -0\n";
}
const char kConsoleEnd[] = "Final del fichero DGN\n";
const char kErrorHeader[] = "NIVEL ESTILO COLOR PESO FONT GG\r\n";

inline Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Element modifiers for building drawings in one expression.
inline Element onLevel(Element e, int level) {
  e.level = level;
  return e;
}
inline Element withSymbology(Element e, int level, int style, int colour, int weight) {
  e.level = level;
  e.style = style;
  e.colour = colour;
  e.weight = weight;
  return e;
}
// The element as a component of the complex element or cell before it.
inline Element asComponent(Element e) {
  e.complexBit = true;
  return e;
}
inline Element withLinkages(Element e, std::initializer_list<Bytes> linkages) {
  for (const Bytes& l : linkages) e.linkages.insert(e.linkages.end(), l.begin(), l.end());
  return e;
}
// One attribute item (code, value, no text) from an 0x1007 linkage.
inline Element withItem(Element e, int16_t code, int32_t value) {
  return withLinkages(e, {linkage1007(code, value)});
}

}  // namespace dgntest

#endif
