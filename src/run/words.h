// Free-format line reading: the command line and every row of the code table
// are cut into words here.
#ifndef DGNBIN_RUN_WORDS_H_
#define DGNBIN_RUN_WORDS_H_

#include <stddef.h>

const int kMaxWords = 127;

// Pointers into the line last split; slots at or beyond `count` point to an
// empty string.
struct WordTable {
  char* words[kMaxWords];
  int count;
};

// Cuts `line` into words in place (separators and quote marks become NUL).
// The words live in the line: take them before it changes. A null line
// gives no words and null slots.
WordTable splitWords(char* line);

// A comma between two digits: a decimal comma, which the splitter takes for a
// separator, so that the number becomes two words.
bool hasDecimalComma(const char* text);

// Removes leading and trailing blanks (0x20 only) in place.
char* trimBlanks(char* text);

// Copies `from` as a terminated string of at most `most` characters; the
// bytes behind the terminator keep what they held. True when it was cut.
// Inline, character by character: codes, names and item texts are a few
// characters long and copied for every element.
inline bool copyTerminated(char* to, const char* from, size_t most) {
  size_t length = 0;
  for (; length < most && from[length] != '\0'; ++length) to[length] = from[length];
  to[length] = '\0';
  return from[length] != '\0';
}

#endif  // DGNBIN_RUN_WORDS_H_
