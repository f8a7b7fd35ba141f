#include "run/converter.h"

int main(int argc, char** argv) {
  Converter converter;
  converter.extraArguments = argc > 2 ? argc - 2 : 0;
  bool completed = converter.runConversion(argc > 1 ? argv[1] : 0);
  return completed ? 0 : 1;
}
