#include "cli/command_words.h"

#include <algorithm>
#include <utility>

#include "platform/files.h"
#include "util/text.h"

namespace plandock {
namespace {

bool IsFlag(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

// Most words are paths: their bytes are kept exactly, valid UTF-8 or not.
std::u16string WordText(const std::string& arg) { return platform::PathFromNative(arg); }

bool Fail(std::string* error, std::string text) {
  *error = std::move(text);
  return false;
}

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
  std::vector<std::string> given;  // flags of one value seen so far
  bool plain_only = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (plain_only || !IsFlag(arg)) {
      if (!command.Word(WordText(arg), error)) return false;
      std::erase_if(given, [&](const std::string& f) { return command.Shape(f)->per_word; });
      continue;
    }
    if (arg == "--") {
      plain_only = true;
      continue;
    }
    const size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
    const std::string name = arg == "-h" ? "--help" : arg.substr(0, equals);
    const std::optional<FlagShape> shape = command.Shape(name);
    if (!shape) return Fail(error, "unknown flag " + EchoArg(name));
    std::vector<std::u16string> values;
    if (equals != std::string::npos) {
      if (shape->values != 1 || shape->more) {
        return Fail(error,
                    EchoArg(name) + (shape->values == 0 ? " takes no value"
                                                        : " takes its values as separate words"));
      }
      values.push_back(WordText(arg.substr(equals + 1)));
    }
    for (int v = static_cast<int>(values.size()); v < shape->values; ++v) {
      if (i + 1 >= args.size()) {
        return Fail(error, EchoArg(name) + " needs " +
                               (shape->values == 1 ? "a value"
                                                   : std::to_string(shape->values) + " values"));
      }
      values.push_back(WordText(args[++i]));
    }
    while (shape->more && i + 1 < args.size() && !IsFlag(args[i + 1])) {
      values.push_back(WordText(args[++i]));
    }
    if (shape->values == 1 && !shape->more) {
      if (std::find(given.begin(), given.end(), name) != given.end()) {
        return Fail(error, EchoArg(name) + " given twice" +
                               (shape->per_word ? " for the same drawing" : ""));
      }
      given.push_back(name);
    }
    if (!command.Flag(name, values, error)) return false;
  }
  return true;
}

}  // namespace plandock
