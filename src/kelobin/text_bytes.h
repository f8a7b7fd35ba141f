// Texts of the drawing as bytes, the way the design file held them, made
// fit for each kind of output: UTF-8 for JSON and SVG, printable for the
// reports, plain ASCII for messages.
#ifndef DGNBIN_KELOBIN_TEXT_BYTES_H_
#define DGNBIN_KELOBIN_TEXT_BYTES_H_

#include <stddef.h>

#include <string>

#include "platform/code_page.h"

// `s` as a JSON string, quotes included.
void appendJsonString(std::string& out, const char* s);
// `s` as XML character data; characters XML cannot carry become '?'.
void appendXmlText(std::string& out, const char* s);
// `s` for the text reports: control characters, quotes and backslashes as
// escapes, so that the text can stand between double quotes.
std::string escapedText(const char* s);

#endif  // DGNBIN_KELOBIN_TEXT_BYTES_H_
