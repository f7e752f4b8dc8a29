// Finding and starting the CAD program: the command cut and the silent refusals.
#include "platform/launcher.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace plandock::platform
