// kelobin info: what a BIN file holds, and whether every record in it is
// one the converter can have written.
#include <stdio.h>

#include <memory>

#include "kelobin/bin_input.h"
#include "kelobin/commands.h"
#include "kelobin/text_bytes.h"

static void printExtent(const BinSurvey& s) {
  if (!s.hasExtent) {
    printf("extension: ninguna\n");
    return;
  }
  printf("extension: x %d a %d, y %d a %d, z %d a %d\n", s.low.x, s.high.x, s.low.y, s.high.y,
         s.low.z, s.high.z);
}

int runInfo(const char* binName) {
  BinInput input;
  if (!input.open(binName)) return 1;
  std::unique_ptr<BinSurvey> survey(new BinSurvey);
  const BinSurvey& s = *survey;
  ReadResult result = surveyBin(input, *survey);

  printf("fichero: %s\n", input.name());
  printf("registros: %lld (C %lld, T %lld)\n", s.records, s.pointRecords, s.textRecords);
  printf("puntos: %lld en los registros C\n", s.points);
  printf("atributos: %lld\n", s.items);
  printExtent(s);
  printf("registros por codigo:\n");
  for (const CodeCount& c : s.codes.ranking())
    printf("  %-8s %lld\n", escapedText(c.code).c_str(), c.records);
  if (s.codes.uncounted() > 0) {
    printf("  y %lld registros de otros codigos, mas de %d distintos\n", s.codes.uncounted(),
           CodeCounts::kMaxCodes);
  }
  if (result != kEndOfFile) {
    printf("estructura: incorrecta tras %lld registros\n", s.records);
    fflush(stdout);
    input.endedWell(result);
    return 1;
  }
  printf("estructura: correcta, %lld bytes\n", input.size());
  return 0;
}
