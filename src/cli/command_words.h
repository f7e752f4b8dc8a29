// How every plandock command takes its words apart into flags, their values
// and plain words, so that all commands read their arguments alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandock {

// How many words follow a flag as its values. A flag with `more` also takes
// every following word that is not a flag (a list of files). A flag of one
// value may be given once, or with `per_word` once after each plain word.
struct FlagShape {
  int values = 0;
  bool more = false;
  bool per_word = false;
};

// What a command does with its words; each call may fail with a one-line
// *error, which ends the reading.
class CommandWords {
 public:
  virtual ~CommandWords() = default;
  // The shape of flag `name`, or nothing when the command has no such flag.
  virtual std::optional<FlagShape> Shape(std::string_view name) const = 0;
  virtual bool Flag(std::string_view name, const std::vector<std::u16string>& values,
                    std::string* error) = 0;
  // A word that is neither a flag nor a flag's value.
  virtual bool Word(const std::u16string& word, std::string* error) = 0;
};

// Reads `args` (UTF-8) into `command`: "--flag=value" is "--flag value" for a
// flag of one value, "--" makes every later word a plain word, and "-h" is
// "--help". Returns false with a one-line *error on an unknown flag, a missing
// value, a flag of one value given twice or a failed call.
bool ReadCommandWords(const std::vector<std::string>& args, CommandWords& command,
                      std::string* error);

// An argument as echoed in a usage error, which must stay one line.
std::string EchoArg(std::string_view arg);

}  // namespace plandock
