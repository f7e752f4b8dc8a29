#include "cli/command_support.h"

#include <cstdio>

#include "platform/files.h"
#include "util/text.h"

namespace plandock {

void PrintCommandError(const char* command, const std::string& text) {
  std::fprintf(stderr, "plandock %s: %s\n", command, text.c_str());
}

bool LoadCommandSettings(const char* command, const std::u16string& path, AppSettings* settings) {
  *settings = AppSettings();
  if (path.empty()) return true;
  if (platform::FileExists(path) && LoadSettingsFile(path, *settings)) return true;
  PrintCommandError(command, "cannot read the settings file " + TextToUtf8(path));
  return false;
}

}  // namespace plandock
