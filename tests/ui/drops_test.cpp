// Files dropped on each tab, the command line, and a merge run from the
// window's button.
#include <QDir>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

#include "window_fixture.h"

namespace plandock::ui::test {
namespace {

// Sends a real drop of `files` at the centre of control `target`.
void Drop(WindowFixture& f, const QStringList& files, const QString& target) {
  QList<QUrl> urls;
  for (const QString& file : files) urls.push_back(QUrl::fromLocalFile(file));
  QMimeData data;
  data.setUrls(urls);
  const QPoint at = f.window->mapFromGlobal(f.CentreOf(target));
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.window.get(), &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.window.get(), &drop);
}

// base.jww and over.jww listed with `group`, the result to go to out.jww.
void PrepareMerge(WindowFixture& f, const QString& group = {}) {
  f.WriteDrawing("base.jww", 0);
  f.WriteDrawing("over.jww", 5);
  f.Edit("Edit1")->setText(f.Path("base.jww"));
  f.Edit("Edit2")->setText(f.Path("out.jww"));
  f.window->AddMergeEntry(f.Path("over.jww"), group);
}

}  // namespace

class DropsTest : public QObject {
  Q_OBJECT

 private slots:
  void DropsOnTheFilesTab() {
    WindowFixture f;
    const QString base = f.Touch("base.jww");
    f.Edit("Edit1")->setText(base);
    // A frame takes its target's presets and does not test existence; the base
    // drawing and a second copy are not listed.
    Drop(f, {f.Path("missing.JWW"), base, f.Path("MISSING.jww"), f.Touch("note.txt")}, "LabelA2");
    QCOMPARE(f.Column(0), QStringList({f.Path("missing.JWW")}));
    QCOMPARE(f.Column(1), QStringList({"C"}));
    QCOMPARE(f.Column(2), QStringList({""}));
    QCOMPARE(f.Column(3), QStringList({"7"}));
    // On the list area a missing drawing is not added, an existing one is.
    Drop(f, {f.Path("gone.jww")}, "SG1");
    const QString other = f.Touch("other.jww");
    Drop(f, {other}, "SG1");
    QCOMPARE(f.Column(0), QStringList({f.Path("missing.JWW"), other}));
    // One drawing on the top strip replaces the base even when it is listed.
    Drop(f, {other}, "PanelTop");
    QCOMPARE(f.Edit("Edit1")->text(), other);
    Drop(f, {base}, "PanelBottom");
    QCOMPARE(f.Edit("Edit2")->text(), base);
    // Several environment files: the last one wins.
    Drop(f, {f.Touch("a.jwf"), f.Touch("b.JWF"), f.Path("c.jwf")}, "SG1");
    QCOMPARE(f.Edit("Edit5")->text(), f.Path("b.JWF"));
  }

  void AFrameCutOffBelowItsPanelIsNotHit() {
    WindowFixture f;
    f.window->resize(735, 300);
    QApplication::processEvents();
    QWidget* panel = f.Widget("PanelFrames");
    QWidget* last = f.Widget("LabelA9");
    if (last->mapTo(panel, QPoint(0, 0)).y() < panel->height()) {
      QSKIP("the window cannot be made small enough to hide a frame");
    }
    Drop(f, {f.Path("x.jww")}, "LabelA9");
    QCOMPARE(f.Column(0), QStringList({""}));
  }

  void DropsOnTheTargetsTab() {
    WindowFixture f;
    f.ShowTab(1);
    Drop(f, {f.Path("one.jww"), f.Path("two.jww"), f.Path("three.txt")}, "PanelA1");
    QCOMPARE(f.Edit("Edit1")->text(), f.Path("two.jww"));
    Drop(f, {f.Path("d2.jww")}, "PanelA3");
    QCOMPARE(f.Column(0), QStringList({f.Path("d2.jww")}));
    QCOMPARE(f.Column(1), QStringList({"D"}));
    QCOMPARE(f.Column(3), QStringList({"6"}));
  }

  void DropsOnTheBatchTab() {
    WindowFixture f;
    f.ShowTab(2);
    Drop(f, {f.Path("b.jww"), f.Path("A.jww"), f.Path("c.txt")}, "List3");
    auto* list = f.Widget<QListWidget>("List3");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), f.Path("A.jww"));
    Drop(f, {f.Path("base.jww")}, "LabelB1");
    QCOMPARE(f.Widget<QListWidget>("List1")->count(), 1);
    Drop(f, {f.Path("sub/any.txt")}, "PanelBatchTop");
    QCOMPARE(f.Edit("Edit3")->text(), f.Path("sub/"));
  }

  void CommandLineFillsBaseListAndEnvironment() {
    QTemporaryDir files;
    auto touch = [&](const QString& name) {
      QFile file(files.filePath(name));
      file.open(QIODevice::WriteOnly);
      return files.filePath(name);
    };
    const QString first = touch("first.jww");
    const QString second = touch("second.JWW");
    const QString env = touch("env.jwf");
    const QString third = touch("third.jww");
    WindowFixture f({first, "", second, env, files.filePath("missing.jww"), third});
    QCOMPARE(f.Edit("Edit1")->text(), first);
    QCOMPARE(f.Column(0), QStringList({second, third}));
    QCOMPARE(f.Edit("Edit5")->text(), env);
  }

  void MergeButtonRunsTheJobToDone() {
    WindowFixture f;
    PrepareMerge(f, "c");
    f.window->AddMergeEntry(f.Path("unreadable.jww"));
    f.Touch("unreadable.jww");
    f.Click("Button1");
    QCOMPARE(f.window->StatusText(), QStringLiteral("完了"));
    QVERIFY(f.window->statuses.contains(QStringLiteral("ベース図面の読み込み中です")));
    QVERIFY(QFile::exists(f.Path("out.jww")));
    // The job's normalisations show in the list.
    QCOMPARE(f.Column(1).front(), QString("C"));
    QCOMPARE(f.Column(0).back(), QStringLiteral("エラーファイル：") + f.Path("unreadable.jww"));
    QVERIFY(f.Widget("Button1")->isEnabled());
  }

  void EscapeDuringTheJobStopsItAndOtherInputIsKept() {
    WindowFixture f;
    PrepareMerge(f);
    // Queued before the job starts, seen at its first poll.
    QApplication::postEvent(f.Edit("Edit2"), new QKeyEvent(QEvent::KeyPress, Qt::Key_X, {}, "x"));
    QApplication::postEvent(f.window.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    f.window->RunMerge();
    QVERIFY(f.window->StatusText().startsWith(QStringLiteral("中断しました[ESC]")));
    QVERIFY(!QFile::exists(f.Path("out.jww")));
    QCOMPARE(f.Edit("Edit2")->text(), f.Path("out.jww"));
  }
};

}  // namespace plandock::ui::test

QTEST_MAIN(plandock::ui::test::DropsTest)
#include "drops_test.moc"
