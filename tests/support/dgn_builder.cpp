#include "support/dgn_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace dgntest {

void putU16(Bytes& b, uint16_t w) {
  b.push_back(static_cast<uint8_t>(w & 0xFF));
  b.push_back(static_cast<uint8_t>(w >> 8));
}

void putI32Le(Bytes& b, int32_t v) {
  for (int i = 0; i < 4; ++i)
    b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

void putI32Dgn(Bytes& b, int32_t v) {
  putU16(b, static_cast<uint16_t>(static_cast<uint32_t>(v) >> 16));
  putU16(b, static_cast<uint16_t>(v & 0xFFFF));
}

// IEEE 1.f x 2^(E - bias) is VAX 0.1f x 2^(e - 128); zero of either sign is
// the VAX zero.
void putVaxD(Bytes& b, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  const int64_t e = static_cast<int64_t>((bits >> 52) & 0x7FF) - 894;
  if ((bits << 1) == 0) {
    bits = 0;
  } else if (e < 1 || e > 255) {
    throw std::invalid_argument("putVaxD: beyond the VAX range");
  } else {
    const uint64_t fraction = (bits << 3) & ((uint64_t{1} << 55) - 1);
    bits = (bits & (uint64_t{1} << 63)) | (static_cast<uint64_t>(e) << 55) | fraction;
  }
  for (int w = 3; w >= 0; --w) putU16(b, static_cast<uint16_t>(bits >> (16 * w)));
}

void putVaxF(Bytes& b, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  const uint32_t e = (bits >> 23) & 0xFF;
  if ((bits << 1) != 0) {
    if (e == 0 || e >= 254) throw std::invalid_argument("putVaxF: beyond the VAX range");
    bits += 2u << 23;
  }
  putU16(b, static_cast<uint16_t>(bits >> 16));
  putU16(b, static_cast<uint16_t>(bits & 0xFFFF));
}

uint16_t radix50Word(const char* three) {
  static const char kChars[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ$.?0123456789";
  unsigned word = 0;
  for (int i = 0, end = 0; i < 3; ++i) {
    const char c = end ? ' ' : three[i];
    if (c == '\0') end = 1;
    const char* at = std::strchr(kChars, c == '\0' ? ' ' : c);
    if (at == nullptr || c == '?') throw std::invalid_argument("radix50Word: no such character");
    word = word * 40 + static_cast<unsigned>(at - kChars);
  }
  return static_cast<uint16_t>(word);
}

Bytes encodeElement(const Element& e) {
  Bytes body = e.body, links = e.linkages;
  if (body.size() % 2) body.push_back(0);
  if (links.size() % 2) links.push_back(0);
  const size_t total = 36 + body.size() + links.size();
  Bytes out;
  putU16(out, static_cast<uint16_t>((e.level & 0x3F) | (e.complexBit ? 0x80 : 0) |
                                    ((e.type & 0x7F) << 8) | (e.deletedBit ? 0x8000 : 0)));
  putU16(out, e.wordsToFollowOverride.value_or(static_cast<uint16_t>((total - 4) / 2)));
  for (int32_t r : e.range)
    putI32Dgn(out, static_cast<int32_t>(static_cast<uint32_t>(r) + 0x80000000u));
  putU16(out, e.graphicGroup);
  putU16(out, e.attributeIndexOverride.value_or(static_cast<uint16_t>((4 + body.size()) / 2)));
  putU16(out, e.propertiesOverride.value_or(links.empty() ? 0 : 0x0800));
  putU16(out, static_cast<uint16_t>((e.style & 7) | ((e.weight & 0x1F) << 3) |
                                    ((e.colour & 0xFF) << 8)));
  out.insert(out.end(), body.begin(), body.end());
  out.insert(out.end(), links.begin(), links.end());
  return out;
}

void setRange(Element& e, int32_t lowX, int32_t lowY, int32_t lowZ, int32_t highX, int32_t highY,
              int32_t highZ) {
  const int32_t r[6] = {lowX, lowY, lowZ, highX, highY, highZ};
  std::copy(r, r + 6, e.range);
}

uint32_t sweepSignMagnitude(int64_t sweep) {
  return (static_cast<uint32_t>(sweep < 0 ? -sweep : sweep) & 0x7FFFFFFFu) |
         (sweep < 0 ? 0x80000000u : 0u);
}

Bytes linkage1007(int16_t code, int32_t value, uint16_t header, uint16_t word1, uint16_t word2) {
  const uint32_t v = static_cast<uint32_t>(value);
  return linkageWords({header, word1, word2, static_cast<uint16_t>(code),
                       static_cast<uint16_t>(v & 0xFFFF), static_cast<uint16_t>(v >> 16), 0, 0});
}

Bytes linkage1003(uint16_t a, uint16_t b, uint16_t c) { return linkageWords({0x1003, a, b, c}); }

Bytes linkage1013(uint16_t w6, uint16_t w7, uint16_t w8, float f, uint16_t w16) {
  Bytes vax;
  putVaxF(vax, f);
  std::vector<uint16_t> words(20, 0);
  words[0] = 0x1013;
  words[6] = w6;
  words[7] = w7;
  words[8] = w8;
  words[14] = static_cast<uint16_t>(vax[0] | vax[1] << 8);
  words[15] = static_cast<uint16_t>(vax[2] | vax[3] << 8);
  words[16] = w16;
  return linkageWords(words);
}

Bytes linkageWords(const std::vector<uint16_t>& words) {
  Bytes b;
  for (uint16_t w : words) putU16(b, w);
  return b;
}

namespace {

Element make(int dim, int type) {
  if (dim != 2 && dim != 3) throw std::invalid_argument("dimension must be 2 or 3");
  Element e;
  e.type = type;
  return e;
}

void putPoints(Element& e, int dim, const std::vector<Point3>& pts) {
  int32_t lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  for (size_t i = 0; i < pts.size(); ++i)
    for (int k = 0; k < dim; ++k) {
      putI32Dgn(e.body, pts[i][k]);
      lo[k] = i == 0 ? pts[i][k] : std::min(lo[k], pts[i][k]);
      hi[k] = i == 0 ? pts[i][k] : std::max(hi[k], pts[i][k]);
    }
  setRange(e, lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
}

void putRotation(Element& e, int dim, const Rotation& r) {
  if (r.size() != (dim == 3 ? 4u : 1u))
    throw std::invalid_argument("rotation: 1 value in 2D, 4 in 3D");
  for (int32_t v : r) putI32Dgn(e.body, v);
}

// Arcs and ellipses: the square (cube in 3D) of the larger axis around the
// origin, rounded outward.
Element conic(int dim, int type, const Bytes& start, double a, double b, const Rotation& r,
              const Real3& o) {
  Element e = make(dim, type);
  e.body = start;
  putVaxD(e.body, a);
  putVaxD(e.body, b);
  putRotation(e, dim, r);
  for (int k = 0; k < dim; ++k) putVaxD(e.body, o[k]);
  const double h = std::max(std::fabs(a), std::fabs(b)), hz = dim == 3 ? h : 0,
               z = dim == 3 ? o[2] : 0;
  setRange(e, int32_t(std::floor(o[0] - h)), int32_t(std::floor(o[1] - h)),
           int32_t(std::floor(z - hz)), int32_t(std::ceil(o[0] + h)), int32_t(std::ceil(o[1] + h)),
           int32_t(std::ceil(z + hz)));
  return e;
}

}  // namespace

Element line(int dim, int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2) {
  Element e = make(dim, 3);
  putPoints(e, dim, {{x1, y1, z1}, {x2, y2, z2}});
  return e;
}

Element lineString(int dim, const std::vector<Point3>& pts, int type) {
  Element e = make(dim, type);
  Bytes count;
  putU16(count, static_cast<uint16_t>(pts.size()));
  putPoints(e, dim, pts);
  e.body.insert(e.body.begin(), count.begin(), count.end());
  return e;
}

Element arc(int dim, int32_t start, uint32_t sweepWord, double a, double b, const Rotation& r,
            const Real3& origin) {
  Bytes angles;
  putI32Dgn(angles, start);
  putI32Dgn(angles, static_cast<int32_t>(sweepWord));
  return conic(dim, 16, angles, a, b, r, origin);
}

Element ellipse(int dim, double a, double b, const Rotation& r, const Real3& centre) {
  return conic(dim, 15, {}, a, b, r, centre);
}

Element text(int dim, uint8_t font, uint8_t just, int32_t heightMult, const Rotation& r,
             const Point3& o, const std::string& chars) {
  if (chars.size() > 255) throw std::invalid_argument("text longer than 255 characters");
  Element e = make(dim, 17);
  e.body = {font, just};
  putI32Dgn(e.body, 0);  // length multiplier, not read
  putI32Dgn(e.body, heightMult);
  putRotation(e, dim, r);
  for (int k = 0; k < dim; ++k) putI32Dgn(e.body, o[k]);
  e.body.push_back(static_cast<uint8_t>(chars.size()));
  e.body.push_back(0);
  e.body.insert(e.body.end(), chars.begin(), chars.end());
  const double h = heightMult * 6.0 / 1000.0;
  const int32_t z = dim == 3 ? o[2] : 0;
  setRange(e, o[0], o[1], z, int32_t(std::ceil(o[0] + double(chars.size()) * h)),
           int32_t(std::ceil(o[1] + h)), z);
  return e;
}

Element cellHeader(int dim, const char* name6, const std::vector<int32_t>& matrix,
                   const Point3& o) {
  if (matrix.size() != size_t(dim * dim)) throw std::invalid_argument("cell matrix: dim x dim");
  Element e = make(dim, 2);
  char padded[7] = "      ";
  std::memcpy(padded, name6, std::min<size_t>(std::strlen(name6), 6));
  e.body.assign(2, 0);
  putU16(e.body, radix50Word(padded));
  putU16(e.body, radix50Word(padded + 3));
  e.body.resize(dim == 3 ? 40 : 32, 0);  // the matrix at byte 76 (3D) or 68 (2D)
  for (int32_t v : matrix) putI32Dgn(e.body, v);
  for (int k = 0; k < dim; ++k) putI32Dgn(e.body, o[k]);
  const int32_t z = dim == 3 ? o[2] : 0;
  setRange(e, o[0], o[1], z, o[0], o[1], z);
  return e;
}

Element complexHeader(int type, uint16_t components) {
  Element e = make(2, type);
  putU16(e.body, 0);  // total length, not read
  putU16(e.body, components);
  return e;
}

Element textNode(uint16_t components) {
  Element e = complexHeader(7, components);
  e.body.resize(24, 0);
  return e;
}

DesignFile& DesignFile::units(uint32_t subunitsPerMaster, uint32_t unitsPerSubunit) {
  subunitsPerMaster_ = subunitsPerMaster;
  unitsPerSubunit_ = unitsPerSubunit;
  return *this;
}

DesignFile& DesignFile::origin(double x, double y, double z) {
  origin_[0] = x;
  origin_[1] = y;
  origin_[2] = z;
  return *this;
}

DesignFile& DesignFile::add(const Element& e) { return addRaw(encodeElement(e)); }

DesignFile& DesignFile::addRaw(const Bytes& bytes) {
  elements_.insert(elements_.end(), bytes.begin(), bytes.end());
  return *this;
}

Bytes DesignFile::headerElement() const {
  Bytes h = {static_cast<uint8_t>(dimension_ == 3 ? 0xC8 : 0x08), 9};
  putU16(h, 766);
  h.resize(1112, 0);
  putI32Dgn(h, static_cast<int32_t>(subunitsPerMaster_));
  putI32Dgn(h, static_cast<int32_t>(unitsPerSubunit_));
  h.resize(1240, 0);
  // GDAL reads the dimension from this flag, the converter from byte 0.
  if (dimension_ == 3) h[1214] = 0x40;
  for (double v : origin_) putVaxD(h, v);
  h.resize(1536, 0);
  return h;
}

Bytes DesignFile::bytes(bool endMarker) const {
  Bytes out = headerElement();
  out.insert(out.end(), elements_.begin(), elements_.end());
  if (endMarker) out.insert(out.end(), {0xFF, 0xFF});
  return out;
}

void DesignFile::write(const std::string& path, bool endMarker) const {
  const Bytes b = bytes(endMarker);
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace dgntest
