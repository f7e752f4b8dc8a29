#include "document/document.h"

namespace plandock {

void TJwwData::DataInit() {
  FileOutOpt = 0;
  EntLgrp.clear();
  EntLay.clear();
  EntCol.clear();
  EntLtp1.clear();
  EntLtp2.clear();
  EntLtp3.clear();
  EntColS.clear();
  EntLtpS.clear();
  EntMoj.clear();
  EntNo.clear();
  EntLine.clear();
  EntEnko.clear();
  EntTen.clear();
  EntMoji.clear();
  EntSunpo.clear();
  EntSolid.clear();
  EntBlock.clear();
  EntBlockDef.clear();
  EntBlockTree.clear();
  EntBlockNum = 0;
  Enthd = TEntJwwHeader{};  // the record's defaults are those of a fresh document
  BindImageInit();
  FontNames.clear();
  MojiEncode = false;
}

void TJwwData::DataFree() {
  // Vectors of block definitions own their contents; release the memory too.
  std::vector<TEntJwwBlockDef>().swap(EntBlockDef);
  DataInit();
}

}  // namespace plandock
