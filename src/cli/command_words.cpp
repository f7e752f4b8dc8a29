#include "cli/command_words.h"

#include "platform/files.h"
#include "util/text.h"

namespace plandock {
namespace {

bool IsFlag(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// Most words are paths: their bytes are kept exactly, valid UTF-8 or not.
std::u16string WordText(const std::string& arg) { return platform::PathFromNative(arg); }

}  // namespace

std::string EchoArg(std::string_view arg) {
  std::string out(arg);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return out;
}

bool ReadCommandWords(const std::vector<std::string>& args, CommandWords& command,
                      std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!IsFlag(arg)) {
      if (!command.Word(WordText(arg), error)) return false;
      continue;
    }
    const std::optional<FlagShape> shape = command.Shape(arg);
    if (!shape) {
      *error = "unknown flag " + EchoArg(arg);
      return false;
    }
    std::vector<std::u16string> values;
    for (int v = 0; v < shape->values; ++v) {
      if (i + 1 >= args.size()) {
        *error = EchoArg(arg) + " needs " +
                 (shape->values == 1 ? "a value" : std::to_string(shape->values) + " values");
        return false;
      }
      values.push_back(WordText(args[++i]));
    }
    while (shape->more && i + 1 < args.size() && !IsFlag(args[i + 1])) {
      values.push_back(WordText(args[++i]));
    }
    if (!command.Flag(arg, values, error)) return false;
  }
  return true;
}

}  // namespace plandock
