#include "cli/merge_preflight.h"

#include "cli/drawing_facts.h"
#include "merge/layer_cell.h"
#include "merge/merge_job.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "util/number.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock {
namespace {

bool Fail(std::string* error, std::string text) {
  *error = std::move(text);
  return false;
}

std::string Utf8(const std::u16string& s) { return TextToUtf8(s); }

// The spellings of layer group or layer n that the help names.
bool IsPlainLayerCell(const std::u16string& cell, int n) {
  return cell == std::u16string(1, static_cast<char16_t>(LayerDigit(n))) ||
         (n >= 10 && cell == IntToText(n));
}

bool OnlyZeros(const std::u16string& cell) {
  return !cell.empty() && cell.find_first_not_of(u'0') == std::u16string::npos;
}

// A cell as typed against the job's reading of it.
bool CheckLayerCell(const std::string& row, const char* flag, const char* what,
                    const std::u16string& typed, const std::u16string& cleaned, std::string* error,
                    std::vector<std::string>* warnings) {
  if (typed.empty()) return true;
  const std::string head = row + ": " + flag + " " + Utf8(typed);
  const int n = ReadLayerNumber(cleaned);
  // The job reads a cell that is no number as 0, and clears one beyond 15.
  if (cleaned.empty() || (n == 0 && !OnlyZeros(cleaned))) {
    return Fail(error, head + " names no " + what + " (0..9, A..F or 10..15)");
  }
  if (!IsPlainLayerCell(typed, n)) {
    warnings->push_back(head + " is taken as " + std::string(1, LayerDigit(n)));
  }
  return true;
}

bool CheckCells(size_t index, const MergeEntry& entry, std::string* error,
                std::vector<std::string>* warnings) {
  const std::string row = "entry " + std::to_string(index + 1);
  const MergeEntry cleaned = CleanedCells(entry);
  if (!CheckLayerCell(row, "--group", "layer group", entry.LayerGroup, cleaned.LayerGroup, error,
                      warnings) ||
      !CheckLayerCell(row, "--layer", "layer", entry.Layer, cleaned.Layer, error, warnings)) {
    return false;
  }
  if (entry.PenColor.empty()) return true;
  const std::string head = row + ": --color " + Utf8(entry.PenColor);
  if (cleaned.PenColor.empty()) {
    return Fail(error, head + " names no colour (1..9 or 101..356)");
  }
  if (cleaned.PenColor != entry.PenColor) {
    warnings->push_back(head + " is taken as " + Utf8(cleaned.PenColor));
  }
  return true;
}

void WarnAboutOptions(const MergeSettings& s, std::vector<std::string>* warnings) {
  const std::u16string& destination = s.OverwriteBase ? s.BasePath : s.DestinationPath;
  if (PathExtLower(destination) != u".jww") {
    warnings->push_back("the destination " + Utf8(destination) +
                        " does not end in \".jww\"; it is written as a JWW drawing all the same");
  }
  if (s.ApplyEnvironmentFile) {
    const std::u16string& jwf = s.EnvironmentFilePath;
    if (PathExtLower(jwf) != u".jwf") {
      warnings->push_back("--jwf " + Utf8(jwf) +
                          " does not end in \".jwf\"; the result is saved without it");
    } else if (!platform::FileExists(jwf)) {
      warnings->push_back("--jwf " + Utf8(jwf) + " does not exist; the result is saved without it");
    }
  }
  if (s.WarnManyReferenceTexts && !s.CheckReferenceTexts) {
    warnings->push_back("--warn-many-ref does nothing without --check-ref");
  }
  if (s.LaunchCad && platform::CadProgram().empty()) {
    warnings->push_back(
        "--launch-cad: no CAD program found; name one in PLANDOCK_CAD (a program or a "
        "script that starts it) or associate \".jww\" files with it on the desktop");
  }
}

}  // namespace

bool CheckBeforeJob(const MergeSettings& settings, const std::vector<MergeEntry>& entries,
                    const GivenFlags& given, std::string* error,
                    std::vector<std::string>* warnings) {
  if (settings.BasePath.empty()) return Fail(error, "no --base BASE given");
  if (settings.OverwriteBase && given.out) {
    return Fail(error, given.overwrite_base
                           ? "--overwrite-base and --out exclude each other"
                           : "the settings file turns on overwriting the base, so --out "
                             "would be ignored");
  }
  if (!settings.OverwriteBase && settings.DestinationPath.empty()) {
    return Fail(error, "no --out DEST given (or --overwrite-base)");
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!CheckCells(i, entries[i], error, warnings)) return false;
  }
  WarnAboutOptions(settings, warnings);
  return true;
}

}  // namespace plandock
