#pragma once

#include <QFont>
#include <QString>

/// The width a window needs for the window manager to show `title` whole in
/// its title bar, beside the bar's icon and buttons: the title set in a
/// bold `font` a little larger, as title bars commonly set it, and room for
/// four squares as tall as a title bar.
int windowTitleWidth(const QString& title, const QFont& font);
