// Shared steps of the translator tests: convert a built design file with a
// given code table, as a user runs the program, and build its elements.
#ifndef DGNBIN_TESTS_TRANSLATE_FIXTURE_H_
#define DGNBIN_TESTS_TRANSLATE_FIXTURE_H_

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/bin_expect.h"
#include "support/dgn_builder.h"
#include "support/program_run.h"

namespace translate_test {

using Points = std::vector<std::array<int32_t, 3>>;
using Bytes = std::vector<uint8_t>;

struct Conversion {
    int exitStatus = -1;
    Bytes bin;        // out.bin, empty when it was not created
    std::string err;  // in.ERR as stored
};

// Runs "out in 1 <claveCel> <claveGg> 0 0 <complexMode>" on `design` with
// `table` as DGNBIN.TAB: scale factor 1 (the builder's 100 units per master
// unit), no pattern, no UTM shift.
inline Conversion convert(const dgntest::DesignFile& design, const std::string& table,
                          int claveCel, int claveGg, int complexMode) {
    dgntest::TempDir dir;
    design.write(dir.file("in.dgn"));
    dir.writeFile("DGNBIN.TAB", table);
    const std::string words = "out in 1 " + std::to_string(claveCel) + " " +
                              std::to_string(claveGg) + " 0 0 " + std::to_string(complexMode);
    Conversion c;
    c.exitStatus = dgntest::runProgram(dir.path(), {words}).exitStatus;
    if (dir.exists("out.bin")) c.bin = dir.readFile("out.bin");
    if (dir.exists("in.ERR")) c.err = dir.readText("in.ERR");
    return c;
}

// BIN records one after the other.
inline Bytes concat(std::initializer_list<Bytes> records) {
    Bytes all;
    for (const Bytes& r : records) all.insert(all.end(), r.begin(), r.end());
    return all;
}

inline dgntest::Element onLevel(dgntest::Element e, int level) {
    e.level = level;
    return e;
}

// The element as a component of the complex element or cell before it.
inline dgntest::Element component(dgntest::Element e) {
    e.complexBit = true;
    return e;
}

// Gives the element one attribute item (code, value, no text).
inline dgntest::Element withItem(dgntest::Element e, int16_t code, int32_t value) {
    const Bytes link = dgntest::linkage1007(code, value);
    e.linkages.insert(e.linkages.end(), link.begin(), link.end());
    return e;
}

}  // namespace translate_test

#endif  // DGNBIN_TESTS_TRANSLATE_FIXTURE_H_
