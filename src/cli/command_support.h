// What the commands that run merge jobs share: exit statuses, the error line
// and the settings file they start from.
#pragma once

#include <string>

#include "app/settings_file.h"

namespace plandock {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
// Ended with "完了", but a listed drawing was passed over.
inline constexpr int kExitPassedOver = 3;

// "plandock COMMAND: TEXT" on standard error.
void PrintCommandError(const char* command, const std::string& text);

// The settings to start from: the defaults when `path` is empty, otherwise
// the settings file's. False, with the error printed, when it cannot be read.
bool LoadCommandSettings(const char* command, const std::u16string& path, AppSettings* settings);

}  // namespace plandock
