// The run object: every buffer, file handle and setting of one conversion.
// Translators and the element loop are its member operations and work on its
// fields directly; nothing else is shared except the few globals at the end.
#ifndef DGNBIN_RUN_CONVERTER_H_
#define DGNBIN_RUN_CONVERTER_H_

#include <stdint.h>
#include <stdio.h>

#include <string>

#include "bin/bin_record.h"
#include "platform/file_sink.h"
#include "platform/file_source.h"
#include "table/code_table.h"

// The fields that arcs and ellipses share: the two axes, the rotation (an
// angle in 2D files, a quaternion's matrix in 3D files) and the origin.
struct ConicFields {
  double a, b;
  int32_t rotation;
  double m[9];
  double origin[3];
};

// The element buffer holds everything after the 4-byte head of the largest
// element the words-to-follow field can express.
const int kElementBodyCapacity = 2 * 65535;
// Zeroed bytes kept behind the current element, so that fixed fields that
// would lie beyond a short element read as zero rather than as stale bytes.
const int kElementSlack = 256;
// The header element must reach the end of the global origin.
const int kHeaderElementMinBytes = 1264;

class Converter {
 public:
  Converter();
  ~Converter();
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Runs one conversion from the words of `line` (null when the program had
  // no argument). True when the conversion ran to its end.
  bool runConversion(char* line);

  // --- code table ---
  bool loadCodeTable();
  int lookupCode(int mode);

  // --- encodings that need the run's dimension ---
  void matrixAxisScales(const int32_t* values, double* matrix, double* scales);

  // --- transform ---
  Point transformPoint(int32_t x, int32_t y, int32_t z) const;
  // The point as translators write it: transformed, with Z 0 in a 2D file.
  Point outputPoint(int32_t x, int32_t y, int32_t z) const;
  void testRange();

  // --- BIN output ---
  void writeRecord(RecordHeader& header, RecordBox& box, Point* points,
                   AttributeItem* items);
  void setRecordCode();

  // --- element stream, linkages, complex elements ---
  bool readFirstElement();
  bool runElementLoop();
  void dispatchElement(int type);
  bool isStrayHeader(int type) const;
  // Zeroes a fixed field of the current element that does not lie wholly
  // inside it (`offset` counts from the element's first byte).
  void clipField(int offset, int width);
  // Number of whole fields of `width` bytes from `offset` that lie inside
  // the current element.
  int fieldsInside(int offset, int width) const;
  void collectLinkageItems();
  void flushComplexRecord();
  void openTextNode();
  void openComplexRecord();
  void handleCellHeader();
  void mergeSavedItems();
  void writeElementRecord(bool joinsComplex);
  void appendComplexPoint(const Point& p, bool skipRepeat);

  // --- translators ---
  // Looks the current element up and puts the code found in the record.
  void lookupRecordCode(int mode);
  // Adds a point to `record`, dropping what lies beyond its capacity.
  void addRecordPoint(const Point& p);
  // The stored vertex at element byte `offset` (x, y and, in a 3D file, z)
  // as an output point.
  Point storedVertex(int offset) const;
  // Vertex count of a line string, shape or curve, made native with its
  // vertices and cut to the vertices inside the element.
  int vertexCount();
  // Fixed fields of the current element at element byte `offset`, made
  // native in place; a field that does not lie wholly inside the element
  // reads as zero.
  int32_t elementInt(int offset);
  double elementReal(int offset);
  // The rotation matrix of the quaternion stored at `offset`.
  void elementRotation(int offset, double* m);
  // Axes at `axesAt`, the rotation 16 bytes on, the origin behind it.
  ConicFields conicFields(int axesAt);

  void translateCellHeader(int asSymbol);
  void translateLine();
  void translateLineString();
  void translateCurve();
  void translateArc();
  void translateEllipse();
  void translateText();

  // --- messages ---
  void errorPrintf(const char* format, ...)
      __attribute__((format(printf, 2, 3)));
  // The same message on the console and then in the error file.
  void reportError(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void fatalBinWrite();
  void closeFiles();
  void warnPointCap();
  void warnItemCap();

  // Fields, in the order of the run object's description.
  RecordHeader recordHeader;
  RecordHeader complexHeader;
  AttributeItem* recordItems;
  AttributeItem* savedItems;
  AttributeItem* complexItems;
  int32_t savedItemCount;
  RecordBox recordBox;
  RecordBox complexBox;
  Point* recordPoints;
  Point* complexPoints;
  char* textArea;
  int binFile;  // -1 while not open
  int dgnFile;  // -1 while not open
  CodeTableRow* codeTable;
  int32_t codeTableRows;
  CodeTableRow currentRow;
  FILE* errorFile;
  double originOffset[3];
  uint8_t elementHead[4];
  uint8_t* elementBuffer;
  float scaleFactor;
  int32_t lookupMode;
  int32_t dimension;
  int32_t inComplex;

  // Kept across the element loop.
  int32_t claveCel;
  int32_t acceptComponents;
  // Set by a cell header until the next element that is not a component.
  bool inCell;

  // Length in bytes of the current element's body (after its head), the file
  // offset at which the current element starts, and the offset of the next.
  int32_t elementBodyLength;
  long long elementOffset;
  long long fileOffset;

  // Output and bookkeeping of this implementation.
  FileSink binSink;
  FileSource dgnSource;
  std::string binName;
  std::string dgnName;
  std::string errName;
  bool binWriteFailed;
  bool errorWriteFailed;
  bool pointCapWarned;
  bool itemCapWarned;
};

// Globals shared by several units (set by runConversion).
extern int32_t complexMode;
extern double utmShift;
extern int16_t uorRatio;
extern double transformedRange[6];
extern double pi;

// The pause after the usage text; tests replace it.
extern void (*usagePause)();

#endif  // DGNBIN_RUN_CONVERTER_H_
