// Reading DGNBIN.TAB: the converter's table, and the batch's check of it
// before it starts, read by the same code.
#ifndef DGNBIN_TABLE_CODE_TABLE_FILE_H_
#define DGNBIN_TABLE_CODE_TABLE_FILE_H_

#include <stdio.h>

#include "table/code_table.h"

// Where the reader's messages go: its console lines (the converter's
// standard output), and its warnings about rows, one line each without an
// end, for the caller to show under its own name.
struct TableMessages {
  FILE* console;
  void (*warning)(const char* text);
};

enum TableLoad { kTableLoaded, kTableMissing, kTableTooLong };

// Reads the table at `path` into `rows` (kTableRows of them) and `*count`.
// kTableMissing also for a table that opens but cannot be read (a folder of
// that name), with the system's reason in `*reason`.
TableLoad readCodeTable(const char* path, CodeTableRow* rows, int* count,
                        const TableMessages& messages, int* reason);

#endif  // DGNBIN_TABLE_CODE_TABLE_FILE_H_
