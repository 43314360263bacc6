#pragma once

#include "layout/LayoutTable.h"
#include "sim/DeckSheetValues.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// Reads a values file for the deck generator: UTF-8 text, one sheet per
/// line, items separated by TAB.
///
///     NAME=VALUE         the value of the field named NAME (its name in the
///                        layout), written as the field reads it
///     @N=VALUE           the same for field N, counted from 1
///     FIRST..LAST=TEXT   one character of TEXT for each field from FIRST to
///                        LAST, for fields that read one character
///     NAME@light=VALUE   faint marks that do not read (also @erased for
///                        rubbed-out marks, @double for second marks)
///     @status=HEX        status the reader reports after the feed
///     @lines=N           line count the front read reports (@backlines: back)
///     @barcode=TEXT      the sheet's barcode
///     -                  nothing (a line "-" is a sheet without marks)
///
/// Values are taken exactly, blanks included. Empty lines and lines starting
/// with "#" are skipped; fields not named on a line stay unmarked.
class DeckValuesParser {
 public:
  struct Result {
    QList<DeckSheetValues> sheets;
    /// "SOURCE:LINE: what is wrong"; empty when the file was read.
    QString error;
    int errorLine = 0;

    bool ok() const { return error.isEmpty(); }
  };

  static Result parse(const QByteArray& utf8, const LayoutTable& layout, const QString& sourceName);
};
