// Every input of tests/fuzz/regressions (one that once found a fault) run
// through the body of its fuzz target. Under the sanitizers a fault ends the
// test.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fuzz/fuzz_targets.h"
#include "support/program_run.h"

using namespace dgntest;

namespace {

const std::string kFuzzFolder = DGNBIN_SOURCE_DIR "/tests/fuzz/";

// The regressions of a target; hidden files are left out.
std::vector<std::string> inputsOf(const std::string& target) {
  const std::string folder = kFuzzFolder + "regressions/" + target;
  std::vector<std::string> paths;
  if (DIR* d = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(d))
      if (entry->d_name[0] != '.') paths.push_back(folder + "/" + entry->d_name);
    closedir(d);
  }
  return paths;
}

// Works in a fresh folder until it goes out of scope, as the targets need.
class InFreshFolder {
 public:
  InFreshFolder() {
    EXPECT_TRUE(getcwd(saved_, sizeof saved_) != nullptr && chdir(dir_.path().c_str()) == 0);
  }
  ~InFreshFolder() { EXPECT_EQ(0, chdir(saved_)); }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  char saved_[4096];
};

}  // namespace

TEST(FuzzReplay, EveryRegression) {
  size_t inputs = 0;
  for (const FuzzTarget& target : kFuzzTargets) {
    for (const std::string& path : inputsOf(target.name)) {
      SCOPED_TRACE(path);
      const std::vector<uint8_t> input = readFile(path);
      InFreshFolder in;
      testing::internal::CaptureStdout();  // the conversions' console
      EXPECT_EQ(0, target.run(input.data(), input.size()));
      testing::internal::GetCapturedStdout();
      ++inputs;
    }
  }
  EXPECT_GE(inputs, 1u);  // the folder is there
}
