// "設定を保存" and "設定を開く" through the window, the program's own file at
// start and close, and windows brought back onto a screen.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTextStream>

#include "ui/choice_dialog.h"
#include "ui/screen_place.h"
#include "window_fixture.h"

namespace plandock::ui::test {
namespace {

QStringList Lines(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
  if (!lines.isEmpty() && lines.front().startsWith(QChar(0xFEFF))) lines.front().remove(0, 1);
  return lines;
}

}  // namespace

class SettingsButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void SaveAndOpenRestoreTheWindow() {
    WindowFixture f;
    const QString ini = f.Path("mine.ini");
    f.Edit("Edit1")->setText(f.Path("base.jww"));
    f.Edit("EditA5")->setText(QStringLiteral("空調図"));
    f.Edit("EditA51")->setText("E");
    f.Widget<QCheckBox>("CheckBox3")->setChecked(true);
    f.Widget<QRadioButton>("RadioButton2")->setChecked(true);
    f.Widget<QRadioButton>("RadioGroup1_2")->setChecked(true);
    f.window->move(40, 30);
    f.window->dialog(2)->move(70, 80);
    f.services.chosen = {ini};
    f.Click("Button17");
    const FileDialogRequest& save = f.services.requests.back();
    QCOMPARE(save.title, QStringLiteral("設定ファイルに名前を付けて保存"));
    QCOMPARE(save.filter, QStringLiteral("設定ファイル(*.ini)"));
    QCOMPARE(save.default_suffix, QString("ini"));
    QCOMPARE(f.window->DatFile, ini);
    const QStringList lines = Lines(ini);
    QCOMPARE(lines.value(70), ini);
    QCOMPARE(lines.value(73), f.Path("base.jww"));
    QCOMPARE(lines.value(37), QStringLiteral("空調図"));

    // Change everything, then open the file again.
    f.Edit("Edit1")->setText(QString());
    f.Edit("EditA5")->setText("x");
    f.Edit("EditA51")->clear();
    f.Widget<QCheckBox>("CheckBox3")->setChecked(false);
    f.Widget<QRadioButton>("RadioButton1")->setChecked(true);
    f.Widget<QRadioButton>("RadioGroup1_0")->setChecked(true);
    f.window->move(300, 200);
    f.window->dialog(2)->move(0, 0);
    f.window->DatFile.clear();
    f.services.chosen = {ini};
    f.Click("Button18");
    QCOMPARE(f.services.requests.back().title, QStringLiteral("設定ファイルを開く"));
    QCOMPARE(f.Edit("Edit1")->text(), f.Path("base.jww"));
    QCOMPARE(f.Edit("EditA5")->text(), QStringLiteral("空調図"));
    QCOMPARE(f.Widget<QLabel>("LabelA5")->text(), QStringLiteral("空調図"));
    QCOMPARE(f.Edit("EditA51")->text(), QString("E"));
    QVERIFY(f.Widget<QCheckBox>("CheckBox3")->isChecked());
    QVERIFY(f.Widget<QRadioButton>("RadioButton2")->isChecked());
    QVERIFY(f.Widget<QRadioButton>("RadioGroup1_2")->isChecked());
    QCOMPARE(f.window->frameGeometry().topLeft(), QPoint(40, 30));
    QCOMPARE(f.window->dialog(2)->pos(), QPoint(70, 80));
    QCOMPARE(f.window->DatFile, ini);
  }

  void OtherExtensionsAreIgnored() {
    WindowFixture f;
    f.services.chosen = {f.Path("mine.txt"), f.Touch("other.dat")};
    f.Click("Button17");
    f.Click("Button18");
    QVERIFY(!QFile::exists(f.Path("mine.txt")));
    QCOMPARE(f.window->DatFile, QString());
  }

  void TheOwnFileIsReadAtStartAndWrittenAtClose() {
    WindowFixture f;
    f.Edit("Edit1")->setText(f.Path("stored.jww"));
    f.Edit("Edit2")->setText(f.Path("dest.jww"));
    f.Widget<QTabWidget>("PageControl1")->setCurrentIndex(3);
    f.window->close();
    const QStringList lines = Lines(f.Path("plandock.dat"));
    QCOMPARE(lines.size(), 76);  // 75 lines, each ended by CR LF
    QCOMPARE(lines.value(74), f.Path("dest.jww"));
    // A stored base drawing keeps the command line's first drawing out of it.
    const QString named = f.Touch("named.jww");
    f.Open({named});
    QCOMPARE(f.Edit("Edit1")->text(), f.Path("stored.jww"));
    QCOMPARE(f.Column(0), QStringList({named}));
    QCOMPARE(f.Widget<QTabWidget>("PageControl1")->currentIndex(), 3);
  }

  void AWindowStoredOffEveryScreenComesBack() {
    WindowFixture f;
    f.window->move(-20000, -20000);
    f.window->dialog(0)->move(50000, 10);
    f.window->close();
    f.Open();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(f.window->frameGeometry().topLeft()));
    QVERIFY(screen.contains(f.window->dialog(0)->pos()));
  }

  void VisibleTopLeftKeepsAGrippableTitle_data() {
    QTest::addColumn<QRect>("outer");
    QTest::addColumn<QPoint>("want");
    QTest::newRow("on the first screen") << QRect(100, 100, 735, 465) << QPoint(100, 100);
    QTest::newRow("on the second screen") << QRect(2000, 50, 735, 465) << QPoint(2000, 50);
    QTest::newRow("title above every screen") << QRect(100, -400, 735, 465) << QPoint(0, 0);
    QTest::newRow("only a sliver on the right") << QRect(1900, 100, 735, 465) << QPoint(1900, 100);
    QTest::newRow("right of everything") << QRect(3700, 100, 735, 465) << QPoint(0, 0);
    QTest::newRow("left of everything") << QRect(-730, 100, 735, 465) << QPoint(0, 0);
  }
  void VisibleTopLeftKeepsAGrippableTitle() {
    QFETCH(QRect, outer);
    QFETCH(QPoint, want);
    const QList<QRect> screens = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1800, 1040)};
    QCOMPARE(VisibleTopLeft(outer, screens, screens.front()), want);
  }
};

}  // namespace plandock::ui::test

QTEST_MAIN(plandock::ui::test::SettingsButtonsTest)
#include "settings_buttons_test.moc"
