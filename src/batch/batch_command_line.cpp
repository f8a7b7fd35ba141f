#include "batch/batch_command_line.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "platform/number_words.h"
#include "platform/processes.h"
#include "run/version.h"
#include "run/words.h"

static const char kBatchUsage[] =
    "uso: dgnbin-batch [-j N] [-o FICHERO] [--list] \"FACTOR CLAVE_CEL CLAVE_GG PATTERN TRASUTM "
    "MODO\" RUTA...\n"
    "  Convierte con dgnbin cada fichero .dgn de las carpetas (con sus subcarpetas) y ficheros\n"
    "  dados, con el DGNBIN.TAB de la carpeta actual. Cada fichero BIN y de errores queda junto\n"
    "  a su fichero DGN. Los seis valores son las palabras 3 a 8 de dgnbin, juntas entre "
    "comillas.\n"
    "  -j N        N conversiones a la vez (por omision, una por procesador)\n"
    "  -o FICHERO  informe de las simbologias sin fila de todos los ficheros\n"
    "              (por omision, dgnbin-batch-faltan.txt)\n"
    "  --list      escribe una orden de shell por conversion y no convierte nada\n"
    "  Estado de salida: 0 todos convertidos, 1 alguno fallo o la tabla o el factor no valen,\n"
    "  2 linea de ordenes incorrecta o un informe que ocuparia el lugar de otro fichero.\n";

static const int kSettingsWords = 6;
static const int kMostJobs = 1024;

static CommandLine wrong(const std::string& problem, const char* hint = NULL) {
  fprintf(stderr, "dgnbin-batch: %s\n", problem.c_str());
  if (hint != NULL) fprintf(stderr, "dgnbin-batch: %s\n", hint);
  fputs(kBatchUsage, stderr);
  return CommandLine::kWrong;
}

static bool readJobs(const char* text, int* jobs) {
  const char* end = NULL;
  const int64_t n = readWholeNumber(text, &end);
  if (end == text || *end != '\0' || n < 1 || n > kMostJobs) return false;
  *jobs = static_cast<int>(n);
  return true;
}

// Splits the values as dgnbin will, so that a count that dgnbin would
// refuse is refused here, once, before any conversion.
static CommandLine readSettings(const char* text, BatchOptions* options) {
  if (strchr(text, '"') != NULL) return wrong("los valores no pueden llevar comillas dobles");
  std::string copy = text;
  const WordTable wordTable = splitWords(&copy[0]);
  if (wordTable.count != kSettingsWords) {
    return wrong(
        "se esperaban " + std::to_string(kSettingsWords) +
            " valores juntos en un argumento entre comillas, como \"1 0 0 0 0 1\", y hay " +
            std::to_string(wordTable.count) + " en \"" + text + "\"",
        wordTable.count > kSettingsWords && hasDecimalComma(text)
            ? "los decimales van con punto (0.1), no con coma (0,1)"
            : NULL);
  }
  options->factor = wordTable.words[0];
  for (int i = 0; i < kSettingsWords; ++i) {
    if (i > 0) options->settings += ' ';
    options->settings += wordTable.words[i];
  }
  return CommandLine::kRun;
}

CommandLine readBatchCommandLine(int argc, char** argv, BatchOptions* options) {
  options->jobs = std::min(processorCount(), mostChildrenAtOnce());
  options->report = "dgnbin-batch-faltan.txt";
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
      fputs(kBatchUsage, stdout);
      return CommandLine::kAnswered;
    } else if (strcmp(arg, "--version") == 0) {
      printf("dgnbin-batch %s\n", DGNBIN_VERSION);
      return CommandLine::kAnswered;
    } else if (strcmp(arg, "--list") == 0) {
      options->listOnly = true;
    } else if (strcmp(arg, "-j") == 0 || strcmp(arg, "-o") == 0) {
      if (i + 1 == argc) return wrong(std::string("falta el valor de ") + arg);
      const char* value = argv[++i];
      if (arg[1] == 'o') {
        options->report = value;
      } else if (!readJobs(value, &options->jobs)) {
        return wrong("-j espera un numero de conversiones de 1 a " + std::to_string(kMostJobs) +
                     ", no " + value);
      }
    } else if (strcmp(arg, "--") == 0) {
      ++i;
      break;
    } else {
      return wrong(std::string("opcion desconocida ") + arg);
    }
  }
  if (argc - i < 2) return wrong("faltan los valores de conversion o las rutas");
  if (options->jobs > mostChildrenAtOnce()) {
    fprintf(stderr, "dgnbin-batch: el sistema espera a %d conversiones a la vez como mucho: -j %d\n",
            mostChildrenAtOnce(), mostChildrenAtOnce());
    options->jobs = mostChildrenAtOnce();
  }
  if (readSettings(argv[i], options) != CommandLine::kRun) return CommandLine::kWrong;
  options->paths.assign(argv + i + 1, argv + argc);
  return CommandLine::kRun;
}
