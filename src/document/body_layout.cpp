// The layout report of the bodies' fixed parts, from the same field lists
// the reader and the writer walk.
#include "document/entity_io.h"
#include "document/layout_internal.h"

namespace plandock {
namespace {

class SpanRecorder {
 public:
  template <class T>
  void Field(const T&, const char* name) {
    spans.push_back({name, pos_, pos_ + sizeof(T)});
    pos_ += sizeof(T);
  }
  std::vector<BodyFieldSpan> spans;

 private:
  size_t pos_ = 0;
};

template <class Record, class Fields>
std::vector<BodyFieldSpan> Spans(const Fields& fields, int32_t version) {
  SpanRecorder r;
  const Record record{};
  layout::WalkFixed(r, record, fields, version);
  return std::move(r.spans);
}

}  // namespace

std::vector<BodyFieldSpan> BodyLayout(int32_t kind, int32_t version) {
  switch (kind) {
    case kEntLine:
      return Spans<TEntJwwLine>(layout::kLine, version);
    case kEntEnko:
      return Spans<TEntJwwEnko>(layout::kEnko, version);
    case kEntTen:
      return Spans<TEntJwwTen>(layout::kTen, version);
    case kEntMoji:
      return Spans<TEntJwwMoji>(layout::kMoji, version);
    case kEntSolid:
      return Spans<TEntJwwSolid>(layout::kSolid, version);
    case kEntBlock:
      return Spans<TEntJwwBlock>(layout::kBlock, version);
    case kEntBlockDef:
      return Spans<TEntJwwBlockDef>(layout::kBlockDef, version);
    default:
      return {};
  }
}

}  // namespace plandock
