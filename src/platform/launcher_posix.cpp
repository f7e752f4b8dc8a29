// The CAD launcher on POSIX: PLANDOCK_CAD or else the desktop's opener stands
// for the registered program, started in a session of its own so it outlives
// this process.
#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/launcher_internal.h"

namespace plandock::platform {
namespace {

constexpr char kOpener[] = "xdg-open";
constexpr char kCadVariable[] = "PLANDOCK_CAD";

// The grandchild: detached from this process's session and terminal.
[[noreturn]] void ExecDetached(const char* program, char* const argv[], const char* folder,
                               int report_fd) {
  if (folder[0] != '\0' && chdir(folder) != 0) _exit(127);
  const int null_fd = open("/dev/null", O_RDWR);
  if (null_fd >= 0) {
    dup2(null_fd, 0);
    dup2(null_fd, 1);
    dup2(null_fd, 2);
  }
  execv(program, argv);
  const char failed = 1;
  (void)!write(report_fd, &failed, 1);
  _exit(127);
}

bool WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// True when the report pipe closed without a byte: the exec succeeded.
bool ExecSucceeded(int read_fd) {
  char byte = 0;
  ssize_t n;
  do {
    n = read(read_fd, &byte, 1);
  } while (n < 0 && errno == EINTR);
  return n == 0;
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  std::string cwd(4096, '\0');
  if (getcwd(cwd.data(), cwd.size()) == nullptr) return path;
  cwd.resize(cwd.find('\0'));
  return cwd + "/" + path;
}

// `name` itself (made absolute) when it holds a slash, else its first executable on the PATH.
std::string FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return AbsolutePath(name);
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  std::string_view dirs(path);
  while (!dirs.empty()) {
    const size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    if (dir.empty()) continue;
    const std::string candidate = std::string(dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

}  // namespace

std::u16string FindCadExecutable() {
  // The user's own choice, such as a script that runs the CAD program under an
  // emulator, comes before the desktop's opener.
  const char* chosen = std::getenv(kCadVariable);
  if (chosen != nullptr && chosen[0] != '\0') return Utf8ToUtf16(FindProgram(chosen));
  return Utf8ToUtf16(FindProgram(kOpener));
}

bool OpenFileWithShell(const std::u16string& file) {
  const std::u16string opener = FindCadExecutable();
  return !opener.empty() && !file.empty() && FileExists(file) &&
         internal::StartDetached(opener, file, u"");
}

namespace internal {

bool StartDetached(const std::u16string& program, const std::u16string& argument,
                   const std::u16string& folder) {
  // Everything the children use is prepared first: after fork only
  // async-signal-safe calls are allowed.
  std::string program_path = NativePath(program);
  // The program starts in its own folder, so a relative drawing path would miss.
  std::string arg = AbsolutePath(NativePath(argument));
  const std::string dir = NativePath(folder);
  char* const argv[] = {program_path.data(), arg.data(), nullptr};
  int report[2];
  if (pipe(report) != 0) return false;
  fcntl(report[0], F_SETFD, FD_CLOEXEC);
  fcntl(report[1], F_SETFD, FD_CLOEXEC);

  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    setsid();
    const pid_t grandchild = fork();
    if (grandchild < 0) _exit(1);
    if (grandchild == 0) ExecDetached(argv[0], argv, dir.c_str(), report[1]);
    _exit(0);
  }
  close(report[1]);
  const bool forked = WaitFor(child);
  const bool started = forked && ExecSucceeded(report[0]);
  close(report[0]);
  return started;
}

}  // namespace internal
}  // namespace plandock::platform
