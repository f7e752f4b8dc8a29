#include "cli/info_command.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/jww_file.h"
#include "platform/files.h"
#include "util/text.h"

namespace plandock {
namespace {

constexpr char kUsage[] = "usage: plandock info FILE [--json]\n";

struct InfoRequest {
  std::string file;
  bool json = false;
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

// Counts indexed by EntityKind; [0] is the total.
using KindCounts = std::array<int64_t, 8>;

void PrintError(const std::string& text) {
  std::fprintf(stderr, "plandock info: %s\n", text.c_str());
}

constexpr int kProceed = -1;

// Returns kProceed and fills `req`, or the exit status to end with.
int ParseArgs(const std::vector<std::string>& args, InfoRequest& req) {
  bool have_file = false;
  for (const std::string& a : args) {
    if (a == "--json") {
      req.json = true;
    } else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a.size() > 1 && a[0] == '-') {
      PrintError("unknown option '" + a + "'");
      std::fputs(kUsage, stderr);
      return 2;
    } else if (have_file) {
      PrintError("only one FILE may be given");
      std::fputs(kUsage, stderr);
      return 2;
    } else {
      req.file = a;
      have_file = true;
    }
  }
  if (!have_file) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return kProceed;
}

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
KindCounts CountEntities(const TJwwData& doc) {
  KindCounts counts{};
  for (const TEntJwwNo& e : doc.EntNo) {
    if (e.EntNo < 0 || static_cast<size_t>(e.EntNo) >= ArraySize(doc, e.EntType)) continue;
    ++counts[e.EntType];
    ++counts[0];
  }
  return counts;
}

std::string JsonString(const std::u16string& text) {
  std::string out = "\"";
  for (char c : TextToUtf8(text)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void PrintText(const std::string& file, const TJwwData& doc, const KindCounts& counts) {
  std::printf("File: %s\n", file.c_str());
  std::printf("Version: %d\n", doc.Enthd.jwVer);
  std::printf("MojiEncode: %s\n", doc.MojiEncode ? "true" : "false");
  std::printf("Entities: %lld\n", static_cast<long long>(counts[0]));
  for (const KindName& k : kKinds) {
    std::printf("  %s: %lld\n", k.text, static_cast<long long>(counts[k.kind]));
  }
  std::printf("Block definitions: %d\n", doc.EntBlockDefN());
  for (const TEntJwwBlockDef& def : doc.EntBlockDef) {
    std::printf("  %u  \"%s\"  %s\n", def.nNumber, TextToUtf8(def.strName).c_str(),
                def.ref_flag ? "referenced" : "not referenced");
  }
  std::printf("Images: %d\n", doc.BindImageN());
  for (const TBindImageType& img : doc.BindImage) {
    std::printf("  \"%s\"  %d bytes\n", TextToUtf8(img.Fname).c_str(), img.Fsize);
  }
}

void PrintJson(const std::string& file, const TJwwData& doc, const KindCounts& counts) {
  std::string out = "{\n  \"file\": " + JsonString(Utf8ToText(file)) + ",\n";
  out += "  \"version\": " + std::to_string(doc.Enthd.jwVer) + ",\n";
  out += std::string("  \"MojiEncode\": ") + (doc.MojiEncode ? "true" : "false") + ",\n";
  out += "  \"entities\": {\"total\": " + std::to_string(counts[0]);
  for (const KindName& k : kKinds) {
    out += std::string(", \"") + k.key + "\": " + std::to_string(counts[k.kind]);
  }
  out += "},\n  \"blockDefinitions\": [";
  const char* sep = "\n";
  for (const TEntJwwBlockDef& def : doc.EntBlockDef) {
    out += sep;
    out += "    {\"number\": " + std::to_string(def.nNumber) +
           ", \"name\": " + JsonString(def.strName) +
           ", \"referenced\": " + (def.ref_flag ? "true" : "false") + "}";
    sep = ",\n";
  }
  out += doc.EntBlockDef.empty() ? "],\n" : "\n  ],\n";
  out += "  \"images\": [";
  sep = "\n";
  for (const TBindImageType& img : doc.BindImage) {
    out += sep;
    out += "    {\"name\": " + JsonString(img.Fname) + ", \"size\": " + std::to_string(img.Fsize) +
           "}";
    sep = ",\n";
  }
  out += doc.BindImage.empty() ? "]\n}\n" : "\n  ]\n}\n";
  std::fputs(out.c_str(), stdout);
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
  const KindCounts counts = CountEntities(doc);
  if (req.json) {
    PrintJson(req.file, doc, counts);
  } else {
    PrintText(req.file, doc, counts);
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace plandock
