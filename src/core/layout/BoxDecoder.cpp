#include "layout/BoxDecoder.h"

#include "layout/BoxDecoders.h"
#include "layout/BuiltInAlphabets.h"

#include <algorithm>

namespace {

constexpr char16_t kGraveAccent = u'`';
constexpr char16_t kEuroSign = u'\u20AC';

bool within(int value, int lo, int hi) {
  return value >= lo && value <= hi;
}

void reverseText(QString& text) {
  std::reverse(text.begin(), text.end());
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

BoxDecoder::BoxDecoder(const BoxDecoderInput& input, const BoxDecoderContext& context)
    : m_kind(input.kind),
      m_threshold(input.t),
      m_capInUse(context.UseDarknessLimit == 1),
      m_capLimit(context.DarknessUpperLimit),
      m_multiMarkText(context.MultiMarkText) {
  const int x1 = input.x1;
  const int x2 = input.x2;
  const int y1 = input.y1;
  const int y2 = input.y2;
  const int step = input.Araligi < 1 ? 1 : input.Araligi;
  m_inside = within(x1, 1, omr::kSheetLines) && within(x2, 1, omr::kSheetLines) &&
             within(y1, 1, omr::kSheetColumns) && within(y2, 1, omr::kSheetColumns);
  if (!m_inside) return;

  if (!context.MultiMarkText.isEmpty()) m_overfullCharacter = context.MultiMarkText.at(0).unicode();
  m_length = std::max<int>(input.Uzunluklar, 0);
  m_width = y1 == y2 ? x2 - x1 : y2 - y1;

  // The working alphabet, and the copy the exclusion test looks at: the
  // alphabet as the layout writes it, blanks already replaced, before any
  // built-in alphabet or reversal.
  const QString& cozx = input.Cozx;
  QString exclusions;
  char16_t excluded = 0;
  const bool wordList = cozx.contains(u'~');
  const bool oneBlank = cozx == u" ";
  switch (m_kind) {
    case BoxDecoderKind::Kutu:
      exclusions = Bosluk_Degistir(cozx);
      excluded = u'-';
      m_alphabet = oneBlank ? alphabets::fiveChoices() : wordList ? alphabets::fullSet() : exclusions;
      m_cap = Cap::BeforeThreshold;
      break;
    case BoxDecoderKind::KutuIkili:
      m_alphabet = oneBlank ? alphabets::fiveChoices() : wordList ? alphabets::fullSet() : cozx;
      m_cap = Cap::BeforeThreshold;
      break;
    case BoxDecoderKind::Dikey:
      exclusions = Bosluk_Degistir(cozx);
      excluded = kGraveAccent;
      m_alphabet = cozx.isEmpty() || wordList ? alphabets::turkishLetters() : exclusions;
      m_cap = Cap::WhenMarked;
      break;
    case BoxDecoderKind::Yatay:
      exclusions = Bosluk_Degistir(cozx);
      excluded = kGraveAccent;
      m_alphabet = cozx.isEmpty() ? alphabets::fiveChoices()
                   : wordList     ? alphabets::turkishLetters()
                                  : exclusions;
      m_cap = Cap::BeforeThreshold;
      break;
    case BoxDecoderKind::CokluSatir:
    case BoxDecoderKind::CokluSutun:
      m_alphabet = oneBlank ? alphabets::fiveChoices() : wordList ? alphabets::turkishLetters() : cozx;
      m_cap = m_kind == BoxDecoderKind::CokluSatir ? Cap::Never : Cap::WhenMarked;
      m_quotedList = context.kindLetter == u"J";
      break;
  }

  // An unmarked unit of the two line and column decoders yields the
  // character after the first euro sign of the alphabet when it has one.
  m_blankResult = context.BlankText;
  if (m_kind == BoxDecoderKind::Dikey || m_kind == BoxDecoderKind::Yatay) {
    const qsizetype euro = m_alphabet.indexOf(QChar(kEuroSign));
    if (euro >= 0) m_blankResult = m_alphabet.mid(euro + 1, 1);
  }

  // Turned forms. The direction code comes from the form-design tool; only
  // which of alphabet and result are turned around is ours to apply.
  const bool turned = context.LayoutTurn == u"T";
  const bool duplex = context.DuplexSheet;
  const bool d1 = input.YonuX == u"1";
  const bool d2 = input.YonuX == u"2";
  const bool d3 = input.YonuX == u"3";
  const bool oneOrThreeDuplexOrTwoSingle = (duplex && (d1 || d3)) || (!duplex && d2);
  switch (m_kind) {
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
  if (m_reverseAlphabet) reverseText(m_alphabet);

  // The block's positions in scan order, each with its alphabet index. An
  // excluded position changes nothing in any unit, so it is simply left out;
  // exclusion counts on the alphabet as written, never reversed.
  const auto beginUnit = [this] { m_units.push_back({static_cast<std::uint32_t>(m_positions.size()), 0}); };
  const auto addPosition = [&](int line, int column, int index) {
    if (index <= exclusions.size() && exclusions.at(index - 1) == excluded) return;
    Position position;
    position.offset = static_cast<std::uint16_t>((line - 1) * omr::kSheetColumns + (column - 1));
    if (index <= m_alphabet.size()) {
      position.character = m_alphabet.at(index - 1).unicode();
      position.hasCharacter = true;
    }
    m_positions.push_back(position);
    ++m_units.back().count;
  };
  switch (m_kind) {
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

int BoxDecoder::capped(int value) const {
  return m_capInUse && value >= m_capLimit ? m_capLimit : value;
}

bool BoxDecoder::marked(int value) const {
  if (value <= m_threshold) return false;
  return m_cap == Cap::Never || capped(value) > m_threshold;
}

QString BoxDecoder::decode(const omr::MarkBuffer& marks) const {
  QString result;
  decode(marks, result);
  return result;
}

void BoxDecoder::decode(const omr::MarkBuffer& marks, QString& result) const {
  result.truncate(0);
  if (!m_inside) return;
  switch (m_kind) {
    case BoxDecoderKind::Kutu:
    case BoxDecoderKind::Dikey:
    case BoxDecoderKind::Yatay:
      decodeSingle(marks, result);
      break;
    case BoxDecoderKind::KutuIkili:
      decodeTwoMark(marks, result);
      break;
    case BoxDecoderKind::CokluSatir:
    case BoxDecoderKind::CokluSutun:
      decodeMultiple(marks, result);
      break;
  }
}

void BoxDecoder::decodeSingle(const omr::MarkBuffer& marks, QString& result) const {
  enum class Outcome { Blank, Character, Tie };
  for (const Unit& unit : m_units) {
    int best = m_threshold;
    Outcome outcome = Outcome::Blank;
    const Position* winner = nullptr;
    for (std::uint32_t p = unit.first; p < unit.first + unit.count; ++p) {
      const Position& position = m_positions[p];
      int value = marks[position.offset];
      if (m_cap == Cap::BeforeThreshold) value = capped(value);
      if (value <= m_threshold) continue;
      if (m_cap == Cap::WhenMarked) value = capped(value);
      if (value > best) {
        best = value;
        outcome = Outcome::Character;
        winner = &position;
      } else if (value == best) {
        outcome = Outcome::Tie;
      }
    }
    switch (outcome) {
      case Outcome::Blank:
        result.append(m_blankResult);
        break;
      case Outcome::Character:
        if (winner->hasCharacter) result.append(QChar(winner->character));
        break;
      case Outcome::Tie:
        result.append(m_multiMarkText);
        break;
    }
  }
  if (m_reverseResult) reverseText(result);
}

void BoxDecoder::decodeMultiple(const omr::MarkBuffer& marks, QString& result) const {
  for (const Unit& unit : m_units) {
    const qsizetype unitStart = result.size();
    for (std::uint32_t p = unit.first; p < unit.first + unit.count; ++p) {
      const Position& position = m_positions[p];
      if (!marked(marks[position.offset]))
        result.append(u' ');
      else if (position.hasCharacter)
        result.append(QChar(position.character));
    }
    if (m_quotedList) quoteAsList(result, unitStart);
  }
  if (m_reverseResult) reverseText(result);
  if (result.size() < m_width) result.resize(m_width, u' ');
  if (m_kind == BoxDecoderKind::CokluSutun && result.isEmpty()) result.append(u' ');
}

void BoxDecoder::quoteAsList(QString& text, qsizetype from) {
  // Gather the non-blank characters at the front of the part, then spread
  // them out from the back so that nothing is overwritten before it is read.
  qsizetype count = 0;
  for (qsizetype i = from; i < text.size(); ++i)
    if (text.at(i) != u' ') text[from + count++] = text.at(i);
  if (count == 0) {
    text.resize(from + 1);
    text[from] = u' ';
    return;
  }
  text.resize(from + 2 * count + 1);
  qsizetype write = text.size() - 1;
  text[write--] = u'"';
  for (qsizetype k = count - 1; k >= 0; --k) {
    text[write--] = text.at(from + k);
    if (k > 0) text[write--] = u',';
  }
  text[write] = u'"';
}

void BoxDecoder::decodeTwoMark(const omr::MarkBuffer& marks, QString& result) const {
  const Unit& unit = m_units.front();
  for (std::uint32_t p = unit.first; p < unit.first + unit.count; ++p) {
    const Position& position = m_positions[p];
    const int value = capped(marks[position.offset]);
    if (value > m_threshold) {
      if (position.hasCharacter) result.append(QChar(position.character));
    } else if (value == m_threshold) {
      result.append(u' ');
    }
  }
  if (result.size() > m_length)
    result.fill(QChar(m_overfullCharacter), m_length);
  else if (result.size() < m_length)
    result.resize(m_length, u' ');
  if (m_reverseResult) reverseText(result);
}
