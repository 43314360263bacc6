#include "sim/FieldChoices.h"

#include "common/NumericText.h"
#include "device/OmrApi.h"
#include "layout/BoxDecoderPlan.h"
#include "layout/BuiltInAlphabets.h"
#include "layout/FieldDecoderKind.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxWords = 80;

QStringList wordsOf(const QString& alphabet) {
  QStringList words;
  qsizetype start = 0;
  while (words.size() < kMaxWords) {
    const qsizetype end = alphabet.indexOf(u'~', start);
    if (end < 0) break;
    words.append(alphabet.mid(start, end - start));
    start = end + 1;
  }
  return words;
}

QString quotedToken(const QString& text) {
  return QLatin1Char('\'') + text + QLatin1Char('\'');
}

}  // namespace

FieldChoices::FieldChoices(const LayoutTable& layout, int fieldIndex, bool duplexSheet)
    : m_fieldIndex(fieldIndex), m_duplexSheet(duplexSheet) {
  const FieldDefinition& field = layout.field(fieldIndex);
  QString name = field.FieldName;
  if (name.endsWith(QStringLiteral(": "))) name.chop(2);
  name = name.trimmed();
  m_displayName = name.isEmpty() ? QStringLiteral("field %1").arg(fieldIndex) : name;
  m_onBack = layout.FirstBackField > 0 && fieldIndex >= layout.FirstBackField;
  m_kind = field.FieldKind;
  const QString writtenLetter = field.FieldKind.left(1);
  m_kindLetter = writtenLetter.toUpper();
  m_blankText = layout.BlankText;
  m_multiMarkText = layout.MultiMarkText;
  m_bounded = m_kindLetter == u"B" && !field.FieldMin.isEmpty() && !field.FieldMax.isEmpty();
  m_min = numeric::leadingValue(field.FieldMin);
  m_max = numeric::leadingValue(field.FieldMax);

  // The reading run takes these kinds from the field table, not from marks;
  // on the back side only "H" and "D" are taken so.
  const bool fromTable = m_onBack ? (m_kindLetter == u"H" || m_kindLetter == u"D")
                                  : (m_kindLetter == u"D" || m_kindLetter == u"R" || m_kindLetter == u"H" ||
                                     m_kindLetter == u"A");
  if (fromTable) {
    if (m_kindLetter == u"A") {
      m_reading = Reading::kBarcode;
      m_barcodeLength = std::clamp(field.FieldCharCount, 1, 16);
    } else {
      m_problem = QStringLiteral("its value is not read from marks (kind %1)").arg(writtenLetter);
    }
    return;
  }

  const std::optional<BoxDecoderKind> kind = fieldDecoderKind(field, !m_onBack);
  if (!kind) {
    m_problem = QStringLiteral("it has no decoder");
    return;
  }
  const BoxDecoderKind decoder = *kind;
  switch (decoder) {
    case BoxDecoderKind::Kutu:
    case BoxDecoderKind::Dikey:
    case BoxDecoderKind::Yatay:
      m_reading = Reading::kSingle;
      break;
    case BoxDecoderKind::KutuIkili:
      m_reading = Reading::kTwoMarkBox;
      break;
    case BoxDecoderKind::CokluSatir:
    case BoxDecoderKind::CokluSutun:
      m_reading = Reading::kMultiple;
      break;
  }
  m_quotedList = writtenLetter == u"J" && m_reading == Reading::kMultiple;
  m_twoMarkCount =
      std::clamp(static_cast<int>(numeric::leadingValue(field.FieldSubLength)), 0, omr::kMarkBufferSize);
  buildUnits(layout, field, decoder);
}

void FieldChoices::buildUnits(const LayoutTable& layout, const FieldDefinition& field,
                              BoxDecoderKind decoder) {
  const QString& written = field.FieldAlphabet;
  m_wordList = written.contains(u'~');
  if (m_wordList) {
    m_words = wordsOf(written);
    for (const QString& word : std::as_const(m_words))
      m_wordWidth = std::max(m_wordWidth, static_cast<int>(word.size()));
    for (QString& word : m_words) word = word.leftJustified(m_wordWidth);
  }
  if (m_quotedList && m_wordList) {
    m_reading = Reading::kNone;
    m_problem = QStringLiteral("a quoted-list field with a word list cannot be marked");
    return;
  }
  if (field.FieldLineFrom > field.FieldLineTo || field.FieldColFrom > field.FieldColTo) {
    m_reading = Reading::kNone;
    m_problem = QStringLiteral("its block holds no mark positions");
    return;
  }

  // The choices are the decoder's own plan read the other way round, so a
  // mark placed for a character is the mark the decoder reads as it.
  BoxDecoderContext context;
  context.LayoutTurn = layout.LayoutTurn;
  context.MultiMarkText = layout.MultiMarkText;
  context.BlankText = layout.BlankText;
  context.DuplexSheet = m_duplexSheet;
  context.kindLetter = field.FieldKind.left(1);
  BoxDecoderInput input;
  input.kind = decoder;
  input.x1 = field.FieldLineFrom;
  input.x2 = field.FieldLineTo;
  input.y1 = field.FieldColFrom;
  input.y2 = field.FieldColTo;
  input.Cozx = written;
  input.YonuX = field.FieldKind.mid(1, 1);
  input.Araligi = field.FieldStep;
  const BoxDecoderPlan plan(input, context);
  if (!plan.insideBuffer()) {
    m_reading = Reading::kNone;
    m_problem = QStringLiteral("its block lies outside the sheet");
    return;
  }
  m_blankResult = plan.blankResult();
  m_resultReversed = plan.reversesResult();

  const QString fullSet = alphabets::fullSet();
  for (std::size_t u = 0; u < plan.unitCount(); ++u) {
    QList<Choice> unit;
    for (const BoxDecoderPlan::Position& position : plan.unit(u)) {
      Choice choice;
      choice.position = {position.line(), position.column()};
      if (position.hasCharacter) choice.piece = pieceFor(QChar(position.character), fullSet);
      choice.choosable = !choice.piece.isEmpty() && !position.excluded && !isBlankPiece(choice.piece);
      unit.append(choice);
    }
    m_units.append(unit);
  }
}

QString FieldChoices::pieceFor(QChar character, const QString& fullSet) const {
  if (!m_wordList) return QString(character);
  // The value shows the word whose number is the character's place in the
  // full set; a character equal to the blank text shows as blanks.
  if (QString(character) == m_blankText) return {};
  const qsizetype number = fullSet.indexOf(character) + 1;
  if (number < 1 || number > m_words.size()) return {};
  return m_words[number - 1];
}

QString FieldChoices::blankPiece() const {
  return QString(m_wordList ? m_wordWidth : 1, u' ');
}

bool FieldChoices::isBlankPiece(const QString& piece) const {
  if (piece.trimmed().isEmpty()) return true;
  // An unmarked single-choice unit reads as the blank result, so that text
  // asks for no mark.
  return m_reading == Reading::kSingle && !m_wordList && piece == m_blankResult;
}

bool FieldChoices::piecesMatch(const QString& wanted, const QString& piece) const {
  return m_wordList ? wanted.trimmed() == piece.trimmed() : wanted == piece;
}

bool FieldChoices::takesOneCharacter() const {
  return m_reading == Reading::kSingle && !m_wordList && m_units.size() == 1;
}

std::optional<QStringList> FieldChoices::splitPieces(const QString& value, int count, QString* error) const {
  if (count == 1 && m_wordList) return QStringList{value};
  const int width = m_wordList ? m_wordWidth : 1;
  const qsizetype needed = static_cast<qsizetype>(count) * width;
  if (value.size() > needed && !value.sliced(needed).trimmed().isEmpty()) {
    *error = QStringLiteral("%1 has %2 characters; the field takes %3")
                 .arg(quotedToken(value))
                 .arg(value.size())
                 .arg(needed);
    return std::nullopt;
  }
  const QString padded = value.left(needed).leftJustified(needed);
  QStringList pieces;
  pieces.reserve(count);
  for (int i = 0; i < count; ++i) pieces.append(padded.mid(static_cast<qsizetype>(i) * width, width));
  return pieces;
}

std::optional<QList<FieldChoices::Placement>> FieldChoices::placements(const QString& value,
                                                                       QString* error) const {
  if (value.trimmed().isEmpty()) return QList<Placement>{};
  switch (m_reading) {
    case Reading::kNone:
      *error = m_problem;
      return std::nullopt;
    case Reading::kBarcode:
      *error = QStringLiteral("its value is the sheet's barcode");
      return std::nullopt;
    case Reading::kSingle:
      return singlePlacements(value, error);
    case Reading::kTwoMarkBox:
      return twoMarkPlacements(value, error);
    case Reading::kMultiple:
      return m_quotedList ? quotedListPlacements(value, error) : multiplePlacements(value, error);
  }
  return std::nullopt;
}

std::optional<QList<FieldChoices::Placement>> FieldChoices::singlePlacements(const QString& value,
                                                                             QString* error) const {
  auto pieces = splitPieces(value, static_cast<int>(m_units.size()), error);
  if (!pieces) return std::nullopt;
  if (m_resultReversed) std::reverse(pieces->begin(), pieces->end());
  QList<Placement> result;
  for (int unit = 0; unit < m_units.size(); ++unit) {
    const QString& wanted = pieces->at(unit);
    if (isBlankPiece(wanted)) continue;
    const auto found = std::find_if(m_units[unit].cbegin(), m_units[unit].cend(), [&](const Choice& choice) {
      return choice.choosable && piecesMatch(wanted, choice.piece);
    });
    if (found == m_units[unit].cend()) {
      *error = m_units.size() == 1
                   ? QStringLiteral("%1 is not one of its choices").arg(quotedToken(wanted.trimmed()))
                   : QStringLiteral("%1 at character %2 is not one of its choices")
                         .arg(quotedToken(wanted.trimmed()))
                         .arg(unit + 1);
      return std::nullopt;
    }
    result.append({unit, found->position});
  }
  return result;
}

std::optional<QList<FieldChoices::Placement>> FieldChoices::multiplePlacements(const QString& value,
                                                                               QString* error) const {
  QList<Placement> flat;
  QList<const Choice*> choices;
  for (int unit = 0; unit < m_units.size(); ++unit) {
    for (const Choice& choice : m_units[unit]) {
      flat.append({unit, choice.position});
      choices.append(&choice);
    }
  }
  auto pieces = splitPieces(value, static_cast<int>(flat.size()), error);
  if (!pieces) return std::nullopt;
  if (m_resultReversed) std::reverse(pieces->begin(), pieces->end());
  QList<Placement> result;
  for (qsizetype k = 0; k < flat.size(); ++k) {
    const QString& wanted = pieces->at(k);
    if (wanted.trimmed().isEmpty()) continue;
    if (!choices[k]->choosable || !piecesMatch(wanted, choices[k]->piece)) {
      *error = choices[k]->choosable
                   ? QStringLiteral("a mark at character %1 reads as %2, not %3")
                         .arg(k + 1)
                         .arg(quotedToken(choices[k]->piece.trimmed()), quotedToken(wanted.trimmed()))
                   : QStringLiteral("no mark reads as %1 at character %2")
                         .arg(quotedToken(wanted.trimmed()))
                         .arg(k + 1);
      return std::nullopt;
    }
    result.append(flat[k]);
  }
  return result;
}

std::optional<QList<FieldChoices::Placement>> FieldChoices::quotedListPlacements(const QString& value,
                                                                                 QString* error) const {
  const int unitCount = static_cast<int>(m_units.size());
  QList<QStringList> parts;
  qsizetype at = 0;
  while (parts.size() < unitCount && at < value.size()) {
    if (value[at] == u' ') {
      parts.append(QStringList{});
      ++at;
    } else if (value[at] == u'"') {
      const qsizetype end = value.indexOf(u'"', at + 1);
      if (end < 0) {
        *error = QStringLiteral("a quoted list in %1 is not closed").arg(quotedToken(value));
        return std::nullopt;
      }
      parts.append(value.mid(at + 1, end - at - 1).split(u','));
      at = end + 1;
    } else {
      *error = QStringLiteral("%1 is not a quoted list at character %2").arg(quotedToken(value)).arg(at + 1);
      return std::nullopt;
    }
  }
  if (!value.sliced(at).trimmed().isEmpty()) {
    *error = QStringLiteral("%1 holds more than the field's %2 lists").arg(quotedToken(value)).arg(unitCount);
    return std::nullopt;
  }
  QList<Placement> result;
  for (int k = 0; k < parts.size(); ++k) {
    // A turned result is read back to front, so its first list is the last unit's.
    const int unit = m_resultReversed ? unitCount - 1 - k : k;
    for (const QString& item : std::as_const(parts[k])) {
      const auto found =
          std::find_if(m_units[unit].cbegin(), m_units[unit].cend(),
                       [&](const Choice& choice) { return choice.choosable && choice.piece == item; });
      if (found == m_units[unit].cend()) {
        *error = QStringLiteral("%1 in list %2 is not one of its choices").arg(quotedToken(item)).arg(k + 1);
        return std::nullopt;
      }
      const Placement placement{unit, found->position};
      if (!result.contains(placement)) result.append(placement);
    }
  }
  return result;
}

std::optional<QList<FieldChoices::Placement>> FieldChoices::twoMarkPlacements(const QString& value,
                                                                              QString* error) const {
  const QList<Choice>& unit = m_units.front();
  QStringList wanted;
  if (m_wordList) {
    const auto pieces = splitPieces(value, std::max(m_twoMarkCount, 1), error);
    if (!pieces) return std::nullopt;
    for (const QString& piece : *pieces)
      if (!piece.trimmed().isEmpty()) wanted.append(piece);
  } else {
    for (const QChar c : value)
      if (c != u' ') wanted.append(QString(c));
  }
  // More marks than the box takes read as the multiple-mark character, once
  // per character of the result.
  const QChar multi = m_multiMarkText.isEmpty() ? QChar(u'*') : m_multiMarkText[0];
  const QString overfull = m_wordList ? QString(m_wordWidth, multi) : QString(multi);
  if (m_twoMarkCount > 0 && wanted.size() == m_twoMarkCount &&
      std::all_of(wanted.cbegin(), wanted.cend(), [&](const QString& piece) { return piece == overfull; })) {
    QList<Placement> result;
    for (const Choice& choice : unit) {
      if (result.size() > m_twoMarkCount) break;
      if (choice.choosable) result.append({0, choice.position});
    }
    if (result.size() > m_twoMarkCount) return result;
  }
  if (wanted.size() > m_twoMarkCount) {
    *error = QStringLiteral("%1 asks for more than %2 marks").arg(quotedToken(value)).arg(m_twoMarkCount);
    return std::nullopt;
  }
  if (m_resultReversed) std::reverse(wanted.begin(), wanted.end());
  QList<Placement> result;
  qsizetype next = 0;
  for (const QString& piece : std::as_const(wanted)) {
    qsizetype k = next;
    while (k < unit.size() && !(unit[k].choosable && piecesMatch(piece, unit[k].piece))) ++k;
    if (k == unit.size()) {
      const bool earlier = std::any_of(unit.cbegin(), unit.cbegin() + next, [&](const Choice& choice) {
        return choice.choosable && piecesMatch(piece, choice.piece);
      });
      *error = earlier ? QStringLiteral("%1: the box reads its marks in order, so %2 cannot come there")
                             .arg(quotedToken(value), quotedToken(piece.trimmed()))
                       : QStringLiteral("%1 is not one of its choices").arg(quotedToken(piece.trimmed()));
      return std::nullopt;
    }
    result.append({0, unit[k].position});
    next = k + 1;
  }
  return result;
}

QString FieldChoices::randomValue(QRandomGenerator& random) const {
  // A kind "U" field with option "1" fails its check when it holds anything.
  if (m_kindLetter == u"U" && m_kind.mid(1, 1) == u"1" && m_kind.size() > 2) return {};
  switch (m_reading) {
    case Reading::kNone:
    case Reading::kBarcode:
      return {};
    case Reading::kSingle: {
      if (m_bounded) {
        const QString bounded = randomBounded(random);
        if (!bounded.isEmpty()) return bounded;
      }
      return randomSingle(random);
    }
    case Reading::kTwoMarkBox:
      return randomTwoMark(random);
    case Reading::kMultiple:
      return randomMultiple(random);
  }
  return {};
}

namespace {

// Grave accents are a reading of blanks in an alphabet; a random value
// avoids them, as a person filling in a form would.
bool usable(const FieldChoices::Choice& choice) {
  return choice.choosable && choice.piece != QStringLiteral("`");
}

}  // namespace

QString FieldChoices::randomSingle(QRandomGenerator& random) const {
  QStringList pieces;
  for (const QList<Choice>& unit : m_units) {
    QList<const Choice*> candidates;
    for (const Choice& choice : unit)
      if (usable(choice)) candidates.append(&choice);
    pieces.append(candidates.isEmpty()
                      ? blankPiece()
                      : candidates[random.bounded(static_cast<int>(candidates.size()))]->piece);
  }
  if (m_resultReversed) std::reverse(pieces.begin(), pieces.end());
  return pieces.join(QString());
}

QString FieldChoices::randomBounded(QRandomGenerator& random) const {
  if (m_wordList || m_units.size() > 9) return {};
  const double largest = std::pow(10.0, static_cast<double>(m_units.size())) - 1;
  const double low = std::max(std::ceil(m_min), 0.0);
  const double high = std::min(std::floor(m_max), largest);
  if (low > high) return {};
  const auto span = static_cast<quint32>(high - low + 1);
  const auto number = static_cast<qint64>(low) + random.bounded(span);
  const QString value = QString::number(number).rightJustified(m_units.size(), u'0');
  QString ignored;
  return placements(value, &ignored) ? value : QString();
}

QString FieldChoices::randomMultiple(QRandomGenerator& random) const {
  if (m_quotedList) {
    QStringList parts;
    for (const QList<Choice>& unit : m_units) {
      QStringList items;
      for (const Choice& choice : unit)
        if (usable(choice) && random.bounded(4) == 0) items.append(choice.piece);
      parts.append(items.isEmpty() ? QStringLiteral(" ") : u'"' + items.join(u',') + u'"');
    }
    if (m_resultReversed) std::reverse(parts.begin(), parts.end());
    return parts.join(QString());
  }
  QStringList pieces;
  for (const QList<Choice>& unit : m_units)
    for (const Choice& choice : unit)
      pieces.append(usable(choice) && random.bounded(4) == 0 ? choice.piece : blankPiece());
  if (m_resultReversed) std::reverse(pieces.begin(), pieces.end());
  return pieces.join(QString());
}

QString FieldChoices::randomTwoMark(QRandomGenerator& random) const {
  QList<qsizetype> candidates;
  const QList<Choice>& unit = m_units.front();
  for (qsizetype k = 0; k < unit.size(); ++k)
    if (usable(unit[k])) candidates.append(k);
  const int most = std::min<int>(m_twoMarkCount, static_cast<int>(candidates.size()));
  if (most == 0) return {};
  const int count = 1 + static_cast<int>(random.bounded(most));
  QList<qsizetype> chosen;
  while (chosen.size() < count) {
    const qsizetype k = candidates[random.bounded(static_cast<int>(candidates.size()))];
    if (!chosen.contains(k)) chosen.append(k);
  }
  std::sort(chosen.begin(), chosen.end());
  QStringList pieces;
  for (const qsizetype k : chosen) pieces.append(unit[k].piece);
  if (m_resultReversed) std::reverse(pieces.begin(), pieces.end());
  return pieces.join(QString());
}
