#include "environment/text_file.h"

#include "platform/code_page.h"
#include "platform/files.h"
#include "util/text.h"

namespace plandock {

namespace {

std::u16string DecodeUtf16(std::string_view bytes, bool big_endian) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
    const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
    out[i] = static_cast<char16_t>(big_endian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  return out;
}

bool StartsWithBytes(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

}  // namespace

std::u16string DecodeTextBytes(std::string_view bytes) {
  if (StartsWithBytes(bytes, "\xEF\xBB\xBF")) return Utf8ToText(std::string(bytes.substr(3)));
  if (StartsWithBytes(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (StartsWithBytes(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  return platform::AnsiToUtf16(bytes);
}

bool ReadTextFile(const std::u16string& path, std::size_t max_bytes, std::u16string& text) {
  text.clear();
  if (!platform::FileExists(path)) return false;
  std::string bytes;
  bool cut = false;
  if (!platform::ReadFilePrefix(path, max_bytes, bytes, cut)) return false;
  text = DecodeTextBytes(bytes);
  if (cut) {
    // The last line may have been cut anywhere, even inside a character.
    const std::size_t last_break = text.find_last_of(u"\r\n");
    text.resize(last_break == std::u16string::npos ? 0 : last_break + 1);
  }
  return true;
}

bool TextLineReader::Next(std::u16string_view& line) {
  if (pos_ >= text_.size()) return false;
  std::size_t end = text_.find_first_of(u"\r\n", pos_);
  if (end == std::u16string_view::npos) end = text_.size();
  line = text_.substr(pos_, end - pos_);
  pos_ = end;
  if (pos_ < text_.size()) {
    if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
    ++pos_;
  }
  return true;
}

}  // namespace plandock
