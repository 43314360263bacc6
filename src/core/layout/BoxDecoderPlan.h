#pragma once

#include "layout/BoxDecoderContext.h"
#include "layout/BoxDecoderInput.h"
#include "layout/MarkBuffer.h"

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

/// Where a field's decoder reads and what each mark there stands for: the
/// field's units (the parts that give one piece of the text each) and, for
/// each, its mark positions in scan order with their characters, after the
/// built-in alphabets, the blanks and the turned-form rules have been
/// applied.
///
/// The decoder reads a sheet through the plan, and the deck generator marks
/// a sheet by looking a character up in the same plan, so what one writes
/// the other reads.
///
/// A block that reaches outside lines 1 to 155 or columns 1 to 48 has no
/// units: the buffer holds no such positions.
class BoxDecoderPlan {
 public:
  struct Position {
    /// Into the mark buffer, line by line.
    std::uint16_t offset = 0;
    /// The alphabet character a mark here stands for, when hasCharacter.
    char16_t character = 0;
    /// False beyond the end of the alphabet: a mark here adds nothing.
    bool hasCharacter = false;
    /// True where the alphabet excludes the position ("-" in a box, a blank
    /// in a line or column field): a mark here changes nothing in its unit.
    bool excluded = false;

    int line() const { return offset / omr::kSheetColumns + 1; }
    int column() const { return offset % omr::kSheetColumns + 1; }
  };

  /// An empty plan: no units.
  BoxDecoderPlan() = default;
  BoxDecoderPlan(const BoxDecoderInput& input, const BoxDecoderContext& context);

  /// False when the block reaches outside the mark buffer.
  bool insideBuffer() const { return m_inside; }
  /// The alphabet after every replacement and, for a turned form, reversal.
  const QString& workingAlphabet() const { return m_alphabet; }
  bool reversesAlphabet() const { return m_reverseAlphabet; }
  /// True when the decoder turns the text of all units round at the end.
  bool reversesResult() const { return m_reverseResult; }
  /// What an unmarked unit of a single-choice decoder reads as.
  const QString& blankResult() const { return m_blankResult; }

  std::size_t unitCount() const { return m_unitBounds.empty() ? 0 : m_unitBounds.size() - 1; }
  /// The positions of unit `unit` (from 0), in the order the decoder scans them.
  std::span<const Position> unit(std::size_t unit) const {
    return {m_positions.data() + m_unitBounds[unit], m_positions.data() + m_unitBounds[unit + 1]};
  }

 private:
  void applyTurnedForm(const BoxDecoderInput& input, const BoxDecoderContext& context, bool wordList);
  void addUnits(const BoxDecoderInput& input, const QString& exclusions, char16_t excluded);

  bool m_inside = false;
  QString m_alphabet;
  bool m_reverseAlphabet = false;
  bool m_reverseResult = false;
  QString m_blankResult;
  std::vector<Position> m_positions;
  // Into m_positions: where each unit starts, then where the last one ends,
  // so that a unit's end needs no test on the decoding path.
  std::vector<std::uint32_t> m_unitBounds;
};
