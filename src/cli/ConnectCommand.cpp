#include "CliCommands.h"
#include "CliSession.h"
#include "JsonOutput.h"

#include "device/ReaderConnection.h"
#include "reading/RunOptions.h"

#include <QCommandLineParser>

int runConnectCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  CliSession::addOptions(parser);
  if (!CliSession::parseArguments(parser, arguments, QStringLiteral("usage: korvel-cli connect [options]")))
    return kExitUsage;
  CliSession session(parser);
  if (session.failed()) return kExitUsage;
  return session.run([&session] {
    const DeviceSettings settings = RunOptions::from(session.settings(), session.panel()).device;
    ReaderState state;
    ReaderConnection connection(session.reader(), session.person(), settings, state);
    const bool connected = connection.ConnectReader();
    printJson({{"connected", connected},
               {"MachineName", state.MachineName},
               {"BackSensorFitted", state.BackSensorFitted},
               {"reader", session.readerDescription()}});
    return kExitOk;
  });
}
