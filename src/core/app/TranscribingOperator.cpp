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

// A box that got no answer (the operator is gone) was still shown: it is
// kept without an answer, so the transcript ends at the question that
// stopped the run.
MessageAnswer TranscribingOperator::messageBox(const MessageBoxRequest& request) {
  TranscriptEntry entry{kindName(request.buttons), request.title, request.text, {}, {}};
  try {
    const MessageAnswer answer = m_inner.messageBox(request);
    entry.answer = caption(answer);
    m_transcript.append(entry);
    return answer;
  } catch (...) {
    m_transcript.append(entry);
    throw;
  }
}

std::optional<QString> TranscribingOperator::inputBox(const InputBoxRequest& request) {
  TranscriptEntry entry{QStringLiteral("input"), request.title, request.prompt, request.defaultText, {}};
  try {
    entry.answer = m_inner.inputBox(request);
    m_transcript.append(entry);
    return entry.answer;
  } catch (...) {
    m_transcript.append(entry);
    throw;
  }
}
