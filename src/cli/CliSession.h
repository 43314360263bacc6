#pragma once

#include "app/AppSettings.h"
#include "app/Operator.h"
#include "app/SettingsPanel.h"

#include <QCommandLineParser>
#include <QString>

#include <functional>
#include <memory>

class OmrApi;
class RecordingOmrApi;
class TranscribingOperator;

/// What the commands that drive the reader share: the program folder and its
/// settings, the reader (recorded call by call), and the operator (an
/// answers file, else the terminal, transcribed box by box).
///
/// Options: --folder DIR, --reader sim:DECK|vendor[:LIBRARY],
/// --answers FILE, --transcript FILE, --device-log FILE.
class CliSession {
 public:
  /// Adds the shared options to a command's parser.
  static void addOptions(QCommandLineParser& parser);

  /// Parses a command's arguments (its own options already added to
  /// `parser`); on a usage error, or when one of `required` is missing,
  /// prints the parser's message or `usage` and returns false.
  static bool parseArguments(QCommandLineParser& parser, const QStringList& arguments, const QString& usage,
                             const QStringList& required = {});

  /// Sets everything up from the parsed options; error() tells what could
  /// not be (a usage error).
  explicit CliSession(const QCommandLineParser& parser);
  ~CliSession();

  const QString& error() const { return m_error; }
  /// True, after printing why, when the session could not be set up.
  bool failed() const;

  const QString& programFolder() const { return m_programFolder; }
  AppSettings& settings() { return m_settings; }
  SettingsPanel& panel() { return m_panel; }
  Operator& person();
  OmrApi& reader();
  const QString& readerDescription() const { return m_readerDescription; }

  /// Runs the command's work and returns the exit code: the body's own, 3
  /// when the operator gave no more answers, 4 when the program itself
  /// ends, 2 for an answer that does not fit its box. The transcript and the
  /// device log are written however the body ended.
  int run(const std::function<int()>& body);

 private:
  bool writeRecords();

  QString m_error;
  QString m_programFolder;
  QString m_transcriptPath;
  QString m_deviceLogPath;
  AppSettings m_settings;
  SettingsPanel m_panel;
  std::unique_ptr<Operator> m_answering;
  std::unique_ptr<TranscribingOperator> m_operator;
  std::unique_ptr<OmrApi> m_reader;
  std::unique_ptr<RecordingOmrApi> m_recording;
  QString m_readerDescription;
};
