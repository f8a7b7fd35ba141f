// A drawing whose extension is not ".dgn" in lower case, converted on a
// file system that tells case apart: dgnbin, which appends ".dgn" to the
// name it is given, opens it through a link of that name in a folder of the
// batch's own, and its error file is then put beside the drawing.
#ifndef DGNBIN_BATCH_LINKED_DRAWING_H_
#define DGNBIN_BATCH_LINKED_DRAWING_H_

#include <string>

#include "batch/batch_files.h"

class DrawingLinks {
 public:
  DrawingLinks() = default;
  // Removes the folder and what is left in it.
  ~DrawingLinks();
  DrawingLinks(const DrawingLinks&) = delete;
  DrawingLinks& operator=(const DrawingLinks&) = delete;

  // The base name under which dgnbin opens `file`, the `index`-th of the
  // batch: a link to it in the folder, made the first time; the empty
  // string, with the reason in `*problem`, when it cannot be made.
  std::string link(const BatchFile& file, size_t index, std::string* problem);

  // Puts the error file that dgnbin wrote under the link's base `linkBase`
  // beside `file`, whole, and removes the link. False, with the reason in
  // `*problem`, when the error file could not be put there.
  bool finish(const BatchFile& file, const std::string& linkBase, std::string* problem);

 private:
  std::string folder_;  // empty until the first link
};

#endif  // DGNBIN_BATCH_LINKED_DRAWING_H_
