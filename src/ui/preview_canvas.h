// Draws a display list: fitted to the widget, wheel zoom about the cursor,
// drag to pan. Without a drawing it shows a message in its middle.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>

#include "render/display_list.h"
#include "render/view.h"

namespace plandock::ui {

class PreviewCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewCanvas(QWidget* parent);

  // Shows the drawing fitted to the widget.
  void SetDrawing(std::shared_ptr<const render::DisplayList> list);
  // Shows `text` instead of a drawing.
  void SetMessage(const QString& text);
  void FitToWindow();

  bool HasDrawing() const { return list_ != nullptr; }
  QString Message() const { return message_; }
  const render::ViewTransform& View() const { return view_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::shared_ptr<const render::DisplayList> list_;
  QString message_;
  render::ViewTransform view_;
  bool fitted_ = true;  // follows the widget's size until zoomed or panned
  bool dragging_ = false;
  QPoint drag_from_;
};

}  // namespace plandock::ui
