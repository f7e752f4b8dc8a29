// Files dropped on the window: what they do depends on the tab on top and on
// where they land.
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollArea>
#include <QTabWidget>
#include <QUrl>

#include "ui/drop_frame.h"
#include "ui/main_window.h"
#include "ui/main_window_internal.h"

namespace plandock::ui {
namespace {

// Longer names are cut, as the system's drop buffer holds no more.
constexpr int kMaxDroppedName = 511;

bool Contains(const QWidget* w, QPoint global) {
  return w->isVisible() && w->rect().contains(w->mapFromGlobal(global));
}

// True when `global` is on `w` where `clip` shows it: a frame scrolled or cut
// off below its panel's edge is not hit.
bool ContainsShown(const QWidget* w, const QWidget* clip, QPoint global, int extra_width = 0) {
  if (!w->isVisible()) return false;
  QRect r = w->rect().adjusted(0, 0, extra_width, 0);
  r.moveTopLeft(w->mapTo(clip, QPoint(0, 0)));
  return r.intersected(clip->rect()).contains(clip->mapFromGlobal(global));
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) files.push_back(QDir::toNativeSeparators(url.toLocalFile()));
  }
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  HandleDrop(files, mapToGlobal(event->position().toPoint()));
}

void MainWindow::HandleDrop(const QStringList& dropped, QPoint global) {
  QStringList files;
  for (const QString& f : dropped) files.push_back(f.left(kMaxDroppedName));
  switch (tabs_->currentIndex()) {
    case 0:
      DropOnFiles(files, global);
      break;
    case 1:
      DropOnTargets(files, global);
      break;
    case 2:
      DropOnBatch(files, global);
      break;
    case 3:
      DropOnSettings(files);
      break;
  }
}

void MainWindow::DropOnFiles(const QStringList& files, QPoint global) {
  for (int n = 1; n < kDropTargetCount; ++n) {
    const auto* frame = Find<QWidget>(QString("LabelA%1").arg(n + 1));
    if (!ContainsShown(frame, files_frames_, global)) continue;
    const auto presets = TargetPresets(n);
    for (const QString& f : files) {
      if (ExtLower(f) == ".jww") AddMergeEntry(f, presets[0], presets[1], presets[2]);
    }
    return;
  }
  if (files.size() != 1) {
    TakeExistingFiles(files);
    return;
  }
  const QString& f = files.front();
  const QString ext = ExtLower(f);
  if (!Exists(f)) return;
  if (ext == ".jwf") {
    Edit("Edit5")->setText(f);
  } else if (ext == ".jww") {
    if (Contains(files_top_, global)) {
      Edit("Edit1")->setText(f);
    } else if (Contains(files_bottom_, global)) {
      Edit("Edit2")->setText(f);
    } else {
      AddMergeEntry(f);
    }
  }
}

void MainWindow::TakeExistingFiles(const QStringList& files) {
  for (const QString& f : files) {
    if (!Exists(f)) continue;
    const QString ext = ExtLower(f);
    if (ext == ".jww") AddMergeEntry(f);
    if (ext == ".jwf") Edit("Edit5")->setText(f);
  }
}

void MainWindow::DropOnTargets(const QStringList& files, QPoint global) {
  for (int n = 0; n < kDropTargetCount; ++n) {
    if (!Contains(Find<QWidget>(QString("PanelA%1").arg(n + 1)), global)) continue;
    const auto presets = n == 0 ? std::array<QString, 3>{} : TargetPresets(n);
    for (const QString& f : files) {
      if (ExtLower(f) != ".jww") continue;
      if (n == 0) {
        Edit("Edit1")->setText(f);
      } else {
        AddMergeEntry(f, presets[0], presets[1], presets[2]);
      }
    }
    return;
  }
}

void MainWindow::DropOnBatch(const QStringList& files, QPoint global) {
  if (Contains(batch_top_, global)) {
    Edit("Edit3")->setText(FolderOf(files.front()));
    return;
  }
  QWidget* clip = batch_scroll_->viewport();
  for (int n = 0; n < kDropTargetCount; ++n) {
    const auto* frame = Find<QWidget>(QString("LabelB%1").arg(n + 1));
    if (!ContainsShown(frame, clip, global, BatchList(n)->width() + 2)) continue;
    QStringList drawings;
    for (const QString& f : files) {
      if (ExtLower(f) == ".jww") drawings.push_back(f);
    }
    AddBatchFiles(n, drawings);
    return;
  }
}

void MainWindow::DropOnSettings(const QStringList& files) { TakeExistingFiles(files); }

}  // namespace plandock::ui
