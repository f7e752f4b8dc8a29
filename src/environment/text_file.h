// Reading the small text files users hand the tool: environment (JWF) files
// and settings files. Both accept a UTF-8 or UTF-16 byte-order mark and are
// otherwise in the ANSI code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plandock {

// Decodes a text file image. A UTF-8 (EF BB BF), UTF-16LE (FF FE) or UTF-16BE
// (FE FF) byte-order mark selects that encoding and is dropped, as is an odd
// last byte of UTF-16; without a mark the bytes are read in the ANSI code page
// (code page 932). Never fails: undecodable bytes become U+FFFD.
std::u16string DecodeTextBytes(std::string_view bytes);

// Reads at most `max_bytes` from the start of the file at `path` and decodes
// them. When the file holds more, the text is cut after its last line break,
// so no partial line is returned. Returns false, with `text` empty, when
// `path` names no existing file or it cannot be read.
[[nodiscard]] bool ReadTextFile(const std::u16string& path, std::size_t max_bytes,
                                std::u16string& text);

// Walks the lines of a text. Lines end at CR LF, LF or CR; the text after the
// last line break is one more line when it is not empty. Line breaks are not
// part of the lines.
class TextLineReader {
 public:
  explicit TextLineReader(std::u16string_view text) : text_(text) {}
  // Sets `line` to the next line; false when there is none. `line` views the
  // text given to the constructor.
  bool Next(std::u16string_view& line);

 private:
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace plandock
