// dgnbin-batch: converts every design file under some folders with dgnbin,
// several at a time, and merges what the code table misses into one report.
#include <stdio.h>

#include <string>
#include <vector>

#include "batch/batch_command_line.h"
#include "batch/batch_files.h"
#include "batch/companion_program.h"
#include "batch/conversion_runner.h"
#include "batch/missing_report.h"
#include "batch/preflight.h"
#include "batch/report_name.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/program_start.h"
#include "platform/stop_requests.h"
#include "run/program_texts.h"

// One command per conversion, for the system's shell (and GNU parallel).
static int listConversions(const std::vector<BatchFile>& files, const std::string& settings) {
  int status = 0;
  for (const BatchFile& file : files) {
    if (file.problem.empty() && file.linked) {
      fprintf(stderr,
              "dgnbin-batch: %s: dgnbin solo abre la extension .dgn en minusculas: sin --list, "
              "dgnbin-batch lo convierte por un enlace\n",
              nameInMessages(file.path).c_str());
      status = 1;
    } else if (file.problem.empty()) {
      const std::string argument = dgnbinArgument(file, file.base, settings);
      printf("dgnbin %s\n", nameInMessages(argumentForShell(argument)).c_str());
    } else {
      fprintf(stderr, "dgnbin-batch: %s: %s\n", nameInMessages(file.path).c_str(),
              file.problem.c_str());
      status = 1;
    }
  }
  return status;
}

// After a stop request: what was done, and the previous report kept, since
// this one would miss the drawings not converted.
static void reportStop(const std::vector<BatchFile>& files,
                       const std::vector<ConversionOutcome>& outcomes, const std::string& report) {
  size_t converted = 0;
  for (const ConversionOutcome& outcome : outcomes) converted += outcome.ok ? 1 : 0;
  fflush(stdout);
  fprintf(stderr,
          "dgnbin-batch: interrumpido; %zu de %zu ficheros convertidos antes de parar; el "
          "informe %s queda como estaba\n",
          converted, files.size(), nameInMessages(report).c_str());
  for (size_t i = 0; i < files.size(); ++i) {
    if (outcomes[i].ok) fprintf(stderr, "  %s\n", nameInMessages(files[i].path).c_str());
  }
}

// Drawings that converted but may be cut short: their BIN files hold what
// was there. Named here only, never in the report of rows.
static void reportWarnings(const std::vector<ConversionOutcome>& outcomes) {
  size_t count = 0;
  for (const ConversionOutcome& outcome : outcomes) count += outcome.warning.empty() ? 0 : 1;
  if (count == 0) return;
  fprintf(stderr, "Con avisos %zu:\n", count);
  for (const ConversionOutcome& outcome : outcomes) {
    if (!outcome.warning.empty()) fprintf(stderr, "  %s\n", outcome.warning.c_str());
  }
}

int main(int argc, char** argv) {
  const ProgramStart start(&argc, &argv);
  BatchOptions options;
  const CommandLine commandLine = readBatchCommandLine(argc, argv, &options);
  if (commandLine != CommandLine::kRun) return commandLine == CommandLine::kAnswered ? 0 : 2;

  const std::vector<BatchFile> files = findDesignFiles(options.paths);
  if (options.listOnly) return listConversions(files, options.settings);
  if (files.empty()) {
    fprintf(stderr, "dgnbin-batch: no hay ningun fichero .dgn en las rutas dadas\n");
    return 1;
  }
  const std::string reportProblem = reportNameProblem(options.report, files);
  if (!reportProblem.empty()) {
    fprintf(stderr, "dgnbin-batch: %s; no se ha convertido nada\n", reportProblem.c_str());
    return 2;
  }
  if (!factorAccepted(options.factor) || !tableLoads()) return 1;
  const std::string dgnbin = findCompanionProgram("dgnbin");
  if (dgnbin.empty()) {
    fprintf(stderr, "dgnbin-batch: no se encuentra dgnbin ni junto a dgnbin-batch ni en PATH\n");
    return 1;
  }

  const double started = secondsNow();
  catchStopRequests();
  const std::vector<ConversionOutcome> outcomes =
      runConversions(dgnbin, files, options.settings, options.jobs);
  if (stopRequest() != 0) {
    reportStop(files, outcomes, options.report);
    endByStopRequest(stopRequest());
  }
  std::vector<std::string> errorFiles;
  std::vector<size_t> failed;
  for (size_t i = 0; i < files.size(); ++i) {
    if (outcomes[i].ok) {
      errorFiles.push_back(errorFileName(files[i].base));
    } else {
      failed.push_back(i);
    }
  }
  printf("Convertidos %zu de %zu ficheros en %.1f s\n", errorFiles.size(), files.size(),
         secondsNow() - started);
  fflush(stdout);
  if (!failed.empty()) {
    fprintf(stderr, "Fallaron %zu:\n", failed.size());
    for (size_t i : failed) {
      fprintf(stderr, "  %s: %s\n", nameInMessages(files[i].path).c_str(),
              outcomes[i].failure.c_str());
    }
  }
  reportWarnings(outcomes);
  // Only the files converted to the end: a failed run's error file may be
  // an old one, or stop halfway.
  const bool reported =
      writeMissingReport(findCompanionProgram("kelobin"), errorFiles, options.report);
  if (stopRequest() != 0) {
    reportStop(files, outcomes, options.report);
    endByStopRequest(stopRequest());
  }
  if (reported)
    printf("Simbologias sin fila de los ficheros convertidos: %s\n",
           nameInMessages(options.report).c_str());
  return failed.empty() && reported ? 0 : 1;
}
