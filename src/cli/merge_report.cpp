#include "cli/merge_report.h"

#include <cmath>
#include <numbers>

#include "cli/drawing_facts.h"
#include "cli/json_writer.h"
#include "merge/merge_job_texts.h"
#include "util/text.h"

namespace plandock {
namespace {

constexpr double kLargeFactor = 10.0;
constexpr double kSmallFactor = 0.1;

constexpr struct {
  EntityKind kind;
  const char* key;
} kKinds[] = {{kEntLine, "line"},  {kEntEnko, "arc"},        {kEntTen, "point"},
              {kEntMoji, "text"},  {kEntSunpo, "dimension"}, {kEntSolid, "solid"},
              {kEntBlock, "block"}};

bool PassedOver(EntryOutcome o) {
  return o != EntryOutcome::kMerged && o != EntryOutcome::kEmptyRow &&
         o != EntryOutcome::kNotReached;
}

std::string OutcomeWord(EntryOutcome o) {
  switch (o) {
    case EntryOutcome::kMerged:
      return "merged";
    case EntryOutcome::kEmptyRow:
      return "empty";
    case EntryOutcome::kNotReached:
      return "not reached";
    default:
      return "passed over";
  }
}

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// The base layer group an entity of group g lands in.
int TargetGroup(const EntryRecord& e, int g) {
  return e.target_layer_group >= 0 ? e.target_layer_group : g;
}

std::string Utf8(const std::u16string& s) { return TextToUtf8(s); }

std::string LayerGroupOf(int group) {
  return group < 0 ? std::string("own") : std::string(1, LayerDigit(group));
}

std::string ColorOf(int color) { return color == 0 ? "own" : std::to_string(color); }

std::string LayerStateWord(LayerStateAfterMerge s) {
  switch (s) {
    case LayerStateAfterMerge::MergedLayersEditable:
      return "merged";
    case LayerStateAfterMerge::AllLayersEditable:
      return "all";
    default:
      return "keep";
  }
}

void JsonKinds(JsonWriter& j, const KindTotals& totals) {
  j.BeginObject(true).Key("total").Int(totals[0]);
  for (const auto& k : kKinds) j.Key(k.key).Int(totals[k.kind]);
  j.EndObject();
}

void JsonReferences(JsonWriter& j, const std::vector<FoundReference>& refs) {
  j.BeginArray(true);
  for (const FoundReference& r : refs) {
    j.BeginObject(true).Key("x").Number(r.x).Key("y").Number(r.y);
    j.Key("angle").Number(Degrees(r.angle)).EndObject();
  }
  j.EndArray();
}

void JsonSettings(JsonWriter& j, const MergeSettings& s) {
  j.Key("settings").BeginObject();
  j.Key("base").String(s.BasePath).Key("destination").String(s.DestinationPath);
  j.Key("overwriteBase").Bool(s.OverwriteBase).Key("referenceText").String(s.ReferenceText);
  j.Key("checkReferences").Bool(s.CheckReferenceTexts);
  j.Key("warnManyReferences").Bool(s.WarnManyReferenceTexts);
  j.Key("mergeHidden").Bool(s.MergeHiddenLayers);
  j.Key("mergeDisplayOnly").Bool(s.MergeDisplayOnlyLayers);
  j.Key("realSize").Bool(s.RealSize).Key("scaleTexts").Bool(s.ScaleTexts);
  j.Key("scalePoints").Bool(s.ScalePointMarkers);
  j.Key("keepAuxColor").Bool(s.KeepAuxiliaryColour);
  j.Key("rotateByBaseRef").Bool(s.RotateByBaseReference);
  j.Key("counterRotateByMergedRef").Bool(s.CounterRotateByMergedReference);
  j.Key("releaseDims").Bool(s.ReleaseDimensionsAfterMerge);
  j.Key("jwf");
  if (s.ApplyEnvironmentFile) {
    j.String(s.EnvironmentFilePath);
  } else {
    j.Null();
  }
  j.Key("layerState").Utf8(LayerStateWord(s.LayerState));
  j.Key("backup").Bool(s.KeepBackup).Key("launchCad").Bool(s.LaunchCad);
  j.EndObject();
}

void JsonEntry(JsonWriter& j, size_t index, const EntryRecord& e, const MergeRecord& record) {
  j.BeginObject().Key("entry").Int(static_cast<int64_t>(index + 1)).Key("path").String(e.path);
  j.Key("status").Utf8(OutcomeWord(e.outcome));
  if (PassedOver(e.outcome)) j.Key("reason").Utf8(PassedOverReason(e));
  if (e.outcome == EntryOutcome::kMerged) {
    j.Key("references");
    JsonReferences(j, e.references);
    const int merged_points = e.references.empty() ? 1 : static_cast<int>(e.references.size());
    j.Key("copies").BeginObject(true).Key("basePoints").Int(e.copies / merged_points);
    j.Key("drawingPoints").Int(merged_points).Key("total").Int(e.copies).EndObject();
    j.Key("layerGroup").Utf8(LayerGroupOf(e.target_layer_group));
    j.Key("layer").Utf8(LayerGroupOf(e.target_layer)).Key("color").Utf8(ColorOf(e.target_color));
    j.Key("scales").BeginArray();
    for (int g = 0; g < 16; ++g) {
      if (!e.used[g]) continue;
      const int t = TargetGroup(e, g);
      j.BeginObject(true).Key("layerGroup").Utf8(std::string(1, LayerDigit(g)));
      j.Key("scale").Number(e.scales[g]).Key("baseLayerGroup").Utf8(std::string(1, LayerDigit(t)));
      j.Key("baseScale").Number(record.base_scales[t]).Key("factor").Number(e.factors[g]);
      j.EndObject();
    }
    j.EndArray().Key("added");
    JsonKinds(j, e.added);
    j.Key("blockDefinitionsAdded").Int(e.blocks_added);
  }
  j.EndObject();
}

std::string StatusWord(const MergeReportInput& in) {
  const int status = MergeExitStatus(in.result, *in.record);
  if (status == 0) return "completed";
  if (status == kExitPassedOver) return "completed, some passed over";
  return "failed";
}

}  // namespace

int MergeExitStatus(MergeJobResult result, const MergeRecord& record) {
  if (result != MergeJobResult::kCompleted) return 1;
  for (const EntryRecord& e : record.entries) {
    if (PassedOver(e.outcome)) return kExitPassedOver;
  }
  return 0;
}

std::string PassedOverReason(const EntryRecord& entry) {
  switch (entry.outcome) {
    case EntryOutcome::kNotJww:
      return "not a \".jww\" name";
    case EntryOutcome::kNotFound:
      return "not found";
    case EntryOutcome::kListedTwice:
      return "listed again further on";
    case EntryOutcome::kBase:
      return "the base drawing itself";
    case EntryOutcome::kDestination:
      return "the destination itself";
    case EntryOutcome::kUnreadable:
      return "not a readable JWW drawing: " + Utf8(job_text::kErrorFile + entry.path);
    default:
      return "";
  }
}

std::vector<std::string> PassedOverLines(const MergeRecord& record) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < record.entries.size(); ++i) {
    const EntryRecord& e = record.entries[i];
    if (!PassedOver(e.outcome)) continue;
    lines.push_back("entry " + std::to_string(i + 1) + " passed over (" + PassedOverReason(e) +
                    "): " + Utf8(e.path));
  }
  return lines;
}

std::vector<std::string> ScaleWarnings(const MergeRecord& record) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < record.entries.size(); ++i) {
    const EntryRecord& e = record.entries[i];
    if (e.outcome != EntryOutcome::kMerged) continue;
    for (int g = 0; g < 16; ++g) {
      const double f = e.factors[g];
      if (!e.used[g] || (f <= kLargeFactor && f >= kSmallFactor)) continue;
      const int t = TargetGroup(e, g);
      lines.push_back(
          "entry " + std::to_string(i + 1) + " is scaled by " + Decimal(f) + ": its layer group " +
          LayerDigit(g) + " is at 1:" + Decimal(e.scales[g]) + ", layer group " + LayerDigit(t) +
          " of the base is at 1:" + Decimal(record.base_scales[t]) + " (" + Utf8(e.path) + ")");
    }
  }
  return lines;
}

std::string MergeReportJson(const MergeReportInput& in) {
  const MergeRecord& record = *in.record;
  JsonWriter j;
  j.BeginObject().Key("dryRun").Bool(in.dry_run);
  JsonSettings(j, *in.settings);
  j.Key("status").Utf8(StatusWord(in)).Key("exitStatus").Int(MergeExitStatus(in.result, record));
  j.Key("baseReferences");
  JsonReferences(j, record.base_references);
  j.Key("entries").BeginArray();
  for (size_t i = 0; i < record.entries.size(); ++i) JsonEntry(j, i, record.entries[i], record);
  j.EndArray().Key("result");
  if (record.has_result) {
    j.BeginObject().Key("path").String(in.destination).Key("written").Bool(!in.dry_run);
    j.Key("version").Int(record.version).Key("format").Utf8(VersionInWords(record.version));
    j.Key("size").Int(static_cast<int64_t>(record.size)).Key("entities");
    JsonKinds(j, record.entities);
    j.Key("blockDefinitions").Int(record.block_definitions).Key("images").Int(record.images);
    j.EndObject();
  } else {
    j.Null();
  }
  j.Key("elapsedSeconds").Number(std::round(in.elapsed_seconds * 1000) / 1000);
  j.EndObject();
  return j.text();
}

std::string MergeSummaryText(const MergeReportInput& in) {
  const MergeRecord& record = *in.record;
  std::string out;
  out += "Base reference points: " +
         (record.base_references.empty() ? std::string("none, the origin stands in")
                                         : std::to_string(record.base_references.size())) +
         "\n";
  for (size_t i = 0; i < record.entries.size(); ++i) {
    const EntryRecord& e = record.entries[i];
    out += "Entry " + std::to_string(i + 1) + ": " + Utf8(e.path) + "\n  " + OutcomeWord(e.outcome);
    if (PassedOver(e.outcome)) out += " (" + PassedOverReason(e) + ")";
    out += "\n";
    if (e.outcome != EntryOutcome::kMerged) continue;
    out += "  reference points: " +
           (e.references.empty() ? std::string("none, the origin stands in")
                                 : std::to_string(e.references.size())) +
           "; copies placed: " + std::to_string(e.copies) + "\n";
    out += "  layer group " + LayerGroupOf(e.target_layer_group) + ", layer " +
           LayerGroupOf(e.target_layer) + ", colour " + ColorOf(e.target_color) + "\n";
    for (int g = 0; g < 16; ++g) {
      if (!e.used[g] || e.factors[g] == 1.0) continue;
      out += "  layer group " + std::string(1, LayerDigit(g)) + " scaled by " +
             Decimal(e.factors[g]) + "\n";
    }
    out += "  entities added: " + std::to_string(e.added[0]) + "\n";
  }
  if (record.has_result) {
    out += "Result: " + Utf8(in.destination) + ", " + VersionInWords(record.version) + ", " +
           std::to_string(record.entities[0]) + " entities, " + std::to_string(record.size) +
           " bytes" + (in.dry_run ? " (not written: dry run)" : "") + "\n";
  }
  return out;
}

}  // namespace plandock
