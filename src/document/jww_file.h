// Reading and writing whole JWW drawings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "platform/replacing_file.h"

namespace plandock {

// The largest file taken as a drawing: what the format's 32-bit sizes and
// counts can describe. A larger file (or one that is not a regular file) is
// refused before anything is read.
inline constexpr uint64_t kMaxDrawingBytes = 0x7FFFFFFF;

// Why a read failed; callers word it for users themselves.
enum class ReadFailure {
  kNone,
  kHeader,          // not a drawing: the magic is missing
  kVersion,         // a version outside 220..700
  kIo,              // the data ends or breaks off inside the drawing
  kCannotOpen,      // the file is missing or cannot be read
  kNotRegularFile,  // a folder, a pipe, a device
  kTooLarge,        // above kMaxDrawingBytes
};

// Reads the drawing at `path` into `doc` (which is reset first). Returns false
// when the file cannot be opened or is not a readable drawing; *why then tells why.
[[nodiscard]] bool FileIn(TJwwData& doc, const std::u16string& path, ReadFailure* why = nullptr);
// The same over a file image already in memory.
[[nodiscard]] bool FileInMemory(TJwwData& doc, const uint8_t* data, size_t size,
                                ReadFailure* why = nullptr);
// The same, also reporting in *end how far the reading got (size when a
// drawing was read to its last byte; the image section is read past only when
// BindImageExp or BindImageExr is set).
[[nodiscard]] bool FileInMemory(TJwwData& doc, const uint8_t* data, size_t size, ReadFailure* why,
                                size_t* end);

// Sets the options of the next write (FileOutOpt).
void SetFileOutOption(TJwwData& doc, int32_t option);
// Writes `doc` in file version `version` to `path`. The previous file at `path`
// is replaced only once the whole new file is written; false leaves it intact.
[[nodiscard]] bool FileOut(TJwwData& doc, const std::u16string& path, int32_t version);
// Writes `doc` into `file` without putting it in place: the caller commits it
// (after making a backup, say) or drops it. False when a write failed.
[[nodiscard]] bool FileOutTo(TJwwData& doc, platform::ReplacingFile& file, int32_t version);
// The same into a buffer (the image section reads image files from BindImageFolder).
void FileOutToBuffer(TJwwData& doc, int32_t version, std::vector<uint8_t>& out);

}  // namespace plandock
