// Builds DGN elements and whole design files byte by byte, so that tests can
// feed the converter exactly the input they describe, broken input included.
#ifndef DGNTEST_DGN_BUILDER_H
#define DGNTEST_DGN_BUILDER_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dgntest {

using Bytes = std::vector<uint8_t>;
using Point3 = std::array<int32_t, 3>;
using Real3 = std::array<double, 3>;
// A 2D angle in 1/360000 degree (one value) or a 3D quaternion scaled by
// 2^31 - 1 (four values).
using Rotation = std::vector<int32_t>;
const int32_t kUnit = 2147483647;  // quaternion component 1
inline Rotation noTurn(int dim) { return dim == 3 ? Rotation{kUnit, 0, 0, 0} : Rotation{0}; }

// Little-endian 16-bit and 32-bit words; a DGN 32-bit integer (high word
// first: 1 is 00 00 01 00); VAX D and F floats (the IEEE fraction on top of
// the VAX one; zero as zero bytes); a Radix-50 word of three characters.
void putU16(Bytes& b, uint16_t w);
void putI32Le(Bytes& b, int32_t v);
void putI32Dgn(Bytes& b, int32_t v);
void putVaxD(Bytes& b, double v);
void putVaxF(Bytes& b, float v);
uint16_t radix50Word(const char* three);

// One element. The builder derives the header words from these fields; the
// overrides replace a derived word as it is, to build broken elements.
struct Element {
  int type = 0;
  int level = 1;
  bool complexBit = false;
  bool deletedBit = false;
  int32_t range[6] = {0, 0, 0, 0, 0, 0};  // coordinates; each stored + 2^31
  uint16_t graphicGroup = 0;
  int style = 0, weight = 0, colour = 0;
  Bytes body;      // element bytes 36 on; padded to even length
  Bytes linkages;  // placed right after the body; sets the linkage flag
  std::optional<uint16_t> wordsToFollowOverride, attributeIndexOverride, propertiesOverride;
};

Bytes encodeElement(const Element& e);
void setRange(Element& e, int32_t lowX, int32_t lowY, int32_t lowZ, int32_t highX, int32_t highY,
              int32_t highZ);
// An arc's sweep word: bit 31 the sign, bits 0-30 the magnitude.
uint32_t sweepSignMagnitude(int64_t sweep);

// Attribute linkages: 0x1007 (8 words: header, word1, word2, code, value low
// and high word, 0, 0); 0x1003 (4 words); 0x1013 (20 words: w6, w7, w8 at
// words 6-8, the VAX F-float f at 14-15, w16 at 16); any words.
Bytes linkage1007(int16_t code, int32_t value, uint16_t header = 0x1007, uint16_t word1 = 24162,
                  uint16_t word2 = 3969);
Bytes linkage1003(uint16_t a, uint16_t b, uint16_t c);
Bytes linkage1013(uint16_t w6, uint16_t w7, uint16_t w8, float f, uint16_t w16);
Bytes linkageWords(const std::vector<uint16_t>& words);

// Element makers; `dim` is 2 or 3 and in 2D every z is left out. Point
// elements get the box of their points as range; arcs and ellipses the square
// of the larger axis around the origin; texts the unrotated extent of their
// characters (each heightMult x 6 / 1000 wide and high); cells their origin.
Element line(int dim, int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2);
Element lineString(int dim, const std::vector<Point3>& pts, int type = 4);
inline Element shape(int dim, const std::vector<Point3>& pts) { return lineString(dim, pts, 6); }
inline Element curve(int dim, const std::vector<Point3>& pts) { return lineString(dim, pts, 11); }
Element arc(int dim, int32_t start, uint32_t sweepWord, double a, double b, const Rotation& r,
            const Real3& origin);
Element ellipse(int dim, double a, double b, const Rotation& r, const Real3& centre);
Element text(int dim, uint8_t font, uint8_t just, int32_t heightMult, const Rotation& r,
             const Point3& origin, const std::string& chars);
// `name6`: up to six Radix-50 characters; `matrix`: 4 or 9 entries x 214748.
Element cellHeader(int dim, const char* name6, const std::vector<int32_t>& matrix,
                   const Point3& origin);
// Type 12 (complex chain) or 14 (complex shape), and 7 (text node), with the
// number of components they announce.
Element complexHeader(int type, uint16_t components = 0);
Element textNode(uint16_t components = 0);

// Element modifiers for building drawings in one expression.
inline Element onLevel(Element e, int level) {
  e.level = level;
  return e;
}
inline Element withSymbology(Element e, int level, int style, int colour, int weight) {
  e.level = level;
  e.style = style;
  e.colour = colour;
  e.weight = weight;
  return e;
}
// The element as a component of the complex element or cell before it.
inline Element asComponent(Element e) {
  e.complexBit = true;
  return e;
}
inline Element withLinkages(Element e, std::initializer_list<Bytes> linkages) {
  for (const Bytes& l : linkages) e.linkages.insert(e.linkages.end(), l.begin(), l.end());
  return e;
}
inline Element inGroup(Element e, uint16_t graphicGroup) {
  e.graphicGroup = graphicGroup;
  return e;
}
// One attribute item (code, value, no text) from an 0x1007 linkage.
inline Element withItem(Element e, int16_t code, int32_t value) {
  return withLinkages(e, {linkage1007(code, value)});
}

class DesignFile {
 public:
  explicit DesignFile(int dimension) : dimension_(dimension) {}
  DesignFile& units(uint32_t subunitsPerMaster, uint32_t unitsPerSubunit);
  DesignFile& origin(double x, double y, double z);
  DesignFile& add(const Element& e);
  DesignFile& addRaw(const Bytes& bytes);
  // The 1536-byte header element (type 9): byte 0 is 8 (2D) or 200 (3D),
  // units at 1112 and 1116, the global origin at 1240.
  Bytes headerElement() const;
  // Header, elements, and FF FF when `endMarker`.
  Bytes bytes(bool endMarker = true) const;
  void write(const std::string& path, bool endMarker = true) const;

 private:
  int dimension_;
  uint32_t subunitsPerMaster_ = 10, unitsPerSubunit_ = 10;
  double origin_[3] = {0.0, 0.0, 0.0};
  Bytes elements_;
};

}  // namespace dgntest

#endif
