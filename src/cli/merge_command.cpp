// `plandock merge`: arguments, settings file and flags, the checks before the
// job, the job, what it did, and the exit status.
#include "cli/merge_command.h"

#include <chrono>
#include <cstdio>

#include "app/settings_file.h"
#include "cli/cli_job_host.h"
#include "cli/command_support.h"
#include "cli/merge_args.h"
#include "cli/merge_preflight.h"
#include "cli/merge_preview.h"
#include "cli/merge_report.h"
#include "merge/merge_job.h"
#include "platform/files.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock {
namespace {

void PrintError(const std::string& text) { PrintCommandError("merge", text); }

void PrintWarning(const std::string& text) { PrintError("warning: " + text); }

int UsageError(const std::string& text) {
  PrintError(text + " (see plandock merge --help)");
  return kExitUsage;
}

// "設定を保存": the file records its own path, as the window's does.
int SaveSettings(const std::u16string& path, AppSettings app, const MergeSettings& settings) {
  app.Merge = settings;
  app.DatFile = path;
  if (PathExtLower(path) != u".ini") {
    PrintWarning("the window's \"設定を開く\" lists only \".ini\" files");
  }
  if (!SaveSettingsFile(path, app)) {
    PrintError("cannot write the settings file " + TextToUtf8(path));
    return kExitFailed;
  }
  PrintError("settings written to " + TextToUtf8(path));
  return kExitCompleted;
}

// The folder part of `path`, empty when it names a file in the current folder.
std::u16string FolderOf(const std::u16string& path) {
  const size_t cut = path.find_last_of(u"\\/");
  return cut == std::u16string::npos ? std::u16string() : path.substr(0, cut + 1);
}

bool SamePath(const std::u16string& a, const std::u16string& b) {
  return !a.empty() && UpperText(a) == UpperText(b);
}

// A report that would land on a drawing, or in a folder that is not there,
// is refused before anything is merged.
bool CheckReportPath(const MergeRequest& request, const MergeSettings& settings,
                     std::string* error) {
  const std::u16string& report = request.report_file;
  if (report.empty() || report == u"-") return true;
  const std::u16string destination =
      settings.OverwriteBase ? settings.BasePath : settings.DestinationPath;
  bool clash = SamePath(report, settings.BasePath) || SamePath(report, destination);
  for (const MergeEntry& e : request.entries) clash = clash || SamePath(report, e.Path);
  if (clash) {
    *error = "--report " + TextToUtf8(report) + " names a drawing of the merge";
    return false;
  }
  const std::u16string folder = FolderOf(report);
  if (!folder.empty() && !platform::DirExists(folder)) {
    *error = "--report " + TextToUtf8(report) + ": no folder " + TextToUtf8(folder);
    return false;
  }
  return true;
}

bool WriteReport(const std::u16string& path, const std::string& json) {
  if (path == u"-") {
    std::fputs(json.c_str(), stdout);
    std::fflush(stdout);
    return true;
  }
  if (platform::WriteFileReplacing(path, reinterpret_cast<const uint8_t*>(json.data()),
                                   json.size())) {
    return true;
  }
  PrintError("cannot write the report " + TextToUtf8(path));
  return false;
}

// What the job did, told after its last status text.
int Finish(const MergeRequest& request, const MergeReportInput& report, const CliJobHost& host) {
  // A quiet job still says why it failed.
  if (request.quiet && report.result != MergeJobResult::kCompleted) {
    PrintError(TextToUtf8(host.LastStatus()));
  }
  for (const std::string& line : PassedOverLines(*report.record)) PrintError(line);
  for (const std::string& line : ScaleWarnings(*report.record)) PrintWarning(line);
  if (request.dry_run) {
    // Standard output may already carry the JSON report.
    if (request.report_file != u"-") std::fputs(MergeSummaryText(report).c_str(), stdout);
    PrintError("dry run: nothing was written");
  }
  int status = MergeExitStatus(report.result, *report.record);
  if (!request.report_file.empty() && !WriteReport(request.report_file, MergeReportJson(report))) {
    status = kExitFailed;
  }
  return status;
}

}  // namespace

int RunMergeCommand(const std::vector<std::string>& args) {
  if (args.empty()) {
    // The usage line, not one error of many, for someone trying the command out.
    const std::string usage = kMergeUsage;
    std::fprintf(stderr, "%s\nplandock merge --help explains every flag.\n",
                 usage.substr(0, usage.find('\n')).c_str());
    return kExitUsage;
  }
  MergeRequest request;
  std::string error;
  if (!ParseArgs(args, &request, &error)) return UsageError(error);
  if (request.help) {
    std::fputs(kMergeUsage, stdout);
    return kExitCompleted;
  }
  AppSettings app;
  if (!LoadCommandSettings("merge", request.settings_file, &app)) return kExitFailed;
  MergeSettings settings = app.Merge;
  ApplyOptions(request, settings);
  if (!request.save_settings.empty()) return SaveSettings(request.save_settings, app, settings);

  if (!request.preview.empty() && PathExtLower(request.preview) != u".svg") {
    return UsageError("--preview must name an .svg file");
  }

  std::vector<std::string> warnings;
  if (!CheckBeforeJob(settings, request.entries, {request.out_given, request.overwrite_given},
                      &error, &warnings) ||
      !CheckReportPath(request, settings, &error)) {
    return UsageError(error);
  }
  for (const std::string& w : warnings) PrintWarning(w);

  CliHostOptions options = CliJobHost::ConsoleOptions(request.yes);
  options.quiet = request.quiet;
  CliJobHost host(options);
  std::vector<MergeEntry> entries = request.entries;
  MergeRecord record;
  MergeJobRecord preview;
  std::string picture;
  if (!request.preview.empty()) {
    preview.before_save = [&](const TJwwData& result) {
      picture = MergePreviewSvg(result, preview, entries, settings.BasePath);
    };
  }
  MergeRun run;
  run.dry_run = request.dry_run;
  run.record = &record;
  run.preview = &preview;
  const auto start = std::chrono::steady_clock::now();
  MergeReportInput report;
  report.result = RunMergeJob(settings, entries, host, run);
  report.elapsed_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  report.settings = &settings;
  report.record = &record;
  report.destination = settings.OverwriteBase ? settings.BasePath : settings.DestinationPath;
  report.dry_run = request.dry_run;
  if (report.result == MergeJobResult::kCompleted && !picture.empty() &&
      !platform::WriteFileReplacing(
          request.preview, reinterpret_cast<const uint8_t*>(picture.data()), picture.size())) {
    PrintCommandError("merge", "cannot write the preview " + TextToUtf8(request.preview));
    return kExitFailed;
  }
  return Finish(request, report, host);
}

}  // namespace plandock
