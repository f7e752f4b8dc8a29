// Applying an environment (JWF) file to a drawing.
#pragma once

#include <string>

#include "document/document.h"

namespace plandock {

// Reads the file at `path` and applies its recognised keys to `doc`. A missing
// or unreadable file changes nothing. Does not save the document.
void ApplyJwf(TJwwData& doc, const std::u16string& path);

}  // namespace plandock
