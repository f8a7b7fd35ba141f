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
  bool drawing = false;  // a design file, even one with a problem
  // Its extension is not ".dgn" and the file system tells case apart:
  // dgnbin opens it through a link of that name.
  bool linked = false;
};

// Every file named *.dgn (in any case) under the given folders, at any
// depth, and every given file, sorted by path, each once. Paths that do not
// exist, folders that cannot be read, links that lead nowhere, names dgnbin
// cannot be given and drawings whose outputs another one takes come back
// with their problem.
std::vector<BatchFile> findDesignFiles(const std::vector<std::string>& paths);

// True when `name` ends in `extension` (given in lower case), letters in
// either case.
bool endsWithAnyCase(const std::string& name, const char* extension);

// `name` with ".", ".." and the links of its folder resolved, absolute, as
// the file system compares names: two names of one place give the same.
std::string comparedName(const std::string& name);

// The one argument of dgnbin for `file`, opened under `designBase` (its own
// base, or that of its link): the base names quoted (so that the BIN file
// lands beside the design file and blanks and commas stay inside the name),
// then `settings`.
std::string dgnbinArgument(const BatchFile& file, const std::string& designBase,
                           const std::string& settings);

#endif  // DGNBIN_BATCH_BATCH_FILES_H_
