// What a completed run adds on standard error, its console unchanged: the
// doubtful rows of the table, the coordinates kept in their low 32 bits, and
// the summary of a drawing whose counts are known.
#include <gtest/gtest.h>

#include <regex>

#include "support/conversion.h"

using namespace dgntest;

TEST(Hints, TableRowsWrappedCoordinatesAndSummary) {
  const std::string table =
      "LIN001 1 0 0 0 0 0 \"\" 1 0\n"
      "CHN005 5 0 0 0 0 0 \"\" 1\n"  // nine columns
      "X 1 0 0 0x 0 0 \"\" 1 0\n";   // a letter in PESO
  Element gone = line(2, 0, 0, 0, 1, 1, 0), untranslated = textNode(), nine = onLevel(gone, 9);
  gone.deletedBit = true;
  untranslated.type = 5;
  DesignFile d(2);
  d.origin(-1000, 0, 0);  // x + 1000: 2147483000 goes past 2^31
  d.add(line(2, 0, 0, 0, 1, 1, 0)).add(gone).add(asComponent(line(2, 0, 0, 0, 1, 1, 0)));
  d.add(untranslated).add(onLevel(complexHeader(12), 5));
  d.add(asComponent(line(2, 0, 0, 0, 5, 0, 0))).add(asComponent(line(2, 5, 0, 0, 5, 5, 0)));
  d.add(nine).add(nine).add(line(2, 2147483000, 0, 0, 2147483100, 0, 0));
  const Conversion c = convert(d, table, settings(0, 0, 1));
  EXPECT_EQ(c.exitStatus, 0);
  EXPECT_EQ(
      c.console,
      "Fichero DGN en 2D\nOrigen Global GOX=        1000 GOY=          -0  GOZ=          -0\n" +
          std::string(kConsoleEnd));
  const std::string err = std::regex_replace(c.err, std::regex("en [0-9.]+ s"), "en T s");
  EXPECT_EQ(err,
            "dgnbin: DGNBIN.TAB linea 2: tiene 9 columnas de 10; se lee igual\n"
            "dgnbin: DGNBIN.TAB linea 3: la columna PESO no es un numero (\"0x\"); se lee igual\n"
            "dgnbin: 10 elementos leidos en T s: linea: 8, tipo 5: 1, cadena compleja: 1\n"
            "dgnbin: pasados por alto: 1 borrados, 1 componentes no admitidos, 1 de tipos sin "
            "traduccion\n"
            "dgnbin: 7 registros escritos en out.bin, 1 de ellos de elementos complejos unidos\n"
            "dgnbin: 2 elementos sin fila en DGNBIN.TAB, 1 simbologias distintas: ver in.ERR\n"
            "dgnbin: AVISO 1 elementos tienen coordenadas que no caben en 32 bits con signo y se "
            "escriben con sus 32 bits bajos (de 2^31 en adelante salen negativas); trasUTM puede "
            "desplazar la Y\n");
}
