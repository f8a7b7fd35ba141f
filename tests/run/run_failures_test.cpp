// Every way a run stops before or while converting: the console text, the
// error file's bytes, the files left behind and the exit status of each.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/dgn_builder.h"
#include "support/dgn_encode.h"
#include "support/program_run.h"

using dgntest::Bytes;
using dgntest::DesignFile;
using dgntest::ProgramResult;
using dgntest::TempDir;
using dgntest::runProgram;

namespace {

// One row coding level 1, style 0, colour 0, weight 0.
const char kTable[] = "001106 1 0 0 0 0 0 \"\" 1.0 0\n";
const std::string kErrHeader = "NIVEL ESTILO COLOR PESO FONT GG\r\n";
const std::string kStart =
    "Fichero DGN en 2D\n"
    "Origen Global GOX=          -0 GOY=          -0  GOZ=          -0\n";
const std::string kIncomplete = "ERROR Fichero DGN incompleto: falta el elemento de cabecera\n";
const std::string kIncoherent = "Error: Incoherencia en factor_escala y fichero semilla elegidos.\n";

std::set<std::string> filesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.insert(entry.path().filename().string());
    return names;
}

std::string command(const std::string& factor) { return "out in " + factor + " 0 0 0 0 1"; }

// The header element of a 2D design with 100 positional units per master
// unit, with its words-to-follow set to `words` and cut to `length` bytes.
Bytes shortHeader(uint16_t words, size_t length) {
    Bytes b = DesignFile(2).headerElement();
    b[2] = static_cast<uint8_t>(words & 0xFF);
    b[3] = static_cast<uint8_t>(words >> 8);
    b.resize(length);
    return b;
}

Bytes withEndMarker(Bytes b) {
    b.push_back(0xFF);
    b.push_back(0xFF);
    return b;
}

}  // namespace

TEST(RunFailures, CodeTableMissing) {
    TempDir dir;
    DesignFile(2).write(dir.file("in.dgn"));
    const ProgramResult r = runProgram(dir.path(), {command("1")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "No se puede abrir DGNBIN.TAB\n");
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"in.dgn"}));
}

TEST(RunFailures, ErrorFileCannotBeCreated) {
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    DesignFile(2).write(dir.file("in.dgn"));
    // The BIN file is only deleted once the error file exists.
    dir.writeFile("out.bin", std::string("old records"));
    const ProgramResult r = runProgram(dir.path(), {"out nodir/in 1 0 0 0 0 1"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "No puedo abrir el fichero de errores  nodir/in.ERR");
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"DGNBIN.TAB", "in.dgn", "out.bin"}));
    EXPECT_EQ(dir.readText("out.bin"), "old records");
}

TEST(RunFailures, BinFileCannotBeCreated) {
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    DesignFile(2).write(dir.file("in.dgn"));
    const ProgramResult r = runProgram(dir.path(), {"nodir/out in 1 0 0 0 0 1"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "No puedo abrir el fichero BIN nodir/out.bin");
    EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"DGNBIN.TAB", "in.dgn", "in.ERR"}));
}

TEST(RunFailures, DesignFileMissing) {
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    dir.writeFile("out.bin", std::string(300, 'x'));
    const ProgramResult r = runProgram(dir.path(), {command("1")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "No puedo abrir el fichero DGN in.dgn");
    EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"DGNBIN.TAB", "in.ERR", "out.bin"}));
    EXPECT_TRUE(dir.readFile("out.bin").empty());
}

TEST(RunFailures, FirstByteNeitherTwoDNorThreeD) {
    for (uint8_t first : {0x00, 0x07, 0x09, 0xC7, 0xC9, 0x48}) {
        SCOPED_TRACE(static_cast<int>(first));
        TempDir dir;
        dir.writeFile("DGNBIN.TAB", std::string(kTable));
        Bytes b = DesignFile(2).bytes();
        b[0] = first;
        dir.writeFile("in.dgn", b);
        const ProgramResult r = runProgram(dir.path(), {command("1")});
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "ERROR El fichero no es 2D ni 3D\n");
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
        EXPECT_TRUE(dir.readFile("out.bin").empty());
    }
}

TEST(RunFailures, HeaderElementIncomplete) {
    struct Case {
        const char* what;
        Bytes design;
    };
    const Case cases[] = {
        {"an empty file", {}},
        // Too short for the head; its first byte is not even 2D or 3D: the
        // missing header is reported first.
        {"three bytes", {0x07, 0x09, 0xFE}},
        {"a head promising 766 words, 1000 bytes in the file", shortHeader(766, 1000)},
        {"a head promising 766 words, one byte short", shortHeader(766, 1535)},
        {"600 words to follow, all there", withEndMarker(shortHeader(600, 1204))},
        {"629 words to follow, 1262 bytes", withEndMarker(shortHeader(629, 1262))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        dir.writeFile("DGNBIN.TAB", std::string(kTable));
        dir.writeFile("in.dgn", c.design);
        const ProgramResult r = runProgram(dir.path(), {command("1")});
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, kIncomplete);
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader + "ERROR Fichero DGN incompleto: falta el elemento de cabecera\r\n");
        EXPECT_TRUE(dir.readFile("out.bin").empty());
    }
}

// 1264 bytes reach the end of the global origin: enough for the run.
TEST(RunFailures, HeaderElementOfExactlyTheNeededLengthConverts) {
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    dir.writeFile("in.dgn", withEndMarker(shortHeader(630, 1264)));
    const ProgramResult r = runProgram(dir.path(), {command("1")});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, kStart + "Final del fichero DGN\n");
    EXPECT_EQ(dir.readText("in.ERR"), kErrHeader);
    EXPECT_TRUE(dir.readFile("out.bin").empty());
}

TEST(RunFailures, ScaleFactorNotOneOfTheFour) {
    struct Case {
        const char* word;
        const char* printed;  // %3.0f of the word read as a float
    };
    const Case cases[] = {{"2", "  2"}, {"2.4", "  2"}, {"abc", "  0"}, {"-5", " -5"},
                          {"1234", "1234"}, {"0.2", "  0"}, {"1.01", "  1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        TempDir dir;
        dir.writeFile("DGNBIN.TAB", std::string(kTable));
        DesignFile(2).write(dir.file("in.dgn"));
        const ProgramResult r = runProgram(dir.path(), {command(c.word)});
        const std::string message =
            std::string("Valor de factor_escala de transformaci\xF3n incorrecta, factor_escala=") +
            c.printed;
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, kStart + message);
        EXPECT_EQ(dir.readText("in.ERR"), kErrHeader + message);
        EXPECT_TRUE(dir.readFile("out.bin").empty());
    }
}

TEST(RunFailures, ScaleFactorDisagreesWithTheUnits) {
    struct Case {
        const char* factor;
        uint32_t subunits, units;
    };
    const Case cases[] = {
        {"10", 10, 10},    {"99", 10, 10},   {"1", 10, 100}, {"0.1", 100, 10},
        {"1", 1, 10},      {"10", 100, 100}, {"99", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.factor << " with " << c.subunits << " x " << c.units);
        TempDir dir;
        dir.writeFile("DGNBIN.TAB", std::string(kTable));
        DesignFile(2).units(c.subunits, c.units).write(dir.file("in.dgn"));
        const ProgramResult r = runProgram(dir.path(), {command(c.factor)});
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, kStart + kIncoherent);
        EXPECT_EQ(dir.readText("in.ERR"),
                  kErrHeader + "Error: Incoherencia en factor_escala y fichero semilla elegidos.\r\n");
        EXPECT_TRUE(dir.readFile("out.bin").empty());
    }
}

// The BIN file may not grow beyond a small limit while the error file, far
// smaller, still can: the write failure is reported and the run fails.
TEST(RunFailures, BinFileCannotBeWritten) {
    const long kLimit = 4096;
    DesignFile design(2);
    // 2000 coded lines: 2000 records of 72 bytes, far beyond the limit.
    for (int i = 0; i < 2000; ++i) design.add(dgntest::line(2, i, 0, 0, i + 10, 20, 0));
    TempDir dir;
    dir.writeFile("DGNBIN.TAB", std::string(kTable));
    design.write(dir.file("in.dgn"));

    const ProgramResult r = runProgram(dir.path(), {command("1")}, kLimit);
    const std::string message = "ERROR No puedo escribir en el fichero BIN out.bin\n";
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.compare(0, kStart.size(), kStart), 0) << r.out;
    ASSERT_GE(r.out.size(), message.size());
    EXPECT_EQ(r.out.substr(r.out.size() - message.size()), message) << r.out;
    EXPECT_EQ(r.out.find("ERROR"), r.out.size() - message.size()) << r.out;
    EXPECT_EQ(dir.readText("in.ERR"),
              kErrHeader + "ERROR No puedo escribir en el fichero BIN out.bin\r\n");
    EXPECT_LE(dir.readFile("out.bin").size(), static_cast<size_t>(kLimit));
}
