#include "app/ScriptedOperator.h"

#include <utility>

namespace {

const QString kYes = QStringLiteral("Evet");
const QString kNo = QStringLiteral("Hayır");
const QString kCancel = QStringLiteral("İptal");
const QString kOk = QStringLiteral("Tamam");

std::optional<MessageAnswer> parseAnswer(const QString& line) {
  const QString word = line.trimmed();
  const auto is = [&word](const QString& turkish, const char* english) {
    return word.compare(turkish, Qt::CaseInsensitive) == 0 ||
           word.compare(QLatin1String(english), Qt::CaseInsensitive) == 0;
  };
  if (is(kYes, "yes")) return MessageAnswer::Yes;
  if (is(kNo, "no") || word.compare(QStringLiteral("HAYIR")) == 0) return MessageAnswer::No;
  if (is(kCancel, "cancel") || word.compare(QStringLiteral("İPTAL")) == 0) return MessageAnswer::Cancel;
  if (is(kOk, "ok")) return MessageAnswer::Ok;
  return std::nullopt;
}

QString kindName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QStringLiteral("ok");
    case MessageButtons::YesNo: return QStringLiteral("yesno");
    case MessageButtons::YesNoCancel: return QStringLiteral("yesnocancel");
  }
  return {};
}

QString caption(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Yes: return kYes;
    case MessageAnswer::No: return kNo;
    case MessageAnswer::Cancel: return kCancel;
    case MessageAnswer::Ok: return kOk;
  }
  return {};
}

}  // namespace

ScriptedOperator::ScriptedOperator(QStringList answers) : m_answers(std::move(answers)) {}

QString ScriptedOperator::takeAnswer() {
  if (m_next >= m_answers.size()) throw OperatorGone();
  return m_answers.at(m_next++);
}

MessageAnswer ScriptedOperator::messageBox(const MessageBoxRequest& request) {
  const qsizetype number = m_next + 1;
  const QString line = takeAnswer();
  MessageAnswer answer = MessageAnswer::Ok;
  if (request.buttons != MessageButtons::Ok) {
    const std::optional<MessageAnswer> parsed = parseAnswer(line);
    const bool fits = parsed && (*parsed == MessageAnswer::Yes || *parsed == MessageAnswer::No ||
                                 (*parsed == MessageAnswer::Cancel && request.buttons == MessageButtons::YesNoCancel));
    if (!fits)
      throw BadAnswer(QStringLiteral("answer %1 \"%2\" does not fit a %3 box")
                          .arg(number)
                          .arg(line, request.buttons == MessageButtons::YesNo ? QStringLiteral("Yes/No")
                                                                             : QStringLiteral("Yes/No/Cancel"))
                          .toStdString());
    answer = *parsed;
  }
  m_transcript.append({kindName(request.buttons), request.title, request.text, {}, caption(answer)});
  return answer;
}

std::optional<QString> ScriptedOperator::inputBox(const InputBoxRequest& request) {
  const QString line = takeAnswer();
  std::optional<QString> answer;
  if (line != QStringLiteral("<cancel>")) answer = line;
  m_transcript.append({QStringLiteral("input"), request.title, request.prompt, request.defaultText, answer});
  return answer;
}
