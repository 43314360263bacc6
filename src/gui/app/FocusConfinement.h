#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <utility>

/// Keeps the keyboard focus inside one part of a window, such as a panel
/// laid over the window's own controls: while confined, every other control
/// of the window is out of the focus chain, so neither Tab nor a click gives
/// it the focus, and keys typed reach the part only. Access keys are not
/// affected.
class FocusConfinement {
 public:
  /// Takes the focus from the controls of `window` outside `inside` and, when
  /// the focus is not inside already, puts it on the first control of
  /// `inside` in the focus chain (for a group of options, the one selected).
  /// Confining again while confined only does the latter.
  void confine(QWidget* window, QWidget* inside);
  /// Gives every control its own focus policy back.
  void release();
  bool isActive() const { return m_active; }

 private:
  QList<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> m_taken;
  bool m_active = false;
};
