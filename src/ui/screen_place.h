// Where a restored window may go: a stored place that no screen shows any
// more (a monitor unplugged, a smaller desktop) would leave it out of reach.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace plandock::ui {

// `outer` kept when a strip of its top edge lies on one of `screens` (the
// available areas); otherwise moved to the top left of `primary`.
QPoint VisibleTopLeft(const QRect& outer, const QList<QRect>& screens, const QRect& primary);
// The same over the screens of this desktop.
QPoint VisibleTopLeft(const QRect& outer);

}  // namespace plandock::ui
