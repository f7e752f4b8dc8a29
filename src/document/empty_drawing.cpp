#include "document/empty_drawing.h"

#include "document/header_io.h"

namespace plandock {

void MakeEmptyDrawing(TJwwData& doc, int32_t version) {
  doc.DataFree();
  doc.Enthd.jwID = u"JwwData.";
  doc.Enthd.jwVer = version;
  doc.EntLgrp.assign(kLayerGroupCount, TEntJwwLayerGroup{});
  for (int g = 0; g < kLayerGroupCount; ++g) {
    doc.EntLgrp[g].anGLay = g == 0 ? kLayCurrent : kLayEditable;
    doc.EntLgrp[g].adScale = 1.0;
  }
  doc.EntLay.assign(kLayerGroupCount * kLayersPerGroup, TEntJwwLayer{});
  for (size_t i = 0; i < doc.EntLay.size(); ++i) {
    doc.EntLay[i].aanLay = i % kLayersPerGroup == 0 ? kLayCurrent : kLayEditable;
  }
  doc.EntCol.assign(kPenColorCount, TEntJwwColorNo{});
  doc.EntLtp1.assign(kLineTypeCount, TEntJwwLineTypeNo{});
  doc.EntLtp2.assign(kRandomLineCount, TEntJwwRandomLineNo{});
  doc.EntLtp3.assign(kDoublePitchCount, TEntJwwLineTypeNo{});
  doc.EntColS.assign(kSxfColorCount, TEntJwwColorExNo{});
  doc.EntLtpS.assign(kSxfLineTypeCount, TEntJwwLineTypeExNo{});
  doc.EntMoj.assign(kTextTypeCount, TEntJwwMojiType{});
}

}  // namespace plandock
