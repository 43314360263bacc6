#pragma once

#include "layout/BoxDecoderContext.h"
#include "layout/BoxDecoderInput.h"
#include "layout/BoxDecoderPlan.h"
#include "layout/MarkBuffer.h"

#include <QString>

#include <cstdint>

/// One field's decoder, prepared once for a layout and its settings and then
/// run on every sheet.
///
/// Preparing does all the work that depends only on the field: the field's
/// plan (its units and positions with the character each stands for, the
/// blank result, whether the result is turned around) and the darkness rules.
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

  /// Where the decoder reads and what each position stands for.
  const BoxDecoderPlan& plan() const { return m_plan; }
  /// False when the block reaches outside the mark buffer.
  bool insideBuffer() const { return m_plan.insideBuffer(); }
  /// The alphabet after every replacement and, for a turned form, reversal.
  const QString& workingAlphabet() const { return m_plan.workingAlphabet(); }
  bool reversesAlphabet() const { return m_plan.reversesAlphabet(); }
  bool reversesResult() const { return m_plan.reversesResult(); }

  /// Replaces the part of `text` from position `from` on by its non-blank
  /// characters joined by "," between double quotes, or by one blank when
  /// it has none.
  static void quoteAsList(QString& text, qsizetype from);

 private:
  enum class Cap : std::uint8_t { BeforeThreshold, WhenMarked, Never };

  int capped(int value) const;
  bool marked(int value) const;
  void decodeSingle(const omr::MarkBuffer& marks, QString& result) const;
  void decodeMultiple(const omr::MarkBuffer& marks, QString& result) const;
  void decodeTwoMark(const omr::MarkBuffer& marks, QString& result) const;

  BoxDecoderKind m_kind = BoxDecoderKind::Kutu;
  BoxDecoderPlan m_plan;
  int m_threshold = 0;
  Cap m_cap = Cap::Never;
  bool m_capInUse = false;
  int m_capLimit = 0;
  bool m_quotedList = false;
  QString m_multiMarkText;
  char16_t m_overfullCharacter = u' ';
  int m_width = 0;   // multiple choice: the least result length
  int m_length = 0;  // two-mark box: the result length
};
