// Attribute items from the attribute linkages an element carries.
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "dgn/element_fields.h"
#include "dgn/encodings.h"
#include "platform/decimal_text.h"
#include "run/converter.h"
#include "run/words.h"

static void decimalText(long long value, char* out) { *putDecimal(out, value, 0) = '\0'; }

// "%.7f" of a float's magnitude, worked out with integers below 2^40 (the
// value times 10^7, rounded half to even as printf rounds): the same bytes
// as printf, checked once for every float of either sign below 2^40. Larger
// values, infinities and NaNs are left to printf.
static void sevenDecimals(float v, char* out, size_t size) {
  uint32_t bits;
  memcpy(&bits, &v, 4);
  const int exponent = (bits >> 23) & 0xFF;
  if (exponent > 150 + 16) {  // 2^40 and over, infinities and NaNs
    snprintf(out, size, "%.7f", fabs(v));
    return;
  }
  uint64_t scaled = (exponent == 0 ? bits & 0x7FFFFF : (bits & 0x7FFFFF) | 0x800000) * 10000000ull;
  const int shift = (exponent == 0 ? -149 : exponent - 150);  // value = mantissa x 2^shift
  uint64_t q = 0;
  if (shift >= 0) {
    q = scaled << shift;
  } else if (shift > -64) {
    const uint64_t rest = scaled & ((1ull << -shift) - 1), half = 1ull << (-shift - 1);
    q = scaled >> -shift;
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
  }
  char* p = putDecimal(out, static_cast<long long>(q / 10000000), 0);
  *p++ = '.';
  uint64_t fraction = q % 10000000;
  for (int i = 6; i >= 0; --i, fraction /= 10) p[i] = static_cast<char>('0' + fraction % 10);
  p[7] = '\0';
}

// The value's figures up to its first tenth, without sign or point: 12.34
// gives 123, 5 gives 50, 0.5 and 0.05 give 05.
static void tenthsText(float v, char* out, size_t size) {
  char fixed[64];
  sevenDecimals(v, fixed, sizeof fixed);
  char figures[64];
  int count = 0, point = 0;
  for (const char* p = fixed; *p != '\0'; ++p) {
    if (*p == '.') {
      point = count;
    } else {
      figures[count++] = *p;
    }
  }
  figures[count] = '\0';
  int lead = 0;
  while (figures[lead] == '0') ++lead;
  const char* digits = figures + lead;
  int d = point - lead;
  // As "%.*s" with d + 1, or "0%.1s", cut to the room in `out`.
  size_t at = 0;
  if (d <= 0) out[at++] = '0';
  const int take = d > 0 ? d + 1 : 1;
  for (int i = 0; i < take && digits[i] != '\0' && at + 1 < size; ++i) out[at++] = digits[i];
  out[at] = '\0';
}

// Appends one item unless the record already holds the most it can carry.
static AttributeItem* nextItem(Converter& c) {
  if (c.recordHeader.itemCount >= kMaxItems) {
    c.warnItemCap();
    return NULL;
  }
  return &c.recordItems[c.recordHeader.itemCount++];
}

static void addItem(Converter& c, int16_t code, int32_t value, const char* text) {
  AttributeItem* item = nextItem(c);
  if (item == NULL) return;
  item->code = code;
  item->value = value;
  copyTerminated(item->text, text, 7);  // longer texts keep their first 7
}

// The word at element byte `at` as the walk reads it. The range block counts
// as made native (each 32-bit value low word first), as the converter has
// always had it by the time linkages are read, so that an attribute index
// reaching back into it still gives the same items.
static uint16_t linkageWord(const ElementView& e, int at) {
  if (at >= kRangeBlockEnd) return e.word(at);
  int field = at - (at - kRangeBlock) % 4;
  if (!e.holds(field, 4)) return 0;
  return e.word(at == field ? at + 2 : field);
}

void Converter::collectLinkageItems() {
  int16_t attributeIndex = static_cast<int16_t>(element.word(kAttributeIndex));
  int words = static_cast<int>(element.word(kWordsToFollow)) - attributeIndex - 14;
  int start = 32 + 2 * attributeIndex;  // element byte of the first linkage
  if (words <= 0 || start < kRangeBlock) return;
  const ElementView& e = element;
  // The linkages run to the end of the element, and the walk reads none of
  // their words beyond it: behind the range block they are read as they lie.
  const bool plain = start >= kRangeBlockEnd;
  auto word = [&e, start, plain](int i) {
    return plain ? readU16(e.bytes + start + 2 * i) : linkageWord(e, start + 2 * i);
  };

  char text[32];
  for (int i = 0; i < words;) {
    uint16_t h = word(i);
    if (h == 0) {
      i += 4;
    } else if (h == 0x1007 || h == 0x9007) {
      if (i + 6 > words) return;
      if ((word(i + 1) == 24162 || word(i + 1) == 24721) && word(i + 2) == 3969) {
        int16_t code = static_cast<int16_t>(word(i + 3));
        int32_t value = static_cast<int32_t>(word(i + 4) | (static_cast<uint32_t>(word(i + 5)) << 16));
        if (code == 2) {
          decimalText(value, text);
          addItem(*this, 1, 0, text);
        } else {
          addItem(*this, code, value, "");
        }
      }
      i += 8;
    } else if (h == 0x1003) {
      if (i + 4 > words) return;
      addItem(*this, 32765, word(i + 1), "");
      addItem(*this, 32766, word(i + 2), "");
      addItem(*this, 32767, word(i + 3), "");
      i += 4;
    } else if (h == 0x1013) {
      if (i + 17 > words) return;
      addItem(*this, 32001, word(i + 8), "");
      decimalText(word(i + 7), text);
      addItem(*this, 32002, word(i + 6), text);
      uint8_t f[4];
      uint16_t high = word(i + 14), low = word(i + 15);
      memcpy(f, &high, 2);
      memcpy(f + 2, &low, 2);
      tenthsText(vaxFToFloat(f), text, sizeof text);
      addItem(*this, 32003, word(i + 16), text);
      i += 20;
    } else {
      i += (h & 0xFF) + 1;
    }
  }
}
