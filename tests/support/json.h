// A strict JSON reader for tests of the command's JSON output: the whole text
// must be one value, strings without raw control characters.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace plandock::test {

struct Json {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
  Type type = Type::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's value, UTF-8
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;

  // The member named `key`, or a null value when there is none.
  const Json& operator[](const std::string& key) const;
  const Json& operator[](size_t i) const { return items.at(i); }
  bool Has(const std::string& key) const;
};

// False when `text` is not exactly one valid JSON value.
bool ParseJson(const std::string& text, Json* out);

}  // namespace plandock::test
