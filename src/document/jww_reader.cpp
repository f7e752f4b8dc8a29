// Reads a whole JWW drawing: header and tables, the object lists, the image
// section, then derives the block tree.
#include "document/block_tree.h"
#include "document/entity_io.h"
#include "document/header_io.h"
#include "document/jww_file.h"
#include "document/layout_internal.h"
#include "platform/mapped_file.h"

namespace plandock {
namespace {

bool ReadObjectSections(ArchiveReader& in, TJwwData& doc, ReadFailure* why) {
  const int32_t version = doc.Enthd.jwVer;
  ArchiveClasses classes;
  if (!ReadEntityList(in, doc, version, classes, why)) return false;
  if (!ReadBlockDefList(in, doc, version, classes, why)) return false;
  if (version >= layout::kSinceImages) ReadImageSection(in, doc);
  return true;
}

}  // namespace

bool FileInMemory(TJwwData& doc, const uint8_t* data, size_t size, ReadFailure* why, size_t* end) {
  doc.DataInit();
  if (why != nullptr) *why = ReadFailure::kNone;
  ArchiveReader in(data, size, doc.MojiEncode);
  const bool header_ok = ReadHeader(in, doc, why);
  bool ok = header_ok && ReadObjectSections(in, doc, why);
  // The counts announced by the file, as far as the lists took them in.
  doc.Enthd.n1 = static_cast<int32_t>(doc.EntNo.size());
  doc.Enthd.n2 = doc.EntBlockDefN();
  // A rejected header leaves no drawing to build a tree from.
  if (header_ok) MakeBlockTree(doc);
  if (end != nullptr) *end = in.pos();
  return ok;
}

bool FileInMemory(TJwwData& doc, const uint8_t* data, size_t size, ReadFailure* why) {
  return FileInMemory(doc, data, size, why, nullptr);
}

bool FileIn(TJwwData& doc, const std::u16string& path, ReadFailure* why) {
  platform::MappedFile file;
  if (file.Open(path, kMaxDrawingBytes) != platform::MapResult::kOk) {
    doc.DataInit();
    MakeBlockTree(doc);
    if (why != nullptr) *why = ReadFailure::kIo;
    return false;
  }
  return FileInMemory(doc, file.data(), file.size(), why, nullptr);
}

}  // namespace plandock
