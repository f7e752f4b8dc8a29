#include "ui/preview_canvas.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/qt_text.h"

namespace plandock::ui {
namespace {

constexpr double kFitMargin = 12;
const char* const kFontFamilies[] = {"Noto Sans CJK JP", "Noto Sans JP", "Yu Gothic", "Meiryo",
                                     "Hiragino Sans",    "IPAGothic",    "MS Gothic"};

QColor Color(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }
QPointF P(render::Point2 p) { return {p.x, p.y}; }

class Painter {
 public:
  Painter(QPainter& painter, const render::DisplayList& list, const render::ViewTransform& view)
      : p_(painter), list_(list), view_(view) {
    QStringList families;
    for (const char* f : kFontFamilies) families << QString::fromLatin1(f);
    font_.setFamilies(families);
  }

  void Draw(const render::Primitive& prim) {
    switch (prim.kind) {
      case render::PrimitiveKind::kPolyline:
        if (prim.count >= 2) Lines(prim);
        break;
      case render::PrimitiveKind::kPolygon:
        if (prim.count >= 3) Polygon(prim);
        break;
      case render::PrimitiveKind::kArc:
        Arc(prim);
        break;
      case render::PrimitiveKind::kText:
        Text(list_.texts[prim.data], prim.rgb);
        break;
      case render::PrimitiveKind::kMarker:
        Marker(list_.markers[prim.data], prim.rgb);
        break;
    }
  }

 private:
  void Stroke(const render::Primitive& prim) {
    const double width = render::StrokePx(prim.width);
    QPen pen(Color(prim.rgb), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const std::vector<float>& dashes = list_.line_types[prim.line_type].dashes;
    if (!dashes.empty()) {
      QList<qreal> pattern;  // in pen widths
      for (float d : dashes) pattern << std::max(d * render::kPxPerDot / width, 0.01);
      if (pattern.size() % 2 != 0) pattern << pattern;
      pen.setDashPattern(pattern);
    }
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
  }

  QPolygonF Points(const render::Primitive& prim) const {
    QPolygonF points;
    points.reserve(static_cast<int>(prim.count));
    for (uint32_t i = 0; i < prim.count; ++i) points << P(view_.Px(list_.points[prim.data + i]));
    return points;
  }

  void Lines(const render::Primitive& prim) {
    Stroke(prim);
    p_.drawPolyline(Points(prim));
  }

  void Polygon(const render::Primitive& prim) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(Color(prim.rgb));
    p_.drawPolygon(Points(prim));
  }

  // The unit circle's arc mapped by c + u·cos t + v·sin t, then into pixels.
  void Arc(const render::Primitive& prim) {
    const render::ArcGeom& a = list_.arcs[prim.data];
    const render::Point2 c = view_.Px(a.c), u = view_.PxVec(a.u), v = view_.PxVec(a.v);
    // Qt's angles run clockwise on the unit circle's y-down picture: negate them.
    const QRectF unit(-1, -1, 2, 2);
    const double start = -a.start * 180 / std::numbers::pi,
                 sweep = -a.sweep * 180 / std::numbers::pi;
    QPainterPath path;
    path.arcMoveTo(unit, start);
    path.arcTo(unit, start, std::clamp(sweep, -360.0, 360.0));
    Stroke(prim);
    p_.drawPath(QTransform(u.x, u.y, v.x, v.y, c.x, c.y).map(path));
  }

  void Text(const render::TextGeom& t, uint32_t rgb) {
    const double size = t.height * view_.scale;
    if (!(size >= 1) || size > 1e5) return;  // unreadable dots, or far beyond the window
    const QString text = Q(list_.strings[t.text]);
    font_.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    const double natural = QFontMetricsF(font_).horizontalAdvance(text);
    const render::Point2 at = view_.Px(t.pos);
    p_.save();
    p_.translate(at.x, at.y);
    p_.rotate(-t.angle_deg);
    // The run length the drawing stores: a text in another font still fits its line.
    if (t.length * view_.scale >= 1 && natural > 0) p_.scale(t.length * view_.scale / natural, 1);
    p_.setFont(font_);
    p_.setPen(Color(rgb));
    p_.drawText(QPointF(0, 0), text);
    p_.restore();
  }

  void Marker(const render::MarkerGeom& m, uint32_t rgb) {
    const double r = std::max(m.radius * view_.scale, 0.8);
    p_.setPen(Qt::NoPen);
    p_.setBrush(Color(rgb));
    p_.drawEllipse(P(view_.Px(m.pos)), r, r);
  }

  QPainter& p_;
  const render::DisplayList& list_;
  const render::ViewTransform& view_;
  QFont font_;
};

}  // namespace

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("PreviewCanvas");
  setMinimumSize(160, 120);
  setCursor(Qt::OpenHandCursor);
}

void PreviewCanvas::SetDrawing(std::shared_ptr<const render::DisplayList> list) {
  list_ = std::move(list);
  message_.clear();
  FitToWindow();
}

void PreviewCanvas::SetMessage(const QString& text) {
  list_.reset();
  message_ = text;
  update();
}

void PreviewCanvas::FitToWindow() {
  fitted_ = true;
  if (list_) view_ = render::FitBox(render::Extents(*list_), width(), height(), kFitMargin);
  update();
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!list_) {
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().windowText().color());
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message_);
    return;
  }
  painter.fillRect(rect(), Color(list_->background));
  painter.setRenderHint(QPainter::Antialiasing);
  Painter draw(painter, *list_, view_);
  for (const render::Primitive& prim : list_->primitives) draw.Draw(prim);
}

void PreviewCanvas::resizeEvent(QResizeEvent*) {
  if (fitted_) FitToWindow();
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
  if (!list_) return;
  const int steps = event->angleDelta().y();
  if (steps == 0) return;
  const QPointF at = event->position();
  view_.ZoomAbout({at.x(), at.y()}, std::pow(1.25, steps / 120.0));
  fitted_ = false;
  update();
  event->accept();
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::MiddleButton) return;
  dragging_ = true;
  drag_from_ = event->position().toPoint();
  setCursor(Qt::ClosedHandCursor);
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !list_) return;
  const QPoint at = event->position().toPoint();
  view_.Pan(at.x() - drag_from_.x(), at.y() - drag_from_.y());
  drag_from_ = at;
  fitted_ = false;
  update();
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent*) {
  dragging_ = false;
  setCursor(Qt::OpenHandCursor);
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent*) { FitToWindow(); }

}  // namespace plandock::ui
