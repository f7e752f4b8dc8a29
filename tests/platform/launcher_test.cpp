// Finding and starting the CAD program: the command cut and the silent refusals.
#include "platform/launcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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

}  // namespace
}  // namespace plandock::platform
