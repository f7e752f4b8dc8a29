#include "cli/render_command.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_support.h"
#include "document/document.h"
#include "platform/files.h"
#include "render/display_list.h"
#include "render/drawing_file.h"
#include "render/preview.h"
#include "render/svg_writer.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock {

const char kRenderUsage[] =
    R"usage(usage: plandock render FILE --out PICTURE.svg [--layer-group G]... [--width PX]
                       [--screen] [--show-hidden] [--highlight G]...

Draws the JWW drawing FILE as an SVG picture, fitted to its extents, with
block insertions expanded. Each layer group and layer is one <g> element.

  --out PICTURE.svg   the picture to write (replaced when it exists)
  --layer-group G     draw only layer group G (0..9, A..F or 0..15); repeat
                      the flag for several groups
  --width PX          picture width in pixels, 16..20000 (default 1600)
  --screen            screen colours on the drawing's background colour
                      (default: print colours on white)
  --show-hidden       also draw the layer groups and layers the drawing hides
  --highlight G       draw layer group G in a strong colour and the rest in grey,
                      with a legend; repeat the flag for several groups, each in
                      a colour of its own
  -h, --help          this text

Exit status: 0 written, 1 unreadable drawing or unwritable picture, 2 usage error.
)usage";

namespace {

struct RenderRequest {
  bool help = false;
  std::string file, out;
  render::RenderOptions options;
  int width = 1600;
  std::vector<int> highlights;  // layer groups
};

void PrintError(const std::string& text) { PrintCommandError("render", text); }

// "0".."9", "A".."F" (either case) or "10".."15".
std::optional<int> ParseLayerGroup(const std::string& s) {
  if (s.size() == 1) {
    const char c = s[0];
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  }
  if (s.size() == 2 && s[0] == '1' && s[1] >= '0' && s[1] <= '5') return 10 + (s[1] - '0');
  return std::nullopt;
}

std::optional<int> ParseWidth(const std::string& s) {
  if (s.empty() || s.size() > 5) return std::nullopt;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < render::kMinSvgWidth || n > render::kMaxSvgWidth) return std::nullopt;
  return n;
}

// Returns false with a one-line *error on a usage error.
bool ParseArgs(const std::vector<std::string>& args, RenderRequest* req, std::string* error) {
  uint16_t groups = 0;
  bool options_end = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string a = args[i];
    std::optional<std::string> inline_value;
    if (!options_end && a.starts_with("--") && a.find('=') != std::string::npos) {
      inline_value = a.substr(a.find('=') + 1);
      a = a.substr(0, a.find('='));
    }
    auto value = [&]() -> std::optional<std::string> {
      if (inline_value) return inline_value;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    if (options_end || a.empty() || a[0] != '-' || a == "-") {
      if (!req->file.empty()) {
        *error = "only one FILE may be given";
        return false;
      }
      req->file = args[i];
    } else if (a == "--") {
      options_end = true;
    } else if (a == "-h" || a == "--help") {
      req->help = true;
      return true;
    } else if (a == "--screen" || a == "--show-hidden") {
      if (inline_value) {
        *error = a + " takes no value";
        return false;
      }
      (a == "--screen" ? req->options.screen_colors : req->options.show_hidden) = true;
    } else if (a == "--out" || a == "--layer-group" || a == "--width" || a == "--highlight") {
      const std::optional<std::string> v = value();
      if (!v) {
        *error = a + " needs a value";
        return false;
      }
      if (a == "--out") {
        req->out = *v;
      } else if (a == "--layer-group" || a == "--highlight") {
        const std::optional<int> g = ParseLayerGroup(*v);
        if (!g) {
          *error = a + " takes 0..9, A..F or 10..15, not '" + *v + "'";
          return false;
        }
        if (a == "--highlight") {
          req->highlights.push_back(*g);
        } else {
          groups |= static_cast<uint16_t>(1u << *g);
        }
      } else {
        const std::optional<int> w = ParseWidth(*v);
        if (!w) {
          *error = "--width takes a whole number of pixels 16..20000, not '" + *v + "'";
          return false;
        }
        req->width = *w;
      }
    } else {
      *error = "unknown option '" + a + "'";
      return false;
    }
  }
  if (req->file.empty()) {
    *error = "no FILE given";
    return false;
  }
  if (req->out.empty()) {
    *error = "--out PICTURE.svg is required";
    return false;
  }
  // A picture never replaces a drawing or any other file kind by a slip of the hand.
  if (PathExtLower(Utf8ToText(req->out)) != u".svg") {
    *error = "--out must name an .svg file, not '" + req->out + "'";
    return false;
  }
  if (groups != 0) req->options.layer_groups = groups;
  return true;
}

// Each highlighted layer group as a set of its own, named in the legend.
std::string HighlightedSvg(const TJwwData& doc, const RenderRequest& req) {
  render::PreviewDescription description;
  description.base = PathFileName(Utf8ToText(req.file));
  description.render = req.options;
  description.width_px = req.width;
  for (int g : req.highlights) {
    render::HighlightSet set;
    set.drawing = u"[" + std::u16string(1, u"0123456789ABCDEF"[g]) + u"]";
    const size_t row = static_cast<size_t>(g);
    if (row < doc.EntLgrp.size() && !doc.EntLgrp[row].aStrGLayName.empty()) {
      set.drawing += u" " + doc.EntLgrp[row].aStrGLayName;
    }
    set.layer_groups = static_cast<uint16_t>(1u << g);
    description.sets.push_back(std::move(set));
  }
  return render::RenderPreviewSvg(doc, description);
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args) {
  RenderRequest req;
  std::string error;
  if (!ParseArgs(args, &req, &error)) {
    PrintError(error + " (see plandock render --help)");
    return kExitUsage;
  }
  if (req.help) {
    std::fputs(kRenderUsage, stdout);
    return kExitCompleted;
  }
  TJwwData doc;
  const render::DrawingRead read = render::ReadDrawingToDraw(Utf8ToText(req.file), doc);
  if (read == render::DrawingRead::kCannotOpen) {
    PrintError("cannot open '" + req.file + "'");
    return kExitFailed;
  }
  if (read == render::DrawingRead::kNotADrawing) {
    PrintError("'" + req.file + "' is not a readable JWW drawing (damaged or another format)");
    return kExitFailed;
  }
  std::string picture;
  if (!req.highlights.empty()) {
    picture = HighlightedSvg(doc, req);
  } else {
    const render::DisplayList list = render::BuildDisplayList(doc, req.options);
    if (list.truncated) {
      PrintError("the drawing's blocks expand beyond what one picture holds; the rest is left out");
    }
    render::SvgOptions svg;
    svg.width_px = req.width;
    picture = render::WriteSvg(list, svg);
  }
  if (!platform::WriteFileReplacing(
          Utf8ToText(req.out), reinterpret_cast<const uint8_t*>(picture.data()), picture.size())) {
    PrintError("cannot write '" + req.out + "'");
    return kExitFailed;
  }
  return kExitCompleted;
}

}  // namespace plandock
