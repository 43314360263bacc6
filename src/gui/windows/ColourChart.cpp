#include "windows/ColourChart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace colour_chart {

namespace {

constexpr int kRings = 6;            // cells from the middle to the rim
constexpr int kLightRings = 4;       // rings that go from white to the full hue
constexpr double kCellRadius = 7.0;  // corner distance of a chart cell
constexpr double kGreyRadius = 6.5;
constexpr int kGreys = 13;

// A hexagon standing on a corner, its centre at `centre`.
QPolygonF hexagon(QPointF centre, double radius) {
  QPolygonF corners;
  for (int corner = 0; corner < 6; ++corner) {
    const double angle = std::numbers::pi / 180.0 * (60.0 * corner - 30.0);
    corners << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
  }
  return corners;
}

// Rings 1..kLightRings mix white into the hue, the rings beyond darken it;
// the hue follows the cell's direction from the middle, red to the right.
QColor cellColour(int ring, QPointF offset) {
  if (ring == 0) return Qt::white;
  double degrees = std::atan2(-offset.y(), offset.x()) * 180.0 / std::numbers::pi;
  if (degrees < 0) degrees += 360.0;
  const int hue = static_cast<int>(std::lround(degrees)) % 360;
  if (ring <= kLightRings) return QColor::fromHsv(hue, 255 * ring / kLightRings, 255);
  const int darker = ring - kLightRings;
  return QColor::fromHsv(hue, 255, 255 - 255 * darker / (2 * (kRings - kLightRings)));
}

}  // namespace

QImage draw() {
  QImage chart(kWidth, kHeight, QImage::Format_RGB32);
  chart.fill(Qt::white);
  QPainter painter(&chart);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 1.0));

  const double step = std::sqrt(3.0) * kCellRadius;
  const QPointF middle(kWidth / 2.0, 4.0 + (1.5 * kRings + 1.0) * kCellRadius);
  for (int r = -kRings; r <= kRings; ++r) {
    for (int q = -kRings; q <= kRings; ++q) {
      const int ring = (std::abs(q) + std::abs(r) + std::abs(q + r)) / 2;
      if (ring > kRings) continue;
      const QPointF offset(step * (q + r / 2.0), 1.5 * kCellRadius * r);
      painter.setBrush(cellColour(ring, offset));
      painter.drawPolygon(hexagon(middle + offset, kCellRadius));
    }
  }

  const double greyStep = std::sqrt(3.0) * kGreyRadius;
  const double greyY = kHeight - 4.0 - kGreyRadius;
  const double firstX = kWidth / 2.0 - greyStep * (kGreys - 1) / 2.0;
  for (int grey = 0; grey < kGreys; ++grey) {
    const int level = 255 - 255 * grey / (kGreys - 1);
    painter.setBrush(QColor(level, level, level));
    painter.setPen(QPen(grey == 0 ? QColor(200, 200, 200) : QColor(Qt::white), 1.0));
    painter.drawPolygon(hexagon(QPointF(firstX + greyStep * grey, greyY), kGreyRadius));
  }
  return chart;
}

std::int32_t colourNumberAt(const QImage& chart, QPoint point) {
  if (!chart.rect().contains(point)) return -1;
  const QRgb pixel = chart.pixel(point);
  return qRed(pixel) + 256 * qGreen(pixel) + 65536 * qBlue(pixel);
}

}  // namespace colour_chart

ColourChart::ColourChart(QWidget* parent) : QWidget(parent), m_picture(colour_chart::draw()) {
  setObjectName(QStringLiteral("Picture1"));
  setFixedSize(m_picture.size());
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

void ColourChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_picture);
}

void ColourChart::mouseMoveEvent(QMouseEvent* event) {
  emit moved(colour_chart::colourNumberAt(m_picture, event->position().toPoint()));
}

void ColourChart::mouseReleaseEvent(QMouseEvent* event) {
  emit released(colour_chart::colourNumberAt(m_picture, event->position().toPoint()));
}
