#include "document/document.h"

#include <gtest/gtest.h>

namespace plandock {
namespace {

TEST(TJwwDataTest, FreshDocumentIsEmptyWithUnitMagnifications) {
  TJwwData doc;
  EXPECT_TRUE(doc.EntLgrp.empty());
  EXPECT_TRUE(doc.EntLay.empty());
  EXPECT_TRUE(doc.EntColS.empty());
  EXPECT_EQ(doc.Enthd.n1, 0);
  EXPECT_EQ(doc.Enthd.jwVer, 0);
  for (double m : {doc.Enthd.dPrtBairitsu, doc.Enthd.dMemoriHyoujiMin, doc.Enthd.dMemoriX,
                   doc.Enthd.dMemoriY, doc.Enthd.dBairitsu, doc.Enthd.dHanniBairitsu}) {
    EXPECT_EQ(m, 1.0);
  }
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(doc.Enthd.dZoomJumpBairitsu[i], 1.0);
    EXPECT_EQ(doc.Enthd.nZoomJumpGLay[i], -1);
  }
  EXPECT_FALSE(doc.BindImageExp);
  EXPECT_TRUE(doc.BindImageFolder.empty());
}

TEST(TJwwDataTest, DataInitKeepsImageSettingsAndDataFreeEmptiesBlocks) {
  TJwwData doc;
  doc.BindImageFolder = u"/tmp/x/";
  doc.BindImageExp = true;
  doc.BindImageExr = true;
  doc.FileOutOpt = kFileOutUnicode;
  doc.MojiEncode = true;
  TEntJwwBlockDef def;
  def.mLine.resize(3);
  def.mNo.push_back({kEntLine, 0});
  doc.EntBlockDef.push_back(def);
  doc.AddEntNo(kEntLine, 0);
  doc.BindImage.push_back({u"a.jpg", 10, false});
  doc.Enthd.jwVer = 700;

  doc.DataFree();
  EXPECT_EQ(doc.BindImageFolder, u"/tmp/x/");
  EXPECT_TRUE(doc.BindImageExp);
  EXPECT_TRUE(doc.BindImageExr);
  EXPECT_EQ(doc.FileOutOpt, 0);
  EXPECT_FALSE(doc.MojiEncode);
  EXPECT_EQ(doc.EntBlockDefN(), 0);
  EXPECT_EQ(doc.BindImageN(), 0);
  EXPECT_EQ(doc.Enthd.n1, 0);
  EXPECT_EQ(doc.Enthd.jwVer, 0);
}

}  // namespace
}  // namespace plandock
