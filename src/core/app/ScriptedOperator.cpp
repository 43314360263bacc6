#include "app/ScriptedOperator.h"

#include <utility>

ScriptedOperator::ScriptedOperator(QStringList answers) : m_answers(std::move(answers)) {}

std::optional<MessageAnswer> ScriptedOperator::parseAnswer(const QString& line) {
  const QString word = line.trimmed();
  const auto is = [&word](const char16_t* turkish, const char16_t* turkishCapitals, const char* english) {
    return word.compare(QStringView(turkish), Qt::CaseInsensitive) == 0 ||
           word == QStringView(turkishCapitals) ||
           word.compare(QLatin1String(english), Qt::CaseInsensitive) == 0;
  };
  // Case folding does not map the dotless and dotted i of Turkish onto I,
  // so the capitalised Turkish words are listed as well.
  if (is(u"Evet", u"EVET", "yes")) return MessageAnswer::Yes;
  if (is(u"Hayır", u"HAYIR", "no")) return MessageAnswer::No;
  if (is(u"İptal", u"İPTAL", "cancel")) return MessageAnswer::Cancel;
  if (is(u"Tamam", u"TAMAM", "ok")) return MessageAnswer::Ok;
  return std::nullopt;
}

QString ScriptedOperator::takeAnswer() {
  if (m_next >= m_answers.size()) throw OperatorGone();
  return m_answers.at(m_next++);
}

MessageAnswer ScriptedOperator::messageBox(const MessageBoxRequest& request) {
  const qsizetype number = m_next + 1;
  const QString line = takeAnswer();
  if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  const std::optional<MessageAnswer> answer = parseAnswer(line);
  const bool fits =
      answer && (*answer == MessageAnswer::Yes || *answer == MessageAnswer::No ||
                 (*answer == MessageAnswer::Cancel && request.buttons == MessageButtons::YesNoCancel));
  if (!fits) {
    const QString box =
        request.buttons == MessageButtons::YesNo ? QStringLiteral("Yes/No") : QStringLiteral("Yes/No/Cancel");
    throw BadAnswer(
        QStringLiteral("answer %1 \"%2\" does not fit a %3 box").arg(number).arg(line, box).toStdString());
  }
  return *answer;
}

std::optional<QString> ScriptedOperator::inputBox(const InputBoxRequest&) {
  const QString line = takeAnswer();
  if (line == QStringLiteral("<cancel>")) return std::nullopt;
  return line;
}
