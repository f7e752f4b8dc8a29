#include "app/batch_plan.h"

#include <algorithm>

#include "util/number.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock {
namespace {

constexpr int kCaptionColumns = 12;

int Digits(int n) { return static_cast<int>(IntToText(n).size()); }

// "(数字).JWW": i zero-padded to the digits of N.
std::u16string DigitName(const std::u16string& base, int i, int count) {
  return base + RepeatText(u"0", Digits(count) - Digits(i)) + IntToText(i) + u".JWW";
}

// "(英字).JWW": a letter per pair, and a padded round number before it once
// there are more pairs than letters.
std::u16string LetterName(const std::u16string& base, int i, int count) {
  std::u16string round;
  if (count / 26 != 0) {
    round = RepeatText(u"0", Digits(count / 26) - Digits(i / 26)) + IntToText(i / 26);
  }
  return base + round + static_cast<char16_t>(u'A' + i % 26) + u".JWW";
}

}  // namespace

bool BatchOrderLess(const std::u16string& a, const std::u16string& b) {
  const std::u16string ua = UpperText(a);
  const std::u16string ub = UpperText(b);
  if (ua != ub) return ua < ub;
  return a < b;
}

void AddToBatchList(BatchPlan& plan, int target, const std::u16string& path) {
  std::vector<std::u16string>& list = plan.Lists[static_cast<size_t>(target)];
  list.insert(std::upper_bound(list.begin(), list.end(), path, BatchOrderLess), path);
}

void SortBatchLists(BatchPlan& plan) {
  for (std::vector<std::u16string>& list : plan.Lists) {
    // One upper-casing per entry, not one per comparison.
    std::vector<std::pair<std::u16string, std::u16string>> keyed;
    keyed.reserve(list.size());
    for (std::u16string& path : list) keyed.emplace_back(UpperText(path), std::move(path));
    std::stable_sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < list.size(); ++i) list[i] = std::move(keyed[i].second);
  }
}

std::u16string TargetCaption(const DropTarget& target) {
  return CutToWidth(target.Name, 0, kCaptionColumns).first;
}

std::array<std::u16string, kDropTargetCount + 1> NameChoiceItems(
    const std::array<DropTarget, kDropTargetCount>& targets) {
  std::array<std::u16string, kDropTargetCount + 1> items;
  items[0] = u"任意ファイル名";
  for (int n = 0; n < kDropTargetCount; ++n) {
    const std::u16string caption = TargetCaption(targets[static_cast<size_t>(n)]);
    items[static_cast<size_t>(n) + 1] = (IsBlank(caption) ? u"\u3000" : caption) + u"と同一名";
  }
  return items;
}

BatchPlan BatchPlanFromSettings(const AppSettings& settings) {
  BatchPlan plan;
  plan.Targets = settings.DropTargets;
  plan.OutputFolder = settings.BatchOutputFolder;
  plan.FileName = settings.BatchFileName;
  plan.NameChoice = settings.BatchNameChoice;
  plan.Numbering =
      settings.BatchNumbering == 1 ? BatchNumbering::kLetters : BatchNumbering::kDigits;
  return plan;
}

void StoreBatchFields(const BatchPlan& plan, AppSettings& settings) {
  settings.DropTargets = plan.Targets;
  settings.BatchOutputFolder = plan.OutputFolder;
  settings.BatchFileName = plan.FileName;
  settings.BatchNameChoice = plan.NameChoice;
  settings.BatchNumbering = static_cast<int32_t>(plan.Numbering);
}

std::u16string CheckBatchPlan(const BatchPlan& plan) {
  const std::u16string base = TargetCaption(plan.Targets[0]);
  const size_t count = plan.Lists[0].size();
  if (count == 0) {
    return u"ベース図面【" + base + u"】にファイルが指定されていません。確認して下さい。";
  }
  bool any = false;
  for (int n = 1; n < kDropTargetCount; ++n) {
    const size_t size = plan.Lists[static_cast<size_t>(n)].size();
    if (size > 1 && size != count) {
      return u"合体図面【" + TargetCaption(plan.Targets[static_cast<size_t>(n)]) +
             u"】のファイル指定数と\r\nベース図面【" + base +
             u"】のファイル指定数が異なります。確認して下さい。";
    }
    any = any || size != 0;
  }
  if (!any) return u"合体図面にファイルが指定されていません。確認して下さい。";
  return u"";
}

int BatchPairCount(const BatchPlan& plan) { return static_cast<int>(plan.Lists[0].size()); }

std::u16string BatchOutputName(const BatchPlan& plan, int i) {
  const size_t at = static_cast<size_t>(i);
  if (plan.NameChoice == 1) return PathFileName(plan.Lists[0][at]);
  if (plan.NameChoice >= 2 && plan.NameChoice < kDropTargetCount + 1) {
    const std::vector<std::u16string>& list = plan.Lists[static_cast<size_t>(plan.NameChoice - 1)];
    if (list.size() > 1 && at < list.size()) return PathFileName(list[at]);
  }
  const int count = BatchPairCount(plan);
  return plan.Numbering == BatchNumbering::kLetters ? LetterName(plan.FileName, i, count)
                                                    : DigitName(plan.FileName, i, count);
}

BatchPair MakeBatchPair(const BatchPlan& plan, int i) {
  const size_t at = static_cast<size_t>(i);
  BatchPair pair;
  pair[0] = plan.OutputFolder + BatchOutputName(plan, i);
  pair[1] = plan.Lists[0][at];
  for (size_t n = 1; n < kDropTargetCount; ++n) {
    const std::vector<std::u16string>& list = plan.Lists[n];
    if (list.size() == 1) {
      pair[n + 1] = list[0];
    } else if (at < list.size()) {
      pair[n + 1] = list[at];
    }
  }
  return pair;
}

}  // namespace plandock
