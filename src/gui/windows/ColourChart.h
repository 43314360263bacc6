#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace colour_chart {

constexpr int kWidth = 213;
constexpr int kHeight = 167;

/// The chart the outer colour is picked from: a honeycomb of hexagon cells
/// on white, the hues around its middle, lighter towards the white middle
/// cell and darker towards the rim, and below it a row of greys from white
/// to black.
QImage draw();

/// The colour number of the chart's pixel at `point` (red + 256 * green +
/// 65536 * blue), or -1 when the point is off the picture.
std::int32_t colourNumberAt(const QImage& chart, QPoint point);

}  // namespace colour_chart

/// The colour chart of the appearance window (Picture1). It follows the
/// mouse without a button held, and reports the colour under the mouse
/// on every move and on the release of a button; a release outside the
/// chart still comes here when the press was on it, with -1.
class ColourChart : public QWidget {
  Q_OBJECT
 public:
  explicit ColourChart(QWidget* parent = nullptr);

  const QImage& picture() const { return m_picture; }
  QSize sizeHint() const override { return m_picture.size(); }

 signals:
  void moved(std::int32_t colourNumber);
  void released(std::int32_t colourNumber);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage m_picture;
};
