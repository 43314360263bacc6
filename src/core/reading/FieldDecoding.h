#pragma once

#include "device/OmrApi.h"
#include "layout/BoxDecoder.h"
#include "layout/LayoutTable.h"
#include "reading/DecodingSettings.h"
#include "reading/RunFieldTable.h"

#include <QString>

#include <cstdint>
#include <vector>

/// A layout's darkness threshold: ThresholdHex read as a hexadecimal number
/// (blanks skipped, up to the first character that is not a hex digit; no
/// digits give 0) and fitted to 0 to 32767.
std::int16_t thresholdFromHex(const QString& ThresholdHex);

/// The field passes of one sheet side: each field's value is taken from its
/// kind (a fixed value, a running number, a constant, the barcode) or from
/// its box decoder.
///
/// Everything that depends only on the layout and the settings is prepared
/// when the object is made (each field's decoder with its alphabet,
/// exclusions and reversal choices), so a pass only reads marks and writes
/// values. The object keeps no reference to the layout.
class FieldDecoding {
 public:
  FieldDecoding(const LayoutTable& layout, const DecodingSettings& settings);

  /// The front pass over fields 1 to `lastField` (cut to the layout's
  /// fields). Kinds "D", "R", "H" and "A" take their values from the run
  /// table and the reader; every other field is decoded from `marks` by
  /// its decoder ("K" of kind "F" is the two-mark box). A field without a
  /// decoder keeps its value. `reader` may be null: a barcode then reads as
  /// empty.
  void frontPass(const omr::MarkBuffer& marks, RunFieldTable& values, int lastField, OmrApi* reader) const;

  /// The back pass over fields `firstField` to the last one. Only kinds "D"
  /// and "H" are taken from the run table; every other field, "R" and "A"
  /// among them, is decoded by its decoder, and "K" is always the one-mark
  /// box.
  void backPass(const omr::MarkBuffer& marks, RunFieldTable& values, int firstField) const;

  /// For a back side that was not read (single-sided sheets on a reader
  /// with a back unit), before the assembly: fields `firstField` on of
  /// kinds "D" and "H" take their values from the run table as the back
  /// pass would; every other field is emptied rather than left with the
  /// previous sheet's value.
  void unreadBackPass(RunFieldTable& values, int firstField) const;

  /// After the assembly of a sheet whose back side was not read: every
  /// field from `firstField` on that a decoder would have read (all but
  /// "D", "H" and the barcode) holds blanks as wide as the assembled value
  /// of an unmarked side, so the record keeps its columns.
  void blankUnreadBackFields(RunFieldTable& values, int firstField) const;

  int fieldCount() const { return static_cast<int>(m_fields.size()); }

 private:
  enum class Source : std::uint8_t { FixedValue, RunningNumber, Constant, Barcode, Decoder, Nothing };

  struct Field {
    Source front = Source::Nothing;
    Source back = Source::Nothing;
    int charCount = 0;
    int unreadWidth = -1;  // blanks of an unread back side; -1: not a decoded field
    BoxDecoder frontDecoder;
    BoxDecoder backDecoder;
  };

  void readBarcode(const Field& field, RunFieldTable& values, OmrApi* reader) const;

  std::vector<Field> m_fields;
  bool m_barcodeEnabled = false;
};
