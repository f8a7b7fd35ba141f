// Builds DGN elements and whole design files byte by byte, so that tests can
// feed the converter exactly the input they describe, broken input included.
#ifndef DGNTEST_DGN_BUILDER_H
#define DGNTEST_DGN_BUILDER_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/dgn_encode.h"

namespace dgntest {

using Point3 = std::array<int32_t, 3>;

// One element. The builder derives the header words from these fields;
// the overrides replace a derived word as it is, to build broken elements.
struct Element {
    int type = 0;
    int level = 1;
    bool complexBit = false;
    bool deletedBit = false;
    // low x, low y, low z, high x, high y, high z, as coordinates; each is
    // stored as coordinate + 2^31.
    int32_t range[6] = {0, 0, 0, 0, 0, 0};
    uint16_t graphicGroup = 0;
    int style = 0, weight = 0, colour = 0;
    std::vector<uint8_t> body;      // element bytes 36 on; padded to even length
    std::vector<uint8_t> linkages;  // placed right after the body
    bool linkageFlag = false;       // properties bit 0x0800; forced on by linkages
    std::optional<uint16_t> wordsToFollowOverride;
    std::optional<uint16_t> attributeIndexOverride;
    std::optional<uint16_t> propertiesOverride;
};

// The bytes of one element: 36 header bytes, body, linkages.
std::vector<uint8_t> encodeElement(const Element& e);

// Sets the range block of an element.
void setRange(Element& e, int32_t lowX, int32_t lowY, int32_t lowZ, int32_t highX, int32_t highY,
              int32_t highZ);

// Sweep angle as stored in an arc: bit 31 the sign, bits 0-30 the magnitude.
uint32_t sweepSignMagnitude(int64_t sweep);

// ---- attribute linkages ----------------------------------------------------

// 8 words: header, word1, word2, code, value low word, value high word, 0, 0.
std::vector<uint8_t> linkage1007(int16_t code, int32_t value, uint16_t header = 0x1007,
                                 uint16_t word1 = 24162, uint16_t word2 = 3969);
// 4 words: 0x1003, a, b, c.
std::vector<uint8_t> linkage1003(uint16_t a, uint16_t b, uint16_t c);
// 20 words, header 0x1013: w6, w7, w8 at words 6-8, VAX F f at words 14-15,
// w16 at word 16, all others zero.
std::vector<uint8_t> linkage1013(uint16_t w6, uint16_t w7, uint16_t w8, float f, uint16_t w16);
// Any words, little-endian.
std::vector<uint8_t> linkageWords(const std::vector<uint16_t>& words);

// ---- element makers --------------------------------------------------------
// dim is 2 or 3; in 2D the z arguments are ignored and the range z is 0.
// Point elements get the bounding box of their points as range; arcs and
// ellipses the square of the larger axis around the origin; texts and cells
// a range described at each maker. Callers may set `range` afterwards.

// Type 3: start x, y[, z], end x, y[, z] from byte 36.
Element line(int dim, int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2);
// Type 4 (or `type`): vertex count at 36, vertices from 38.
Element lineString(int dim, const std::vector<Point3>& pts, int type = 4);
// Type 6, line-string layout.
Element shape(int dim, const std::vector<Point3>& pts);
// Type 11, line-string layout.
Element curve(int dim, const std::vector<Point3>& pts);

// Type 16. sweepWord is stored as given (see sweepSignMagnitude).
Element arc2D(int32_t start, uint32_t sweepWord, double a, double b, int32_t rotation, double ox,
              double oy);
Element arc3D(int32_t start, uint32_t sweepWord, double a, double b, const int32_t q[4], double ox,
              double oy, double oz);

// Type 15.
Element ellipse2D(double a, double b, int32_t rotation, double cx, double cy);
Element ellipse3D(double a, double b, const int32_t q[4], double cx, double cy, double cz);

// Type 17. The character count byte is chars.size() (at most 255). The range
// is the unrotated extent: from the origin to origin + (n x h, h), where
// h = heightMult x 6 / 1000 is the text height in design units; tests of
// justification set the range they need.
Element text2D(uint8_t font, uint8_t just, int32_t lengthMult, int32_t heightMult,
               int32_t rotation, int32_t ox, int32_t oy, const std::string& chars);
Element text3D(uint8_t font, uint8_t just, int32_t lengthMult, int32_t heightMult,
               const int32_t q[4], int32_t ox, int32_t oy, int32_t oz, const std::string& chars);

// Type 2. name6 is up to six Radix-50 characters, padded with blanks; the
// matrix holds the entries x 214748, row after row. Range: the origin.
Element cellHeader2D(const char* name6, const int32_t m[4], int32_t ox, int32_t oy);
Element cellHeader3D(const char* name6, const int32_t m[9], int32_t ox, int32_t oy, int32_t oz);

// Type 12 (complex chain) or 14 (complex shape): total length word at 36,
// number of components at 38.
Element complexHeader(int type, uint16_t totalLength = 0, uint16_t componentCount = 0);

// Type 7, a body of zero bytes.
Element textNode();

// ---- design file -----------------------------------------------------------

class DesignFile {
public:
    explicit DesignFile(int dimension);

    DesignFile& units(uint32_t subunitsPerMaster, uint32_t unitsPerSubunit);
    DesignFile& origin(double x, double y, double z);
    DesignFile& add(const Element& e);
    DesignFile& addRaw(std::vector<uint8_t> bytes);

    // The 1536-byte header element (type 9): low byte 8 (2D) or 200 (3D),
    // units at 1112 and 1116, global origin at 1240 as VAX D-floats, and in
    // 3D the flag 0x40 in byte 1214; all other bytes 0.
    std::vector<uint8_t> headerElement() const;

    // Header, elements in order, then FF FF when endMarker is set.
    std::vector<uint8_t> bytes(bool endMarker = true) const;
    void write(const std::string& path, bool endMarker = true) const;

private:
    int dimension_;
    uint32_t subunitsPerMaster_ = 10;
    uint32_t unitsPerSubunit_ = 10;
    double origin_[3] = {0.0, 0.0, 0.0};
    std::vector<uint8_t> elements_;
};

}  // namespace dgntest

#endif
