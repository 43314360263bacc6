#include "layout/BoxDecoderPlan.h"

#include "layout/BoxDecoders.h"
#include "layout/BuiltInAlphabets.h"

#include <algorithm>

namespace {

constexpr char16_t kGraveAccent = u'`';
constexpr char16_t kEuroSign = u'\u20AC';

bool within(int value, int lo, int hi) {
  return value >= lo && value <= hi;
}

// whole + numerator / denominator, rounded to the nearest whole number with
// halves to the even neighbour, in exact integer arithmetic: a step of 2
// puts positions exactly on halves, and a floating-point quotient could land
// a hair to either side of them.
int roundedIndex(int whole, int numerator, int denominator) {
  int index = whole + numerator / denominator;
  const int twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && index % 2 != 0)) ++index;
  return index;
}

}  // namespace

BoxDecoderPlan::BoxDecoderPlan(const BoxDecoderInput& input, const BoxDecoderContext& context) {
  m_inside = within(input.x1, 1, omr::kSheetLines) && within(input.x2, 1, omr::kSheetLines) &&
             within(input.y1, 1, omr::kSheetColumns) && within(input.y2, 1, omr::kSheetColumns);
  if (!m_inside) return;

  // The working alphabet, and the copy the exclusion test looks at: the
  // alphabet as the layout writes it, blanks already replaced, before any
  // built-in alphabet or reversal.
  const QString& cozx = input.Cozx;
  QString exclusions;
  char16_t excluded = 0;
  const bool wordList = cozx.contains(u'~');
  const bool oneBlank = cozx == u" ";
  switch (input.kind) {
    case BoxDecoderKind::Kutu:
      exclusions = Bosluk_Degistir(cozx);
      excluded = u'-';
      m_alphabet = oneBlank ? alphabets::fiveChoices() : wordList ? alphabets::fullSet() : exclusions;
      break;
    case BoxDecoderKind::KutuIkili:
      m_alphabet = oneBlank ? alphabets::fiveChoices() : wordList ? alphabets::fullSet() : cozx;
      break;
    case BoxDecoderKind::Dikey:
      exclusions = Bosluk_Degistir(cozx);
      excluded = kGraveAccent;
      m_alphabet = cozx.isEmpty() || wordList ? alphabets::turkishLetters() : exclusions;
      break;
    case BoxDecoderKind::Yatay:
      exclusions = Bosluk_Degistir(cozx);
      excluded = kGraveAccent;
      m_alphabet = cozx.isEmpty() ? alphabets::fiveChoices()
                   : wordList     ? alphabets::turkishLetters()
                                  : exclusions;
      break;
    case BoxDecoderKind::CokluSatir:
    case BoxDecoderKind::CokluSutun:
      m_alphabet = oneBlank ? alphabets::fiveChoices() : wordList ? alphabets::turkishLetters() : cozx;
      break;
  }

  // An unmarked unit of the two line and column decoders yields the
  // character after the first euro sign of the alphabet when it has one.
  m_blankResult = context.BlankText;
  if (input.kind == BoxDecoderKind::Dikey || input.kind == BoxDecoderKind::Yatay) {
    const qsizetype euro = m_alphabet.indexOf(QChar(kEuroSign));
    if (euro >= 0) m_blankResult = m_alphabet.mid(euro + 1, 1);
  }

  applyTurnedForm(input, context, wordList);
  if (m_reverseAlphabet) std::reverse(m_alphabet.begin(), m_alphabet.end());

  addUnits(input, exclusions, excluded);
  m_unitBounds.push_back(static_cast<std::uint32_t>(m_positions.size()));
}

// Turned forms. The direction code comes from the form-design tool; only
// which of alphabet and result are turned around is ours to apply.
void BoxDecoderPlan::applyTurnedForm(const BoxDecoderInput& input, const BoxDecoderContext& context,
                                     bool wordList) {
  const bool turned = context.LayoutTurn == u"T";
  const bool duplex = context.DuplexSheet;
  const bool d1 = input.YonuX == u"1";
  const bool d2 = input.YonuX == u"2";
  const bool d3 = input.YonuX == u"3";
  const bool oneOrThreeDuplexOrTwoSingle = (duplex && (d1 || d3)) || (!duplex && d2);
  switch (input.kind) {
    case BoxDecoderKind::Kutu:
    case BoxDecoderKind::KutuIkili:
      m_reverseAlphabet = turned && oneOrThreeDuplexOrTwoSingle;
      m_reverseResult = turned && (d1 || d2);
      break;
    case BoxDecoderKind::Dikey:
      m_reverseAlphabet = turned && ((duplex && d1) || (!duplex && d2 && !wordList));
      m_reverseResult = (turned && oneOrThreeDuplexOrTwoSingle) || (!turned && d3);
      break;
    case BoxDecoderKind::Yatay:
      m_reverseAlphabet = (turned && oneOrThreeDuplexOrTwoSingle) || (!turned && d3);
      m_reverseResult = turned && (d1 || d2);
      break;
    case BoxDecoderKind::CokluSatir:
      m_reverseAlphabet = turned && ((duplex && d1) || (!duplex && d2));
      m_reverseResult = turned && d2;
      break;
    case BoxDecoderKind::CokluSutun:
      m_reverseAlphabet = turned && ((duplex && d1) || (!duplex && d2 && !wordList));
      m_reverseResult = turned && d2;
      break;
  }
}

void BoxDecoderPlan::addUnits(const BoxDecoderInput& input, const QString& exclusions, char16_t excluded) {
  const int x1 = input.x1;
  const int x2 = input.x2;
  const int y1 = input.y1;
  const int y2 = input.y2;
  const int step = input.Araligi < 1 ? 1 : input.Araligi;

  // The block's positions in scan order, each with its alphabet index;
  // exclusion counts on the alphabet as written, never reversed.
  const auto beginUnit = [this] { m_unitBounds.push_back(static_cast<std::uint32_t>(m_positions.size())); };
  const auto addPosition = [&](int line, int column, int index) {
    Position position;
    position.offset = static_cast<std::uint16_t>((line - 1) * omr::kSheetColumns + (column - 1));
    position.excluded = index <= exclusions.size() && exclusions.at(index - 1) == excluded;
    if (index <= m_alphabet.size()) {
      position.character = m_alphabet.at(index - 1).unicode();
      position.hasCharacter = true;
    }
    m_positions.push_back(position);
  };
  switch (input.kind) {
    case BoxDecoderKind::Kutu:
    case BoxDecoderKind::KutuIkili:
      // The alphabet is laid out line by line, n = (y2 - y1) / step + 1
      // characters to a line, n not rounded.
      beginUnit();
      for (int line = x1; line <= x2; ++line)
        for (int column = y1, k = 0; column <= y2; column += step, ++k)
          addPosition(line, column, roundedIndex((line - x1) + k + 1, (line - x1) * (y2 - y1), step));
      break;
    case BoxDecoderKind::Dikey:
      for (int column = y1; column <= y2; column += step) {
        beginUnit();
        for (int line = x1, k = 0; line <= x2; line += step, ++k) addPosition(line, column, k + 1);
      }
      break;
    case BoxDecoderKind::Yatay:
      for (int line = x1; line <= x2; line += step) {
        beginUnit();
        for (int column = y1, k = 0; column <= y2; column += step, ++k) addPosition(line, column, k + 1);
      }
      break;
    case BoxDecoderKind::CokluSatir:
      for (int line = x1; line <= x2; ++line) {
        beginUnit();
        for (int column = y1, k = 0; column <= y2; column += step, ++k)
          addPosition(line, column, y1 == y2 ? roundedIndex(1, line - x1, step) : k + 1);
      }
      break;
    case BoxDecoderKind::CokluSutun:
      for (int column = y1; column <= y2; ++column) {
        beginUnit();
        for (int line = x1; line <= x2; ++line) addPosition(line, column, line - x1 + 1);
      }
      break;
  }
}
