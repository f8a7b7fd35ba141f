#include "platform/platform.h"

#include <time.h>

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

void pauseMilliseconds(int milliseconds) {
  struct timespec wait;
  wait.tv_sec = milliseconds / 1000;
  wait.tv_nsec = (milliseconds % 1000) * 1000000L;
  while (nanosleep(&wait, &wait) != 0) {
  }
}
