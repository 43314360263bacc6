#pragma once

#include <QString>

#include <cstdint>

/// One field line of a layout file, as the parse leaves it.
///
/// The members carry the names of the layout's own documentation so the
/// decoders, prompts and record code read beside it. Everything here is set
/// once by the parse; the values that change during a reading run live with
/// the run, not here.
struct FieldDefinition {
  /// The field's block on the sheet: reading lines and columns, 1-based.
  std::int16_t FieldLineFrom = 0;
  std::int16_t FieldLineTo = 0;
  std::int16_t FieldColFrom = 0;
  std::int16_t FieldColTo = 0;

  /// Orientation letter, upper case: "D" vertical, "Y" horizontal, "K" box,
  /// or whatever other letter the layout gives (then no orientation decoder).
  QString FieldOrient;
  /// Spacing of the choice positions plus one; 0 (a bare letter) means 1.
  std::int16_t FieldStep = 0;

  /// The characters the choice positions stand for, or a "~" word list.
  QString FieldAlphabet;
  /// Length of the longest word of a "~" list, in decimal; empty otherwise.
  QString FieldWordWidth;

  /// Kind letter, parameter (direction code) and option, as written.
  QString FieldKind;
  /// The box decoder that reads the field: "H", "T", "K", "C", "M", or empty.
  QString FieldDecoder;
  /// Characters the field yields per sheet.
  std::int32_t FieldCharCount = 0;
  /// The field's width in a stored record, in decimal.
  QString FieldSubLength;

  /// The name, padded to the layout's longest name and followed by ": ".
  QString FieldName;
  /// Bounds of a bounded number, as " 12" / "-3"; empty when not given.
  QString FieldMin;
  QString FieldMax;
  /// The label used in prompts.
  QString FieldLabel;

  friend bool operator==(const FieldDefinition&, const FieldDefinition&) = default;
};
