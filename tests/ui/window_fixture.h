// Shared by the window tests: a scripted desktop (file dialogs, boxes, the
// shell), a window that records its status texts, and small files.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>
#include <vector>

#include "document/jww_file.h"
#include "support/doc_builder.h"
#include "ui/file_grid.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/window_services.h"

namespace plandock::ui::test {

class FakeServices : public WindowServices {
 public:
  struct Box {
    QMessageBox::Icon icon;
    QString text;
  };

  QString OpenFile(QWidget*, const FileDialogRequest& r) override { return Next(r); }
  QStringList OpenFiles(QWidget*, const FileDialogRequest& r) override {
    requests.push_back(r);
    QStringList files = many.empty() ? QStringList() : many.front();
    if (!many.empty()) many.pop_front();
    return files;
  }
  QString SaveFile(QWidget*, const FileDialogRequest& r) override { return Next(r); }
  QString PickName(QWidget*, const FileDialogRequest& r) override { return Next(r); }
  QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon icon, const QString& text,
                                  QMessageBox::StandardButtons buttons) override {
    boxes.push_back({icon, text});
    if (!(buttons & QMessageBox::Yes)) return QMessageBox::Ok;
    const bool yes = answers.empty() || answers.front();
    if (!answers.empty()) answers.pop_front();
    return yes ? QMessageBox::Yes : QMessageBox::No;
  }
  void OpenWithShell(const QString& path) override { opened.push_back(path); }
  void Beep() override {}

  // Script: the next chosen file of each single-file dialog, and the lists of
  // the multi-file dialogs; an empty text cancels.
  std::deque<QString> chosen;
  std::deque<QStringList> many;
  std::deque<bool> answers;  // Yes/No boxes; Yes when empty
  // Record.
  std::vector<FileDialogRequest> requests;
  std::vector<Box> boxes;
  QStringList opened;

 private:
  QString Next(const FileDialogRequest& r) {
    requests.push_back(r);
    QString f = chosen.empty() ? QString() : chosen.front();
    if (!chosen.empty()) chosen.pop_front();
    return f;
  }
};

class RecordingWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  void ShowStatus(const std::u16string& text) override {
    statuses.push_back(Q(text));
    MainWindow::ShowStatus(text);
  }
  QStringList statuses;
};

// A window over a fresh folder, started and shown on the offscreen screen.
class WindowFixture {
 public:
  explicit WindowFixture(const QStringList& arguments = {}) { Open(arguments); }
  ~WindowFixture() {
    if (window) window->close();
  }

  void Open(const QStringList& arguments = {}) {
    MainWindow::Options options;
    options.settings_path = Path("plandock.dat");
    options.arguments = arguments;
    options.services = &services;
    window = std::make_unique<RecordingWindow>(options);
    window->Start();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }

  QString Path(const QString& name) const { return dir.filePath(name); }
  // A file of a few bytes: enough for the checks that only test existence.
  QString Touch(const QString& name) const {
    QFile f(Path(name));
    if (f.open(QIODevice::WriteOnly)) f.write("x");
    return Path(name);
  }

  // A small drawing with one reference text.
  QString WriteDrawing(const QString& name, double y) const {
    TJwwData doc;
    plandock::test::InitDrawing(doc, 700);
    plandock::test::Add(doc, plandock::test::Line(0, y, 10, y));
    plandock::test::Add(
        doc, plandock::test::Text(u"【基準点】", 0, 0, 5, 0, plandock::test::Attr(0, 0, 9)));
    if (!FileOut(doc, U(Path(name)), 700)) qWarning("could not write %s", qPrintable(name));
    return Path(name);
  }

  template <class T = QWidget>
  T* Widget(const QString& name) const {
    T* w = window->findChild<T*>(name);
    if (w == nullptr) qWarning("no control named %s", qPrintable(name));
    return w;
  }
  QLineEdit* Edit(const QString& name) const { return Widget<QLineEdit>(name); }
  void Click(const QString& button) const {
    QTest::mouseClick(Widget<QPushButton>(button), Qt::LeftButton);
  }
  FileGrid* Grid() const { return window->grid(); }
  QStringList Column(int column) const {
    QStringList cells;
    for (int r = 0; r < Grid()->rowCount(); ++r) cells.push_back(Grid()->Cell(r, column));
    return cells;
  }
  QPoint CentreOf(const QString& name) const {
    QWidget* w = Widget(name);
    return w->mapToGlobal(w->rect().center());
  }
  void ShowTab(int index) const {
    Widget<QTabWidget>("PageControl1")->setCurrentIndex(index);
    QApplication::processEvents();
  }

  QTemporaryDir dir;
  FakeServices services;
  std::unique_ptr<RecordingWindow> window;
};

}  // namespace plandock::ui::test
