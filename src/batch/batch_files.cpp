#include "batch/batch_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/system_reason.h"

namespace fs = std::filesystem;

static const char kExtension[] = ".dgn";
static const size_t kExtensionLength = sizeof kExtension - 1;

static bool hasDesignExtension(const std::string& name) {
  if (name.size() < kExtensionLength) return false;
  const size_t at = name.size() - kExtensionLength;
  for (size_t i = 0; i < kExtensionLength; ++i) {
    char c = name[at + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kExtension[i]) return false;
  }
  return true;
}

// Error numbers of the C library in Spanish, Windows' own in its words.
static std::string reasonOf(const std::error_code& ec) {
  return ec.category() == std::generic_category() ? systemReason(ec.value()) : ec.message();
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
  file.base = file.path.substr(0, file.path.size() - kExtensionLength);
  const std::string opened = file.base + kExtension;
  std::error_code ec;
  if (file.path.find_first_of("\"\n") != std::string::npos) {
    file.problem = "el nombre lleva comillas dobles o un salto de linea, que dgnbin no recibe";
  } else if (opened != file.path && !fs::equivalent(fs::u8path(opened), fs::u8path(file.path), ec)) {
    // dgnbin appends ".dgn" to the name it is given, so another case of the
    // extension opens only where the file system ignores case.
    file.problem = "dgnbin solo abre la extension .dgn en minusculas: renombre el fichero a " +
                   nameOf(fs::u8path(opened).filename());
  }
  files->push_back(file);
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
    } else if (hasDesignExtension(nameOf(entry.path().filename())) &&
               entry.is_regular_file(typeError)) {
      addDesignFile(entry.path(), files);
    }
    it.increment(ec);
  }
  if (ec) {
    files->push_back(
        withProblem(folder, "no se puede leer la carpeta: " + reasonOf(ec)));
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
  return files;
}

std::string dgnbinArgument(const BatchFile& file, const std::string& settings) {
  return "\"" + file.base + "\" \"" + file.base + "\" " + settings;
}
