// A whole merge job with an arbitrary file as the merged drawing and then as
// the base: a saved result reads back, and no image, temporary or backup file
// is left where it should not be.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/jww_file.h"
#include "fuzz_support.h"
#include "merge/merge_job.h"

namespace {

using namespace plandock;

void CheckNothingLeft(const MergeDocuments& docs) {
  for (const TJwwData* doc : {&docs.JWW, &docs.JWW1}) {
    if (!doc->BindImageFolder.empty() && !platform::ListDir(doc->BindImageFolder).empty()) {
      fuzz::Broken("image files left in an image folder");
    }
  }
  for (const std::u16string& name : platform::ListDir(fuzz::ScratchDir())) {
    if (name != u"base.jww" && name != u"in.jww" && name != u"out.jww" && name != u"out.BAK") {
      fuzz::Broken("a file left beside the result");
    }
  }
}

void RunOnce(MergeDocuments& docs, const std::u16string& base, const std::u16string& merged) {
  const std::u16string out = fuzz::ScratchFile(u"out.jww");
  platform::DeleteFileAt(out);
  MergeSettings settings;
  settings.BasePath = base;
  settings.DestinationPath = out;
  settings.CheckReferenceTexts = true;
  settings.ReleaseDimensionsAfterMerge = true;
  settings.LayerState = LayerStateAfterMerge::MergedLayersEditable;
  std::vector<MergeEntry> entries = {MergeEntry{merged, u"1", u"A", u"3"}};
  fuzz::QuietHost host;
  const MergeJobResult result = RunMergeJob(settings, entries, host, docs);
  if (result == MergeJobResult::kCompleted) {
    TJwwData back;
    back.BindImageExp = false;
    if (!FileIn(back, out)) fuzz::Broken("the saved result does not read back");
  }
  CheckNothingLeft(docs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  static const std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  static const std::u16string base = [] {
    const std::u16string path = fuzz::ScratchFile(u"base.jww");
    TJwwData doc;
    fuzz::MakeSmallDrawing(doc);
    if (!FileOut(doc, path, 700)) fuzz::Broken("cannot write the base drawing");
    return path;
  }();
  const std::u16string input = fuzz::ScratchFile(u"in.jww");
  fuzz::WriteScratch(input, data, size);
  RunOnce(*docs, base, input);
  RunOnce(*docs, input, base);
  return 0;
}
