// The platform-neutral part of the CAD launcher: the order of its checks.
#include "platform/launcher.h"

#include "platform/files.h"
#include "platform/launcher_internal.h"

namespace plandock::platform {
namespace {

// Where the CAD program lives when nothing is registered.
constexpr char16_t kDefaultCadProgram[] = u"C:\\JWW\\JW_WIN.EXE";

// The program's folder up to and including its last separator.
std::u16string FolderOf(const std::u16string& program) {
  const size_t cut = program.find_last_of(u"\\/");
  return cut == std::u16string::npos ? std::u16string() : program.substr(0, cut + 1);
}

}  // namespace

std::u16string CadProgramFromCommand(const std::u16string& command) {
  std::u16string c = command.substr(0, command.find(u' '));
  if (!c.empty() && c.front() == u'"') {
    c.erase(0, 1);
    if (!c.empty() && c.back() == u'"') c.pop_back();
  }
  return c;
}

std::u16string CadProgram() {
  std::u16string program = FindCadExecutable();
  if (program.empty()) program = kDefaultCadProgram;
  return FileExists(program) ? program : std::u16string();
}

bool StartCad(const std::u16string& drawing) {
  const std::u16string program = CadProgram();
  if (program.empty() || drawing.empty() || !FileExists(drawing)) return false;
  return internal::StartDetached(program, drawing, FolderOf(program));
}

}  // namespace plandock::platform
