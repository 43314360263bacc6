#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

/// Where a top-level window goes on its screen.
struct WindowPlacement {
  /// The window's own area (inside the frame), in screen coordinates.
  QRect geometry;
  /// The preferred size did not fit: the window takes the whole free area.
  bool fillsScreen = false;
};

/// A window that prefers `preferred` and needs at least `minimum`, on a
/// screen whose free area (without task bars and docks) is `available`,
/// with `frame` (title bar and borders) added around it: the preferred size
/// when it fits with its frame, else the free area less the frame, but
/// never below `minimum`; centred on the free area, its frame kept inside
/// it wherever the size allows.
WindowPlacement placeWindow(QSize preferred, QSize minimum, const QRect& available, const QMargins& frame);
