#pragma once

#include "sim/Deck.h"

#include <QByteArray>
#include <QStringList>

/// Writes decks as deck files.
class DeckWriter {
 public:
  /// The deck as UTF-8 deck text. A deck as DeckParser gives it (marks in
  /// line and column order, none of darkness 0) reads back equal. `comment`
  /// lines come first (each after "# "), then the reader's
  /// keywords that differ from their defaults, then each sheet with its
  /// marks one per line ("12 20 13"), front before back.
  static QByteArray write(const Deck& deck, const QStringList& comment = {});
};
