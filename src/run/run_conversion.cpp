// The frame of one conversion: the eight words, the table, the three files,
// the header element and its checks, the element loop.
#include <errno.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "cli/hints.h"
#include "cli/usage.h"
#include "dgn/element_fields.h"
#include "dgn/transform.h"
#include "platform/files.h"
#include "platform/interruption.h"
#include "platform/number_words.h"
#include "platform/platform.h"
#include "run/converter.h"
#include "run/program_texts.h"
#include "run/words.h"

bool Converter::runConversion(char* line) {
  counts.started = secondsNow();

  std::string typed = line != NULL ? line : "";
  WordTable wordTable = splitWords(line);
  if (line == NULL || wordTable.count != 8) {
    printf("%s", kUsageText);
    fflush(stdout);
    hintWordCount(typed.c_str(), line != NULL ? wordTable.count : 0, extraArguments);
    usagePause();
    return false;
  }
  char** word = wordTable.words;
  binName = binFileName(word[0]);
  dgnName = designFileName(word[1]);
  errName = errorFileName(word[1]);
  scaleFactor = static_cast<float>(readReal(word[2]));
  claveCel = readInteger(word[3]);
  lookupMode = readInteger(word[4]);
  if (lookupMode > 1) lookupMode = 0;
  (void)readInteger(word[5]);  // pattern: read and not used
  utmShift = readReal(word[6]);
  complexMode = truncToInt32(readReal(word[7]));
  std::string factorWord = word[2];
  hintBaseNames(word[0], word[1]);

  if (!loadCodeTable()) return false;

  // Both outputs are made where the run has always opened them, so that
  // either can still be refused there; neither replaces the file of its
  // name before the run reaches one of its ends.
  if (!errorSink.create(errName.c_str(), 0666)) {
    printf("%s%s", kCannotOpenErrorFile, nameInMessages(errName).c_str());
    endConsoleLine();
    hint("%s: %s", nameInMessages(errName).c_str(), systemReason(errorSink.error()));
    return false;
  }
  errorPrintf("%s\n", kErrorFileHeader);
  // Readable and writable by all, less the umask, like every other output:
  // the loader may run as another user.
  if (!binSink.create(binName.c_str(), 0666)) {
    printf("%s%s", kCannotOpenBin, nameInMessages(binName).c_str());
    endConsoleLine();
    hint("%s: %s", nameInMessages(binName).c_str(), systemReason(binSink.error()));
  }
  bool completed = binSink.isOpen() && convertDesignFile(factorWord.c_str());
  bool committed = finishOutputs();
  printSummary();
  return completed && committed;
}

// From the design file's opening to the end of its elements; true when the
// conversion ran to the end.
bool Converter::convertDesignFile(const char* factorWord) {
  // Read only: the design file is never written.
  if (!dgnSource.open(dgnName.c_str())) {
    int reason = errno;
    printf("%s%s", kCannotOpenDesign, nameInMessages(dgnName).c_str());
    endConsoleLine();
    hint("%s: %s", nameInMessages(dgnName).c_str(), systemReason(reason));
    return false;
  }

  if (!readFirstElement()) {
    reportError("%s\n", kNoHeaderElement);
    describeDesignFile(dgnName.c_str());
    return false;
  }

  if (element.bytes[0] == 8) {
    printf("Fichero DGN en 2D\n");
    dimension = 2;
  } else if (element.bytes[0] == 200) {
    printf("Fichero DGN en 3D\n");
    dimension = 3;
  } else {
    printf("%s\n", kNeitherTwoNorThreeD);
    describeDesignFile(dgnName.c_str());
    return false;
  }

  for (int axis = 0; axis < 3; ++axis) originOffset[axis] = -element.vaxD(kGlobalOrigin + 8 * axis);
  printf("Origen Global GOX=%12.0f GOY=%12.0f  GOZ=%12.0f\n", originOffset[0], originOffset[1],
         originOffset[2]);

  // The product's low 16 bits; unsigned, so that large words cannot overflow.
  uint32_t units =
      static_cast<uint32_t>(element.word(kUnitsLowWord)) * element.word(kSubunitsLowWord);
  uorRatio = static_cast<int16_t>(static_cast<uint16_t>(units));

  int requiredRatio = 0;
  if (scaleFactor == 1.0f || scaleFactor == 0.1f) {
    requiredRatio = 100;
  } else if (scaleFactor == 10.0f || scaleFactor == 99.0f) {
    requiredRatio = 1000;
  } else {
    errorPrintf("%s%3.0f", kWrongFactor, scaleFactor);
    printf("%s%3.0f", kWrongFactor, scaleFactor);
    endConsoleLine();
    hintScaleFactor(factorWord, uorRatio);
    return false;
  }
  if (uorRatio != requiredRatio) {
    reportError("%s\n", kFactorAndUnitsDisagree);
    hintScaleFactor(factorWord, uorRatio);
    return false;
  }
  if (scaleFactor == 99.0f) scaleFactor = 1.0f;

  inComplex = false;
  complexHeader.pointCount = 0;
  acceptComponents = false;
  counts.loopReached = true;
  return runElementLoop();
}

// Every end of a run that made its outputs comes here. A write that failed
// leaves both old files as they were; otherwise the error file and then the
// BIN file replace theirs, with no interruption in between.
bool Converter::finishOutputs() {
  if (binSink.isOpen() && !binSink.flush()) fatalBinWrite();
  if (!errorSink.flush()) errorWriteFailed = true;
  bool committed = false;
  if (!binWriteFailed && !errorWriteFailed) {
    holdInterruptions();
    if (!errorSink.commit()) {
      errorWriteFailed = true;
    } else if (binSink.isOpen() && !binSink.commit()) {
      fatalBinWrite();
    } else {
      committed = true;
    }
  }
  if (errorWriteFailed) {
    printf("%s%s\n", kCannotWriteErrorFile, nameInMessages(errName).c_str());
    hint("%s: %s", nameInMessages(errName).c_str(), systemReason(errorSink.error()));
  }
  binSink.discard();
  errorSink.discard();
  outputsCommitted = committed;
  return committed;
}
