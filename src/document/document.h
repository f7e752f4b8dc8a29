// One JWW drawing in memory: header, tables, entities, block definitions,
// the derived block tree, embedded images and the options of the next write.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "document/jww_types.h"

namespace plandock {

// FileOutOpt bit: strings are written in the Unicode form.
inline constexpr int32_t kFileOutUnicode = 0x20;

class TJwwData {
 public:
  TJwwData() { DataInit(); }
  ~TJwwData() { DataFree(); }
  TJwwData(const TJwwData&) = delete;
  TJwwData& operator=(const TJwwData&) = delete;

  // Resets to the empty document. Keeps BindImageFolder, BindImageExp,
  // BindImageExr and the extent values.
  void DataInit();
  // Releases every block definition's contents, then DataInit().
  void DataFree();
  // Empties the embedded-image list.
  void BindImageInit() { BindImage.clear(); }

  TEntJwwHeader Enthd;
  std::vector<TEntJwwLayerGroup> EntLgrp;    // 16 rows after a read
  std::vector<TEntJwwLayer> EntLay;          // 256 rows, row = nGLayer * 16 + nLayer
  std::vector<TEntJwwColorNo> EntCol;        // 10 rows: 0 background, 1..9 pens
  std::vector<TEntJwwLineTypeNo> EntLtp1;    // 8 rows: pen styles 2..9
  std::vector<TEntJwwRandomLineNo> EntLtp2;  // 5 rows: pen styles 11..15
  std::vector<TEntJwwLineTypeNo> EntLtp3;    // 4 rows: pen styles 16..19
  std::vector<TEntJwwColorExNo> EntColS;     // 257 rows by SXF colour number
  std::vector<TEntJwwLineTypeExNo> EntLtpS;  // 33 rows by SXF line-type number
  std::vector<TEntJwwMojiType> EntMoj;       // 10 rows: text types 1..10

  std::vector<TEntJwwNo> EntNo;  // drawing order; Enthd.n1 is kept equal to its size
  std::vector<TEntJwwLine> EntLine;
  std::vector<TEntJwwEnko> EntEnko;
  std::vector<TEntJwwTen> EntTen;
  std::vector<TEntJwwMoji> EntMoji;
  std::vector<TEntJwwSunpo> EntSunpo;
  std::vector<TEntJwwSolid> EntSolid;
  std::vector<TEntJwwBlock> EntBlock;
  std::vector<TEntJwwBlockDef> EntBlockDef;
  std::vector<TEntJwwBlockTree> EntBlockTree;  // derived by MakeBlockTree
  int32_t EntBlockNum = 0;                     // referenced block definitions, the number written

  std::u16string BindImageFolder;  // ends with a path separator
  std::vector<TBindImageType> BindImage;
  bool BindImageExp = false;  // reading extracts embedded images
  bool BindImageExr = false;  // reading reads past the image section when not extracting

  int32_t FileOutOpt = 0;  // kFileOutUnicode
  std::vector<std::u16string> FontNames;
  bool MojiEncode = false;  // a string of the last file read used the Unicode form
  double myMinWx = 0, myMinWy = 0, myMaxWx = 0, myMaxWy = 0;

  int32_t EntLineN() const { return Count(EntLine); }
  int32_t EntEnkoN() const { return Count(EntEnko); }
  int32_t EntTenN() const { return Count(EntTen); }
  int32_t EntMojiN() const { return Count(EntMoji); }
  int32_t EntSunpoN() const { return Count(EntSunpo); }
  int32_t EntSolidN() const { return Count(EntSolid); }
  int32_t EntBlockN() const { return Count(EntBlock); }
  int32_t EntBlockDefN() const { return Count(EntBlockDef); }
  int32_t EntBlockTreeN() const { return Count(EntBlockTree); }
  int32_t BindImageN() const { return Count(BindImage); }
  int32_t FontNameN() const { return Count(FontNames); }

  // Enthd.n1 and Enthd.n2 count EntNo and EntBlockDef; a change to those
  // lists goes through these three, so the counts never drift.

  // Appends a drawing-order entry.
  void AddEntNo(int32_t type, int32_t index) {
    EntNo.push_back({type, index});
    Enthd.n1 = Count(EntNo);
  }
  // Appends a block definition, counted as referenced until the next
  // MakeBlockTree decides.
  void AddBlockDef(TEntJwwBlockDef def) {
    EntBlockDef.push_back(std::move(def));
    Enthd.n2 = Count(EntBlockDef);
    ++EntBlockNum;
  }
  // For code that appends to EntNo in bulk.
  void RecountEntities() {
    Enthd.n1 = Count(EntNo);
    Enthd.n2 = Count(EntBlockDef);
  }

 private:
  template <class V>
  static int32_t Count(const V& v) {
    return static_cast<int32_t>(v.size());
  }
};

}  // namespace plandock
