#pragma once

#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>

/// What the deck generator puts on one sheet: the values of its fields,
/// extra marks that make the sheet hard to read, and what the reader is to
/// report for it. Fields are keyed by their index, counted from 1; values
/// are written as FieldChoices describes.
struct DeckSheetValues {
  /// The values file's line the sheet came from; 0 when it came from elsewhere.
  int sourceLine = 0;

  /// The marks a person made for the field's value.
  QMap<int, QString> values;
  /// Marks too faint to read (below the threshold), in the value's form.
  QMap<int, QString> light;
  /// Rubbed-out marks, just above the threshold and lighter than any mark
  /// made for a value.
  QMap<int, QString> erased;
  /// Second marks exactly as dark as the unit's value mark, so that a
  /// single-choice unit reads as a double mark.
  QMap<int, QString> doubled;

  /// Reader status after the feed, line counts of the reads, barcode.
  std::optional<std::uint32_t> status;
  std::optional<std::int32_t> lines;
  std::optional<std::int32_t> backLines;
  std::optional<QString> barcode;
};
