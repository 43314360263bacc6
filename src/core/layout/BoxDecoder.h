#pragma once

#include "layout/BoxDecoderContext.h"
#include "layout/MarkBuffer.h"

#include <QString>

#include <cstdint>
#include <vector>

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

/// One field's decoder, prepared once for a layout and its settings and then
/// run on every sheet.
///
/// Preparing does all the work that depends only on the field: the working
/// alphabet (blanks, built-in replacements, turned forms), the excluded
/// positions, the blank result, whether the result is turned around, and the
/// list of the block's positions with the character each stands for.
/// Decoding a sheet then only compares darkness values and appends text.
///
/// A block that reaches outside lines 1 to 155 or columns 1 to 48 reads
/// nothing and always gives empty text: the buffer holds no such positions.
class BoxDecoder {
 public:
  /// A decoder that yields empty text.
  BoxDecoder() = default;
  BoxDecoder(const BoxDecoderInput& input, const BoxDecoderContext& context);

  /// Replaces `result` with the field's text on the sheet `marks`. The
  /// string's storage is reused when it is not shared.
  void decode(const omr::MarkBuffer& marks, QString& result) const;
  QString decode(const omr::MarkBuffer& marks) const;

  /// False when the block reaches outside the mark buffer.
  bool insideBuffer() const { return m_inside; }
  /// The alphabet after every replacement and, for a turned form, reversal.
  const QString& workingAlphabet() const { return m_alphabet; }
  bool reversesAlphabet() const { return m_reverseAlphabet; }
  bool reversesResult() const { return m_reverseResult; }

  /// Replaces the part of `text` from position `from` on by its non-blank
  /// characters joined by "," between double quotes, or by one blank when
  /// it has none.
  static void quoteAsList(QString& text, qsizetype from);

 private:
  enum class Cap : std::uint8_t { BeforeThreshold, WhenMarked, Never };

  struct Position {
    std::uint16_t offset = 0;   // into the mark buffer
    char16_t character = 0;     // the position's alphabet character
    bool hasCharacter = false;  // false beyond the end of the alphabet
  };
  struct Unit {
    std::uint32_t first = 0;  // into m_positions
    std::uint32_t count = 0;
  };

  int capped(int value) const;
  bool marked(int value) const;
  void decodeSingle(const omr::MarkBuffer& marks, QString& result) const;
  void decodeMultiple(const omr::MarkBuffer& marks, QString& result) const;
  void decodeTwoMark(const omr::MarkBuffer& marks, QString& result) const;

  BoxDecoderKind m_kind = BoxDecoderKind::Kutu;
  bool m_inside = false;
  int m_threshold = 0;
  Cap m_cap = Cap::Never;
  bool m_capInUse = false;
  int m_capLimit = 0;
  QString m_alphabet;
  bool m_reverseAlphabet = false;
  bool m_reverseResult = false;
  bool m_quotedList = false;
  QString m_blankResult;
  QString m_multiMarkText;
  char16_t m_overfullCharacter = u' ';
  int m_width = 0;   // multiple choice: the least result length
  int m_length = 0;  // two-mark box: the result length
  std::vector<Position> m_positions;
  std::vector<Unit> m_units;
};
