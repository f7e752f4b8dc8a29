// `plandock merge`: arguments, settings file and flags, the job, the exit status.
#include "cli/merge_command.h"

#include <cstdio>

#include "app/settings_file.h"
#include "cli/cli_job_host.h"
#include "cli/command_support.h"
#include "cli/merge_args.h"
#include "cli/merge_preview.h"
#include "merge/merge_job.h"
#include "platform/files.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock {
namespace {

void ReportClearedCells(const std::string& row, const MergeEntry& before, const MergeEntry& after) {
  struct Cell {
    const char* flag;
    std::u16string MergeEntry::*text;
  };
  static constexpr Cell kCells[] = {{"--group", &MergeEntry::LayerGroup},
                                    {"--layer", &MergeEntry::Layer},
                                    {"--color", &MergeEntry::PenColor}};
  for (const Cell& cell : kCells) {
    if (!(before.*cell.text).empty() && (after.*cell.text).empty()) {
      std::fprintf(stderr, "%s: %s %s ignored\n", row.c_str(), cell.flag,
                   TextToUtf8(before.*cell.text).c_str());
    }
  }
}

}  // namespace

// The window shows the job's changes to its file list; here each row the job
// gave up on, wholly or in part, is named.
void ReportEntryChanges(const std::vector<MergeEntry>& before,
                        const std::vector<MergeEntry>& after) {
  for (size_t i = 0; i < after.size(); ++i) {
    const std::string row = "entry " + std::to_string(i + 1);
    if (after[i].Path != before[i].Path) {
      // An unreadable drawing keeps its path behind "エラーファイル：".
      const std::string text = after[i].Path.empty()
                                   ? row + " passed over: " + TextToUtf8(before[i].Path)
                                   : TextToUtf8(after[i].Path);
      std::fprintf(stderr, "%s\n", text.c_str());
    }
    ReportClearedCells(row, before[i], after[i]);
  }
}

int RunMergeCommand(const std::vector<std::string>& args) {
  MergeRequest request;
  std::string error;
  if (!ParseArgs(args, &request, &error)) {
    PrintCommandError("merge", error + " (see plandock merge --help)");
    return kExitUsage;
  }
  if (request.help) {
    std::fputs(kMergeUsage, stdout);
    return kExitCompleted;
  }
  AppSettings app;
  if (!LoadCommandSettings("merge", request.settings_file, &app)) return kExitFailed;
  MergeSettings settings = app.Merge;
  ApplyOptions(request, settings);

  if (!request.preview.empty() && PathExtLower(request.preview) != u".svg") {
    PrintCommandError("merge", "--preview must name an .svg file (see plandock merge --help)");
    return kExitUsage;
  }

  CliJobHost host(CliJobHost::ConsoleOptions(request.yes));
  std::vector<MergeEntry> entries = request.entries;
  MergeJobRecord record;
  std::string picture;
  if (!request.preview.empty()) {
    record.before_save = [&](const TJwwData& result) {
      picture = MergePreviewSvg(result, record, entries, settings.BasePath);
    };
  }
  const MergeJobResult result = RunMergeJob(settings, entries, host, &record);
  ReportEntryChanges(request.entries, entries);
  if (result != MergeJobResult::kCompleted) return kExitFailed;
  if (!picture.empty() &&
      !platform::WriteFileReplacing(
          request.preview, reinterpret_cast<const uint8_t*>(picture.data()), picture.size())) {
    PrintCommandError("merge", "cannot write the preview " + TextToUtf8(request.preview));
    return kExitFailed;
  }
  return kExitCompleted;
}

}  // namespace plandock
