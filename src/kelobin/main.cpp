// kelobin: looks into what dgnbin wrote. The command line: a subcommand,
// its files and its options in any order.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "kelobin/commands.h"
#include "run/version.h"

namespace {

const int kBadCommandLine = 2;
#define DEFAULT_CODE "??????"

const char kUsage[] =
    "Uso: kelobin ORDEN FICHERO... [OPCIONES]\n"
    "\n"
    "  kelobin info FICHERO.bin\n"
    "      registros por tipo y por codigo, puntos, atributos, extension y\n"
    "      comprobacion de la estructura\n"
    "  kelobin dump FICHERO.bin [--hex]\n"
    "      cada registro como texto; --hex anade sus bytes\n"
    "  kelobin geojson FICHERO.bin [--scale S] [--crs EPSG:N]\n"
    "      GeoJSON en la salida estandar; coordenadas divididas por S (1)\n"
    "  kelobin svg FICHERO.bin [--width PX]\n"
    "      dibujo SVG de PX pixeles de ancho (1000); \"nuevo\" en rojo\n"
    "  kelobin missing [--code TEXTO] [--lista LISTA] FICHERO.ERR...\n"
    "      filas de DGNBIN.TAB para las simbologias sin fila, con el codigo\n"
    "      provisional TEXTO (" DEFAULT_CODE
    "); LISTA da mas ficheros, uno por linea\n"
    "      (- para la entrada estandar)\n"
    "  kelobin --version\n"
    "\n"
    "Estado de salida: 0 bien, 1 entrada incorrecta, 2 orden incorrecta.\n";

// The words after the subcommand: files, and the options it accepts, each
// with its value or none.
struct Arguments {
  std::vector<const char*> files;
  bool hex = false;
  const char* scale = NULL;
  const char* crs = NULL;
  const char* width = NULL;
  const char* code = NULL;
  const char* list = NULL;
};

int badCommandLine(const char* format, const char* what) {
  fprintf(stderr, "kelobin: ");
  fprintf(stderr, format, what);
  fprintf(stderr, "\n(kelobin --help muestra el uso)\n");
  return kBadCommandLine;
}

bool isOneOf(const char* word, const char* const* options) {
  for (; *options != NULL; ++options) {
    if (strcmp(word, *options) == 0) return true;
  }
  return false;
}

// Words starting with "--" are options; "--hex" takes no value, the others
// one.
bool readArguments(int argc, char** argv, const char* const* options, Arguments& a, int& status) {
  for (int i = 2; i < argc; ++i) {
    const char* word = argv[i];
    if (strncmp(word, "--", 2) != 0) {
      a.files.push_back(word);
      continue;
    }
    if (!isOneOf(word, options)) {
      status = badCommandLine("opcion desconocida para esta orden: %s", word);
      return false;
    }
    if (strcmp(word, "--hex") == 0) {
      a.hex = true;
      continue;
    }
    if (i + 1 == argc) {
      status = badCommandLine("falta el valor de %s", word);
      return false;
    }
    const char* value = argv[++i];
    if (strcmp(word, "--scale") == 0) a.scale = value;
    if (strcmp(word, "--crs") == 0) a.crs = value;
    if (strcmp(word, "--width") == 0) a.width = value;
    if (strcmp(word, "--code") == 0) a.code = value;
    if (strcmp(word, "--lista") == 0) a.list = value;
  }
  return true;
}

// A whole number from `least` to `most`; false for anything else.
bool readWhole(const char* text, long least, long most, long& value) {
  char* end;
  errno = 0;
  value = strtol(text, &end, 10);
  return *text != '\0' && *end == '\0' && errno == 0 && value >= least && value <= most;
}

int runGeojsonCommand(const Arguments& a) {
  double scale = 1;
  if (a.scale != NULL) {
    char* end;
    scale = strtod(a.scale, &end);
    if (*a.scale == '\0' || *end != '\0' || !(scale > 0 && scale < 1e300)) {
      return badCommandLine("--scale necesita un numero positivo, no \"%s\"", a.scale);
    }
  }
  long epsg = 0;
  if (a.crs != NULL &&
      (strncmp(a.crs, "EPSG:", 5) != 0 || !readWhole(a.crs + 5, 1, 999999999, epsg))) {
    return badCommandLine("--crs necesita EPSG:N, no \"%s\"", a.crs);
  }
  return runGeojson(a.files[0], scale, epsg);
}

int runSvgCommand(const Arguments& a) {
  long width = 1000;
  if (a.width != NULL && !readWhole(a.width, 100, 100000, width)) {
    return badCommandLine("--width necesita un ancho de 100 a 100000 pixeles, no \"%s\"", a.width);
  }
  return runSvg(a.files[0], static_cast<int>(width));
}

int runCommand(int argc, char** argv) {
  const char* command = argv[1];
  static const char* const kNone[] = {NULL};
  static const char* const kDump[] = {"--hex", NULL};
  static const char* const kGeojson[] = {"--scale", "--crs", NULL};
  static const char* const kSvg[] = {"--width", NULL};
  static const char* const kMissing[] = {"--code", "--lista", NULL};
  const struct {
    const char* name;
    const char* const* options;
    bool manyFiles;
  } kCommands[] = {
      {"info", kNone, false}, {"dump", kDump, false},      {"geojson", kGeojson, false},
      {"svg", kSvg, false},   {"missing", kMissing, true},
  };
  for (const auto& c : kCommands) {
    if (strcmp(command, c.name) != 0) continue;
    Arguments a;
    int status = 0;
    if (!readArguments(argc, argv, c.options, a, status)) return status;
    if (a.files.empty() && a.list == NULL) {
      return badCommandLine("falta el fichero de %s", command);
    }
    if (!c.manyFiles && a.files.size() > 1) {
      return badCommandLine("%s lee un solo fichero", command);
    }
    if (strcmp(command, "info") == 0) return runInfo(a.files[0]);
    if (strcmp(command, "dump") == 0) return runDump(a.files[0], a.hex);
    if (strcmp(command, "geojson") == 0) return runGeojsonCommand(a);
    if (strcmp(command, "svg") == 0) return runSvgCommand(a);
    return runMissing(a.files, a.list, a.code != NULL ? a.code : DEFAULT_CODE);
  }
  return badCommandLine("orden desconocida: %s", command);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fputs(kUsage, stderr);
    return kBadCommandLine;
  }
  int status = 0;
  if (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0) {
    fputs(kUsage, stdout);
  } else if (strcmp(argv[1], "--version") == 0) {
    printf("kelobin %s\n", DGNBIN_VERSION);
  } else {
    status = runCommand(argc, argv);
  }
  // A full disk or a closed pipe must not pass for a complete product.
  if (fflush(stdout) != 0 || ferror(stdout)) {
    fprintf(stderr, "kelobin: no puedo escribir la salida: %s\n", strerror(errno));
    return 1;
  }
  return status;
}
