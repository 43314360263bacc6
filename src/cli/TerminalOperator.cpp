#include "TerminalOperator.h"

#include "app/ScriptedOperator.h"

#include <QTextStream>

namespace {

QTextStream& terminalOut() {
  static QTextStream out(stderr);
  return out;
}

QString readLine() {
  static QTextStream in(stdin);
  QString line;
  if (!in.readLineInto(&line)) throw OperatorGone();
  return line;
}

void show(const QString& title, const QString& text) {
  QString shown = text;
  shown.replace(u'\r', u'\n');
  terminalOut() << "\n[" << title << "]\n" << shown << "\n";
}

}  // namespace

MessageAnswer TerminalOperator::messageBox(const MessageBoxRequest& request) {
  show(request.title, request.text);
  const QString choices = request.buttons == MessageButtons::Ok      ? QStringLiteral("Tamam")
                          : request.buttons == MessageButtons::YesNo ? QStringLiteral("Evet/Hayır")
                                                                     : QStringLiteral("Evet/Hayır/İptal");
  for (;;) {
    terminalOut() << "(" << choices << ") > " << Qt::flush;
    const QString line = readLine();
    if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    const std::optional<MessageAnswer> answer = ScriptedOperator::parseAnswer(line);
    if (answer == MessageAnswer::Yes || answer == MessageAnswer::No) return *answer;
    if (answer == MessageAnswer::Cancel && request.buttons == MessageButtons::YesNoCancel) return *answer;
  }
}

std::optional<QString> TerminalOperator::inputBox(const InputBoxRequest& request) {
  show(request.title, request.prompt);
  if (!request.defaultText.isEmpty()) terminalOut() << "[" << request.defaultText << "] ";
  terminalOut() << "(<cancel> cancels) > " << Qt::flush;
  const QString line = readLine();
  if (line == QStringLiteral("<cancel>")) return std::nullopt;
  // An empty line keeps what the box offered, as Enter does in the window.
  return line.isEmpty() ? request.defaultText : line;
}
