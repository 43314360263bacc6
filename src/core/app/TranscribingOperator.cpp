#include "app/TranscribingOperator.h"

namespace {

QString kindName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QStringLiteral("ok");
    case MessageButtons::YesNo:
      return QStringLiteral("yesno");
    case MessageButtons::YesNoCancel:
      return QStringLiteral("yesnocancel");
  }
  return {};
}

}  // namespace

QString TranscribingOperator::caption(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Yes:
      return QStringLiteral("Evet");
    case MessageAnswer::No:
      return QStringLiteral("Hayır");
    case MessageAnswer::Cancel:
      return QStringLiteral("İptal");
    case MessageAnswer::Ok:
      return QStringLiteral("Tamam");
  }
  return {};
}

MessageAnswer TranscribingOperator::messageBox(const MessageBoxRequest& request) {
  const MessageAnswer answer = m_inner.messageBox(request);
  m_transcript.append({kindName(request.buttons), request.title, request.text, {}, caption(answer)});
  return answer;
}

std::optional<QString> TranscribingOperator::inputBox(const InputBoxRequest& request) {
  std::optional<QString> answer = m_inner.inputBox(request);
  m_transcript.append({QStringLiteral("input"), request.title, request.prompt, request.defaultText, answer});
  return answer;
}
