#include "ui/screen_place.h"

#include <QGuiApplication>
#include <QScreen>

namespace plandock::ui {
namespace {

// Enough of the title bar to take hold of with the mouse.
constexpr int kGripWidth = 48;
constexpr int kGripHeight = 16;

}  // namespace

QPoint VisibleTopLeft(const QRect& outer, const QList<QRect>& screens, const QRect& primary) {
  const QRect grip(outer.topLeft(), QSize(std::max(outer.width(), 1), kGripHeight));
  for (const QRect& screen : screens) {
    const QRect seen = screen.intersected(grip);
    if (seen.width() >= std::min(kGripWidth, grip.width()) && seen.height() >= kGripHeight / 2) {
      return outer.topLeft();
    }
  }
  return primary.topLeft();
}

QPoint VisibleTopLeft(const QRect& outer) {
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens())
    screens.push_back(screen->availableGeometry());
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return outer.topLeft();
  return VisibleTopLeft(outer, screens, primary->availableGeometry());
}

}  // namespace plandock::ui
