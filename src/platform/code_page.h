// Texts as bytes of the program's code page, Latin-1, or of UTF-8, which
// other writers (GDAL) use: told apart, and made fit for where they go.
#ifndef DGNBIN_PLATFORM_CODE_PAGE_H_
#define DGNBIN_PLATFORM_CODE_PAGE_H_

#include <stddef.h>

#include <string>

// Well-formed UTF-8 (no overlong forms, surrogates or the non-characters
// U+FFFE and U+FFFF, which XML refuses).
bool isUtf8(const char* s, size_t n);

// The terminated text `s` in UTF-8: as it is when it already is UTF-8, else
// every byte read as the Latin-1 character it is.
std::string textAsUtf8(const char* s);

// Latin-1 bytes `s[0..n)` in plain ASCII: accented letters lose their
// accent, other bytes outside printable ASCII become '?'.
void appendAscii(std::string& out, const char* s, size_t n);

#endif  // DGNBIN_PLATFORM_CODE_PAGE_H_
