// The preview window: which drawing it shows, what it paints where, wheel
// zoom, dragging, and files it cannot show.
#include <QImage>
#include <QRadioButton>
#include <QWheelEvent>
#include <cmath>

#include "render/display_list.h"
#include "ui/preview_canvas.h"
#include "ui/preview_window.h"
#include "window_fixture.h"

namespace plandock::ui::test {
namespace {

namespace t = plandock::test;

// A filled 20 × 20 square with its lower left corner at (x, 0), and a thin
// line that makes the extents 100 × 50. Returns the square's colour.
uint32_t WriteSquare(const WindowFixture& f, const QString& name, double x) {
  TJwwData doc;
  t::InitDrawing(doc, 700);
  t::Add(doc, t::Solid(x, 0, x + 20, 0, x + 20, 20, x, 20, t::Attr(0, 0, 2)));
  t::Add(doc, t::Line(0, 0, 100, 50, t::Attr(0, 0, 1)));
  t::Add(doc, t::Text(u"【基準点】", 0, 0, 5, 0, t::Attr(0, 0, 9)));
  if (!FileOut(doc, U(f.Path(name)), 700)) qWarning("could not write %s", qPrintable(name));
  for (const render::Primitive& p : render::BuildDisplayList(doc).primitives) {
    if (p.kind == render::PrimitiveKind::kPolygon) return p.rgb;
  }
  return 0;
}

QRgb PixelAt(PreviewCanvas* canvas, render::Point2 drawing_point) {
  const render::Point2 px = canvas->View().Px(drawing_point);
  return canvas->grab().toImage().pixel(static_cast<int>(std::floor(px.x)),
                                        static_cast<int>(std::floor(px.y)));
}

PreviewWindow* OpenRowPreview(WindowFixture& f) {
  f.Click("Button19");
  PreviewWindow* preview = f.window->preview();
  if (!QTest::qWaitForWindowExposed(preview)) qWarning("the preview did not show");
  if (!QTest::qWaitFor([preview] { return !preview->Loading(); }, 20000)) {
    qWarning("the preview is still reading");
  }
  return preview;
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheRowTheBaseAndTheLastResultFitted() {
    WindowFixture f;
    const uint32_t row_rgb = WriteSquare(f, "over.jww", 70);
    WriteSquare(f, "base.jww", 10);
    f.window->AddMergeEntry(f.Path("over.jww"));
    f.Edit("Edit1")->setText(f.Path("base.jww"));
    f.Edit("Edit2")->setText(f.Path("out.jww"));

    PreviewWindow* preview = OpenRowPreview(f);
    PreviewCanvas* canvas = preview->canvas();
    QVERIFY2(canvas->HasDrawing(), qPrintable(canvas->Message()));
    QCOMPARE(preview->ShownPath(), f.Path("over.jww"));
    // The whole drawing fits inside the canvas.
    const render::Point2 low = canvas->View().Px({0, 0}), high = canvas->View().Px({100, 50});
    QVERIFY(low.x >= 0 && high.x <= canvas->width() && high.y >= 0 && low.y <= canvas->height());
    QVERIFY(high.x - low.x > canvas->width() * 0.8 || low.y - high.y > canvas->height() * 0.8);
    QCOMPARE(PixelAt(canvas, {80, 10}) & 0xFFFFFF, row_rgb);
    QVERIFY((PixelAt(canvas, {20, 10}) & 0xFFFFFF) != row_rgb);
    // Read and closed: the file can go while it is shown.
    QVERIFY(QFile::rename(f.Path("over.jww"), f.Path("moved.jww")));
    QVERIFY(QFile::rename(f.Path("moved.jww"), f.Path("over.jww")));

    f.Widget<QRadioButton>("PreviewSource2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!preview->Loading(), 20000);
    QCOMPARE(preview->ShownPath(), f.Path("base.jww"));
    QCOMPARE(PixelAt(canvas, {20, 10}) & 0xFFFFFF, row_rgb);

    f.Widget<QRadioButton>("PreviewSource3")->click();
    QCOMPARE(canvas->Message(), QStringLiteral("まだ合体していません"));
    f.window->RunMerge();
    QCOMPARE(f.window->StatusText(), QStringLiteral("完了"));
    QTRY_VERIFY_WITH_TIMEOUT(!preview->Loading() && canvas->HasDrawing(), 20000);
    QCOMPARE(preview->ShownPath(), f.Path("out.jww"));
    // The base's square and the merged one, both.
    QCOMPARE(PixelAt(canvas, {20, 10}) & 0xFFFFFF, row_rgb);
    QCOMPARE(PixelAt(canvas, {80, 10}) & 0xFFFFFF, row_rgb);
  }

  void WheelZoomKeepsThePointUnderTheCursor() {
    WindowFixture f;
    const uint32_t rgb = WriteSquare(f, "over.jww", 70);
    f.window->AddMergeEntry(f.Path("over.jww"));
    PreviewCanvas* canvas = OpenRowPreview(f)->canvas();
    const render::Point2 under = canvas->View().Px({75, 5});
    const QPointF at(under.x, under.y);
    const double scale = canvas->View().scale;
    for (int notches : {1, 1, -1, 3}) {
      QWheelEvent wheel(at, canvas->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(canvas, &wheel);
      const render::Point2 now = canvas->View().Px({75, 5});
      QVERIFY(std::fabs(now.x - under.x) < 1e-6 && std::fabs(now.y - under.y) < 1e-6);
    }
    QVERIFY(std::fabs(canvas->View().scale / scale - std::pow(1.25, 4)) < 1e-9);
    QCOMPARE(PixelAt(canvas, {75, 5}) & 0xFFFFFF, rgb);
    // Fitting again brings back the first view.
    f.Click("PreviewFit");
    QVERIFY(std::fabs(canvas->View().scale - scale) < 1e-9);
  }

  void DragPansByTheDragDistance() {
    WindowFixture f;
    const uint32_t rgb = WriteSquare(f, "over.jww", 70);
    f.window->AddMergeEntry(f.Path("over.jww"));
    PreviewCanvas* canvas = OpenRowPreview(f)->canvas();
    const render::Point2 from = canvas->View().Px({80, 10});
    const QPoint start(static_cast<int>(from.x), static_cast<int>(from.y));
    const QPoint end = start + QPoint(-60, 25);
    QTest::mousePress(canvas, Qt::LeftButton, {}, start);
    QTest::mouseMove(canvas, start + QPoint(-30, 10));
    QTest::mouseMove(canvas, end);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, end);
    const render::Point2 to = canvas->View().Px({80, 10});
    QVERIFY(std::fabs(to.x - (from.x - 60)) < 1e-6 && std::fabs(to.y - (from.y + 25)) < 1e-6);
    QCOMPARE(PixelAt(canvas, {80, 10}) & 0xFFFFFF, rgb);
  }

  void FilesItCannotShowGiveAMessage() {
    struct Row {
      const char* name;  // nullptr: a blank row
      bool create;
      const char* message;
    };
    const Row rows[] = {
        {"notes.jww", true, "JWW図面として読み込めません"},
        {"missing.jww", false, "図面ファイルを開けません"},
        {nullptr, false, "ファイル一覧で合体ファイルを選択して下さい"},
    };
    for (const Row& row : rows) {
      WindowFixture f;
      if (row.name != nullptr) {
        if (row.create) f.Touch(row.name);
        f.Grid()->SetCell(0, 0, f.Path(row.name));
      }
      PreviewCanvas* canvas = OpenRowPreview(f)->canvas();
      QVERIFY(!canvas->HasDrawing());
      QVERIFY2(canvas->Message().contains(QString::fromUtf8(row.message)),
               qPrintable(canvas->Message()));
      if (row.name != nullptr) QVERIFY(canvas->Message().contains(f.Path(row.name)));
    }
  }
};

}  // namespace plandock::ui::test

QTEST_MAIN(plandock::ui::test::PreviewTest)
#include "preview_test.moc"
