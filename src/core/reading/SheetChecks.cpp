#include "reading/SheetChecks.h"

#include "app/Operator.h"
#include "common/NumericText.h"
#include "layout/SheetPicture.h"
#include "reading/RunFieldTable.h"

#include <algorithm>

namespace {

constexpr int kExemptionField = 344;
constexpr RgbColour kGreen{0, 128, 64};
constexpr RgbColour kPurple{128, 0, 128};

QStringView withoutBlanksAtEnds(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin) == u' ') ++begin;
  while (end > begin && text.at(end - 1) == u' ') --end;
  return text.mid(begin, end - begin);
}

// A character's numeric value as the number conversions read it: a digit
// its value, anything else (a blank, a double mark) nothing.
int digitValue(QChar c) {
  return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : 0;
}

// A bound as the layout stores it; an empty bound does not limit.
std::optional<double> boundOf(const QString& text) {
  if (withoutBlanksAtEnds(text).isEmpty()) return std::nullopt;
  return numeric::leadingValue(text);
}

}  // namespace

SheetChecks::SheetChecks(const LayoutTable& layout, FieldRect rect, Operator& op, QStringList& List1,
                         SheetCheckSettings settings, SheetPicture* picture)
    : m_layout(layout),
      m_rect(std::move(rect)),
      m_operator(op),
      m_list1(List1),
      m_settings(std::move(settings)),
      m_picture(picture) {
  m_fields.reserve(static_cast<std::size_t>(layout.fields.size()));
  for (const FieldDefinition& definition : layout.fields) {
    Field field;
    const QString& kind = definition.FieldKind;
    field.kind = kind.size() > 0 ? kind.at(0).toUpper() : QChar();
    field.parameter = kind.size() > 1 ? kind.at(1).toUpper() : QChar();
    field.option = kind.size() > 2 ? kind.at(2).toUpper() : QChar();
    field.kindLength = static_cast<int>(definition.FieldKind.size());
    if (field.parameter >= u'A' && field.parameter <= u'Z')
      field.group = field.parameter.unicode();
    else
      field.group = digitValue(field.parameter);
    field.charCount = definition.FieldCharCount;
    field.correctionWidth = definition.FieldAlphabet.contains(u'~')
                                ? numeric::clampedInt(numeric::leadingValue(definition.FieldWordWidth), 0,
                                                      LayoutTable::kMaxFieldCount * 80)
                                : definition.FieldCharCount;
    field.min = boundOf(definition.FieldMin);
    field.max = boundOf(definition.FieldMax);
    field.orient = definition.FieldOrient;
    m_fields.push_back(field);
  }
}

SheetVerdict SheetChecks::check(RunFieldTable& values, std::atomic<bool>& StopRequested,
                                int firstUnreadField) {
  SheetVerdict verdict;
  GroupActive.fill(false);
  const QString& blank = m_layout.BlankText;
  const QString& multiMark = m_layout.MultiMarkText;
  int count = std::min(static_cast<int>(m_fields.size()), static_cast<int>(values.entries.size()));
  // An unread side has nothing to confirm, correct or find wanting.
  if (firstUnreadField > 0) count = std::min(count, firstUnreadField - 1);
  const bool exemptionOn = count >= kExemptionField && values.field(kExemptionField).FieldValue == u"E";

  for (int i = 1; i <= count; ++i) {
    const Field& field = m_fields[static_cast<std::size_t>(i - 1)];
    RunFieldTable::Entry& entry = values.field(i);
    QString& value = entry.FieldValue;
    const QChar kind = field.kind;

    if (kind == u'N') value = base2Number(value);
    if (kind == u'İ') {
      if (field.parameter == u'1' || field.parameter == u'2')
        value = bcdGroups(value, field.parameter == u'1');
      else
        value.clear();
    }
    if (kind == u'I') {
      if (field.orient == u"Y")
        value = bcdGroups(value, true);
      else if (field.orient == u"D")
        value = bcdRows(value, field.charCount);
    }
    if (kind == u'K' && !value.contains(blank)) {
      if (field.group <= 10 || (value.size() == 1 && value.at(0).unicode() == field.group))
        GroupActive[static_cast<std::size_t>(field.group)] = true;
    }
    const bool exempt = exemptionOn && i % 8 == 0 && i >= 24 && i <= 343;
    if (!exempt && (kind == u'Y' || kind == u'W' || kind == u'G' || kind == u'A' || kind == u'Ç')) {
      if (kind == u'Ç' || value.contains(multiMark)) {
        QString fieldLabel = label(i);
        if (kind == u'Ç') {
          for (const RunFieldTable::Entry& other : values.entries) fieldLabel += u' ' + other.FieldValue;
        }
        if (confirm(fieldLabel) == Step::Drop || correct(i, value, fieldLabel) == Step::Drop) {
          verdict.outcome = SheetVerdict::Outcome::Dropped;
          return verdict;
        }
      }
    }
    if ((kind == u'E' || field.option == u'E') && value.size() > 1) {
      QString separated;
      for (qsizetype k = 0; k < value.size(); ++k) {
        if (k > 0) separated += m_settings.separatorText;
        separated += value.at(k);
      }
      value = separated;
    }
    if (kind == u'B') {
      while (!rangeFits(field, value)) {
        MessageBoxRequest ask;
        ask.buttons = MessageButtons::YesNo;
        ask.text = QStringLiteral("Hatalı kodlanan alanlar var! Kaydedilsin mi?");
        if (m_operator.messageBox(ask) != MessageAnswer::Yes) {
          verdict.outcome = SheetVerdict::Outcome::NextAtOnce;
          return verdict;
        }
        InputBoxRequest input{QStringLiteral("Lütfen yazınız"), QStringLiteral("Okuma"), value};
        const std::optional<QString> answer = m_operator.inputBox(input);
        // Cancelling the correction is a refusal to save, like "Hayır":
        // the loop must not keep asking an operator who types nothing.
        if (!answer) {
          verdict.outcome = SheetVerdict::Outcome::NextAtOnce;
          return verdict;
        }
        value = fitted(*answer, field.charCount);
      }
    }
    if ((kind == u'W' || kind == u'G' || kind == u'A') && value.contains(blank)) {
      const QString fieldLabel = label(i);
      if (confirm(fieldLabel) == Step::Drop || correct(i, value, fieldLabel) == Step::Drop) {
        verdict.outcome = SheetVerdict::Outcome::Dropped;
        return verdict;
      }
    }
    if (kind == u'G') {
      if (!m_list1.contains(value)) {
        m_list1.append(value);
      } else {
        MessageBoxRequest ask;
        ask.buttons = MessageButtons::YesNo;
        ask.text = QStringLiteral("Bu bilgi daha önce kaydedildi, tekrar kaydedilsin mi?");
        if (m_operator.messageBox(ask) != MessageAnswer::Yes) {
          verdict.outcome = SheetVerdict::Outcome::Dropped;
          return verdict;
        }
        verdict.SheetAccepted = true;
      }
    }
    if (kind == u'P' && !withoutBlanksAtEnds(value).isEmpty() && value.contains(blank)) {
      if (confirm(label(i)) == Step::Drop || confirmedEntry(i, value) == Step::Drop) {
        verdict.outcome = SheetVerdict::Outcome::Dropped;
        return verdict;
      }
    }
    if (kind == u'T' && withoutBlanksAtEnds(value).isEmpty()) {
      value = entry.takeRunningNumber(field.charCount);
    }
    // An operator who left the stop value empty (or cancelled its box)
    // asked for none; matching it would stop at the first blank field.
    if (kind == u'Ş') {
      const QString stopValue = entry.FieldEntered.toUpper();
      if (!withoutBlanksAtEnds(stopValue).isEmpty() &&
          withoutBlanksAtEnds(value.toUpper()) == withoutBlanksAtEnds(stopValue)) {
        StopRequested = true;
        verdict.stopValueMatched = true;
      }
    }

    const bool listedUnit = kind == u'U' && field.parameter == u'1' && field.kindLength > 2;
    if (listedUnit && !withoutBlanksAtEnds(value).isEmpty()) failWindow(i, verdict);
    if (m_settings.secondTray) {
      const bool groupOn = GroupActive[static_cast<std::size_t>(field.group)];
      if ((kind == u'Z' || kind == u'Q' || kind == u'A') && value.contains(multiMark)) failWindow(i, verdict);
      if (kind == u'U') {
        if (listedUnit) {
          if (!value.isEmpty()) failWindow(i, verdict);
        } else {
          if (value.contains(multiMark)) failWindow(i, verdict);
          if (value.contains(blank)) failWindow(i, verdict);
        }
      }
      if (kind == u'V' && groupOn) {
        if (value.contains(blank)) failWindow(i, verdict);
        if (value.contains(multiMark)) failWindow(i, verdict);
      }
      if (kind == u'S' && groupOn && value.contains(multiMark)) failWindow(i, verdict);
    }
  }
  return verdict;
}

QString SheetChecks::label(int fieldIndex) const {
  // A layout without back-side fields (FirstBackField 0) has none, whatever
  // the reader can do.
  const bool back =
      m_settings.backSensorFitted && m_layout.FirstBackField > 0 && fieldIndex >= m_layout.FirstBackField;
  return m_layout.field(fieldIndex).FieldLabel +
         (back ? QStringLiteral(" Arka Yüz") : QStringLiteral(" Ön Yüz"));
}

SheetChecks::Step SheetChecks::confirm(const QString& fieldLabel) {
  for (;;) {
    MessageBoxRequest ask;
    ask.buttons = MessageButtons::YesNo;
    ask.text =
        QStringLiteral("Hatalı kodlanan alan var (") + fieldLabel + QStringLiteral(")! Kaydedilsin mi?");
    if (m_operator.messageBox(ask) == MessageAnswer::Yes) return Step::GoOn;
    MessageBoxRequest drop;
    drop.buttons = MessageButtons::YesNo;
    drop.text = m_settings.secondTray ? QStringLiteral("Hatalı kağıt arasına atılacak onaylıyor musunuz?")
                                      : QStringLiteral("Kaydedilmeyecek onaylıyor musunuz?");
    if (m_operator.messageBox(drop) == MessageAnswer::Yes) return Step::Drop;
  }
}

SheetChecks::Step SheetChecks::correct(int fieldIndex, QString& value, const QString& fieldLabel) {
  mark(fieldIndex, false);
  InputBoxRequest input{QStringLiteral("Lütfen yazınız") + fieldLabel, QStringLiteral("Okuma"), value};
  const std::optional<QString> answer = m_operator.inputBox(input);
  // A cancelled correction keeps the value as read: the operator has just
  // said it may be saved, and blanks in its place would lose it.
  if (answer) value = fitted(*answer, m_fields[static_cast<std::size_t>(fieldIndex - 1)].correctionWidth);
  mark(fieldIndex, true);
  return Step::GoOn;
}

bool SheetChecks::rangeFits(const Field& field, const QString& value) const {
  const double number = numeric::leadingValue(value);
  if (field.min && number < *field.min) return false;
  if (field.max && number > *field.max) return false;
  return true;
}

SheetChecks::Step SheetChecks::confirmedEntry(int fieldIndex, QString& value) {
  const Field& field = m_fields[static_cast<std::size_t>(fieldIndex - 1)];
  const QString fieldLabel = label(fieldIndex);
  mark(fieldIndex, false);
  for (;;) {
    InputBoxRequest input{QStringLiteral("Lütfen yazınız") + fieldLabel, QStringLiteral("Okuma"), value};
    const std::optional<QString> answer = m_operator.inputBox(input);
    // Cancelling the entry is not a confirmation: the sheet is treated as
    // "Onaylamıyorum", so an operator who types nothing is not asked forever.
    if (!answer) return Step::Drop;
    value = fitted(*answer, field.charCount);
    MessageBoxRequest ask;
    ask.buttons = MessageButtons::YesNoCancel;
    ask.text = value + QStringLiteral(
                           " onaylıyormusunuz?\rEvet : Onaylıyorum okumaya devam et\r"
                           "Hayır : Onaylamıyorum hatalı kagit\rİptal : Tekrar düzelteceğim");
    const MessageAnswer confirmed = m_operator.messageBox(ask);
    if (confirmed == MessageAnswer::Yes) {
      mark(fieldIndex, true);
      return Step::GoOn;
    }
    if (confirmed == MessageAnswer::No) return Step::Drop;
  }
}

void SheetChecks::mark(int fieldIndex, bool purple) {
  if (m_picture)
    markFieldBlock(*m_picture, m_layout.LayoutTurn, m_rect.row(fieldIndex), purple ? kPurple : kGreen);
}

void SheetChecks::failWindow(int fieldIndex, SheetVerdict& verdict) const {
  verdict.SheetAccepted = false;
  verdict.ErrorWindowList += numeric::signedForm(fieldIndex);
}

QString SheetChecks::base2Number(QStringView value) {
  // Only the last three digits are kept, so the sum is taken modulo 1000:
  // exact for values of any length.
  int sum = 0;
  int weight = 1;
  for (QChar c : value) {
    sum = (sum + digitValue(c) * weight) % 1000;
    weight = weight * 2 % 1000;
  }
  return QStringLiteral("%1").arg(sum, 3, 10, QChar(u'0'));
}

QString SheetChecks::bcdGroups(QStringView value, bool highFirst) {
  QString joined;
  for (qsizetype start = 0; start < value.size(); start += 4) {
    int number = 0;
    for (qsizetype k = 0; k < 4 && start + k < value.size(); ++k) {
      const int weight = highFirst ? 8 >> k : 1 << k;
      number += digitValue(value.at(start + k)) * weight;
    }
    joined += QString::number(number);
  }
  return joined;
}

QString SheetChecks::bcdRows(QStringView value, int charCount) {
  QString joined;
  for (qsizetype k = 0; k < charCount; ++k) {
    int digit = 0;
    for (int row = 0; row < 4; ++row) {
      const qsizetype at = row * static_cast<qsizetype>(charCount) + k;
      if (at < value.size()) digit += digitValue(value.at(at)) << row;
    }
    joined += QString::number(digit);
  }
  return joined;
}

QString SheetChecks::fitted(const QString& answer, int width) {
  if (width <= 0) return {};
  if (answer.size() >= width) return answer.left(width);
  return answer + QString(width - answer.size(), u' ');
}
