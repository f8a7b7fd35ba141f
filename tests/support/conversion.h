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

}  // namespace dgntest

#endif
