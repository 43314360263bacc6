#pragma once

#include <QString>

/// The main-window controls that saving the settings and opening the
/// settings panel switch: the enabled state of the buttons and of the layout
/// list, and the layout list's text (saved as the last layout). The initial
/// state is the idle window.
struct MainControls {
  bool Command1Enabled = true;    ///< "&Oku"
  bool Command2Enabled = true;    ///< "Çı&kış"
  bool Command3Enabled = true;    ///< "&Ayarlar"
  bool Command5Enabled = true;    ///< delete layout
  bool Command12Enabled = false;  ///< "&Dur"
  bool Combo1Enabled = true;      ///< layout list
  QString Combo1Text;             ///< the layout list's text

  bool operator==(const MainControls&) const = default;
};
