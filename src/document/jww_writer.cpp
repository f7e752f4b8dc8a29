// Writes a whole JWW drawing, into memory or block by block into the new file
// that replaces the destination in one step.
#include <vector>

#include "document/entity_io.h"
#include "document/header_io.h"
#include "document/jww_file.h"
#include "document/layout_internal.h"
#include "platform/memory.h"
#include "platform/replacing_file.h"

namespace plandock {
namespace {

// Generous stored sizes (class tag included) so that the buffer is sized once.
constexpr size_t kHeaderBytes = 40 * 1024;
constexpr size_t kStringBytes = 8;  // length prefix, Unicode marker
constexpr size_t kLineBytes = 50;
constexpr size_t kEnkoBytes = 80;
constexpr size_t kTenBytes = 60;
constexpr size_t kMojiBytes = 90 + 2 * kStringBytes;
constexpr size_t kSunpoBytes = 480 + 2 * kStringBytes;  // also covers a split into seven objects
constexpr size_t kSolidBytes = 90;
constexpr size_t kBlockBytes = 65;
constexpr size_t kBlockDefBytes = 40 + kStringBytes;

size_t TextBytes(const std::u16string& s) { return 2 * s.size(); }

template <class Container>
size_t EntityBytes(const Container& c) {
  size_t n = 0;
  for (const auto& m : c.mMoji) n += TextBytes(m.str) + TextBytes(m.strFontName);
  for (const auto& d : c.mSunpo) n += TextBytes(d.Moji.str) + TextBytes(d.Moji.strFontName);
  return n + c.mLine.size() * kLineBytes + c.mEnko.size() * kEnkoBytes + c.mTen.size() * kTenBytes +
         c.mMoji.size() * kMojiBytes + c.mSunpo.size() * kSunpoBytes +
         c.mSolid.size() * kSolidBytes + c.mBlock.size() * kBlockBytes;
}

// The document's own arrays under the names a block definition uses.
struct TopLevel {
  const TJwwData& d;
  const std::vector<TEntJwwLine>& mLine = d.EntLine;
  const std::vector<TEntJwwEnko>& mEnko = d.EntEnko;
  const std::vector<TEntJwwTen>& mTen = d.EntTen;
  const std::vector<TEntJwwMoji>& mMoji = d.EntMoji;
  const std::vector<TEntJwwSunpo>& mSunpo = d.EntSunpo;
  const std::vector<TEntJwwSolid>& mSolid = d.EntSolid;
  const std::vector<TEntJwwBlock>& mBlock = d.EntBlock;
};

size_t EstimateFileSize(const TJwwData& doc) {
  size_t n = kHeaderBytes + EntityBytes(TopLevel{doc});
  for (const TEntJwwBlockDef& def : doc.EntBlockDef) {
    n += kBlockDefBytes + TextBytes(def.strName) + EntityBytes(def);
  }
  return n;
}

void WriteDrawing(TJwwData& doc, int32_t version, ArchiveWriter& writer) {
  doc.Enthd.jwID = u"JwwData.";
  WriteHeader(writer, doc, version);
  writer.BlockMayBeFull();
  ArchiveClasses classes;
  uint32_t load_index = 1;
  WriteEntityList(writer, doc, version, classes, load_index);
  WriteBlockDefList(writer, doc, version, classes, load_index);
  if (version >= layout::kSinceImages) WriteImageSection(writer, doc);
}

bool UnicodeStrings(const TJwwData& doc) { return (doc.FileOutOpt & kFileOutUnicode) != 0; }

class FileSink final : public ArchiveSink {
 public:
  explicit FileSink(platform::ReplacingFile& file) : file_(file) {}
  bool Take(const uint8_t* data, size_t size) override { return file_.Write(data, size); }

 private:
  platform::ReplacingFile& file_;
};

}  // namespace

void SetFileOutOption(TJwwData& doc, int32_t option) {
  doc.FileOutOpt = option >= 0 && option <= 63 ? option : 0;
}

void FileOutToBuffer(TJwwData& doc, int32_t version, std::vector<uint8_t>& out) {
  ArchiveWriter writer(UnicodeStrings(doc));
  // Reuses the caller's buffer, so repeated writes do not fault in fresh pages.
  writer.buffer().swap(out);
  writer.buffer().clear();
  const size_t estimate = EstimateFileSize(doc);
  if (writer.buffer().capacity() < estimate) {
    writer.buffer().reserve(estimate);
    platform::AdviseLargeFill(writer.buffer().data(), estimate);
  }
  WriteDrawing(doc, version, writer);
  out.swap(writer.buffer());
}

bool FileOutTo(TJwwData& doc, platform::ReplacingFile& file, int32_t version) {
  if (!file.ok()) return false;
  FileSink sink(file);
  ArchiveWriter writer(UnicodeStrings(doc), sink);
  WriteDrawing(doc, version, writer);
  return writer.Finish() && file.Finish();
}

bool FileOut(TJwwData& doc, const std::u16string& path, int32_t version) {
  platform::ReplacingFile file(path);
  return FileOutTo(doc, file, version) && file.Commit();
}

}  // namespace plandock
