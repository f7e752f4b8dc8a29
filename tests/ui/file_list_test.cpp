// The file list of tab 0 through the real window: adding, deleting with
// compaction, the choice dialogs the cells open, and the dependent boxes.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <functional>

#include "ui/choice_dialog.h"
#include "window_fixture.h"

namespace plandock::ui::test {
namespace {

// Acts on the next modal choice dialog once it is open: records the item it
// opened on, then chooses `item` and presses OK (or cancels for -1).
struct DialogAnswer {
  QString opened_on;
  void Arm(int item) {
    QTimer::singleShot(0, [this, item] {
      auto* dialog = qobject_cast<ChoiceDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      opened_on = dialog->list()->currentText();
      if (item < 0) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        return;
      }
      dialog->list()->setCurrentIndex(item);
      QTest::mouseClick(dialog->findChild<QPushButton*>("OkButton"), Qt::LeftButton);
    });
  }
};

}  // namespace

class FileListTest : public QObject {
  Q_OBJECT

 private slots:
  void AddingSkipsTheBaseAndDuplicatesIgnoringCase() {
    WindowFixture f;
    f.Edit("Edit1")->setText(f.Path("Base.jww"));
    QVERIFY(!f.window->AddMergeEntry(f.Path("BASE.JWW")));
    QVERIFY(f.window->AddMergeEntry(f.Path("a.jww"), "C", "", "7"));
    QVERIFY(!f.window->AddMergeEntry(f.Path("A.JWW")));
    QVERIFY(f.window->AddMergeEntry(f.Path("b.jww")));
    QCOMPARE(f.Column(0), QStringList({f.Path("a.jww"), f.Path("b.jww")}));
    QCOMPARE(f.Column(1), QStringList({"C", ""}));
    // A blank row is filled before a new one is appended.
    f.Grid()->SetCell(0, 0, QStringLiteral("　"));
    QVERIFY(f.window->AddMergeEntry(f.Path("c.jww"), "D"));
    QCOMPARE(f.Column(0), QStringList({f.Path("c.jww"), f.Path("b.jww")}));
    QCOMPARE(f.Column(1), QStringList({"D", ""}));
  }

  void DeleteCompactsTheList_data() {
    QTest::addColumn<QString>("select");  // a button, or "rows 2-3"
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("groups");
    QTest::newRow("rows 2 and 3 of five")
        << "rows 2-3" << QStringList({"1", "4", "5"}) << QStringList({"A", "D", "E"});
    QTest::newRow("everything") << "Button10" << QStringList({""}) << QStringList({""});
    QTest::newRow("only presets") << "Button11" << QStringList({"1", "2", "3", "4", "5"})
                                  << QStringList({"", "", "", "", ""});
  }
  void DeleteCompactsTheList() {
    QFETCH(QString, select);
    QFETCH(QStringList, files);
    QFETCH(QStringList, groups);
    WindowFixture f;
    for (int i = 1; i <= 5; ++i) {
      f.window->AddMergeEntry(f.Path(QString::number(i)), QString(QChar('A' + i - 1)), "1", "7");
    }
    if (select.startsWith("Button")) {
      f.Click(select);
    } else {
      f.Grid()->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 3), true);
    }
    f.Click("Button12");
    QStringList want_files;
    for (const QString& name : files) want_files.push_back(name.isEmpty() ? "" : f.Path(name));
    QCOMPARE(f.Column(0), want_files);
    QCOMPARE(f.Column(1), groups);
    // The colour cells follow their rows; rows left blank lose their presets.
    QCOMPARE(f.Column(3).count("7"),
             select == "Button11" ? 5 : static_cast<int>(files.count() - files.count("")));
  }

  void ChoiceDialogsMapBothWays_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("opens_on");
    QTest::addColumn<int>("choose");
    QTest::addColumn<QString>("written");
    QTest::newRow("a opens on [A]") << 1 << "a"
                                    << "[A]" << 13 << "C";
    QTest::newRow("16 opens on the first item") << 1 << "16"
                                                << "元レイヤグループ" << 0 << "";
    QTest::newRow("G") << 1 << "G"
                       << "元レイヤグループ" << 1 << "0";
    QTest::newRow("AB") << 2 << "AB"
                        << "元レイヤ" << 16 << "F";
    QTest::newRow("decimal 12 on a layer") << 2 << "12"
                                           << "(C)" << 0 << "";
    QTest::newRow("50 opens on no colour") << 3 << "50"
                                           << "元線色" << 9 << "9";
    QTest::newRow("101 opens on SXF-1") << 3 << "101"
                                        << "SXF-1" << 265 << "356";
    QTest::newRow("auxiliary colour") << 3 << "9"
                                      << "線色９（補助色）" << 1 << "1";
  }
  void ChoiceDialogsMapBothWays() {
    QFETCH(int, column);
    QFETCH(QString, cell);
    QFETCH(QString, opens_on);
    QFETCH(int, choose);
    QFETCH(QString, written);
    WindowFixture f;
    f.window->AddMergeEntry(f.Path("a.jww"));
    f.Grid()->SetCell(0, column, cell);
    DialogAnswer answer;
    answer.Arm(choose);
    const QRect rect = f.Grid()->visualRect(f.Grid()->model()->index(0, column));
    QTest::mouseClick(f.Grid()->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(answer.opened_on, opens_on);
    QCOMPARE(f.Grid()->Cell(0, column), written);
  }

  void KeyboardMovesOpenDialogsCancelAndTheHeaderChangeNothing() {
    WindowFixture f;
    f.window->AddMergeEntry(f.Path("a.jww"), "3");
    // The keyboard moving the current cell opens the dialog as a click does.
    f.Grid()->setFocus();
    DialogAnswer answer;
    answer.Arm(-1);
    QTest::keyClick(f.Grid(), Qt::Key_Right);
    QCOMPARE(answer.opened_on, QString("[3]"));
    QCOMPARE(f.Grid()->Cell(0, 1), QString("3"));
    QVERIFY(!f.window->dialog(0)->OKflag);
    DialogAnswer header;
    header.Arm(0);
    QHeaderView* top = f.Grid()->horizontalHeader();
    QTest::mouseClick(top->viewport(), Qt::LeftButton, {},
                      QPoint(top->sectionViewportPosition(2) + 5, top->height() / 2));
    QTest::qWait(10);
    QCOMPARE(header.opened_on, QString());
    QCOMPARE(f.Grid()->Cell(0, 1), QString("3"));
  }

  void PresetFieldsOpenTheirDialogOnDoubleClick() {
    WindowFixture f;
    f.ShowTab(1);
    DialogAnswer answer;
    answer.Arm(101 - 91);
    QTest::mouseDClick(f.Edit("EditA33"), Qt::LeftButton);
    QCOMPARE(answer.opened_on, QString("線色６"));
    QCOMPARE(f.Edit("EditA33")->text(), QString("101"));
    // The frames show the new name at once, cut to 12 columns.
    f.Edit("EditA3")->setText(QStringLiteral("電気設備図面一式"));
    QCOMPARE(f.Widget<QLabel>("LabelA3")->text(), QStringLiteral("電気設備図面"));
    QCOMPARE(f.Widget<QLabel>("LabelB3")->text(), QStringLiteral("電気設備図面"));
  }

  void FileButtonsFollowTheirRules() {
    WindowFixture f;
    const QString base = f.Touch("base.jww");
    const QString row = f.Touch("row.JWW");
    f.services.chosen = {f.Path("missing.jww"), base, row, f.Touch("other.txt"), row};
    f.Click("Button3");  // missing: no change
    QCOMPARE(f.Edit("Edit1")->text(), QString());
    f.Click("Button3");
    QCOMPARE(f.Edit("Edit1")->text(), base);
    f.Click("Button7");
    QCOMPARE(f.Grid()->Cell(0, 0), row);
    f.Click("Button7");  // wrong extension: the row's cell is cleared
    QCOMPARE(f.Grid()->Cell(0, 0), QString());
    f.Click("Button7");
    QCOMPARE(f.Grid()->Cell(0, 0), row);
    f.Click("Button5");
    f.Click("Button8");
    QCOMPARE(f.services.opened, QStringList({base, row}));
    // "追加(&I)" starts in the folder of the lowest drawing, name box "　".
    f.services.many = {{f.Path("n1.jww"), f.Path("n2.txt")}};
    f.Click("Button9");
    QCOMPARE(f.services.requests.back().file_name, QStringLiteral("　"));
    QCOMPARE(f.services.requests.back().folder, FolderOfForTest(row));
    QCOMPARE(f.Column(0), QStringList({row, f.Path("n1.jww")}));
  }

  void DependentCheckBoxes() {
    WindowFixture f;
    auto* overwrite = f.Widget<QCheckBox>("CheckBox9");
    overwrite->setChecked(true);
    QVERIFY(!f.Edit("Edit2")->isEnabled());
    QVERIFY(!f.Widget("Button4")->isEnabled());
    overwrite->setChecked(false);
    QVERIFY(f.Edit("Edit2")->isEnabled());
    QVERIFY(f.Widget("Button4")->isEnabled());
    auto* check = f.Widget<QCheckBox>("CheckBox8");
    auto* many = f.Widget<QCheckBox>("CheckBox14");
    check->setChecked(true);
    many->setChecked(true);
    check->setChecked(false);
    QVERIFY(!many->isChecked());
    many->setChecked(true);
    check->setChecked(true);
    QVERIFY(many->isChecked());
  }

 private:
  static QString FolderOfForTest(const QString& path) {
    return path.left(path.lastIndexOf('/') + 1);
  }
};

}  // namespace plandock::ui::test

QTEST_MAIN(plandock::ui::test::FileListTest)
#include "file_list_test.moc"
