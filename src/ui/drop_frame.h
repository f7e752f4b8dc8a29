// A drop-target frame: a coloured label that lights up under the mouse and
// reports clicks.
#pragma once

#include <QColor>
#include <QLabel>

namespace plandock::ui {

inline const QColor kFrameColor(140, 186, 236);
inline const QColor kBaseFrameColor(166, 232, 174);
inline const QColor kHoverColor(255, 166, 210);

class DropFrame : public QLabel {
  Q_OBJECT

 public:
  DropFrame(const QString& name, QColor color, QWidget* parent);
  QColor CurrentColor() const;

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Paint(QColor color);

  QColor color_;
};

}  // namespace plandock::ui
