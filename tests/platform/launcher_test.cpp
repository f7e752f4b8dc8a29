// Finding and starting the CAD program: the command cut and the silent refusals.
#include "platform/launcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/code_page.h"
#include "support/support.h"

namespace plandock::platform {
namespace {

TEST(Launcher, ProgramPathIsCutFromTheRegisteredCommand) {
  const struct {
    const char* name;
    std::u16string command;
    std::u16string program;
  } rows[] = {
      {"quoted with quoted placeholder", u"\"C:\\JWW\\Jw_win.exe\" \"%1\"", u"C:\\JWW\\Jw_win.exe"},
      {"bare with bare placeholder", u"C:\\JWW\\Jw_win.exe %1", u"C:\\JWW\\Jw_win.exe"},
      {"quoted path with a blank is cut there", u"\"C:\\Program Files\\cad.exe\" \"%1\"",
       u"C:\\Program"},
      {"only a program", u"C:\\cad.exe", u"C:\\cad.exe"},
      {"empty", u"", u""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CadProgramFromCommand(row.command), row.program);
  }
}

TEST(Launcher, NothingStartsWithoutAnExistingDrawing) {
  test::ScopedTempDir dir;
  EXPECT_FALSE(StartCad(u""));
  EXPECT_FALSE(StartCad((dir.path() / "missing.jww").u16string()));
}

// The Windows suite registers ".JWW" in its own Wine prefix with `reg add` and
// names the program it registered in PLANDOCK_REGISTERED_CAD; StartCad then
// starts that program through the shell.
TEST(Launcher, FindsAndStartsTheProgramRegisteredForDrawings) {
  const char* registered = std::getenv("PLANDOCK_REGISTERED_CAD");
  if (registered == nullptr) {
    GTEST_SKIP() << "no \".JWW\" registration was made for this run (the Windows suite under "
                    "Wine makes one)";
  }
  EXPECT_EQ(FindCadExecutable(), Utf8ToUtf16(registered));
  test::ScopedTempDir dir;
  const std::u16string drawing = (dir.path() / "merged result.jww").u16string();
  std::ofstream(std::filesystem::path(drawing)) << "drawing";
  EXPECT_TRUE(StartCad(drawing));
}

TEST(Launcher, OpeningAMissingFileStartsNothing) {
  test::ScopedTempDir dir;
  EXPECT_FALSE(OpenFileWithShell(u""));
  EXPECT_FALSE(OpenFileWithShell((dir.path() / "missing.jww").u16string()));
}

#ifndef _WIN32
// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    had_ = std::getenv(name) != nullptr;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TEST(Launcher, PlandockCadNamesTheProgramStartedOnTheDrawing) {
  test::ScopedTempDir dir;
  const std::filesystem::path seen = dir.path() / "seen.txt";
  const std::filesystem::path script = dir.path() / "cad.sh";
  std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > " << seen.string() << ".part && mv "
                        << seen.string() << ".part " << seen.string() << "\n";
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  const std::filesystem::path drawing = dir.path() / "a b.jww";
  std::ofstream(drawing) << "x";

  ScopedEnv cad("PLANDOCK_CAD", script.string());
  EXPECT_EQ(FindCadExecutable(), script.u16string());
  ASSERT_TRUE(StartCad(drawing.u16string()));
  // The program runs detached; give it a moment to write down what it was given.
  for (int i = 0; i < 200 && !std::filesystem::exists(seen); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  std::ifstream in(seen);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), drawing.string());
}

TEST(Launcher, PlandockCadNamingNothingStartsNothing) {
  test::ScopedTempDir dir;
  const std::filesystem::path drawing = dir.path() / "a.jww";
  std::ofstream(drawing) << "x";
  ScopedEnv cad("PLANDOCK_CAD", "no-such-cad-program-here");
  EXPECT_EQ(FindCadExecutable(), u"");
  EXPECT_EQ(CadProgram(), u"");
  EXPECT_FALSE(StartCad(drawing.u16string()));
}
#endif

}  // namespace
}  // namespace plandock::platform
