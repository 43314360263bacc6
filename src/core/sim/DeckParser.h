#pragma once

#include "sim/Deck.h"

#include <QByteArray>
#include <QString>

#include <optional>

/// Reads deck files: UTF-8 text describing a simulated reader and its hopper.
///
///     # a comment: "#" at the start of a word runs to the end of the line
///     model SR-SIMULATOR      rest of the line, at most 16 bytes in code page 1254
///     equipment 00010000      hexadecimal word (default 0)
///     open fail               OMR_OpenDeviceUSB never succeeds
///     connectstatus 2         hexadecimal status before the first feed (default 0)
///     sheet                   starts the next sheet of the hopper
///     status 40110001         hexadecimal status after this sheet's feed (default 0)
///     lines 61                line count the front read reports (0-155)
///     backlines 150           line count the back read reports (0-155)
///     barcode 0012345         up to 16 printable ASCII characters
///     front / back            the side the mark lines below belong to (front first)
///     12 20 200               darkness 200 at line 12, column 20
///     13: 0 0 9 250           line 13 from column 1 on; the columns not given are 0
///
/// Keywords are case-insensitive. The reader's keywords come before the
/// first `sheet`, each at most once; a sheet's keywords and marks come after
/// its `sheet`, each keyword at most once per sheet. A later mark on the same
/// position replaces an earlier one. A deck with any error is refused whole.
class DeckParser {
 public:
  /// A whole deck, or the first error and no deck.
  struct Result {
    std::optional<Deck> deck;
    /// "SOURCE:LINE: what is wrong" ("SOURCE: ..." for a file that cannot
    /// be read); empty when the deck was read.
    QString error;
    /// The deck file's line the error is on, counted from 1; 0 when none.
    int errorLine = 0;

    bool ok() const { return deck.has_value(); }
  };

  /// Parses deck text; `sourceName` names it in the error message. A leading
  /// UTF-8 byte-order mark is skipped; lines end in LF or CR LF.
  static Result parse(const QByteArray& utf8, const QString& sourceName);

  /// Reads and parses the deck file at `path`; messages name the path as given.
  static Result parseFile(const QString& path);
};
