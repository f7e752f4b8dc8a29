// Feeds arbitrary bytes to the drawing reader: it must return, true or false,
// without a crash, a hang or an allocation the input cannot justify.
#include <cstddef>
#include <cstdint>

#include "document/document.h"
#include "document/jww_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  plandock::TJwwData doc;
  // Image entries are stepped over, so no file is written.
  doc.BindImageExp = false;
  doc.BindImageExr = true;
  (void)plandock::FileInMemory(doc, data, size);
  return 0;
}
