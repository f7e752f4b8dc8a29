#include "render/drawing_file.h"

#include <cstdint>
#include <vector>

#include "document/jww_file.h"
#include "platform/files.h"

namespace plandock::render {

DrawingRead ReadDrawingToDraw(const std::u16string& path, TJwwData& doc) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(path, bytes)) return DrawingRead::kCannotOpen;
  doc.BindImageExp = false;
  doc.BindImageExr = true;
  return FileInMemory(doc, bytes.data(), bytes.size()) ? DrawingRead::kOk
                                                       : DrawingRead::kNotADrawing;
}

}  // namespace plandock::render
