#include "cli/info_request.h"

#include <stdio.h>
#include <string.h>

#include "cli/usage.h"
#include "run/version.h"

static bool isHelp(const char* word) {
  return strcmp(word, "--help") == 0 || strcmp(word, "-h") == 0;
}

bool isInfoRequest(const char* word) {
  return word != NULL && (isHelp(word) || strcmp(word, "--version") == 0);
}

int answerInfoRequest(const char* word) {
  if (isHelp(word)) {
    fputs(kUsageText, stdout);
  } else {
    printf("dgnbin %s\n", DGNBIN_VERSION);
  }
  return fflush(stdout) == 0 && !ferror(stdout) ? 0 : 1;
}
