#include "batch/batch_files.h"

#include <errno.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/files.h"
#include "platform/system_reason.h"
#include "run/program_texts.h"

namespace fs = std::filesystem;

static const char kExtension[] = ".dgn";
static const size_t kExtensionLength = sizeof kExtension - 1;

bool endsWithAnyCase(const std::string& name, const char* extension) {
  const size_t length = strlen(extension);
  if (name.size() < length) return false;
  const size_t at = name.size() - length;
  for (size_t i = 0; i < length; ++i) {
    char c = name[at + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != extension[i]) return false;
  }
  return true;
}

static bool hasDesignExtension(const std::string& name) { return endsWithAnyCase(name, kExtension); }

// Error numbers of the C library in Spanish, Windows' own in its words.
static std::string reasonOf(const std::error_code& ec) {
  if (ec.category() != std::generic_category()) return ec.message();
  if (ec.value() == ELOOP) return "los enlaces simbolicos forman un ciclo";
  return systemReason(ec.value());
}

// Names are UTF-8 on Windows, as the program receives them.
static std::string nameOf(const fs::path& path) { return path.u8string(); }

static BatchFile withProblem(const fs::path& path, const std::string& problem) {
  BatchFile file;
  file.path = nameOf(path.lexically_normal());
  file.problem = problem;
  return file;
}

static void addDesignFile(const fs::path& path, std::vector<BatchFile>* files) {
  BatchFile file = withProblem(path, "");
  file.drawing = true;
  file.base = file.path.substr(0, file.path.size() - kExtensionLength);
  const std::string opened = designFileName(file.base);
  std::error_code ec;
  if (file.path.find_first_of("\"\n") != std::string::npos) {
    file.problem = "el nombre lleva comillas dobles o un salto de linea, que dgnbin no recibe";
  } else if (opened != file.path && !fs::equivalent(fs::u8path(opened), fs::u8path(file.path), ec)) {
    // dgnbin appends ".dgn" to the name it is given, so another case of the
    // extension opens only where the file system ignores case.
    file.linked = true;
  }
  files->push_back(file);
}

// A *.dgn entry that is neither a file nor a folder: a link that leads
// nowhere is named, anything else (a FIFO, a socket) is no drawing.
static void addOddEntry(const fs::directory_entry& entry, std::vector<BatchFile>* files) {
  std::error_code ec;
  if (!entry.is_symlink(ec)) return;
  (void)fs::status(entry.path(), ec);
  if (ec) files->push_back(withProblem(entry.path(), "enlace simbolico sin destino: " + reasonOf(ec)));
}

// Subfolders are walked one by one, so that one that cannot be read is
// reported and the others are still searched. Links to folders are not
// followed, so that a loop of links cannot make the walk endless.
static void walkFolder(const fs::path& folder, std::vector<BatchFile>* files) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  const fs::directory_iterator end;
  while (!ec && it != end) {
    const fs::directory_entry& entry = *it;
    std::error_code typeError;
    if (entry.is_directory(typeError) && !entry.is_symlink(typeError)) {
      walkFolder(entry.path(), files);
    } else if (hasDesignExtension(nameOf(entry.path().filename()))) {
      if (entry.is_regular_file(typeError)) {
        addDesignFile(entry.path(), files);
      } else {
        addOddEntry(entry, files);
      }
    }
    it.increment(ec);
  }
  if (ec) {
    files->push_back(withProblem(folder, "no se puede leer la carpeta: " + reasonOf(ec)));
  }
}

std::string comparedName(const std::string& name) {
  std::error_code ec;
  fs::path path = fs::absolute(fs::u8path(name), ec);
  if (ec) path = fs::u8path(name);
  // A folder that cannot be resolved keeps its name as written.
  const fs::path leaf = path.filename();
  const bool whole = leaf.empty() || leaf == "." || leaf == "..";
  const fs::path resolved = fs::weakly_canonical(whole ? path : path.parent_path(), ec);
  if (!ec) path = whole ? resolved : resolved / leaf;
  return nameAsCompared(nameOf(path.lexically_normal()));
}

// Two drawings of one base (PLANO.dgn and PLANO.DGN, or one folder reached
// by two names) would write one BIN file and one error file: the one
// dgnbin opens by its own name converts, else the first, and the others fail.
static void refuseSharedOutputs(std::vector<BatchFile>* files) {
  std::map<std::string, size_t> owners;
  for (size_t i = 0; i < files->size(); ++i) {
    BatchFile& file = (*files)[i];
    if (!file.drawing || !file.problem.empty()) continue;
    const auto taken = owners.emplace(comparedName(file.base), i);
    if (taken.second) continue;
    size_t& owner = taken.first->second;
    size_t loser = i;
    if ((*files)[owner].linked && !file.linked) std::swap(owner, loser);
    (*files)[loser].problem = "su fichero BIN y su fichero de errores serian los de " +
                              nameInMessages((*files)[owner].path) +
                              ", que se convierte: renombre uno de los dos";
  }
}

std::vector<BatchFile> findDesignFiles(const std::vector<std::string>& paths) {
  std::vector<BatchFile> files;
  for (const std::string& given : paths) {
    std::error_code ec;
    const fs::path path = fs::u8path(given);
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) {
      walkFolder(path, &files);
    } else if (fs::is_regular_file(status) && hasDesignExtension(given)) {
      addDesignFile(path, &files);
    } else if (fs::exists(status)) {
      files.push_back(withProblem(path, "no es un fichero .dgn ni una carpeta"));
    } else {
      files.push_back(withProblem(path, "no se puede leer: " + reasonOf(ec)));
    }
  }
  std::sort(files.begin(), files.end(),
            [](const BatchFile& a, const BatchFile& b) { return a.path < b.path; });
  files.erase(std::unique(files.begin(), files.end(),
                          [](const BatchFile& a, const BatchFile& b) { return a.path == b.path; }),
              files.end());
  refuseSharedOutputs(&files);
  return files;
}

std::string dgnbinArgument(const BatchFile& file, const std::string& designBase,
                           const std::string& settings) {
  return "\"" + file.base + "\" \"" + designBase + "\" " + settings;
}
