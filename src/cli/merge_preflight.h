// The checks `plandock merge` makes before the job runs: usage errors that
// the job would otherwise meet with a box or pass over silently, and
// warnings for options that will not do what they seem to.
#pragma once

#include <string>
#include <vector>

#include "merge/merge_settings.h"

namespace plandock {

// What the command line itself named, as opposed to the settings file.
struct GivenFlags {
  bool out = false;
  bool overwrite_base = false;
};

// Returns false with a one-line *error on a usage error. Appends a line to
// *warnings for each option that will not do what it seems to.
bool CheckBeforeJob(const MergeSettings& settings, const std::vector<MergeEntry>& entries,
                    const GivenFlags& given, std::string* error,
                    std::vector<std::string>* warnings);

}  // namespace plandock
