// What makes a text a reference text, for front ends that show them.
#pragma once

#include <string>

#include "document/document.h"

namespace plandock {

// True when `text` is a reference text: colour 9 and content equal to
// `reference_text` exactly (letter case and blanks count).
bool IsReferenceText(const TEntJwwMoji& text, const std::u16string& reference_text);

}  // namespace plandock
