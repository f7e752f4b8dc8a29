// The arguments of `plandock batch`, parsed without touching any file.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/batch_plan.h"
#include "cli/merge_args.h"

namespace plandock {

struct TargetPresets {
  int target = 0;  // 1..8
  std::u16string LayerGroup;
  std::u16string Layer;
  std::u16string PenColor;
};

struct BatchRequest {
  bool help = false;
  bool yes = false;
  bool dry_run = false;
  std::u16string settings_file;       // empty: start from the defaults
  std::vector<OptionChange> changes;  // merge options, in command-line order
  // Each batch field given overrides the settings file's.
  std::optional<std::u16string> out_dir;
  std::optional<std::u16string> name;
  bool letters = false;
  std::optional<int> name_from;
  std::vector<std::pair<int, std::u16string>> target_names;  // (0..8, name)
  std::vector<TargetPresets> presets;
  std::array<std::vector<std::u16string>, kDropTargetCount> lists;
};

// Parses the words after "batch" (UTF-8). Returns false with a one-line
// *error on a usage error; *request is then unspecified.
bool ParseBatchArgs(const std::vector<std::string>& args, BatchRequest* request,
                    std::string* error);

// Puts the request's batch fields, target names, presets and lists over
// `plan`. A folder given without a trailing separator gets one.
void ApplyBatchRequest(const BatchRequest& request, BatchPlan& plan);

// The help text of `plandock batch`.
std::string BatchUsage();

}  // namespace plandock
