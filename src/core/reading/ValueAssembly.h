#pragma once

#include "layout/LayoutTable.h"
#include "reading/RunFieldTable.h"

#include <QString>
#include <QStringList>

#include <vector>

/// Turns the decoded values of a sheet into their final form: characters of
/// a "~" word list become words, the barcode text is fitted to the field,
/// and the sheet's display text is built.
///
/// The word lists are split once, when the object is made.
class ValueAssembly {
 public:
  explicit ValueAssembly(const LayoutTable& layout);

  /// Assembles fields 1 to the last one in order, appending each field's
  /// display text and a carriage return to `Text6` (blanks shown as "_";
  /// kind "Q" shows nothing). Returns true when the sheet is dropped: a
  /// barcode field read as nothing but zeros. The fields after it are then
  /// left as the passes made them.
  bool assemble(RunFieldTable& values, QString& Text6) const;

 private:
  struct Field {
    bool wordList = false;
    QStringList words;  // at most 80, each padded with blanks to wordWidth
    int wordWidth = 0;
    bool barcode = false;
    bool shown = true;
    int charCount = 0;
  };

  void appendPieces(const Field& field, const QString& value, QString* display, QString& mapped) const;
  bool assembleBarcode(const Field& field, const RunFieldTable::Barcode& barcode, QString& value) const;

  std::vector<Field> m_fields;
  QString m_wordAlphabet;
  QString m_blankText;
  QChar m_multiMarkCharacter;
};
