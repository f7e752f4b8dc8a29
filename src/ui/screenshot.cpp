#include "ui/screenshot.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>

#include "ui/main_window.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"

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

// The base drawing in the preview window, once it has been read.
bool GrabPreview(MainWindow& window, const QString& path) {
  window.ShowPreview(PreviewSource::kBase);
  PreviewWindow* preview = window.preview();
  QElapsedTimer waited;
  waited.start();
  while (preview->Loading() && waited.elapsed() < 60000) QApplication::processEvents();
  QApplication::processEvents();
  const bool written = !preview->Loading() && preview->grab().save(path);
  preview->hide();
  return written;
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
  window.HandleDrop({base}, CentreOf(window, "PanelBatchTop"));
  const QString folder_of_base = window.findChild<QLineEdit*>("Edit3")->text();
  window.findChild<QLineEdit*>("Edit6")->setText(QStringLiteral("平面図_設備"));
  window.findChild<QLineEdit*>("Edit2")->setText(folder_of_base + "merged.jww");
  window.ShowStatus(u"完了");
  ProgressWindow* progress = window.progress();
  progress->S_FNAME[0] = QStringLiteral("出力\\平面図_設備00.JWW");
  progress->S_FNAME[1] = QStringLiteral("【意匠図】") + base;
  for (int i = 0; i < overlays.size() && i < 8; ++i) {
    progress->S_FNAME[i + 2] = QStringLiteral("【合体】") + overlays[i];
  }
  progress->S_P2 = 1;
  progress->S_P3 = 2;
  progress->Begin();
  QApplication::processEvents();
  const bool progress_written = progress->grab().save(folder + "/window-progress.png");
  progress->hide();
  return progress_written && Grab(window, 1, folder + "/window-targets.png") &&
         Grab(window, 3, folder + "/window-settings.png") &&
         Grab(window, 2, folder + "/window-batch.png") &&
         Grab(window, 0, folder + "/window-files.png") &&
         GrabPreview(window, folder + "/window-preview.png");
}

}  // namespace plandock::ui
