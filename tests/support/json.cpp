#include "support/json.h"

#include <cctype>
#include <cstdlib>

#include "util/text.h"

namespace plandock::test {
namespace {

class Parser {
 public:
  explicit Parser(const std::string& s) : s_(s) {}

  bool Document(Json* out) {
    if (!Value(out)) return false;
    Space();
    return i_ == s_.size();
  }

 private:
  void Space() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r'))
      ++i_;
  }
  bool Eat(char c) {
    Space();
    if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
    return false;
  }
  bool Word(const char* w) {
    const std::string word(w);
    if (s_.compare(i_, word.size(), word) != 0) return false;
    i_ += word.size();
    return true;
  }
  bool Hex4(unsigned* v) {
    if (i_ + 4 > s_.size()) return false;
    *v = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = s_[i_++];
      if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
      *v = *v * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                               ? c - '0'
                                               : std::tolower(c) - 'a' + 10);
    }
    return true;
  }
  bool String(std::string* out) {
    if (!Eat('"')) return false;
    while (i_ < s_.size()) {
      const unsigned char c = static_cast<unsigned char>(s_[i_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') {
        *out += static_cast<char>(c);
        continue;
      }
      if (i_ >= s_.size()) return false;
      const char e = s_[i_++];
      static const std::string kPlain = "\"\\/bfnrt";
      static const std::string kMeant = "\"\\/\b\f\n\r\t";
      if (e == 'u') {
        unsigned unit = 0;
        if (!Hex4(&unit)) return false;
        std::u16string units(1, static_cast<char16_t>(unit));
        if (unit >= 0xD800 && unit < 0xDC00) {
          unsigned low = 0;
          if (!Word("\\u") || !Hex4(&low) || low < 0xDC00 || low >= 0xE000) return false;
          units += static_cast<char16_t>(low);
        }
        *out += TextToUtf8(units);
      } else if (const size_t k = kPlain.find(e); k != std::string::npos) {
        *out += kMeant[k];
      } else {
        return false;
      }
    }
    return false;
  }
  bool Number(double* out) {
    const size_t start = i_;
    if (i_ < s_.size() && s_[i_] == '-') ++i_;
    const auto digits = [&] {
      const size_t from = i_;
      while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) ++i_;
      return i_ > from;
    };
    if (!digits()) return false;
    if (i_ < s_.size() && s_[i_] == '.') {
      ++i_;
      if (!digits()) return false;
    }
    if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
      ++i_;
      if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
      if (!digits()) return false;
    }
    *out = std::strtod(s_.substr(start, i_ - start).c_str(), nullptr);
    return true;
  }
  bool Value(Json* out) {
    Space();
    if (i_ >= s_.size()) return false;
    switch (s_[i_]) {
      case '{':
        ++i_;
        out->type = Json::Type::kObject;
        if (Eat('}')) return true;
        do {
          std::pair<std::string, Json> member;
          Space();
          if (!String(&member.first) || !Eat(':') || !Value(&member.second)) return false;
          out->members.push_back(std::move(member));
        } while (Eat(','));
        return Eat('}');
      case '[':
        ++i_;
        out->type = Json::Type::kArray;
        if (Eat(']')) return true;
        do {
          out->items.emplace_back();
          if (!Value(&out->items.back())) return false;
        } while (Eat(','));
        return Eat(']');
      case '"':
        out->type = Json::Type::kString;
        return String(&out->text);
      case 't':
        out->type = Json::Type::kBool;
        out->boolean = true;
        return Word("true");
      case 'f':
        out->type = Json::Type::kBool;
        return Word("false");
      case 'n':
        return Word("null");
      default:
        out->type = Json::Type::kNumber;
        return Number(&out->number);
    }
  }

  const std::string& s_;
  size_t i_ = 0;
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
  static const Json kNull;
  for (const auto& [name, value] : members) {
    if (name == key) return value;
  }
  return kNull;
}

bool Json::Has(const std::string& key) const {
  for (const auto& member : members) {
    if (member.first == key) return true;
  }
  return false;
}

bool ParseJson(const std::string& text, Json* out) {
  *out = Json();
  return Parser(text).Document(out);
}

}  // namespace plandock::test
