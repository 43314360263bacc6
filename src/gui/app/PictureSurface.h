#pragma once

#include "layout/SheetPicture.h"

#include <QColor>
#include <QImage>
#include <QMutex>
#include <QWidget>

#include <atomic>

/// The sheet picture of the main window (Picture1): the layout preview and
/// the points the reading run draws to show the operator a field. It keeps
/// the picture's own units (30 per reading line and column) and scales the
/// drawing to the space the window gives it.
///
/// Points may be set from the reading run's thread; the widget repaints on
/// the window's thread.
class PictureSurface : public QWidget, public SheetPicture {
  Q_OBJECT
 public:
  /// Room for 48 columns and 155 lines, also when mirrored 150 units in
  /// from the far edges.
  static constexpr int kWidthUnits = 1650;
  static constexpr int kHeightUnits = 4830;
  static constexpr int kUnitsPerPixel = 6;

  explicit PictureSurface(QWidget* parent = nullptr);

  int width() const override { return kWidthUnits; }
  int height() const override { return kHeightUnits; }
  void setPoint(int x, int y, RgbColour colour) override;

  /// Back to the blank sheet (the picture Picture2 holds).
  void reset();
  /// The colour at a point, in the picture's units; for tests and checks.
  QColor pointColour(int x, int y) const;
  /// The picture as it stands, at its own pixel size.
  QImage image() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void scheduleRepaint();

  mutable QMutex m_mutex;
  QImage m_image;
  QImage m_blank;
  std::atomic<bool> m_repaintPending{false};
};
