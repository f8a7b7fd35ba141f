// Whole conversions for the element-stream, linkage, complex-element and
// line tests: a design file and a code table written into a fresh working
// directory, the converter run on them, and everything it left behind.
#ifndef DGNTEST_DGN_CONVERSION_FIXTURE_H
#define DGNTEST_DGN_CONVERSION_FIXTURE_H

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/program_run.h"

namespace dgntest {

struct Conversion {
    int exitStatus = -1;
    std::vector<uint8_t> bin;  // empty when no BIN file was left
    std::string errorFile;     // in.ERR, bytes as stored (CR LF line ends)
    std::string console;       // standard output
};

// The console up to the first element, for a design file whose global
// origin is zero (the origin is printed negated, so as -0).
inline std::string consoleStart(int dimension) {
    return std::string(dimension == 3 ? "Fichero DGN en 3D\n" : "Fichero DGN en 2D\n") +
           "Origen Global GOX=          -0 GOY=          -0  GOZ=          -0\n";
}

const char kConsoleEnd[] = "Final del fichero DGN\n";
const char kErrorHeader[] = "NIVEL ESTILO COLOR PESO FONT GG\r\n";

// Words 3 to 8 of the command line for a design file of 100 units per
// master unit: factor 1, the cell key, the lookup key, pattern 0, no UTM
// shift, the complex mode.
inline std::string settings(int claveCel, int claveGg, int complexMode) {
    return "1 " + std::to_string(claveCel) + " " + std::to_string(claveGg) + " 0 0 " +
           std::to_string(complexMode);
}

// Runs "out in <settingsWords>" on the design bytes, with `table` as
// DGNBIN.TAB.
inline Conversion convertBytes(const std::vector<uint8_t>& design, const std::string& table,
                               const std::string& settingsWords) {
    TempDir dir;
    dir.writeFile("in.dgn", design);
    dir.writeFile("DGNBIN.TAB", table);
    const ProgramResult run = runProgram(dir.path(), {"out in " + settingsWords});
    Conversion c;
    c.exitStatus = run.exitStatus;
    c.console = run.out;
    if (dir.exists("out.bin")) c.bin = dir.readFile("out.bin");
    if (dir.exists("in.ERR")) c.errorFile = dir.readText("in.ERR");
    return c;
}

inline Conversion convert(const DesignFile& design, const std::string& table,
                          const std::string& settingsWords, bool endMarker = true) {
    return convertBytes(design.bytes(endMarker), table, settingsWords);
}

// Records (or any byte runs) one after the other.
inline std::vector<uint8_t> concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The element with these linkages behind its body.
inline Element withLinkages(Element e, std::initializer_list<std::vector<uint8_t>> linkages) {
    for (const auto& l : linkages) e.linkages.insert(e.linkages.end(), l.begin(), l.end());
    return e;
}

inline Element withSymbology(Element e, int level, int style, int colour, int weight) {
    e.level = level;
    e.style = style;
    e.colour = colour;
    e.weight = weight;
    return e;
}

inline Element asComponent(Element e) {
    e.complexBit = true;
    return e;
}

// A line of a 2D file from (x1, y1) to (x2, y2).
inline Element line2D(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return line(2, x1, y1, 0, x2, y2, 0);
}

// An 0x1007 linkage that gives the item (code, value).
inline std::vector<uint8_t> userItem(int16_t code, int32_t value) {
    return linkage1007(code, value);
}

// The table most tests use: level 1 and level 2 lines, and the symbology
// level 5, style 1, colour 2, weight 3 used for complex headers. Every row
// has font 0 and an empty name.
const char kTable[] =
    "LIN001  1 0 0 0 0 0 \"\" 1 0\n"
    "LIN002  2 0 0 0 0 0 \"\" 1 0\n"
    "CHN005  5 1 2 3 0 0 \"\" 1 0\n";

}  // namespace dgntest

#endif
