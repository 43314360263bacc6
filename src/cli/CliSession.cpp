#include "CliSession.h"

#include "CliCommands.h"
#include "JsonOutput.h"
#include "TerminalOperator.h"

#include "app/ProgramFolder.h"
#include "app/ScriptedOperator.h"
#include "app/SettingsFile.h"
#include "app/TranscribingOperator.h"
#include "common/TextLines.h"
#include "device/RecordingOmrApi.h"
#include "sim/ReaderSelection.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

const QString kFolder = QStringLiteral("folder");
const QString kReader = QStringLiteral("reader");
const QString kAnswers = QStringLiteral("answers");
const QString kTranscript = QStringLiteral("transcript");
const QString kDeviceLog = QStringLiteral("device-log");

QJsonValue textOrNull(const std::optional<QString>& text) {
  return text ? QJsonValue(*text) : QJsonValue();
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
  *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
  return false;
}

}  // namespace

void CliSession::addOptions(QCommandLineParser& parser) {
  parser.addOption(
      {kFolder, QStringLiteral("program folder (settings, layouts, side files)"), QStringLiteral("DIR")});
  parser.addOption({kReader, QStringLiteral("sim:DECK or vendor[:LIBRARY]"), QStringLiteral("READER")});
  parser.addOption(
      {kAnswers, QStringLiteral("the operator's answers, one per line"), QStringLiteral("FILE")});
  parser.addOption(
      {kTranscript, QStringLiteral("write every box shown as JSON Lines"), QStringLiteral("FILE")});
  parser.addOption(
      {kDeviceLog, QStringLiteral("write every reader call, one per line"), QStringLiteral("FILE")});
}

bool CliSession::parseArguments(QCommandLineParser& parser, const QStringList& arguments, const QString& usage,
                                const QStringList& required) {
  const bool parsed = parser.parse(arguments);
  bool complete = parsed && parser.positionalArguments().isEmpty();
  for (const QString& option : required) complete = complete && parser.isSet(option);
  if (!complete) printError(parsed ? usage : parser.errorText());
  return complete;
}

bool CliSession::failed() const {
  if (!m_error.isEmpty()) printError(m_error);
  return !m_error.isEmpty();
}

CliSession::CliSession(const QCommandLineParser& parser)
    : m_transcriptPath(parser.value(kTranscript)), m_deviceLogPath(parser.value(kDeviceLog)) {
  m_programFolder = resolveProgramFolder(currentProgramFolderInputs(parser.value(kFolder)));
  if (!QDir().mkpath(m_programFolder)) {
    m_error = QStringLiteral("cannot use the program folder %1").arg(m_programFolder);
    return;
  }
  LoadSettings(m_programFolder, m_settings, m_panel);

  if (parser.isSet(kAnswers)) {
    QFile answers(parser.value(kAnswers));
    if (!answers.open(QIODevice::ReadOnly)) {
      m_error = QStringLiteral("cannot read the answers file %1: %2")
                    .arg(answers.fileName(), answers.errorString());
      return;
    }
    m_answering = std::make_unique<ScriptedOperator>(textlines::split(QString::fromUtf8(answers.readAll())));
  } else if (isatty(fileno(stdin))) {
    m_answering = std::make_unique<TerminalOperator>();
  } else {
    m_answering = std::make_unique<ScriptedOperator>(QStringList{});  // nobody to ask
  }
  m_operator = std::make_unique<TranscribingOperator>(*m_answering);

  ReaderSelection selection = ReaderSelection::open(parser.value(kReader));
  if (!selection.reader) {
    m_error = selection.error;
    return;
  }
  m_reader = std::move(selection.reader);
  m_readerDescription = selection.description;
  m_recording = std::make_unique<RecordingOmrApi>(*m_reader);
}

CliSession::~CliSession() = default;

Operator& CliSession::person() {
  return *m_operator;
}
OmrApi& CliSession::reader() {
  return *m_recording;
}

int CliSession::run(const std::function<int()>& body) {
  int code = kExitOk;
  try {
    code = body();
  } catch (const OperatorGone&) {
    printError(QStringLiteral("the answers ran out; the run was ended"));
    code = kExitAnswersRanOut;
  } catch (const ProgramEnd&) {
    code = kExitProgramEnds;
  } catch (const BadAnswer& e) {
    printError(QString::fromStdString(e.what()));
    code = kExitUsage;
  }
  if (!writeRecords() && code == kExitOk) code = kExitFailure;
  return code;
}

bool CliSession::writeRecords() {
  bool ok = true;
  QString error;
  if (!m_transcriptPath.isEmpty()) {
    QByteArray lines;
    for (const TranscriptEntry& box : m_operator->transcript()) {
      const QJsonObject entry{
          {"kind", box.kind},
          {"title", box.title},
          {"text", box.text},
          {"default", box.kind == QStringLiteral("input") ? QJsonValue(box.defaultText) : QJsonValue()},
          {"answer", textOrNull(box.answer)}};
      lines += QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n';
    }
    if (!writeWhole(m_transcriptPath, lines, &error)) {
      printError(error);
      ok = false;
    }
  }
  if (!m_deviceLogPath.isEmpty()) {
    QByteArray lines;
    for (const QString& call : m_recording->log()) lines += call.toUtf8() + '\n';
    if (!writeWhole(m_deviceLogPath, lines, &error)) {
      printError(error);
      ok = false;
    }
  }
  return ok;
}
