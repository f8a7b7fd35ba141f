// kelobin dump: every record as text, and with --hex its bytes, in rows of
// one field width (12 bytes) beside their file offsets.
#include <stdio.h>

#include "kelobin/bin_input.h"
#include "kelobin/commands.h"
#include "kelobin/text_bytes.h"

static void printBytes(const RecordView& r) {
  for (long row = 0; row < r.size; row += kPointBytes) {
    printf("  %06llx:", r.offset + row);
    for (long i = row; i < row + kPointBytes && i < r.size; ++i) printf(" %02X", r.bytes[i]);
    printf("\n");
  }
}

static void printRecord(const RecordView& r, bool withBytes) {
  const RecordHeader& h = r.header;
  const RecordBox& b = r.box;
  printf("registro %lld en el byte %lld: %c \"%s\", puntos %d, atributos %d\n", r.index, r.offset,
         h.kind, escapedText(h.code).c_str(), h.pointCount, h.itemCount);
  printf("  caja: x %d a %d, y %d a %d, z %d a %d\n", b.lowX, b.highX, b.lowY, b.highY, b.lowZ,
         b.highZ);
  printf("  campos de texto: altura %d, justificacion %d, angulo %d\n", b.textHeight,
         b.textJustification, b.textAngle);
  if (h.kind == 'T') {
    Point p = r.point(0);
    printf("  insercion %d %d %d\n", p.x, p.y, p.z);
    printf("  texto \"%s\"\n", escapedText(r.text).c_str());
  } else {
    for (int i = 0; i < h.pointCount; ++i) {
      Point p = r.point(i);
      printf("  punto %d %d %d\n", p.x, p.y, p.z);
    }
  }
  for (int i = 0; i < h.itemCount; ++i) {
    AttributeItem item = r.item(i);
    printf("  atributo %d: valor %d, texto \"%s\"\n", item.code, item.value,
           escapedText(item.text).c_str());
  }
  if (withBytes) printBytes(r);
}

int runDump(const char* binName, bool withBytes) {
  BinInput input;
  if (!input.open(binName)) return 1;
  RecordView r;
  ReadResult result;
  while ((result = input.next(r)) == kRecordRead) printRecord(r, withBytes);
  fflush(stdout);
  return input.endedWell(result) ? 0 : 1;
}
