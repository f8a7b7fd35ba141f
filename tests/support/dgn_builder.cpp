#include "support/dgn_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace dgntest {

namespace {

// Appends zero bytes until the next body byte is element byte `offset`.
void padTo(std::vector<uint8_t>& body, size_t offset) {
    if (36 + body.size() > offset) throw std::logic_error("padTo: body already past offset");
    body.resize(offset - 36, 0);
}

void checkDim(int dim) {
    if (dim != 2 && dim != 3) throw std::invalid_argument("dimension must be 2 or 3");
}

int32_t clampToI32(double v) {
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

void rangeOfPoints(Element& e, int dim, const std::vector<Point3>& pts) {
    if (pts.empty()) return;
    int32_t lo[3] = {pts[0][0], pts[0][1], dim == 3 ? pts[0][2] : 0};
    int32_t hi[3] = {lo[0], lo[1], lo[2]};
    for (const Point3& p : pts)
        for (int k = 0; k < dim; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    setRange(e, lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
}

// The square (cube in 3D) of half-side max(|a|, |b|) around the centre,
// rounded outward.
void rangeAround(Element& e, int dim, double a, double b, double cx, double cy, double cz) {
    const double r = std::max(std::fabs(a), std::fabs(b));
    const double z = dim == 3 ? cz : 0.0;
    const double zr = dim == 3 ? r : 0.0;
    setRange(e, clampToI32(std::floor(cx - r)), clampToI32(std::floor(cy - r)),
             clampToI32(std::floor(z - zr)), clampToI32(std::ceil(cx + r)),
             clampToI32(std::ceil(cy + r)), clampToI32(std::ceil(z + zr)));
}

void putPoints(std::vector<uint8_t>& body, int dim, const std::vector<Point3>& pts) {
    for (const Point3& p : pts)
        for (int k = 0; k < dim; ++k) putI32Dgn(body, p[k]);
}

Element withLineStringLayout(int dim, const std::vector<Point3>& pts, int type) {
    checkDim(dim);
    Element e;
    e.type = type;
    putU16(e.body, static_cast<uint16_t>(static_cast<int16_t>(pts.size())));
    putPoints(e.body, dim, pts);
    rangeOfPoints(e, dim, pts);
    return e;
}

void putTextChars(std::vector<uint8_t>& body, const std::string& chars) {
    if (chars.size() > 255) throw std::invalid_argument("text longer than 255 characters");
    body.push_back(static_cast<uint8_t>(chars.size()));
    body.push_back(0);
    body.insert(body.end(), chars.begin(), chars.end());
}

void textRange(Element& e, int32_t heightMult, int32_t ox, int32_t oy, int32_t oz, size_t n) {
    const double h = heightMult * 6.0 / 1000.0;
    setRange(e, ox, oy, oz, clampToI32(std::ceil(ox + static_cast<double>(n) * h)),
             clampToI32(std::ceil(oy + h)), oz);
}

void putCellName(std::vector<uint8_t>& body, const char* name6) {
    char padded[7] = "      ";
    const size_t n = std::min<size_t>(std::strlen(name6), 6);
    std::memcpy(padded, name6, n);
    putU16(body, radix50Word(padded));
    putU16(body, radix50Word(padded + 3));
}

}  // namespace

void setRange(Element& e, int32_t lowX, int32_t lowY, int32_t lowZ, int32_t highX, int32_t highY,
              int32_t highZ) {
    const int32_t r[6] = {lowX, lowY, lowZ, highX, highY, highZ};
    std::copy(r, r + 6, e.range);
}

uint32_t sweepSignMagnitude(int64_t sweep) {
    const uint64_t magnitude = static_cast<uint64_t>(sweep < 0 ? -sweep : sweep) & 0x7FFFFFFFu;
    return static_cast<uint32_t>(magnitude) | (sweep < 0 ? 0x80000000u : 0u);
}

std::vector<uint8_t> encodeElement(const Element& e) {
    std::vector<uint8_t> body = e.body;
    if (body.size() % 2) body.push_back(0);
    std::vector<uint8_t> links = e.linkages;
    if (links.size() % 2) links.push_back(0);

    const size_t total = 36 + body.size() + links.size();
    const uint16_t typeLevel =
        static_cast<uint16_t>((e.level & 0x3F) | (e.complexBit ? 0x80 : 0) | ((e.type & 0x7F) << 8) |
                              (e.deletedBit ? 0x8000 : 0));
    const uint16_t wordsToFollow =
        e.wordsToFollowOverride ? *e.wordsToFollowOverride : static_cast<uint16_t>((total - 4) / 2);
    const uint16_t attributeIndex = e.attributeIndexOverride
                                        ? *e.attributeIndexOverride
                                        : static_cast<uint16_t>((36 + body.size() - 32) / 2);
    const uint16_t properties = e.propertiesOverride
                                    ? *e.propertiesOverride
                                    : static_cast<uint16_t>((e.linkageFlag || !links.empty()) ? 0x0800 : 0);
    const uint16_t symbology =
        static_cast<uint16_t>((e.style & 7) | ((e.weight & 0x1F) << 3) | ((e.colour & 0xFF) << 8));

    std::vector<uint8_t> out;
    out.reserve(total);
    putU16(out, typeLevel);
    putU16(out, wordsToFollow);
    for (int32_t r : e.range) putU32Dgn(out, static_cast<uint32_t>(r) + 0x80000000u);
    putU16(out, e.graphicGroup);
    putU16(out, attributeIndex);
    putU16(out, properties);
    putU16(out, symbology);
    out.insert(out.end(), body.begin(), body.end());
    out.insert(out.end(), links.begin(), links.end());
    return out;
}

// ---- linkages --------------------------------------------------------------

std::vector<uint8_t> linkage1007(int16_t code, int32_t value, uint16_t header, uint16_t word1,
                                 uint16_t word2) {
    const uint32_t v = static_cast<uint32_t>(value);
    return linkageWords({header, word1, word2, static_cast<uint16_t>(code),
                         static_cast<uint16_t>(v & 0xFFFF), static_cast<uint16_t>(v >> 16), 0, 0});
}

std::vector<uint8_t> linkage1003(uint16_t a, uint16_t b, uint16_t c) {
    return linkageWords({0x1003, a, b, c});
}

std::vector<uint8_t> linkage1013(uint16_t w6, uint16_t w7, uint16_t w8, float f, uint16_t w16) {
    std::vector<uint16_t> words(20, 0);
    words[0] = 0x1013;
    words[6] = w6;
    words[7] = w7;
    words[8] = w8;
    std::vector<uint8_t> vax;
    putVaxF(vax, f);
    words[14] = static_cast<uint16_t>(vax[0] | (vax[1] << 8));
    words[15] = static_cast<uint16_t>(vax[2] | (vax[3] << 8));
    words[16] = w16;
    return linkageWords(words);
}

std::vector<uint8_t> linkageWords(const std::vector<uint16_t>& words) {
    std::vector<uint8_t> b;
    for (uint16_t w : words) putU16(b, w);
    return b;
}

// ---- element makers --------------------------------------------------------

Element line(int dim, int32_t x1, int32_t y1, int32_t z1, int32_t x2, int32_t y2, int32_t z2) {
    checkDim(dim);
    Element e;
    e.type = 3;
    const std::vector<Point3> pts = {{x1, y1, z1}, {x2, y2, z2}};
    putPoints(e.body, dim, pts);
    rangeOfPoints(e, dim, pts);
    return e;
}

Element lineString(int dim, const std::vector<Point3>& pts, int type) {
    return withLineStringLayout(dim, pts, type);
}

Element shape(int dim, const std::vector<Point3>& pts) { return withLineStringLayout(dim, pts, 6); }

Element curve(int dim, const std::vector<Point3>& pts) { return withLineStringLayout(dim, pts, 11); }

Element arc2D(int32_t start, uint32_t sweepWord, double a, double b, int32_t rotation, double ox,
              double oy) {
    Element e;
    e.type = 16;
    putI32Dgn(e.body, start);
    putU32Dgn(e.body, sweepWord);
    putVaxD(e.body, a);
    putVaxD(e.body, b);
    putI32Dgn(e.body, rotation);
    putVaxD(e.body, ox);
    putVaxD(e.body, oy);
    rangeAround(e, 2, a, b, ox, oy, 0.0);
    return e;
}

Element arc3D(int32_t start, uint32_t sweepWord, double a, double b, const int32_t q[4], double ox,
              double oy, double oz) {
    Element e;
    e.type = 16;
    putI32Dgn(e.body, start);
    putU32Dgn(e.body, sweepWord);
    putVaxD(e.body, a);
    putVaxD(e.body, b);
    for (int i = 0; i < 4; ++i) putI32Dgn(e.body, q[i]);
    putVaxD(e.body, ox);
    putVaxD(e.body, oy);
    putVaxD(e.body, oz);
    rangeAround(e, 3, a, b, ox, oy, oz);
    return e;
}

Element ellipse2D(double a, double b, int32_t rotation, double cx, double cy) {
    Element e;
    e.type = 15;
    putVaxD(e.body, a);
    putVaxD(e.body, b);
    putI32Dgn(e.body, rotation);
    putVaxD(e.body, cx);
    putVaxD(e.body, cy);
    rangeAround(e, 2, a, b, cx, cy, 0.0);
    return e;
}

Element ellipse3D(double a, double b, const int32_t q[4], double cx, double cy, double cz) {
    Element e;
    e.type = 15;
    putVaxD(e.body, a);
    putVaxD(e.body, b);
    for (int i = 0; i < 4; ++i) putI32Dgn(e.body, q[i]);
    putVaxD(e.body, cx);
    putVaxD(e.body, cy);
    putVaxD(e.body, cz);
    rangeAround(e, 3, a, b, cx, cy, cz);
    return e;
}

Element text2D(uint8_t font, uint8_t just, int32_t lengthMult, int32_t heightMult,
               int32_t rotation, int32_t ox, int32_t oy, const std::string& chars) {
    Element e;
    e.type = 17;
    e.body.push_back(font);
    e.body.push_back(just);
    putI32Dgn(e.body, lengthMult);
    putI32Dgn(e.body, heightMult);
    putI32Dgn(e.body, rotation);
    putI32Dgn(e.body, ox);
    putI32Dgn(e.body, oy);
    putTextChars(e.body, chars);
    textRange(e, heightMult, ox, oy, 0, chars.size());
    return e;
}

Element text3D(uint8_t font, uint8_t just, int32_t lengthMult, int32_t heightMult,
               const int32_t q[4], int32_t ox, int32_t oy, int32_t oz, const std::string& chars) {
    Element e;
    e.type = 17;
    e.body.push_back(font);
    e.body.push_back(just);
    putI32Dgn(e.body, lengthMult);
    putI32Dgn(e.body, heightMult);
    for (int i = 0; i < 4; ++i) putI32Dgn(e.body, q[i]);
    putI32Dgn(e.body, ox);
    putI32Dgn(e.body, oy);
    putI32Dgn(e.body, oz);
    putTextChars(e.body, chars);
    textRange(e, heightMult, ox, oy, oz, chars.size());
    return e;
}

Element cellHeader2D(const char* name6, const int32_t m[4], int32_t ox, int32_t oy) {
    Element e;
    e.type = 2;
    padTo(e.body, 38);
    putCellName(e.body, name6);
    padTo(e.body, 68);
    for (int i = 0; i < 4; ++i) putI32Dgn(e.body, m[i]);
    putI32Dgn(e.body, ox);
    putI32Dgn(e.body, oy);
    setRange(e, ox, oy, 0, ox, oy, 0);
    return e;
}

Element cellHeader3D(const char* name6, const int32_t m[9], int32_t ox, int32_t oy, int32_t oz) {
    Element e;
    e.type = 2;
    padTo(e.body, 38);
    putCellName(e.body, name6);
    padTo(e.body, 76);
    for (int i = 0; i < 9; ++i) putI32Dgn(e.body, m[i]);
    putI32Dgn(e.body, ox);
    putI32Dgn(e.body, oy);
    putI32Dgn(e.body, oz);
    setRange(e, ox, oy, oz, ox, oy, oz);
    return e;
}

Element complexHeader(int type, uint16_t totalLength, uint16_t componentCount) {
    if (type != 12 && type != 14) throw std::invalid_argument("complexHeader: type 12 or 14");
    Element e;
    e.type = type;
    putU16(e.body, totalLength);
    putU16(e.body, componentCount);
    return e;
}

Element textNode() {
    Element e;
    e.type = 7;
    e.body.assign(24, 0);
    return e;
}

// ---- design file -----------------------------------------------------------

DesignFile::DesignFile(int dimension) : dimension_(dimension) { checkDim(dimension); }

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

DesignFile& DesignFile::add(const Element& e) {
    const std::vector<uint8_t> b = encodeElement(e);
    elements_.insert(elements_.end(), b.begin(), b.end());
    return *this;
}

DesignFile& DesignFile::addRaw(std::vector<uint8_t> bytes) {
    elements_.insert(elements_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<uint8_t> DesignFile::headerElement() const {
    std::vector<uint8_t> h;
    h.reserve(1536);
    h.push_back(dimension_ == 3 ? 0xC8 : 0x08);
    h.push_back(9);
    putU16(h, 766);
    h.resize(1112, 0);
    putU32Dgn(h, subunitsPerMaster_);
    putU32Dgn(h, unitsPerSubunit_);
    // Bit 6 of byte 1214 is the file's own 3D flag. The converter decides
    // the dimension by byte 0, but other readers (GDAL's) go by this flag,
    // so it is kept consistent for files checked with them.
    h.resize(1240, 0);
    if (dimension_ == 3) h[1214] = 0x40;
    for (double v : origin_) putVaxD(h, v);
    h.resize(1536, 0);
    return h;
}

std::vector<uint8_t> DesignFile::bytes(bool endMarker) const {
    std::vector<uint8_t> out = headerElement();
    out.insert(out.end(), elements_.begin(), elements_.end());
    if (endMarker) {
        out.push_back(0xFF);
        out.push_back(0xFF);
    }
    return out;
}

void DesignFile::write(const std::string& path, bool endMarker) const {
    const std::vector<uint8_t> b = bytes(endMarker);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    if (!f) throw std::runtime_error("cannot write design file " + path);
}

}  // namespace dgntest
