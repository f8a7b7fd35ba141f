// Texts of the drawing as bytes, the way the design file held them, made
// fit for each kind of output: UTF-8 for JSON and SVG, printable for the
// reports, plain ASCII for messages.
#ifndef DGNBIN_KELOBIN_TEXT_BYTES_H_
#define DGNBIN_KELOBIN_TEXT_BYTES_H_

#include <stddef.h>

#include <string>

// Well-formed UTF-8 (no overlong forms, surrogates or the non-characters
// U+FFFE and U+FFFF, which XML refuses).
bool isUtf8(const char* s, size_t n);

// The terminated text `s` in UTF-8: as it is when it already is UTF-8, else
// every byte read as the Latin-1 character it is in the program's code page.
std::string textAsUtf8(const char* s);

// `s` as a JSON string, quotes included.
void appendJsonString(std::string& out, const char* s);
// `s` as XML character data; characters XML cannot carry become '?'.
void appendXmlText(std::string& out, const char* s);
// `s` for the text reports: control characters, quotes and backslashes as
// escapes, so that the text can stand between double quotes.
std::string escapedText(const char* s);
// Latin-1 bytes `s[0..n)` in plain ASCII: accented letters lose their
// accent, other bytes outside printable ASCII become '?'.
void appendAscii(std::string& out, const char* s, size_t n);

#endif  // DGNBIN_KELOBIN_TEXT_BYTES_H_
