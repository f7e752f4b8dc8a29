// Applying an environment (JWF) file to a drawing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "document/document.h"

namespace plandock {

// Only this much of a file is read; real environment files are a few dozen
// kilobytes. A longer file is cut after its last whole line.
inline constexpr std::size_t kMaxJwfBytes = 4 * 1024 * 1024;
// An entry line longer than this (in UTF-16 code units, after trimming) is
// skipped as damaged: no real entry comes near it, and it bounds the fields
// a single line can produce. Comments and the end mark are still recognised.
inline constexpr std::size_t kMaxJwfEntryLength = 16 * 1024;
// Fields of one entry that are looked at; later fields are ignored.
inline constexpr int kJwfFieldSlots = 100;

// Reads the file at `path` and applies its recognised keys to `doc`. A missing
// or unreadable file changes nothing. Does not save the document.
void ApplyJwf(TJwwData& doc, const std::u16string& path);

// Applies the lines of an already decoded environment file to `doc`, up to its
// end mark. The clear-names switch starts off for every call.
void ApplyJwfText(TJwwData& doc, std::u16string_view text);

}  // namespace plandock
