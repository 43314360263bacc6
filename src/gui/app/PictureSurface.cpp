#include "app/PictureSurface.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QPainter>
#include <QThread>

namespace {

// A mark position is 5 pixels apart; a dot of 3 leaves a gap the eye can
// count.
constexpr int kDotPixels = 3;

QImage blankSheet() {
  QImage sheet(PictureSurface::kWidthUnits / PictureSurface::kUnitsPerPixel,
               PictureSurface::kHeightUnits / PictureSurface::kUnitsPerPixel, QImage::Format_RGB32);
  sheet.fill(QColor(252, 252, 248));
  QPainter painter(&sheet);
  painter.setPen(QColor(205, 205, 215));
  painter.drawRect(0, 0, sheet.width() - 1, sheet.height() - 1);
  return sheet;
}

}  // namespace

PictureSurface::PictureSurface(QWidget* parent) : QWidget(parent), m_blank(blankSheet()) {
  m_image = m_blank;
  setObjectName(QStringLiteral("Picture1"));
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void PictureSurface::setPoint(int x, int y, RgbColour colour) {
  if (x < 0 || y < 0 || x >= kWidthUnits || y >= kHeightUnits) return;
  {
    QMutexLocker lock(&m_mutex);
    const int px = x / kUnitsPerPixel - kDotPixels / 2;
    const int py = y / kUnitsPerPixel - kDotPixels / 2;
    const QRgb rgb = qRgb(colour.red, colour.green, colour.blue);
    for (int dy = 0; dy < kDotPixels; ++dy)
      for (int dx = 0; dx < kDotPixels; ++dx)
        if (m_image.valid(px + dx, py + dy)) m_image.setPixel(px + dx, py + dy, rgb);
  }
  scheduleRepaint();
}

void PictureSurface::reset() {
  {
    QMutexLocker lock(&m_mutex);
    m_image = m_blank;
  }
  scheduleRepaint();
}

QColor PictureSurface::pointColour(int x, int y) const {
  QMutexLocker lock(&m_mutex);
  const QPoint pixel(x / kUnitsPerPixel, y / kUnitsPerPixel);
  return m_image.valid(pixel) ? m_image.pixelColor(pixel) : QColor();
}

QImage PictureSurface::image() const {
  QMutexLocker lock(&m_mutex);
  return m_image.copy();
}

QSize PictureSurface::sizeHint() const { return {180, 520}; }
QSize PictureSurface::minimumSizeHint() const { return {90, 260}; }

void PictureSurface::paintEvent(QPaintEvent*) {
  m_repaintPending = false;
  QImage picture = image();
  QPainter painter(this);
  QSize scaled = picture.size().scaled(size(), Qt::KeepAspectRatio);
  const QRect target(QPoint((QWidget::width() - scaled.width()) / 2, 0), scaled);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture);
}

// Many points arrive in a burst (a whole preview, a field marked during a
// run); one repaint, queued to the window's thread, shows them all.
void PictureSurface::scheduleRepaint() {
  if (m_repaintPending.exchange(true)) return;
  QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}
