// The few lines on standard error that tell what a run did.
#include <stdio.h>
#include <string.h>

#include "cli/hints.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "run/converter.h"

static const char* typeName(int type) {
  switch (type) {
    case 2:
      return "celda";
    case 3:
      return "linea";
    case 4:
      return "cadena de lineas";
    case 6:
      return "forma";
    case 7:
      return "nodo de texto";
    case 11:
      return "curva";
    case 12:
      return "cadena compleja";
    case 14:
      return "forma compleja";
    case 15:
      return "elipse";
    case 16:
      return "arco";
    case 17:
      return "texto";
    default:
      return NULL;
  }
}

void Converter::printSummary() {
  const RunCounts& n = counts;
  if (!n.loopReached) return;
  double seconds = secondsNow() - n.started;

  long long elements = 0;
  char byType[1024] = "";
  for (int type = 0; type < 128; ++type) {
    if (n.elementsByType[type] == 0) continue;
    elements += n.elementsByType[type];
    char one[48];
    const char* name = typeName(type);
    if (name != NULL) {
      snprintf(one, sizeof one, "%s%s: %lld", byType[0] ? ", " : "", name, n.elementsByType[type]);
    } else {
      snprintf(one, sizeof one, "%stipo %d: %lld", byType[0] ? ", " : "", type,
               n.elementsByType[type]);
    }
    strncat(byType, one, sizeof byType - strlen(byType) - 1);
  }
  hint("%lld elementos leidos en %.2f s%s%s", elements, seconds, elements ? ": " : "", byType);
  hint(
      "pasados por alto: %lld borrados, %lld componentes no admitidos, %lld de tipos sin "
      "traduccion",
      n.deleted, n.skippedComponents, n.untranslated);
  if (n.unwrittenLines > 0) {
    hint("%lld lineas de elementos complejos sin registro: solo los modos 0, 1 y 2 de "
         "generaComplex_KELO las escriben",
         n.unwrittenLines);
  }
  if (!outputsCommitted) {
    // The counts of a run whose outputs were dropped describe no file.
    hint("ningun registro escrito: %s y %s quedan como estaban", nameInMessages(binName).c_str(),
         nameInMessages(errName).c_str());
  } else {
    hint("%lld registros escritos en %s, %lld de ellos de elementos complejos unidos", n.records,
         nameInMessages(binName).c_str(), n.joinedRecords);
    if (n.misses == 0) {
      hint("todos los elementos buscados tienen fila en DGNBIN.TAB");
    } else {
      hint("%lld elementos sin fila en DGNBIN.TAB, %s%lld simbologias distintas: ver %s", n.misses,
           missingKeys.full() ? "mas de " : "", missingKeys.count(),
           nameInMessages(errName).c_str());
    }
  }
  if (n.wrappingElements > 0) {
    hint(
        "AVISO %lld elementos tienen coordenadas que no caben en 32 bits con signo y se "
        "escriben con sus 32 bits bajos (de 2^31 en adelante salen negativas); trasUTM puede "
        "desplazar la Y",
        n.wrappingElements);
  }
}
