// Runs one of the program's commands inside the test, capturing what it prints.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plandock::test {

struct CommandRun {
  int status;
  std::string out, err;
};

// `command` is a command's entry point, such as RunInfoCommand.
inline CommandRun RunInProcess(int (*command)(const std::vector<std::string>&),
                               const std::vector<std::string>& args) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = command(args);
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

}  // namespace plandock::test
