#include "ui/screenshot.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include "ui/main_window.h"

namespace plandock::ui {
namespace {

QPoint CentreOf(const MainWindow& window, const QString& name) {
  const auto* w = window.findChild<QWidget*>(name);
  return w->mapToGlobal(w->rect().center());
}

bool Grab(MainWindow& window, int tab, const QString& path) {
  window.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(tab);
  QApplication::processEvents();
  return window.grab().save(path);
}

}  // namespace

bool TakeScreenshots(MainWindow& window, const QString& base, const QStringList& overlays,
                     const QString& folder) {
  QDir().mkpath(folder);
  window.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
  QApplication::processEvents();
  window.HandleDrop({base}, CentreOf(window, "LabelB1"));
  for (int i = 0; i < overlays.size() && i < 8; ++i) {
    window.HandleDrop({overlays[i]}, CentreOf(window, QString("LabelB%1").arg(i + 2)));
  }
  window.ShowStatus(u"完了");
  return Grab(window, 1, folder + "/window-targets.png") &&
         Grab(window, 3, folder + "/window-settings.png") &&
         Grab(window, 2, folder + "/window-batch.png") &&
         Grab(window, 0, folder + "/window-files.png");
}

}  // namespace plandock::ui
