// The command line of dgnbin-batch.
#ifndef DGNBIN_BATCH_BATCH_COMMAND_LINE_H_
#define DGNBIN_BATCH_BATCH_COMMAND_LINE_H_

#include <string>
#include <vector>

struct BatchOptions {
  int jobs = 0;                    // conversions at a time
  std::string report;              // file of the merged missing symbologies
  bool listOnly = false;           // print the conversions, run nothing
  std::string settings;            // dgnbin's words 3 to 8, one blank apart
  std::string factor;              // the first of them
  std::vector<std::string> paths;  // folders and design files
};

enum class CommandLine {
  kRun,       // `options` is filled in
  kAnswered,  // --help or --version has been answered on standard output
  kWrong,     // the usage text and what is wrong are on standard error
};

CommandLine readBatchCommandLine(int argc, char** argv, BatchOptions* options);

#endif  // DGNBIN_BATCH_BATCH_COMMAND_LINE_H_
