#include "layout/BoxDecoder.h"

#include <algorithm>

namespace {

void reverseText(QString& text) {
  std::reverse(text.begin(), text.end());
}

}  // namespace

BoxDecoder::BoxDecoder(const BoxDecoderInput& input, const BoxDecoderContext& context)
    : m_kind(input.kind),
      m_plan(input, context),
      m_threshold(input.t),
      m_capInUse(context.UseDarknessLimit == 1),
      m_capLimit(context.DarknessUpperLimit),
      m_multiMarkText(context.MultiMarkText) {
  if (!m_plan.insideBuffer()) return;
  if (!context.MultiMarkText.isEmpty()) m_overfullCharacter = context.MultiMarkText.at(0).unicode();
  m_length = std::max<int>(input.Uzunluklar, 0);
  m_width = input.y1 == input.y2 ? input.x2 - input.x1 : input.y2 - input.y1;
  switch (m_kind) {
    case BoxDecoderKind::Kutu:
    case BoxDecoderKind::KutuIkili:
    case BoxDecoderKind::Yatay:
      m_cap = Cap::BeforeThreshold;
      break;
    case BoxDecoderKind::Dikey:
    case BoxDecoderKind::CokluSutun:
      m_cap = Cap::WhenMarked;
      break;
    case BoxDecoderKind::CokluSatir:
      m_cap = Cap::Never;
      break;
  }
  m_quotedList = (m_kind == BoxDecoderKind::CokluSatir || m_kind == BoxDecoderKind::CokluSutun) &&
                 context.kindLetter == u"J";
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
  if (!m_plan.insideBuffer()) return;
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
  for (std::size_t u = 0, units = m_plan.unitCount(); u < units; ++u) {
    int best = m_threshold;
    Outcome outcome = Outcome::Blank;
    const BoxDecoderPlan::Position* winner = nullptr;
    for (const BoxDecoderPlan::Position& position : m_plan.unit(u)) {
      if (position.excluded) continue;
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
        result.append(m_plan.blankResult());
        break;
      case Outcome::Character:
        if (winner->hasCharacter) result.append(QChar(winner->character));
        break;
      case Outcome::Tie:
        result.append(m_multiMarkText);
        break;
    }
  }
  if (m_plan.reversesResult()) reverseText(result);
}

void BoxDecoder::decodeMultiple(const omr::MarkBuffer& marks, QString& result) const {
  for (std::size_t u = 0, units = m_plan.unitCount(); u < units; ++u) {
    const qsizetype unitStart = result.size();
    for (const BoxDecoderPlan::Position& position : m_plan.unit(u)) {
      if (!marked(marks[position.offset]))
        result.append(u' ');
      else if (position.hasCharacter)
        result.append(QChar(position.character));
    }
    if (m_quotedList) quoteAsList(result, unitStart);
  }
  if (m_plan.reversesResult()) reverseText(result);
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
  for (const BoxDecoderPlan::Position& position : m_plan.unit(0)) {
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
  if (m_plan.reversesResult()) reverseText(result);
}
