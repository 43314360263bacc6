#include "app/BackgroundWidget.h"

#include <QLinearGradient>
#include <QPainter>

BackgroundWidget::BackgroundWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Image2"));
  m_picture = builtInPicture();
}

void BackgroundWidget::setPicture(const QImage& picture) {
  m_picture = picture;
  update();
}

QImage BackgroundWidget::builtInPicture() {
  QImage picture(640, 400, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, 640, 400);
  gradient.setColorAt(0, QColor(18, 34, 74));
  gradient.setColorAt(1, QColor(36, 70, 120));
  painter.fillRect(picture.rect(), gradient);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(255, 255, 255, 22), 1.2));
  for (int row = 0; row < 20; ++row)
    for (int column = 0; column < 32; ++column)
      painter.drawEllipse(QPointF(14 + column * 20, 12 + row * 20), 5, 3.2);
  return picture;
}

void BackgroundWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), m_picture);
}
