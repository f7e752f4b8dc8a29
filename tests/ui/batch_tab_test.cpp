// The batch tab: filling the lists, the delete labels and the output-name
// choices.
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

#include "ui/progress_window.h"
#include "window_fixture.h"

namespace plandock::ui::test {
namespace {

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text());
  return items;
}

void ClickLabel(WindowFixture& f, const QString& name) {
  QTest::mouseClick(f.Widget<QLabel>(name), Qt::LeftButton);
}

}  // namespace

class BatchTabTest : public QObject {
  Q_OBJECT

 private slots:
  void FramesAddChosenDrawingsInCaseInsensitiveOrder() {
    WindowFixture f;
    f.ShowTab(2);
    f.services.chosen = {f.Touch("picked.jww")};
    f.Click("Button3");  // the last chosen file's folder is where lists start
    f.ShowTab(2);
    f.services.many = {{f.Path("b.jww"), f.Path("C.JWW"), f.Path("a.txt"), f.Path("A.jww")}};
    QTest::mouseClick(f.Widget<QLabel>("LabelB2"), Qt::LeftButton);
    QCOMPARE(f.services.requests.back().folder, f.dir.path() + "/");
    QCOMPARE(f.services.requests.back().file_name, QStringLiteral("　"));
    QCOMPARE(Items(f.Widget<QListWidget>("List2")),
             QStringList({f.Path("A.jww"), f.Path("b.jww"), f.Path("C.JWW")}));
  }

  void DeleteLabelsActOnTheFocusedList() {
    WindowFixture f;
    f.ShowTab(2);
    f.window->HandleDrop({f.Path("1.jww"), f.Path("2.jww")}, f.CentreOf("List4"));
    f.window->HandleDrop({f.Path("base.jww")}, f.CentreOf("List1"));
    auto* list = f.Widget<QListWidget>("List4");
    QApplication::setActiveWindow(f.window.get());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(f.window->ListFocusNo, 4);
    ClickLabel(f, "LabelC1");
    QCOMPARE(Items(list), QStringList({f.Path("2.jww")}));
    QCOMPARE(f.Widget<QListWidget>("List1")->count(), 1);

    f.services.answers = {false, true};
    ClickLabel(f, "LabelC2");
    QCOMPARE(f.services.boxes.back().text,
             QStringLiteral("指定した【構造図】内のファイルを全て削除します。よろしいですか？"));
    QCOMPARE(list->count(), 1);
    list->setFocus();
    ClickLabel(f, "LabelC2");
    QCOMPARE(list->count(), 0);
    QCOMPARE(f.Widget<QListWidget>("List1")->count(), 1);

    f.services.answers = {true};
    ClickLabel(f, "LabelC3");
    QCOMPARE(f.services.boxes.back().text,
             QStringLiteral("指定した全てのファイルを削除します。よろしいですか？"));
    QCOMPARE(f.Widget<QListWidget>("List1")->count(), 0);
    // Leaving a list forgets it.
    f.Edit("Edit6")->setFocus();
    QCOMPARE(f.window->ListFocusNo, 0);
  }

  void ChecksRefuseTheBatch_data() {
    QTest::addColumn<int>("bases");
    QTest::addColumn<int>("merged");
    QTest::addColumn<QString>("message");
    QTest::newRow("no base drawing")
        << 0 << 1
        << QStringLiteral("ベース図面【意匠図】にファイルが指定されていません。確認して下さい。");
    QTest::newRow("counts differ") << 3 << 2
                                   << QStringLiteral(
                                          "合体図面【衛生図】のファイル指定数と\r\nベース図面【意匠"
                                          "図】のファイル指定数が異なります。確認して下さい。");
    QTest::newRow("nothing to merge")
        << 1 << 0 << QStringLiteral("合体図面にファイルが指定されていません。確認して下さい。");
  }
  void ChecksRefuseTheBatch() {
    QFETCH(int, bases);
    QFETCH(int, merged);
    QFETCH(QString, message);
    WindowFixture f;
    f.ShowTab(2);
    for (int i = 0; i < bases; ++i) {
      f.window->HandleDrop({f.Path(QString("b%1.jww").arg(i))}, f.CentreOf("List1"));
    }
    for (int i = 0; i < merged; ++i) {
      f.window->HandleDrop({f.Path(QString("m%1.jww").arg(i))}, f.CentreOf("List2"));
    }
    f.Click("Button16");
    QCOMPARE(f.services.boxes.size(), size_t{1});
    QCOMPARE(f.services.boxes.back().text, message);
    QCOMPARE(f.services.boxes.back().icon, QMessageBox::Question);
    QVERIFY(f.window->statuses.isEmpty());
  }

  void RunsTwoPairsFromTheButton() {
    WindowFixture f;
    f.ShowTab(2);
    const QString bases[] = {f.WriteDrawing("base1.jww", 0), f.WriteDrawing("base2.jww", 1)};
    const QString overs[] = {f.WriteDrawing("over1.jww", 5), f.WriteDrawing("over2.jww", 6)};
    f.window->HandleDrop({bases[1], bases[0]}, f.CentreOf("LabelB1"));
    f.window->HandleDrop({overs[0], overs[1]}, f.CentreOf("List2"));
    f.Edit("Edit3")->setText(f.dir.path() + "/");
    f.Edit("Edit6")->setText("out");
    f.Widget<QCheckBox>("CheckBox9")->setChecked(true);
    f.Click("Button16");
    QCOMPARE(f.window->StatusText(), QStringLiteral("連続実行を完了しました。"));
    QCOMPARE(f.window->statuses.count(QStringLiteral("完了")), 2);
    QVERIFY(QFile::exists(f.Path("out0.JWW")));
    QVERIFY(QFile::exists(f.Path("out1.JWW")));
    // The window keeps the last pair's fields and gets the overwrite box back.
    QVERIFY(f.Widget<QCheckBox>("CheckBox9")->isChecked());
    QCOMPARE(f.Edit("Edit1")->text(), bases[1]);
    QCOMPARE(f.Edit("Edit2")->text(), f.Path("out1.JWW"));
    QCOMPARE(f.Column(0), QStringList({overs[1]}));
    QCOMPARE(f.Column(1), QStringList({"C"}));
    QCOMPARE(f.Widget<QTabWidget>("PageControl1")->currentIndex(), 2);
    QVERIFY(!f.window->progress()->isVisible());
    QVERIFY(!f.window->progress()->next_button()->isEnabled());
  }

  void EscapeStopsTheBatchAtItsCheckPoint() {
    WindowFixture f;
    f.ShowTab(2);
    f.window->HandleDrop({f.WriteDrawing("base.jww", 0)}, f.CentreOf("LabelB1"));
    f.window->HandleDrop({f.WriteDrawing("over.jww", 5)}, f.CentreOf("List2"));
    f.Edit("Edit3")->setText(f.dir.path() + "/");
    f.Edit("Edit6")->setText("out");
    QApplication::postEvent(f.window.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
    QApplication::postEvent(f.window.get(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, {}));
    f.window->RunBatch();
    QCOMPARE(f.window->StatusText(), QStringLiteral("[ESC] 連続実行を中断しました。"));
    QVERIFY(!QFile::exists(f.Path("out0.JWW")));
  }

  void NameChoicesFollowTheTargetNames() {
    WindowFixture f;
    f.Edit("EditA3")->setText(QStringLiteral("　"));
    f.Edit("EditA1")->setText(QStringLiteral("平面詳細図面一式"));
    f.window->FNameNo = 3;
    f.ShowTab(2);
    auto* choice = f.Widget<QComboBox>("ComboBox1");
    QCOMPARE(choice->count(), 10);
    QCOMPARE(choice->itemText(0), QStringLiteral("任意ファイル名"));
    QCOMPARE(choice->itemText(1), QStringLiteral("平面詳細図面と同一名"));
    QCOMPARE(choice->itemText(3), QStringLiteral("　と同一名"));
    QCOMPARE(choice->currentIndex(), 3);
  }
};

}  // namespace plandock::ui::test

QTEST_MAIN(plandock::ui::test::BatchTabTest)
#include "batch_tab_test.moc"
