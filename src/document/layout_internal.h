// The stored layout of a JWW file in one place: every version gate, the
// fixed sizes and the field lists of the attribute block and of the fixed
// parts of the bodies. Reading, writing and the layout report all walk these
// lists, so they cannot disagree on order, width or version gates.
// Not for use outside this folder.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "document/jww_types.h"

// Fields are loaded and stored with memcpy in the file's byte order.
static_assert(std::endian::native == std::endian::little,
              "the stored layout needs a little-endian host");

namespace plandock::layout {

// File versions. Stored in files: frozen.
inline constexpr int32_t kMinReadVersion = 220;
inline constexpr int32_t kMaxReadVersion = 700;
inline constexpr int32_t kSinceEyeSettings = 223;     // drawing time, viewpoints
inline constexpr int32_t kSinceDimSettings = 225;     // dimension values
inline constexpr int32_t kSinceSolidColor = 230;      // solid own-colour settings
inline constexpr int32_t kSinceEightZoomJumps = 231;  // and the reserved/text-background run
inline constexpr int32_t kSinceSkyView = 300;
inline constexpr int32_t kSincePenWidth = 351;  // attribute blocks hold nPenWidth
// SXF tables in the header, SXF parts of dimensions, SXF pen numbers in attributes.
inline constexpr int32_t kSinceSxf = 420;
inline constexpr int32_t kLastNarrowLineWidthMode = 420;  // nMaxDrawWid below -101 not written
inline constexpr int32_t kSincePrintDpi = 600;
inline constexpr int32_t kSinceImages = 700;

// The 8 bytes every drawing starts with.
inline constexpr char kJwwMagic[] = "JwwData.";

// Class names of the archive, indexed by EntityKind. Stored in files: frozen.
inline constexpr std::string_view kEntityClassNames[8] = {"",           "CDataSen",  "CDataEnko",
                                                          "CDataTen",   "CDataMoji", "CDataSunpou",
                                                          "CDataSolid", "CDataBlock"};
inline constexpr std::string_view kBlockDefClassName = "CDataList";

// Values that decide whether more fields follow a fixed part.
inline constexpr uint8_t kTenStyleExtra = 100;           // a point's marker fields follow
inline constexpr uint16_t kSolidOwnColor = 10;           // a solid's Color follows
inline constexpr uint32_t kDtimeLongForm = 0x80000000u;  // 8 bytes of time follow
inline constexpr size_t kDtimeLongBytes = 8;

// The least a stored object, definition or image entry can occupy: what a
// count is checked against before anything is allocated for it.
inline constexpr uint64_t kMinObjectBytes = 2;      // its class tag
inline constexpr uint64_t kMinBlockDefBytes = 2;    // its class tag
inline constexpr uint64_t kMinImageEntryBytes = 5;  // name length byte and size
// A declared class name longer than this cannot name a class.
inline constexpr size_t kMaxClassNameBytes = 2047;

// One stored field: the record member it fills and the first version storing it.
template <class Record, class T>
struct Field {
  using type = T;
  T Record::*member;
  const char* name;
  int32_t since = kMinReadVersion;
};

template <class R>
using F64 = Field<R, double>;
template <class R>
using U32 = Field<R, uint32_t>;

inline constexpr std::tuple kAttr{
    U32<TEntJwwAttr>{&TEntJwwAttr::lGroup, "lGroup"},
    Field<TEntJwwAttr, uint8_t>{&TEntJwwAttr::nPenStyle, "nPenStyle"},
    Field<TEntJwwAttr, uint16_t>{&TEntJwwAttr::nPenColor, "nPenColor"},
    Field<TEntJwwAttr, uint16_t>{&TEntJwwAttr::nPenWidth, "nPenWidth", kSincePenWidth},
    Field<TEntJwwAttr, uint16_t>{&TEntJwwAttr::nLayer, "nLayer"},
    Field<TEntJwwAttr, uint16_t>{&TEntJwwAttr::nGLayer, "nGLayer"},
    Field<TEntJwwAttr, uint16_t>{&TEntJwwAttr::sFlg, "sFlg"},
};

// The fields after the attribute block of each fixed part, in file order.
inline constexpr std::tuple kLine{F64<TEntJwwLine>{&TEntJwwLine::start_x, "start_x"},
                                  F64<TEntJwwLine>{&TEntJwwLine::start_y, "start_y"},
                                  F64<TEntJwwLine>{&TEntJwwLine::end_x, "end_x"},
                                  F64<TEntJwwLine>{&TEntJwwLine::end_y, "end_y"}};
inline constexpr std::tuple kEnko{
    F64<TEntJwwEnko>{&TEntJwwEnko::start_x, "start_x"},
    F64<TEntJwwEnko>{&TEntJwwEnko::start_y, "start_y"},
    F64<TEntJwwEnko>{&TEntJwwEnko::dHankei, "dHankei"},
    F64<TEntJwwEnko>{&TEntJwwEnko::radKaishiKaku, "radKaishiKaku"},
    F64<TEntJwwEnko>{&TEntJwwEnko::radEnkoKaku, "radEnkoKaku"},
    F64<TEntJwwEnko>{&TEntJwwEnko::radKatamukiKaku, "radKatamukiKaku"},
    F64<TEntJwwEnko>{&TEntJwwEnko::dHenpeiRitsu, "dHenpeiRitsu"},
    U32<TEntJwwEnko>{&TEntJwwEnko::bZenEnFlg, "bZenEnFlg"},
};
inline constexpr std::tuple kTen{F64<TEntJwwTen>{&TEntJwwTen::start_x, "start_x"},
                                 F64<TEntJwwTen>{&TEntJwwTen::start_y, "start_y"},
                                 U32<TEntJwwTen>{&TEntJwwTen::bKariten, "bKariten"}};
// Stored after kTen when the point's pen style is kTenStyleExtra.
inline constexpr std::tuple kTenExtra{U32<TEntJwwTen>{&TEntJwwTen::nCode, "nCode"},
                                      F64<TEntJwwTen>{&TEntJwwTen::radKaitenKaku, "radKaitenKaku"},
                                      F64<TEntJwwTen>{&TEntJwwTen::dBairitsu, "dBairitsu"}};
// The text's two strings follow.
inline constexpr std::tuple kMoji{
    F64<TEntJwwMoji>{&TEntJwwMoji::start_x, "start_x"},
    F64<TEntJwwMoji>{&TEntJwwMoji::start_y, "start_y"},
    F64<TEntJwwMoji>{&TEntJwwMoji::end_x, "end_x"},
    F64<TEntJwwMoji>{&TEntJwwMoji::end_y, "end_y"},
    U32<TEntJwwMoji>{&TEntJwwMoji::nMojiShu, "nMojiShu"},
    F64<TEntJwwMoji>{&TEntJwwMoji::dSizeX, "dSizeX"},
    F64<TEntJwwMoji>{&TEntJwwMoji::dSizeY, "dSizeY"},
    F64<TEntJwwMoji>{&TEntJwwMoji::dKankaku, "dKankaku"},
    F64<TEntJwwMoji>{&TEntJwwMoji::degKakudo, "degKakudo"},
};
inline constexpr std::tuple kSolid{
    F64<TEntJwwSolid>{&TEntJwwSolid::start_x, "start_x"},
    F64<TEntJwwSolid>{&TEntJwwSolid::start_y, "start_y"},
    F64<TEntJwwSolid>{&TEntJwwSolid::end_x, "end_x"},
    F64<TEntJwwSolid>{&TEntJwwSolid::end_y, "end_y"},
    F64<TEntJwwSolid>{&TEntJwwSolid::DPoint2_x, "DPoint2_x"},
    F64<TEntJwwSolid>{&TEntJwwSolid::DPoint2_y, "DPoint2_y"},
    F64<TEntJwwSolid>{&TEntJwwSolid::DPoint3_x, "DPoint3_x"},
    F64<TEntJwwSolid>{&TEntJwwSolid::DPoint3_y, "DPoint3_y"},
};
// Stored after kSolid when the solid's pen colour is kSolidOwnColor.
inline constexpr std::tuple kSolidColor{U32<TEntJwwSolid>{&TEntJwwSolid::Color, "Color"}};
inline constexpr std::tuple kBlock{
    F64<TEntJwwBlock>{&TEntJwwBlock::DPKijunTen_x, "DPKijunTen_x"},
    F64<TEntJwwBlock>{&TEntJwwBlock::DPKijunTen_y, "DPKijunTen_y"},
    F64<TEntJwwBlock>{&TEntJwwBlock::dBairitsuX, "dBairitsuX"},
    F64<TEntJwwBlock>{&TEntJwwBlock::dBairitsuY, "dBairitsuY"},
    F64<TEntJwwBlock>{&TEntJwwBlock::radKaitenKaku, "radKaitenKaku"},
    U32<TEntJwwBlock>{&TEntJwwBlock::nNumber, "nNumber"},
};
// A block definition's header; its name and member list follow.
inline constexpr std::tuple kBlockDef{U32<TEntJwwBlockDef>{&TEntJwwBlockDef::nNumber, "nNumber"},
                                      U32<TEntJwwBlockDef>{&TEntJwwBlockDef::bRefferd, "bRefferd"},
                                      U32<TEntJwwBlockDef>{&TEntJwwBlockDef::dtime, "dtime"}};

// Hands each stored field of `fields` in `record` to v.Field(value, name), in order.
template <class V, class Record, class Fields>
inline void Walk(V& v, Record& record, const Fields& fields, int32_t version) {
  std::apply(
      [&](const auto&... f) {
        ((version >= f.since ? v.Field(record.*f.member, f.name) : void()), ...);
      },
      fields);
}

// The attribute block and then `fields`: a whole fixed part.
template <class V, class Record, class Fields>
inline void WalkFixed(V& v, Record& record, const Fields& fields, int32_t version) {
  Walk(v, record.att, kAttr, version);
  Walk(v, record, fields, version);
}

// Stored bytes of `fields` in `version`.
template <class Fields>
constexpr size_t StoredSize(const Fields& fields, int32_t version) {
  return std::apply(
      [&](const auto&... f) {
        return (size_t{0} + ... +
                (version >= f.since ? sizeof(typename std::remove_cvref_t<decltype(f)>::type) : 0));
      },
      fields);
}

template <class Fields>
constexpr size_t FixedSize(const Fields& fields, int32_t version) {
  return StoredSize(kAttr, version) + StoredSize(fields, version);
}

// Where a field of `fields` starts in `version`.
template <class Fields>
constexpr size_t OffsetOf(const Fields& fields, std::string_view name, int32_t version) {
  size_t offset = 0;
  bool found = false;
  std::apply(
      [&](const auto&... f) {
        ((found = found || f.name == name,
          offset += !found && version >= f.since
                        ? sizeof(typename std::remove_cvref_t<decltype(f)>::type)
                        : 0),
         ...);
      },
      fields);
  return offset;
}

// The two attribute fields that decide whether more fields follow; they come
// before the width, so they sit at the same place in every version.
inline constexpr size_t kPenStyleAt = OffsetOf(kAttr, "nPenStyle", kMaxReadVersion);
inline constexpr size_t kPenColorAt = OffsetOf(kAttr, "nPenColor", kMaxReadVersion);
static_assert(kPenColorAt == OffsetOf(kAttr, "nPenColor", kMinReadVersion));

// The largest fixed part of any version.
inline constexpr size_t kMaxFixedSize = FixedSize(kMoji, kMaxReadVersion);

// Text sizes, of texts and of the text types, are written as magnitudes within
// these bounds; NaN stays NaN.
inline double TextSizeForWrite(double v) {
  v = std::fabs(v);
  if (v < 1e-10) return 1e-10;
  if (v > 1e10) return 1e10;
  return v;
}

}  // namespace plandock::layout
