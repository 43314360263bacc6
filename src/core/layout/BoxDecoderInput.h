#pragma once

#include <QString>

#include <cstdint>

/// The six ways a field's mark positions become text.
enum class BoxDecoderKind : std::uint8_t {
  Kutu,        ///< USB_Kutu_Coz: one character from the whole block, darkest mark wins
  KutuIkili,   ///< USB_Kutu_CozIkili: up to Uzunluklar marked characters of the block
  Dikey,       ///< Dikey_Coz: one character per column, darkest mark wins
  Yatay,       ///< Yatay_Coz: one character per line, darkest mark wins
  CokluSatir,  ///< Coklu_Satir_Coz: every marked character, line by line
  CokluSutun,  ///< Coklu_Sutun_Coz: every marked character, column by column
};

/// A field's entries as the decoders take them.
struct BoxDecoderInput {
  BoxDecoderKind kind = BoxDecoderKind::Kutu;
  /// First and last reading line (1 to 155), first and last column (1 to 48).
  std::int16_t x1 = 0;
  std::int16_t x2 = 0;
  std::int16_t y1 = 0;
  std::int16_t y2 = 0;
  /// Darkness threshold: a position is marked when it is darker than this.
  std::int16_t t = 0;
  /// The field's alphabet.
  QString Cozx;
  /// The direction code: the second character of the field's kind.
  QString YonuX;
  /// Spacing of the choice positions; anything below 1 is taken as 1.
  /// Coklu_Sutun_Coz does not use it.
  std::int16_t Araligi = 0;
  /// Result length of USB_Kutu_CozIkili; below 0 is taken as 0.
  std::int16_t Uzunluklar = 0;
};
