#pragma once

#include "layout/FieldDefinition.h"

#include <QList>
#include <QString>

#include <cstdint>

/// The header and field table of one parsed layout file.
///
/// A default-constructed table is what an empty layout gives: no fields, a
/// threshold of "0", "*" for double marks and one blank for unmarked
/// characters. Member names follow the layout's own documentation.
struct LayoutTable {
  /// The most field lines a layout holds; further lines are ignored.
  static constexpr int kMaxFieldCount = 500;

  std::int16_t LayoutLineCount = 0;
  std::int32_t LayoutColumnCount = 0;
  /// The darkness threshold, written in upper-case hexadecimal ("C" for 12).
  QString ThresholdHex = QStringLiteral("0");
  /// "T" when the form is fed turned by 180 degrees.
  QString LayoutTurn;
  /// What a single-choice decoder yields for a tie of the darkest marks.
  QString MultiMarkText = QStringLiteral("*");
  /// What a single-choice decoder yields when nothing is marked.
  QString BlankText = QStringLiteral(" ");

  /// Number of fields; always `fields.size()`.
  std::int16_t FieldCount = 0;
  /// 1-based index of the first back-side field, 0 when there is none.
  std::int16_t FirstBackField = 0;
  /// True when the layout file is UTF-8; the data file then is too.
  bool Utf8DataFile = false;

  /// The fields, field 1 first.
  QList<FieldDefinition> fields;

  /// Field `fieldIndex`, counted from 1 as the layout counts them.
  /// Precondition: 1 <= fieldIndex <= FieldCount.
  const FieldDefinition& field(int fieldIndex) const { return fields[fieldIndex - 1]; }

  friend bool operator==(const LayoutTable&, const LayoutTable&) = default;
};
