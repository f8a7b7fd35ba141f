#include "support/dgn_encode.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace dgntest {

void putU16(Bytes& b, uint16_t w) {
    b.push_back(static_cast<uint8_t>(w & 0xFF));
    b.push_back(static_cast<uint8_t>(w >> 8));
}

void putI32Le(Bytes& b, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

void putU32Dgn(Bytes& b, uint32_t v) {
    putU16(b, static_cast<uint16_t>(v >> 16));
    putU16(b, static_cast<uint16_t>(v & 0xFFFF));
}

void putI32Dgn(Bytes& b, int32_t v) { putU32Dgn(b, static_cast<uint32_t>(v)); }

void putVaxD(Bytes& b, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const uint64_t sign = bits >> 63;
    const int ieeeExp = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t frac52 = bits & ((uint64_t{1} << 52) - 1);
    if (ieeeExp == 0 && frac52 == 0) {  // +0 and -0 both become the VAX zero
        for (int i = 0; i < 8; ++i) b.push_back(0);
        return;
    }
    // IEEE 1.f x 2^(E-1023) equals VAX 0.1f x 2^(e-128) when e = E - 894.
    const int vaxExp = ieeeExp - 894;
    if (ieeeExp == 0 || ieeeExp == 0x7FF || vaxExp < 1 || vaxExp > 255)
        throw std::invalid_argument("putVaxD: value not representable as VAX D-float");
    const uint64_t frac55 = frac52 << 3;
    const uint16_t w0 = static_cast<uint16_t>((sign << 15) | (static_cast<uint64_t>(vaxExp) << 7) |
                                              ((frac55 >> 48) & 0x7F));
    putU16(b, w0);
    putU16(b, static_cast<uint16_t>((frac55 >> 32) & 0xFFFF));
    putU16(b, static_cast<uint16_t>((frac55 >> 16) & 0xFFFF));
    putU16(b, static_cast<uint16_t>(frac55 & 0xFFFF));
}

void putVaxF(Bytes& b, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const uint32_t sign = bits >> 31;
    const int ieeeExp = static_cast<int>((bits >> 23) & 0xFF);
    const uint32_t frac23 = bits & 0x7FFFFF;
    if (ieeeExp == 0 && frac23 == 0) {
        putU16(b, 0);
        putU16(b, 0);
        return;
    }
    // IEEE 1.f x 2^(E-127) equals VAX 0.1f x 2^(e-128) when e = E + 2.
    const int vaxExp = ieeeExp + 2;
    if (ieeeExp == 0 || ieeeExp == 0xFF || vaxExp > 255)
        throw std::invalid_argument("putVaxF: value not representable as VAX F-float");
    const uint32_t v32 = (sign << 31) | (static_cast<uint32_t>(vaxExp) << 23) | frac23;
    putU16(b, static_cast<uint16_t>(v32 >> 16));
    putU16(b, static_cast<uint16_t>(v32 & 0xFFFF));
}

namespace {
unsigned radix50Code(char c) {
    if (c == ' ' || c == '\0') return 0;
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A' + 1);
    if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 1);
    if (c == '$') return 27;
    if (c == '.') return 28;
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0' + 30);
    throw std::invalid_argument("radix50Word: character has no Radix-50 code");
}
}  // namespace

uint16_t radix50Word(const char* three) {
    unsigned d[3] = {0, 0, 0};
    for (int i = 0; i < 3 && three[i] != '\0'; ++i) d[i] = radix50Code(three[i]);
    return static_cast<uint16_t>(1600 * d[0] + 40 * d[1] + d[2]);
}

}  // namespace dgntest
