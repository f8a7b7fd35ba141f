// What `cmake --install` puts under a prefix, and the man pages it installs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "run/version.h"
#include "support/program_run.h"

using namespace dgntest;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> filesUnder(const std::string& root) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_directory()) files.push_back(fs::relative(entry.path(), root).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The pages in docs/, by name.
std::vector<std::string> manPages() {
  std::vector<std::string> pages;
  for (const auto& entry : fs::directory_iterator(std::string(DGNBIN_SOURCE_DIR) + "/docs")) {
    if (entry.path().extension() == ".1") pages.push_back(entry.path().filename().string());
  }
  return pages;
}

}  // namespace

// Every program, the man pages, the README and the examples without
// what the demo writes beside them; and the installed converter runs.
TEST(Install, ProgramsManPagesAndDocumentation) {
  TempDir prefix;
  const ProgramResult install = runProgram(
      prefix.path(), {"--install", DGNBIN_BUILD_DIR, "--prefix", prefix.path()}, -1, DGNBIN_CMAKE);
  ASSERT_EQ(install.exitStatus, 0) << install.err;

  std::vector<std::string> expected = {
      "share/doc/dgnbin/README.md",
      "share/doc/dgnbin/changelog.gz",
      "share/doc/dgnbin/copyright",
      "share/doc/dgnbin/examples/DGNBIN.TAB",
      "share/doc/dgnbin/examples/demo.sh",
      "share/doc/dgnbin/examples/plano2d.dgn",
      "share/doc/dgnbin/examples/plano3d.dgn",
  };
  std::vector<std::string> programs = {"dgnbin", "dgnbin-batch"};
  if (DGNBIN_INSTALLS_KELOBIN) programs.push_back("kelobin");
  std::vector<std::string> pages = manPages();
  pages.insert(pages.end(), {"dgnbin.1", "dgnbin-batch.1"});
  for (const std::string& program : programs) expected.push_back("bin/" + program);
  for (const std::string& page : pages) expected.push_back("share/man/man1/" + page + ".gz");
#ifdef DGNBIN_GDAL_PLUGIN_DIR
  expected.insert(expected.end(), {DGNBIN_GDAL_PLUGIN_DIR "/ogr_KELOBIN.so",
                                   "share/doc/dgnbin-gdal/changelog.gz",
                                   "share/doc/dgnbin-gdal/copyright"});
#endif
  std::sort(expected.begin(), expected.end());
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  EXPECT_EQ(filesUnder(prefix.path()), expected);

  const ProgramResult version =
      runProgram(prefix.path(), {"--version"}, -1, prefix.file("bin/dgnbin"));
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out, "dgnbin " DGNBIN_VERSION "\n");
}

TEST(ManPages, RenderWithoutWarnings) {
  if (runProgram("/", {"-c", "command -v groff"}, -1, "/bin/sh").exitStatus != 0) {
    GTEST_SKIP() << "groff is not installed";
  }
  for (const std::string& page : manPages()) {
    const ProgramResult r =
        runProgram(std::string(DGNBIN_SOURCE_DIR) + "/docs",
                   {"-c", "groff -man -ww -z \"$1\"", "sh", page}, -1, "/bin/sh");
    EXPECT_EQ(r.exitStatus, 0) << page;
    EXPECT_EQ(r.out + r.err, "") << page;
  }
}
