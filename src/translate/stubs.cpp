#include "run/converter.h"
void Converter::translateCellHeader(int) {}
void Converter::translateArc() {}
void Converter::translateEllipse() {}
void Converter::translateText() {}
