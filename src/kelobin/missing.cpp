// kelobin missing: the rows that the error files call for, ready to be
// completed and appended to DGNBIN.TAB.
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "kelobin/commands.h"
#include "kelobin/missing_report.h"

// The placeholder must read back as the row's first word: no separator, no
// quote, not a comment, and no longer than the table keeps.
static bool isTableWord(const char* code) {
  size_t length = strlen(code);
  if (length == 0 || length > 9 || code[0] == '/') return false;
  for (const char* p = code; *p != '\0'; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c <= ' ' || c == ',' || c == '"' || c == 0x7F) return false;
  }
  return true;
}

// Names as the file system gives them, whatever their bytes, one a line; a
// line end written as CR LF is one too. However many there are and however
// long, they never pass through a command line.
static bool readNameList(const char* list, std::vector<std::string>& names) {
  bool standardInput = strcmp(list, "-") == 0;
  FILE* in = standardInput ? stdin : fopen(list, "rb");
  if (in == NULL) {
    fprintf(stderr, "kelobin: no puedo abrir la lista %s: %s\n", list, strerror(errno));
    return false;
  }
  std::string name;
  for (int c = getc(in);; c = getc(in)) {
    if (c != EOF && c != '\n') {
      name += static_cast<char>(c);
      continue;
    }
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (!name.empty()) names.push_back(name);
    name.clear();
    if (c == EOF) break;
  }
  bool read = ferror(in) == 0;
  if (!read) fprintf(stderr, "kelobin: no puedo leer la lista %s: %s\n", list, strerror(errno));
  if (!standardInput) fclose(in);
  return read;
}

int runMissing(const std::vector<const char*>& errNames, const char* list, const char* code) {
  if (!isTableWord(code)) {
    fprintf(stderr,
            "kelobin: el codigo provisional \"%s\" no vale: de 1 a 9 caracteres, sin blancos, "
            "comas ni comillas, y sin '/' al principio\n",
            code);
    return 2;
  }
  std::vector<std::string> listed;
  if (list != NULL && !readNameList(list, listed)) return 1;
  std::vector<const char*> names = errNames;
  for (const std::string& name : listed) names.push_back(name.c_str());
  return writeMissingReport(names.data(), static_cast<int>(names.size()), code, stdout, stderr);
}
