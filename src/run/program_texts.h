// The texts of the converter's console and error file that more than one
// program needs: the converter writes them, kelobin and dgnbin-batch
// recognise them; and the rule that names the files of a conversion. Texts
// are Latin-1; the variable parts follow each text.
#ifndef DGNBIN_RUN_PROGRAM_TEXTS_H_
#define DGNBIN_RUN_PROGRAM_TEXTS_H_

#include <string>

// The files of a conversion: the error file is named after the design file,
// not after the BIN file.
inline std::string binFileName(const std::string& binBase) { return binBase + ".bin"; }
inline std::string designFileName(const std::string& dgnBase) { return dgnBase + ".dgn"; }
inline std::string errorFileName(const std::string& dgnBase) { return dgnBase + ".ERR"; }

// The code of an element whose symbology has no row.
const char kNewCode[] = "nuevo";

// The error file: its header, and the messages that stop a run.
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

// Console lines that stop a run, followed by a file name where they name one.
const char kCannotOpenTable[] = "No se puede abrir DGNBIN.TAB";
const char kTooManyRows[] = "LA tabla BINDGN.TAB tiene demasiados elementos";
const char kCannotOpenErrorFile[] = "No puedo abrir el fichero de errores  ";
const char kCannotOpenBin[] = "No puedo abrir el fichero BIN ";
const char kCannotOpenDesign[] = "No puedo abrir el fichero DGN ";
const char kNeitherTwoNorThreeD[] = "ERROR El fichero no es 2D ni 3D";
const char kCannotWriteErrorFile[] = "ERROR No puedo escribir en el fichero de errores ";

// The console's last line at the end-of-design marker.
const char kEndOfDesign[] = "Final del fichero DGN";
// On standard error, after "dgnbin: " and the design file's name and ": ",
// with the bytes read: a drawing without its end marker.
const char kNoEndMarker[] = "termina en el byte %lld sin la marca de fin; puede estar cortado";

#endif  // DGNBIN_RUN_PROGRAM_TEXTS_H_
