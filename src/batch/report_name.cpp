#include "batch/report_name.h"

#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "run/program_texts.h"

namespace fs = std::filesystem;

// An extension of the files the programs read and write: a report under
// such a name is a mistake even where it takes nothing's place yet.
static bool hasInputExtension(const std::string& name) {
  static const char* const kExtensions[] = {".dgn", ".bin", ".err", ".tab"};
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  for (const char* extension : kExtensions) {
    if (end == extension) return true;
  }
  return false;
}

std::string reportNameProblem(const std::string& report, const std::vector<BatchFile>& files) {
  const std::string shown = nameInMessages(report);
  if (hasInputExtension(report)) {
    return "el informe " + shown +
           " no puede acabar en .dgn, .bin, .ERR ni .TAB: elija otro nombre, como faltan.txt";
  }
  struct Taken {
    std::string name, what;
  };
  std::vector<Taken> taken = {{"DGNBIN.TAB", "la tabla DGNBIN.TAB de la carpeta de trabajo"}};
  for (const BatchFile& file : files) {
    if (!file.drawing) continue;
    const std::string drawing = nameInMessages(file.path);
    taken.push_back({file.path, "el dibujo " + drawing});
    taken.push_back({binFileName(file.base), "el fichero BIN de " + drawing});
    taken.push_back({errorFileName(file.base), "el fichero de errores de " + drawing});
  }
  const std::string compared = comparedName(report);
  std::error_code ec;
  const fs::path reportPath = fs::u8path(report);
  const bool exists = fs::exists(reportPath, ec);
  for (const Taken& one : taken) {
    std::error_code same;
    if (comparedName(one.name) == compared ||
        (exists && fs::equivalent(reportPath, fs::u8path(one.name), same))) {
      return "el informe " + shown + " seria " + one.what + ": elija otro nombre";
    }
  }
  return "";
}
