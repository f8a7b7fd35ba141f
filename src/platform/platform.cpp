#include "platform/platform.h"


bool writeTextMode(FILE* stream, const char* text, size_t size) {
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    if (text[i] != '\n') continue;
    if (i > start && fwrite(text + start, 1, i - start, stream) != i - start) return false;
    if (fwrite("\r\n", 1, 2, stream) != 2) return false;
    start = i + 1;
  }
  if (size > start && fwrite(text + start, 1, size - start, stream) != size - start) return false;
  return true;
}

char* readTextLine(char* buffer, int size, FILE* stream) {
  // Byte by byte, so that a CR LF pair split by the length limit still reads
  // as the single line end a text-mode stream would give.
  int used = 0;
  while (used < size - 1) {
    int c = getc(stream);
    if (c == EOF) break;
    if (c == '\r') {
      int next = getc(stream);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        ungetc(next, stream);
      }
    }
    buffer[used++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (used == 0) return NULL;
  buffer[used] = '\0';
  return buffer;
}
