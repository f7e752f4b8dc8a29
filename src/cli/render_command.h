// The `plandock render` command: a drawing as an SVG picture.
#pragma once

#include <string>
#include <vector>

namespace plandock {

// args: the words after "render" (UTF-8). Errors go to stderr; returns the exit
// status (0 written, 1 unreadable drawing or unwritable picture, 2 usage error).
int RunRenderCommand(const std::vector<std::string>& args);

extern const char kRenderUsage[];

}  // namespace plandock
