#include "batch/report_name.h"

#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "run/program_texts.h"

namespace fs = std::filesystem;

// Every name the batch must not take ends in one of these extensions (the
// drawings found are *.dgn in any case, their outputs .bin and .ERR, the
// table .TAB): refusing them by extension refuses every such name however
// it is written (".", "..", links of its folder, the case on Windows). A
// name of another extension can still be one of those files through a
// link: that is asked of the file system.
static bool hasInputExtension(const std::string& name) {
  for (const char* extension : {".dgn", ".bin", ".err", ".tab"}) {
    if (endsWithAnyCase(name, extension)) return true;
  }
  return false;
}

std::string reportNameProblem(const std::string& report, const std::vector<BatchFile>& files) {
  const std::string shown = nameInMessages(report);
  if (hasInputExtension(report)) {
    return "el informe " + shown +
           " no puede acabar en .dgn, .bin, .ERR ni .TAB: elija otro nombre, como faltan.txt";
  }
  std::error_code ec;
  const fs::path reportPath = fs::u8path(report);
  if (!fs::exists(reportPath, ec)) return "";
  auto is = [&](const std::string& name) {
    std::error_code same;
    return fs::equivalent(reportPath, fs::u8path(name), same);
  };
  if (is("DGNBIN.TAB")) {
    return "el informe " + shown + " seria la tabla DGNBIN.TAB de la carpeta de trabajo: elija "
           "otro nombre";
  }
  for (const BatchFile& file : files) {
    if (!file.drawing) continue;
    const char* what = is(file.path)                     ? "el dibujo "
                       : is(binFileName(file.base))      ? "el fichero BIN de "
                       : is(errorFileName(file.base))    ? "el fichero de errores de "
                                                         : nullptr;
    if (what != nullptr) {
      return "el informe " + shown + " seria " + what + nameInMessages(file.path) +
             ": elija otro nombre";
    }
  }
  return "";
}
