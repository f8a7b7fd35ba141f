// kelobin missing: the rows that the error files call for, ready to be
// completed and appended to DGNBIN.TAB.
#include <stdio.h>
#include <string.h>

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

int runMissing(const char* const* errNames, int count, const char* code) {
  if (!isTableWord(code)) {
    fprintf(stderr,
            "kelobin: el codigo provisional \"%s\" no vale: de 1 a 9 caracteres, sin blancos, "
            "comas ni comillas, y sin '/' al principio\n",
            code);
    return 2;
  }
  return writeMissingReport(errNames, count, code, stdout, stderr);
}
