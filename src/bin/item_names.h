// The names that the outputs which give items names (kelobin's GeoJSON, the
// GDAL driver's fields) agree on: item_CODE, then item_CODE_2, _3... for
// the same code met again in one record, so that no name repeats within a
// record.
#ifndef DGNBIN_BIN_ITEM_NAMES_H_
#define DGNBIN_BIN_ITEM_NAMES_H_

#include <string>

#include "bin/record_reader.h"

// 1 for the first item of its code in the record, 2 for the second...
int itemRepeat(const RecordView& record, int i);
std::string itemName(int code, int repeat);

#endif  // DGNBIN_BIN_ITEM_NAMES_H_
