// What every conversion prints and writes around its elements, for the runs
// that stay C++ (signals, limits, permissions).
#ifndef DGNTEST_CONVERSION_H
#define DGNTEST_CONVERSION_H

#include <string>

#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/program_run.h"

namespace dgntest {

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
