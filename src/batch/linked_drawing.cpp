#include "batch/linked_drawing.h"

#include <errno.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/output_file.h"
#include "platform/scratch_folder.h"
#include "platform/system_reason.h"
#include "run/program_texts.h"

namespace fs = std::filesystem;

DrawingLinks::~DrawingLinks() {
  std::error_code ec;
  if (!folder_.empty()) fs::remove_all(fs::u8path(folder_), ec);
}

std::string DrawingLinks::link(const BatchFile& file, size_t index, std::string* problem) {
  if (folder_.empty()) {
    folder_ = makeScratchFolder();
    if (folder_.empty()) {
      *problem = std::string("no se puede crear la carpeta temporal del enlace: ") +
                 systemReason(errno);
      return "";
    }
  }
  if (folder_.find('"') != std::string::npos) {
    *problem = "la carpeta temporal lleva comillas dobles, que dgnbin no recibe";
    return "";
  }
  const std::string base = folder_ + "/" + std::to_string(index);
  std::error_code ec;
  const std::string target = fs::absolute(fs::u8path(file.path), ec).u8string();
  if (ec || !linkToFile(target, designFileName(base))) {
    *problem = "no se puede hacer el enlace al dibujo: " +
               (ec ? ec.message() : std::string(systemReason(errno)));
    return "";
  }
  return base;
}

// The error file is copied rather than renamed: the temporary folder is
// often on another file system.
static bool copyWhole(const std::string& from, const std::string& to, int* reason) {
  const int in = openFileForReading(from.c_str());
  if (in < 0) {
    *reason = errno;
    return false;
  }
  OutputFile out;
  bool copied = out.create(to.c_str(), 0666);
  *reason = out.error();
  char buffer[65536];
  for (ssize_t n; copied && (n = read(in, buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      *reason = errno;
      copied = false;
      break;
    }
    errno = EIO;  // a short write sets none
    copied = write(out.fd(), buffer, static_cast<size_t>(n)) == n;
    *reason = errno;
  }
  if (copied && !out.commit()) {
    copied = false;
    *reason = out.error();
  }
  close(in);
  return copied;
}

bool DrawingLinks::finish(const BatchFile& file, const std::string& linkBase,
                          std::string* problem) {
  const std::string written = errorFileName(linkBase);
  std::error_code ec;
  fs::remove(fs::u8path(designFileName(linkBase)), ec);
  if (!fs::exists(fs::u8path(written), ec)) return true;
  int reason = 0;
  const bool moved = copyWhole(written, errorFileName(file.base), &reason);
  fs::remove(fs::u8path(written), ec);
  if (!moved) {
    *problem = "no se puede poner el fichero de errores " +
               nameInMessages(errorFileName(file.base)) + ": " + systemReason(reason);
  }
  return moved;
}
