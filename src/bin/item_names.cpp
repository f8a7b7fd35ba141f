#include "bin/item_names.h"

int itemRepeat(const RecordView& record, int i) {
  const int16_t code = record.item(i).code;
  int repeat = 1;
  for (int k = 0; k < i; ++k) repeat += record.item(k).code == code;
  return repeat;
}

std::string itemName(int code, int repeat) {
  std::string name = "item_" + std::to_string(code);
  if (repeat > 1) name += "_" + std::to_string(repeat);
  return name;
}
