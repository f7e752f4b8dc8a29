// `plandock info`: what a drawing holds and what a merge of it depends on.
#include "cli/info_command.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/drawing_facts.h"
#include "cli/json_writer.h"
#include "document/document.h"
#include "document/jww_file.h"
#include "merge/merge_settings.h"
#include "platform/files.h"
#include "util/text.h"

namespace plandock {
namespace {}  // namespace

const char kInfoUsage[] =
    "usage: plandock info FILE [--json] [--ref-text T]\n"
    "Shows what a JWW drawing holds and what a merge of it depends on: its version\n"
    "and text encoding, paper, layer groups with their scales, named layers, the\n"
    "reference texts (T, default \"【基準点】\", in the auxiliary colour 9), extents,\n"
    "entity counts, block definitions with their uses and embedded images.\n"
    "  --json        the same as one JSON object\n"
    "  --ref-text T  look for the reference text T instead\n";

namespace {

constexpr const char* kUsage = kInfoUsage;

struct InfoRequest {
  std::string file;
  bool json = false;
  std::u16string reference_text = MergeSettings().ReferenceText;
};

struct KindName {
  EntityKind kind;
  const char* text;  // plain-text label
  const char* key;   // JSON key
};
constexpr KindName kKinds[] = {{kEntLine, "lines", "line"},
                               {kEntEnko, "arcs", "arc"},
                               {kEntTen, "points", "point"},
                               {kEntMoji, "texts", "text"},
                               {kEntSunpo, "dimensions", "dimension"},
                               {kEntSolid, "solids", "solid"},
                               {kEntBlock, "block insertions", "block"}};

void PrintError(const std::string& text) {
  std::fprintf(stderr, "plandock info: %s\n", text.c_str());
}

int UsageError(const std::string& text) {
  PrintError(text);
  std::fputs(kUsage, stderr);
  return 2;
}

constexpr int kProceed = -1;

// Returns kProceed and fills `req`, or the exit status to end with.
int ParseArgs(const std::vector<std::string>& args, InfoRequest& req) {
  bool have_file = false;
  bool have_ref = false;
  bool options_done = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string a = args[i];
    std::string value;
    const bool is_option = !options_done && a.size() > 1 && a[0] == '-';
    if (is_option && a == "--") {
      options_done = true;
      continue;
    }
    if (is_option && a.rfind("--ref-text=", 0) == 0) {
      value = a.substr(11);
      a = "--ref-text";
    } else if (is_option && a == "--ref-text") {
      if (i + 1 >= args.size()) return UsageError("--ref-text needs a value");
      value = args[++i];
    }
    if (!is_option) {
      if (have_file) return UsageError("only one FILE may be given");
      req.file = a;
      have_file = true;
    } else if (a == "--json") {
      req.json = true;
    } else if (a == "--ref-text") {
      if (have_ref) return UsageError("--ref-text given twice");
      if (IsBlank(Utf8ToText(value)))
        return UsageError("--ref-text needs a text that is not blank");
      req.reference_text = Utf8ToText(value);
      have_ref = true;
    } else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      return UsageError("unknown option '" + a + "'");
    }
  }
  if (!have_file) return UsageError("no FILE given");
  return kProceed;
}

// Built by appending: GCC 12 warns (-Wrestrict, wrongly) about "(" + string.
std::string Point(double x, double y) {
  std::string out = "(";
  out += Decimal(x);
  out += ", ";
  out += Decimal(y);
  return out + ")";
}

std::string Times(int64_t n) { return std::to_string(n) + (n == 1 ? " time" : " times"); }

void PrintLayers(const TJwwData& doc) {
  std::printf("Layer groups (scale, state, name):\n");
  for (size_t g = 0; g < doc.EntLgrp.size() && g < 16; ++g) {
    const TEntJwwLayerGroup& lg = doc.EntLgrp[g];
    std::printf("  %c  1:%s  %s%s  \"%s\"\n", LayerDigit(static_cast<int>(g)),
                Decimal(lg.adScale).c_str(), StateInWords(lg.anGLay).c_str(),
                lg.anGLayProtect != 0 ? ", protected" : "", TextToUtf8(lg.aStrGLayName).c_str());
  }
  std::printf("Named layers:\n");
  bool any = false;
  for (size_t row = 0; row < doc.EntLay.size() && row < 256; ++row) {
    const TEntJwwLayer& l = doc.EntLay[row];
    if (IsBlank(l.aStrLayName)) continue;
    any = true;
    std::printf("  group %c layer %c  %s%s  \"%s\"\n", LayerDigit(static_cast<int>(row / 16)),
                LayerDigit(static_cast<int>(row % 16)), StateInWords(l.aanLay).c_str(),
                l.aanLayProtect != 0 ? ", protected" : "", TextToUtf8(l.aStrLayName).c_str());
  }
  if (!any) std::printf("  none\n");
}

void PrintReferences(const InfoRequest& req, const DrawingFacts& facts) {
  int counting = 0;
  for (const ReferenceCandidate& c : facts.references) counting += c.counts ? 1 : 0;
  std::printf("Reference texts \"%s\": %d\n", TextToUtf8(req.reference_text).c_str(), counting);
  for (const ReferenceCandidate& c : facts.references) {
    const TEntJwwMoji& t = *c.text;
    std::printf("  %s at %s degrees, colour %d", Point(t.start_x, t.start_y).c_str(),
                Decimal(t.degKakudo).c_str(), t.att.nPenColor);
    if (c.counts) {
      std::printf("\n");
    } else {
      std::printf(": not a reference point (%s)\n", c.why_not.c_str());
    }
  }
  if (counting == 0) std::printf("  none: a merge places this drawing by its origin\n");
}

void PrintText(const InfoRequest& req, const TJwwData& doc, const DrawingFacts& facts) {
  std::printf("File: %s\n", req.file.c_str());
  std::printf("Format: %s (stored as %d)\n", VersionInWords(doc.Enthd.jwVer).c_str(),
              doc.Enthd.jwVer);
  std::printf("Text encoding: %s\n", EncodingInWords(doc.MojiEncode).c_str());
  std::printf("Paper: %s\n", PaperInWords(doc.Enthd.nZumen).c_str());
  const Extents& e = facts.extents;
  if (e.any) {
    std::printf("Extents: %s to %s\n", Point(e.min_x, e.min_y).c_str(),
                Point(e.max_x, e.max_y).c_str());
  } else {
    std::printf("Extents: none (nothing drawn)\n");
  }
  std::printf("Entities: %lld\n", static_cast<long long>(facts.counts[0]));
  for (const KindName& k : kKinds) {
    std::printf("  %s: %lld\n", k.text, static_cast<long long>(facts.counts[k.kind]));
  }
  PrintLayers(doc);
  PrintReferences(req, facts);
  std::printf("Block definitions: %d\n", doc.EntBlockDefN());
  for (size_t i = 0; i < doc.EntBlockDef.size(); ++i) {
    const TEntJwwBlockDef& def = doc.EntBlockDef[i];
    std::printf("  %u  \"%s\"  %s, inserted %s\n", def.nNumber, TextToUtf8(def.strName).c_str(),
                def.ref_flag ? "referenced" : "not referenced", Times(facts.block_uses[i]).c_str());
  }
  std::printf("Images: %d\n", doc.BindImageN());
  for (const TBindImageType& img : doc.BindImage) {
    std::printf("  \"%s\"  %d bytes\n", TextToUtf8(img.Fname).c_str(), img.Fsize);
  }
}

// The fields a layer group and a layer share.
void JsonLayerState(JsonWriter& j, int32_t state, int32_t protect, const std::u16string& name) {
  j.Key("state").Utf8(StateInWords(state)).Key("protected").Bool(protect != 0);
  j.Key("name").String(name).EndObject();
}

void JsonLayers(JsonWriter& j, const TJwwData& doc) {
  j.Key("layerGroups").BeginArray();
  for (size_t g = 0; g < doc.EntLgrp.size() && g < 16; ++g) {
    const TEntJwwLayerGroup& lg = doc.EntLgrp[g];
    j.BeginObject(true).Key("group").Int(static_cast<int64_t>(g)).Key("scale").Number(lg.adScale);
    JsonLayerState(j, lg.anGLay, lg.anGLayProtect, lg.aStrGLayName);
  }
  j.EndArray().Key("namedLayers").BeginArray();
  for (size_t row = 0; row < doc.EntLay.size() && row < 256; ++row) {
    const TEntJwwLayer& l = doc.EntLay[row];
    if (IsBlank(l.aStrLayName)) continue;
    j.BeginObject(true).Key("group").Int(static_cast<int64_t>(row / 16));
    j.Key("layer").Int(static_cast<int64_t>(row % 16));
    JsonLayerState(j, l.aanLay, l.aanLayProtect, l.aStrLayName);
  }
  j.EndArray();
}

void JsonReferences(JsonWriter& j, const InfoRequest& req, const DrawingFacts& facts) {
  j.Key("referenceText").String(req.reference_text).Key("referenceTexts").BeginArray();
  for (const ReferenceCandidate& c : facts.references) {
    const TEntJwwMoji& t = *c.text;
    j.BeginObject(true)
        .Key("content")
        .String(t.str)
        .Key("color")
        .Int(t.att.nPenColor)
        .Key("x")
        .Number(t.start_x)
        .Key("y")
        .Number(t.start_y)
        .Key("angle")
        .Number(t.degKakudo)
        .Key("counts")
        .Bool(c.counts);
    if (!c.counts) j.Key("whyNot").Utf8(c.why_not);
    j.EndObject();
  }
  j.EndArray();
}

void PrintJson(const InfoRequest& req, const TJwwData& doc, const DrawingFacts& facts) {
  JsonWriter j;
  j.BeginObject().Key("file").Utf8(req.file);
  j.Key("version").Int(doc.Enthd.jwVer).Key("format").Utf8(VersionInWords(doc.Enthd.jwVer));
  j.Key("MojiEncode").Bool(doc.MojiEncode).Key("encoding").Utf8(EncodingInWords(doc.MojiEncode));
  j.Key("paper").BeginObject(true).Key("code").Int(doc.Enthd.nZumen);
  j.Key("name").Utf8(PaperInWords(doc.Enthd.nZumen)).EndObject();
  j.Key("extents");
  if (facts.extents.any) {
    const Extents& e = facts.extents;
    j.BeginObject(true).Key("minX").Number(e.min_x).Key("minY").Number(e.min_y);
    j.Key("maxX").Number(e.max_x).Key("maxY").Number(e.max_y).EndObject();
  } else {
    j.Null();
  }
  j.Key("entities").BeginObject(true).Key("total").Int(facts.counts[0]);
  for (const KindName& k : kKinds) j.Key(k.key).Int(facts.counts[k.kind]);
  j.EndObject();
  JsonLayers(j, doc);
  JsonReferences(j, req, facts);
  j.Key("blockDefinitions").BeginArray();
  for (size_t i = 0; i < doc.EntBlockDef.size(); ++i) {
    const TEntJwwBlockDef& def = doc.EntBlockDef[i];
    j.BeginObject(true).Key("number").Int(def.nNumber).Key("name").String(def.strName);
    j.Key("referenced").Bool(def.ref_flag).Key("uses").Int(facts.block_uses[i]).EndObject();
  }
  j.EndArray().Key("images").BeginArray();
  for (const TBindImageType& img : doc.BindImage) {
    j.BeginObject(true).Key("name").String(img.Fname).Key("size").Int(img.Fsize).EndObject();
  }
  j.EndArray().EndObject();
  std::fputs(j.text().c_str(), stdout);
}

}  // namespace

int RunInfoCommand(const std::vector<std::string>& args) {
  InfoRequest req;
  if (int status = ParseArgs(args, req); status != kProceed) return status;

  TJwwData doc;
  // Image names and sizes are listed, but nothing is extracted.
  doc.BindImageExp = false;
  doc.BindImageExr = true;
  ReadFailure why = ReadFailure::kNone;
  if (!FileIn(doc, platform::PathFromNative(req.file), &why)) {
    switch (why) {
      case ReadFailure::kCannotOpen:
        PrintError("cannot open '" + req.file + "'");
        break;
      case ReadFailure::kNotRegularFile:
        PrintError("'" + req.file + "' is not a regular file");
        break;
      case ReadFailure::kTooLarge:
        PrintError("'" + req.file + "' is larger than a drawing can be (" +
                   std::to_string(kMaxDrawingBytes) + " bytes)");
        break;
      default:
        PrintError("'" + req.file + "' is not a readable JWW drawing (damaged or another format)");
        break;
    }
    return 1;
  }
  const DrawingFacts facts = GatherFacts(doc, req.reference_text);
  if (req.json) {
    PrintJson(req, doc, facts);
  } else {
    PrintText(req, doc, facts);
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace plandock
