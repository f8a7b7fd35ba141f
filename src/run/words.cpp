#include "run/words.h"

#include <string.h>

WordTable splitWords(char* line) {
  WordTable table;
  table.count = 0;
  char* end = line == NULL ? NULL : line + strlen(line);
  for (int i = 0; i < kMaxWords; ++i) table.words[i] = end;
  if (line == NULL) return table;

  bool inWord = false;
  for (char* p = line; *p != '\0'; ++p) {
    // Once the last slot is taken nothing more is looked at, so an unquoted
    // last word runs to the end of the line.
    if (table.count >= kMaxWords) break;
    char c = *p;
    if (c == ' ' || c == ',' || c == '\n') {
      *p = '\0';
      inWord = false;
    } else if (c == '"') {
      *p = '\0';
      table.words[table.count++] = p + 1;
      char* close = strchr(p + 1, '"');
      if (close == NULL) break;  // the quoted word ends with the line
      *close = '\0';
      p = close;
      inWord = false;
    } else if (!inWord) {
      table.words[table.count++] = p;
      inWord = true;
    }
  }
  return table;
}

bool hasDecimalComma(const char* text) {
  for (const char* c = strchr(text, ','); c != NULL; c = strchr(c + 1, ',')) {
    if (c > text && c[-1] >= '0' && c[-1] <= '9' && c[1] >= '0' && c[1] <= '9') return true;
  }
  return false;
}

char* trimBlanks(char* text) {
  size_t lead = 0;
  while (text[lead] == ' ') ++lead;
  if (lead > 0) memmove(text, text + lead, strlen(text + lead) + 1);
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') text[--length] = '\0';
  return text;
}
