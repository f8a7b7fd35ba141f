// The design files of a batch: found under the given folders or given
// one by one, and named the way dgnbin is given them.
#ifndef DGNBIN_BATCH_BATCH_FILES_H_
#define DGNBIN_BATCH_BATCH_FILES_H_

#include <string>
#include <vector>

// A design file to convert, or a path that cannot be converted and why.
struct BatchFile {
  std::string path;     // as found from the given path, lexically normal
  std::string base;     // the path without its extension: dgnbin adds ".dgn"
  std::string problem;  // empty when dgnbin can convert it
};

// Every file named *.dgn (in any case) under the given folders, at any
// depth, and every given file, sorted by path, each once. Paths that do not
// exist, folders that cannot be read and names dgnbin cannot open come
// back with their problem.
std::vector<BatchFile> findDesignFiles(const std::vector<std::string>& paths);

// The one argument of dgnbin for `file`: the base name quoted twice (so
// that the BIN and error files land beside the design file and blanks and
// commas stay inside the name), then `settings`.
std::string dgnbinArgument(const BatchFile& file, const std::string& settings);

#endif  // DGNBIN_BATCH_BATCH_FILES_H_
