#pragma once

#include <QList>
#include <QString>

#include <optional>

/// One caption that switching the language sets, in both languages.
struct Caption {
  QString control;  ///< object name of the widget ("MainWindow" for the window title, "Option2_2", ...)
  QString turkish;
  QString english;
};

/// Every caption that switching the language sets, in the order they are
/// set. "&" marks an access key and "&&" shows a single "&".
const QList<Caption>& captionTable();

/// The caption of a row in a language: 0 Turkish, 1 English; nothing for
/// any other index (captions then stay as they are).
std::optional<QString> captionIn(const Caption& caption, int languageIndex);
