// An environment (JWF) file of arbitrary bytes applied to a drawing: the
// drawing must still be written and read back.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "document/jww_file.h"
#include "environment/jwf.h"
#include "environment/text_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plandock;
  if (size > kMaxJwfBytes) return 0;
  TJwwData doc;
  fuzz::MakeSmallDrawing(doc);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ApplyJwfText(doc, DecodeTextBytes(bytes));
  for (const int32_t version : {700, 351}) {
    std::vector<uint8_t> file;
    FileOutToBuffer(doc, version, file);
    TJwwData back;
    back.BindImageExp = false;
    if (!FileInMemory(back, file.data(), file.size())) fuzz::Broken("written drawing unreadable");
    if (back.EntLine.size() != doc.EntLine.size()) fuzz::Broken("lines lost");
  }
  return 0;
}
