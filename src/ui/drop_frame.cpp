#include "ui/drop_frame.h"

#include <QMouseEvent>

namespace plandock::ui {

DropFrame::DropFrame(const QString& name, QColor color, QWidget* parent)
    : QLabel(parent), color_(color) {
  setObjectName(name);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  Paint(color_);
}

QColor DropFrame::CurrentColor() const { return palette().color(QPalette::Window); }

void DropFrame::Paint(QColor color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, color);
  p.setColor(QPalette::WindowText, Qt::black);
  setPalette(p);
}

void DropFrame::enterEvent(QEnterEvent* event) {
  Paint(kHoverColor);
  QLabel::enterEvent(event);
}

void DropFrame::leaveEvent(QEvent* event) {
  Paint(color_);
  QLabel::leaveEvent(event);
}

void DropFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QLabel::mousePressEvent(event);
}

}  // namespace plandock::ui
