#pragma once

#include <QString>

#include <cstdint>

/// What the box decoders read beside a field's own entries: three header
/// values of the layout, the darkness cap and the double-sided choice of the
/// settings, and the kind letter of the field being decoded.
struct BoxDecoderContext {
  /// "T" when the form is fed turned by 180 degrees.
  QString LayoutTurn;
  /// The result of a tie for the darkest mark; its first character fills an
  /// overfull two-mark box.
  QString MultiMarkText = QStringLiteral("*");
  /// The result of an unmarked single-choice unit.
  QString BlankText = QStringLiteral(" ");
  /// The cap is in use when this is 1: darkness at or above
  /// DarknessUpperLimit counts as DarknessUpperLimit.
  std::int16_t UseDarknessLimit = 0;
  std::int16_t DarknessUpperLimit = 0;
  /// "Çift Yüzlü Kağıt" is "Evet": chooses the reversal rules of turned forms.
  bool DuplexSheet = false;
  /// The first character of the decoded field's FieldKind, as written; "J"
  /// writes each multiple-choice unit as a quoted comma list.
  QString kindLetter;
};
