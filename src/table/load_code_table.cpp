// The converter's table: DGNBIN.TAB of the working folder, its messages on
// the console and standard error, and its index built once it is whole.
#include <stdio.h>

#include "cli/hints.h"
#include "run/converter.h"
#include "run/program_texts.h"
#include "table/code_table_file.h"

static void warnRow(const char* text) { hint("%s", text); }

bool Converter::loadCodeTable() {
  const TableMessages messages = {stdout, warnRow};
  int reason = 0;
  switch (readCodeTable("DGNBIN.TAB", codeTable, &codeTableRows, messages, &reason)) {
    case kTableMissing:
      printf("%s\n", kCannotOpenTable);
      hint("DGNBIN.TAB: %s (se lee de la carpeta de trabajo)", systemReason(reason));
      return false;
    case kTableTooLong:
      printf("%s", kTooManyRows);
      hint("DGNBIN.TAB: caben %d filas; la fila %d no cabe: quite filas repetidas o que no se usan",
           kTableRows - 1, kTableRows);
      return false;
    case kTableLoaded:
      break;
  }
  lookupIndex.build(codeTable, codeTableRows);
  return true;
}
