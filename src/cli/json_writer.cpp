#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

#include "util/text.h"

namespace plandock {
namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20) {
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 0xF];
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (level.count++ > 0) out_ += ',';
  if (level.one_line) {
    if (level.count > 1) out_ += ' ';
  } else {
    out_ += '\n';
    out_.append(2 * levels_.size(), ' ');
  }
}

JsonWriter& JsonWriter::Begin(char bracket, bool one_line) {
  BeforeValue();
  out_ += bracket;
  // Inside a one-line container everything stays on that line.
  const bool inherited = !levels_.empty() && levels_.back().one_line;
  levels_.push_back({one_line || inherited, 0});
  return *this;
}

JsonWriter& JsonWriter::End(char bracket) {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.one_line && level.count > 0) {
    out_ += '\n';
    out_.append(2 * levels_.size(), ' ');
  }
  out_ += bracket;
  if (levels_.empty()) out_ += '\n';
  return *this;
}

JsonWriter& JsonWriter::BeginObject(bool one_line) { return Begin('{', one_line); }
JsonWriter& JsonWriter::EndObject() { return End('}'); }
JsonWriter& JsonWriter::BeginArray(bool one_line) { return Begin('[', one_line); }
JsonWriter& JsonWriter::EndArray() { return End(']'); }

JsonWriter& JsonWriter::Key(std::string_view key) {
  BeforeValue();
  AppendEscaped(out_, key);
  out_ += ": ";
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(const std::u16string& text) { return Utf8(TextToUtf8(text)); }

JsonWriter& JsonWriter::Utf8(std::string_view text) {
  BeforeValue();
  AppendEscaped(out_, text);
  return *this;
}

JsonWriter& JsonWriter::Int(int64_t n) {
  BeforeValue();
  out_ += std::to_string(n);
  return *this;
}

JsonWriter& JsonWriter::Number(double x) {
  if (!std::isfinite(x)) return Null();
  BeforeValue();
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
  out_.append(buf, end);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool b) {
  BeforeValue();
  out_ += b ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

}  // namespace plandock
