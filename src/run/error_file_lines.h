// The lines of the error file other than the misses: its header and the
// messages that stop a run (Latin-1), as the converter writes them and as
// the tools that read an error file back recognise them. The variable parts
// follow each text.
#ifndef DGNBIN_RUN_ERROR_FILE_LINES_H_
#define DGNBIN_RUN_ERROR_FILE_LINES_H_

const char kErrorFileHeader[] = "NIVEL ESTILO COLOR PESO FONT GG";
const char kWrongFactor[] =
    "Valor de factor_escala de transformaci\xF3n incorrecta, factor_escala=";
const char kFactorAndUnitsDisagree[] =
    "Error: Incoherencia en factor_escala y fichero semilla elegidos.";
// Then "bajo" or "alto", the corner and, on a line of its own, the maximum.
const char kRangeExceeded[] = "L\xEDmite excedido en rango ";
const char kRangeMaximum[] = " Valor M\xE1ximo=";
const char kTruncatedAt[] = "ERROR Fichero DGN truncado en el byte ";
const char kNoHeaderElement[] = "ERROR Fichero DGN incompleto: falta el elemento de cabecera";
const char kCannotWriteBin[] = "ERROR No puedo escribir en el fichero BIN ";

#endif  // DGNBIN_RUN_ERROR_FILE_LINES_H_
