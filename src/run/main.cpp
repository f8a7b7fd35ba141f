#include "run/converter.h"

int main(int argc, char** argv) {
  Converter converter;
  bool completed = converter.runConversion(argc > 1 ? argv[1] : 0);
  return completed ? 0 : 1;
}
