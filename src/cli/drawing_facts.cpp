#include "cli/drawing_facts.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "merge/reference_text.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

constexpr int kAuxiliaryColor = 9;

size_t ArraySize(const TJwwData& doc, int32_t kind) {
  switch (kind) {
    case kEntLine:
      return doc.EntLine.size();
    case kEntEnko:
      return doc.EntEnko.size();
    case kEntTen:
      return doc.EntTen.size();
    case kEntMoji:
      return doc.EntMoji.size();
    case kEntSunpo:
      return doc.EntSunpo.size();
    case kEntSolid:
      return doc.EntSolid.size();
    case kEntBlock:
      return doc.EntBlock.size();
    default:
      return 0;
  }
}

// Only entries the writer would write count: a known kind and an index inside its array.
KindTotals CountEntities(const TJwwData& doc) {
  KindTotals counts{};
  for (const TEntJwwNo& e : doc.EntNo) {
    if (e.EntNo < 0 || static_cast<size_t>(e.EntNo) >= ArraySize(doc, e.EntType)) continue;
    ++counts[e.EntType];
    ++counts[0];
  }
  return counts;
}

std::vector<ReferenceCandidate> FindReferences(const TJwwData& doc,
                                               const std::u16string& reference_text) {
  std::vector<ReferenceCandidate> found;
  if (IsBlank(reference_text)) return found;
  const std::u16string wanted = RemoveSpaces(reference_text);
  for (const TEntJwwMoji& text : doc.EntMoji) {
    if (RemoveSpaces(text.str) != wanted) continue;
    ReferenceCandidate c{&text, IsReferenceText(text, reference_text), ""};
    if (!c.counts) {
      c.why_not =
          text.att.nPenColor != kAuxiliaryColor
              ? "colour " + std::to_string(text.att.nPenColor) + ", not the auxiliary colour 9"
              : "its blanks differ from the reference text's";
    }
    found.push_back(c);
  }
  return found;
}

class ExtentsBuilder {
 public:
  void Add(double x, double y) {
    if (!IsFiniteDouble(x) || !IsFiniteDouble(y)) return;
    if (!e_.any) {
      e_ = {true, x, y, x, y};
      return;
    }
    e_.min_x = std::min(e_.min_x, x);
    e_.min_y = std::min(e_.min_y, y);
    e_.max_x = std::max(e_.max_x, x);
    e_.max_y = std::max(e_.max_y, y);
  }
  // A circle of radius r about (x, y): arcs and ellipses are boxed by it.
  void AddCircle(double x, double y, double r) {
    r = std::abs(r);
    Add(x - r, y - r);
    Add(x + r, y + r);
  }
  const Extents& extents() const { return e_; }

 private:
  Extents e_;
};

Extents MeasureExtents(const TJwwData& doc) {
  ExtentsBuilder b;
  for (const auto& e : doc.EntLine) {
    b.Add(e.start_x, e.start_y);
    b.Add(e.end_x, e.end_y);
  }
  for (const auto& e : doc.EntEnko) {
    const double flat = std::abs(e.dHenpeiRitsu);
    b.AddCircle(e.start_x, e.start_y, e.dHankei * std::max(1.0, flat));
  }
  for (const auto& e : doc.EntTen) b.Add(e.start_x, e.start_y);
  for (const auto& e : doc.EntMoji) {
    b.Add(e.start_x, e.start_y);
    b.Add(e.end_x, e.end_y);
  }
  for (const auto& e : doc.EntSunpo) {
    b.Add(e.Sen.start_x, e.Sen.start_y);
    b.Add(e.Sen.end_x, e.Sen.end_y);
  }
  for (const auto& e : doc.EntSolid) {
    // A circular solid keeps its centre in the start point and its radius in end_x.
    if (e.att.nPenStyle >= 101) {
      b.AddCircle(e.start_x, e.start_y, e.end_x);
      continue;
    }
    b.Add(e.start_x, e.start_y);
    b.Add(e.end_x, e.end_y);
    b.Add(e.DPoint2_x, e.DPoint2_y);
    b.Add(e.DPoint3_x, e.DPoint3_y);
  }
  for (const auto& e : doc.EntBlock) b.Add(e.DPKijunTen_x, e.DPKijunTen_y);
  return b.extents();
}

std::vector<int64_t> CountBlockUses(const TJwwData& doc) {
  std::unordered_map<uint32_t, size_t> row_of;
  for (size_t i = 0; i < doc.EntBlockDef.size(); ++i) {
    row_of.emplace(doc.EntBlockDef[i].nNumber, i);
  }
  std::vector<int64_t> uses(doc.EntBlockDef.size(), 0);
  const auto count = [&](const std::vector<TEntJwwBlock>& inserts) {
    for (const TEntJwwBlock& b : inserts) {
      const auto it = row_of.find(b.nNumber);
      if (it != row_of.end()) ++uses[it->second];
    }
  };
  count(doc.EntBlock);
  for (const TEntJwwBlockDef& def : doc.EntBlockDef) count(def.mBlock);
  return uses;
}

}  // namespace

DrawingFacts GatherFacts(const TJwwData& doc, const std::u16string& reference_text) {
  DrawingFacts facts;
  facts.counts = CountEntities(doc);
  facts.references = FindReferences(doc, reference_text);
  facts.extents = MeasureExtents(doc);
  facts.block_uses = CountBlockUses(doc);
  return facts;
}

std::string VersionInWords(int32_t version) {
  const int32_t whole = version / 100;
  const int32_t part = version % 100;
  std::string out = "JWW version " + std::to_string(whole) + ".";
  if (part < 10) out += '0';
  return out + std::to_string(part);
}

std::string EncodingInWords(bool unicode) {
  return unicode ? "Unicode (UTF-16)" : "Shift-JIS (code page 932)";
}

std::string PaperInWords(int32_t code) {
  static constexpr struct {
    const char* name;
    int width, height;
  } kSheets[] = {
      {"A0", 1189, 841}, {"A1", 841, 594}, {"A2", 594, 420}, {"A3", 420, 297}, {"A4", 297, 210}};
  if (code >= 0 && code <= 4) {
    const auto& s = kSheets[code];
    return std::string(s.name) + " (" + std::to_string(s.width) + " x " + std::to_string(s.height) +
           " mm)";
  }
  if (code >= 8 && code <= 14) return "a sheet larger than A0 (code " + std::to_string(code) + ")";
  return "unknown (code " + std::to_string(code) + ")";
}

std::string StateInWords(int32_t state) {
  switch (state) {
    case kLayHidden:
      return "hidden";
    case kLayDisplayOnly:
      return "display only";
    case kLayEditable:
      return "editable";
    case kLayCurrent:
      return "current";
    default:
      return "state " + std::to_string(state);
  }
}

std::string Decimal(double x) {
  std::string s = TextToUtf8(FloatToFixed(3, x));
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

char LayerDigit(int n) { return "0123456789ABCDEF"[n & 15]; }

}  // namespace plandock
