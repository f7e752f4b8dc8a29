// plandock-gui: the desktop window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/screenshot.h"
#include "util/path.h"

namespace {

// Beside the program, or in the user's configuration folder when the
// program's folder is not writable (an installed copy).
QString SettingsPath() {
  const QString program = QCoreApplication::applicationFilePath();
  const QString beside =
      plandock::ui::Q(plandock::PathChangeExt(plandock::ui::U(program), u".dat"));
  if (QFileInfo(QFileInfo(program).absolutePath()).isWritable()) return beside;
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  QDir().mkpath(folder);
  return folder + "/" + QFileInfo(beside).fileName();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Plandock");
  plandock::ui::MainWindow::Options options;
  options.settings_path = QDir::toNativeSeparators(SettingsPath());
  options.arguments = QApplication::arguments().mid(1);
  // For the README's pictures: PLANDOCK_SCREENSHOTS=folder plandock-gui base overlay...
  // They start from first-start settings and leave the user's file alone.
  const QString pictures = qEnvironmentVariable("PLANDOCK_SCREENSHOTS");
  if (!pictures.isEmpty()) {
    options.settings_path = QDir::temp().filePath("plandock-screenshots.dat");
    QFile::remove(options.settings_path);
  }
  plandock::ui::MainWindow window(options);
  window.Start();
  window.show();
  if (!pictures.isEmpty() && !options.arguments.isEmpty()) {
    const bool written = plandock::ui::TakeScreenshots(window, options.arguments.front(),
                                                       options.arguments.mid(1), pictures);
    window.close();
    QFile::remove(options.settings_path);
    return written ? 0 : 1;
  }
  return QApplication::exec();
}
