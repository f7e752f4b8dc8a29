// The batch tab: filling the lists, the delete labels and the output-name
// choices.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

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
