// The run object: every buffer, file handle and setting of one conversion.
// Translators and the element loop are its member operations and work on its
// fields directly; nothing else is shared except the few globals at the end.
#ifndef DGNBIN_RUN_CONVERTER_H_
#define DGNBIN_RUN_CONVERTER_H_

#include <stdint.h>
#include <stdio.h>

#include <string>

#include "bin/bin_record.h"
#include "dgn/element_view.h"
#include "dgn/transform.h"
#include "platform/file_sink.h"
#include "platform/file_source.h"
#include "run/run_counts.h"
#include "table/code_table.h"
#include "table/lookup_index.h"

// The fields that arcs and ellipses share: the two axes, the rotation (an
// angle in 2D files, a quaternion's matrix in 3D files) and the origin.
struct ConicFields {
  double a, b;
  int32_t rotation;
  double m[9];
  double origin[3];
};

struct AngleWalks;

class Converter {
 public:
  Converter();
  ~Converter();
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Runs one conversion from the words of `line` (null when the program had
  // no argument). True when the conversion ran to its end.
  bool runConversion(char* line);
  bool convertDesignFile(const char* factorWord);
  // Puts the outputs in place, or leaves the old files when a write failed;
  // true when both were put in place.
  bool finishOutputs();

  // --- code table ---
  bool loadCodeTable();
  int lookupCode(int mode);

  // --- transform ---
  Point transformPoint(int32_t x, int32_t y, int32_t z) const;
  // The transform of the settings as they stand; the element loop keeps it
  // in `transform` for the translators.
  PointTransform currentTransform() const;
  // The point as translators write it: transformed, with Z 0 in a 2D file.
  Point outputPoint(int32_t x, int32_t y, int32_t z) const {
    Point p = {transform.x(x), transform.y(y), dimension == 3 ? transform.z(z) : 0};
    return p;
  }
  // Transforms the current element's range into `transformedRange`; false
  // when a corner lies beyond the limit (said in the error file).
  bool testRange();

  // --- BIN output ---
  // `boxed`: the box of a "C" record is already that of its points.
  void writeRecord(RecordHeader& header, RecordBox& box, Point* points, AttributeItem* items,
                   bool boxed = false);
  void setRecordCode();

  // --- element stream and linkages ---
  bool readFirstElement();
  bool runElementLoop();
  void dispatchElement(int type);
  void collectLinkageItems();

  // --- complex elements and cells ---
  // Whether an element with the complex bit is translated; ends a complex
  // element whose components have all arrived.
  bool admitComponent(int type);
  bool isStrayHeader(int type) const;
  void flushComplexRecord();
  void openTextNode();
  void openComplexRecord();
  void handleCellHeader();
  void mergeSavedItems();
  void writeElementRecord(bool joinable, bool boxed = false);
  void appendComplexPoint(const Point& p, bool skipRepeat);
  // appendComplexPoint of each point, repeats skipped, in a complex mode
  // that joins.
  void joinPoints(const Point* points, int count);
  // Modes 1 and 2 join the lines of a complex chain or shape into one
  // record; modes 0 and 1 write each line as well. A text node joins
  // nothing: its lines are written in all three modes.
  bool joinsComplex() const { return complexMode == 1 || complexMode == 2; }
  bool joinsLines() const { return joinsComplex() && !inTextNode; }
  bool writesComponentLines() const {
    return complexMode == 0 || complexMode == 1 || (complexMode == 2 && inTextNode);
  }

  // --- translators ---
  // Looks the current element up and puts the code found in the record.
  void lookupRecordCode(int mode);
  // Adds a point to `record`, dropping what lies beyond its capacity.
  void addRecordPoint(const Point& p);
  // Adds `count` stored vertices from element byte `offset` (x, y and, in a
  // 3D file, z) to `record` as output points, and those of a `joinable`
  // element to the complex record, where a vertex that repeats the last
  // point is kept once. True when it has made `recordBox` the box of the
  // record's points.
  bool addStoredVertices(int offset, int count, bool joinable);
  // Vertex count of a line string, shape or curve, cut to the vertices that
  // lie inside the element.
  int vertexCount() const;
  // The rotation matrix of the quaternion stored at `offset`.
  void elementRotation(int offset, double* m) const;
  // Axes at `axesAt`, the rotation 16 bytes on, the origin behind it.
  ConicFields conicFields(int axesAt) const;

  void translateCellHeader(int asSymbol);
  void translateLine();
  void translateLineString();
  void translateCurve();
  void translateArc();
  void translateEllipse();
  void translateText();

  // --- messages ---
  void errorPrintf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // The same message on the console and then in the error file.
  void reportError(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void fatalBinWrite();
  void warnPointCap();
  void warnItemCap();
  // The few lines on standard error that end a run that reached its elements.
  void printSummary();

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
  FileSink binSink;      // the BIN file
  FileSource dgnSource;  // the design file
  CodeTableRow* codeTable;
  int32_t codeTableRows;
  LookupIndex lookupIndex;  // of codeTable
  AngleWalks* angleWalks;   // those of the last arcs and the ellipse
  CodeTableRow currentRow;
  FileSink errorSink;  // the error file
  double originOffset[3];
  PointTransform transform;  // of the settings, for the element loop
  ElementView element;       // the current element, where it lies in dgnSource's buffer
  float scaleFactor;
  int32_t complexMode;  // generaComplex_KELO
  double utmShift;      // trasUTM
  int16_t uorRatio;     // the design file's units per master unit
  // The current element's range after the transform, before truncation.
  double transformedRange[6];
  int32_t lookupMode;
  int32_t dimension;
  bool inComplex;
  bool inTextNode;  // the open complex element is a text node

  // Kept across the element loop.
  int32_t claveCel;
  bool acceptComponents;
  // Set by a cell header until the next element that is not a component.
  bool inCell;
  // Components the open complex element announced (0: not said, the complex
  // bit alone ends it) and those met so far.
  int componentCount;
  int componentsSeen;

  // The file offset at which the current element starts, and of the next.
  long long elementOffset;
  long long fileOffset;

  std::string binName;
  std::string dgnName;
  std::string errName;
  bool binWriteFailed;
  bool errorWriteFailed;
  bool outputsCommitted;
  bool pointCapWarned;
  bool itemCapWarned;
  // The pause after the usage text; tests replace it.
  void (*usagePause)();
  // Command-line arguments after the one that is read.
  int extraArguments;
  RunCounts counts;
  DistinctKeys missingKeys;  // the symbologies without a row
};

#endif  // DGNBIN_RUN_CONVERTER_H_
