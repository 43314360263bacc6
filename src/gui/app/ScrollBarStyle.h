#pragma once

#include <QProxyStyle>

class QWidget;

/// The application's style, with a scroll bar's thumb drawn darker than its
/// track. Left to itself the style draws the thumb lighter than the track,
/// and on a white page the track below the thumb reads as the thumb: an
/// operator sees the bar scrolled to the end while the text shows its top.
class ScrollBarStyle : public QProxyStyle {
  Q_OBJECT
 public:
  /// Based on a fresh instance of the application's style.
  explicit ScrollBarStyle(QObject* owner);

  /// Draws every scroll bar under `root` (and created so far) with a style
  /// owned by `root`.
  static void applyTo(QWidget* root);

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget = nullptr) const override;
};
