// The half of the CAD launcher each platform provides.
#pragma once

#include <string>

namespace plandock::platform::internal {

// Starts `program` with the one argument `argument` in `folder`, detached.
// False when the program could not be started.
[[nodiscard]] bool StartDetached(const std::u16string& program, const std::u16string& argument,
                                 const std::u16string& folder);

}  // namespace plandock::platform::internal
