// The drawing preview: the selected file-list row's drawing, the base, or the
// result of the last merge. Drawings are read on a thread of their own, so a
// big file does not stop the main window.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QRadioButton;

namespace plandock::ui {

class PreviewCanvas;

enum class PreviewSource { kRow, kBase, kResult };

class PreviewWindow : public QDialog {
  Q_OBJECT

 public:
  // `path_of` gives the file each source shows now; empty when there is none.
  PreviewWindow(std::function<QString(PreviewSource)> path_of, QWidget* parent);

  void Show(PreviewSource source);
  // Reads the chosen source's file again when it is another file than the
  // shown one, or, with `again`, in any case.
  void Refresh(bool again = false);

  PreviewSource Source() const { return source_; }
  QString ShownPath() const { return shown_; }
  PreviewCanvas* canvas() const { return canvas_; }
  bool Loading() const { return loading_ != 0; }

 private:
  void Load(const QString& path);

  std::function<QString(PreviewSource)> path_of_;
  PreviewSource source_ = PreviewSource::kRow;
  PreviewCanvas* canvas_ = nullptr;
  QLabel* path_label_ = nullptr;
  QRadioButton* choices_[3] = {};
  QString shown_;
  unsigned serial_ = 0;   // a later request makes an earlier reading's result stale
  unsigned loading_ = 0;  // the serial being read, 0 when none
};

}  // namespace plandock::ui
