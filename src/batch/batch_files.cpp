#include "batch/batch_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

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

static BatchFile withProblem(const fs::path& path, const std::string& problem) {
  BatchFile file;
  file.path = path.lexically_normal().string();
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
  } else if (opened != file.path && !fs::equivalent(opened, file.path, ec)) {
    // dgnbin appends ".dgn" to the name it is given, so another case of the
    // extension opens only where the file system ignores case.
    file.problem = "dgnbin solo abre la extension .dgn en minusculas: renombre el fichero a " +
                   fs::path(opened).filename().string();
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
    } else if (hasDesignExtension(entry.path().filename().string()) &&
               entry.is_regular_file(typeError)) {
      addDesignFile(entry.path(), files);
    }
    it.increment(ec);
  }
  if (ec) files->push_back(withProblem(folder, "no se puede leer la carpeta: " + ec.message()));
}

std::vector<BatchFile> findDesignFiles(const std::vector<std::string>& paths) {
  std::vector<BatchFile> files;
  for (const std::string& given : paths) {
    std::error_code ec;
    const fs::file_status status = fs::status(given, ec);
    if (fs::is_directory(status)) {
      walkFolder(given, &files);
    } else if (fs::is_regular_file(status) && hasDesignExtension(given)) {
      addDesignFile(given, &files);
    } else if (fs::exists(status)) {
      files.push_back(withProblem(given, "no es un fichero .dgn ni una carpeta"));
    } else {
      files.push_back(withProblem(given, "no se puede leer: " + ec.message()));
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
