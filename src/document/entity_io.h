// The object lists of a JWW file in both directions: the entity list, the
// block-definition list and the image section. The file driver calls them in
// file order after the header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/archive.h"
#include "document/document.h"
#include "document/jww_file.h"

namespace plandock {

// Class bookkeeping that runs through the whole archive: the LoadIndex at which
// each class was declared (0 while undeclared). One instance serves one read or
// one write; the driver creates it and passes it to each list in turn.
struct ArchiveClasses {
  std::array<uint32_t, 8> entity{};  // indexed by EntityKind 1..7
  uint32_t list = 0;                 // "CDataList", the block-definition class
};

// Each read returns false, with *why set, when the file is not readable by the
// reader's failure rules; the document then holds what was read so far.
[[nodiscard]] bool ReadEntityList(ArchiveReader& in, TJwwData& doc, int32_t version,
                                  ArchiveClasses& classes, ReadFailure* why);
[[nodiscard]] bool ReadBlockDefList(ArchiveReader& in, TJwwData& doc, int32_t version,
                                    ArchiveClasses& classes, ReadFailure* why);
// Version 700 and later only. Never fails the drawing: a section cut short or
// announcing more entries than the data holds loses only its images.
void ReadImageSection(ArchiveReader& in, TJwwData& doc);

// The attribute block the writer stores for a record of `kind` (EntityKind, or
// kEntBlockDef for a block definition) in file version `version`.
TEntJwwAttr AttrForWrite(int32_t version, const TEntJwwAttr& attr, int32_t kind);

void WriteEntityList(ArchiveWriter& out, TJwwData& doc, int32_t version, ArchiveClasses& classes,
                     uint32_t& load_index);
void WriteBlockDefList(ArchiveWriter& out, TJwwData& doc, int32_t version, ArchiveClasses& classes,
                       uint32_t& load_index);
// Version 700 and later only; marks and writes the images the image texts name.
void WriteImageSection(ArchiveWriter& out, TJwwData& doc);

// One stored field of a fixed part, located from the part's first byte.
struct BodyFieldSpan {
  const char* name;
  size_t begin;
  size_t end;
};

// The fixed part of a body of `kind` as file version `version` stores it, in
// file order: the attribute block and the fields after it (kEntBlockDef: a
// definition's header). What may follow it (strings, a point's marker fields,
// a solid's colour, a dimension's parts) is not included; empty for a dimension.
std::vector<BodyFieldSpan> BodyLayout(int32_t kind, int32_t version);

}  // namespace plandock
