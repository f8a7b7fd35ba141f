// The drawings of the end-to-end cases, written as text: one element a line,
// turned into design-file bytes by the DGN builder. The form is described in
// tests/cases/README.md.
#ifndef DGNTEST_DRAWING_TEXT_H
#define DGNTEST_DRAWING_TEXT_H

#include <string>

#include "support/dgn_builder.h"

namespace dgntest {

// The design file the text describes; on a line it cannot read, false with
// the line's number and the reason in `error`.
bool buildDrawing(const std::string& text, Bytes& design, std::string& error);

}  // namespace dgntest

#endif
