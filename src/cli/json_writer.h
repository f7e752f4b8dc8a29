// A small JSON writer for the command's machine-readable output: indented
// containers, or one-line ones for short records, and locale-free numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plandock {

class JsonWriter {
 public:
  // `one_line` keeps the container and everything in it on one line.
  JsonWriter& BeginObject(bool one_line = false);
  JsonWriter& EndObject();
  JsonWriter& BeginArray(bool one_line = false);
  JsonWriter& EndArray();
  // The key of the next value inside an object.
  JsonWriter& Key(std::string_view key);

  JsonWriter& String(const std::u16string& text);
  JsonWriter& Utf8(std::string_view text);  // a UTF-8 string value
  JsonWriter& Int(int64_t n);
  // Shortest text that reads back as `x`; null when it is not finite.
  JsonWriter& Number(double x);
  JsonWriter& Bool(bool b);
  JsonWriter& Null();

  // The document, ended by a line break once the outermost container is closed.
  const std::string& text() const { return out_; }

 private:
  struct Level {
    bool one_line;
    int count;
  };
  void BeforeValue();
  JsonWriter& Begin(char bracket, bool one_line);
  JsonWriter& End(char bracket);

  std::string out_;
  std::vector<Level> levels_;
  bool after_key_ = false;
};

}  // namespace plandock
