#include "CliCommands.h"
#include "JsonOutput.h"

#include <QCoreApplication>

#include <functional>
#include <map>

namespace {

const char kUsage[] =
    "usage: korvel-cli COMMAND [options]\n"
    "commands:\n"
    "  decode --layout FILE.omrf --front SHEET [--back SHEET] [--folder DIR]\n"
    "                                 decode one sheet with the settings of the program folder\n"
    "                                 and print the field values as JSON\n"
    "  layout FILE.omrf               print a layout file's header and field table as JSON\n"
    "  settings --folder DIR [--save] print the settings of DIR/sekonic.ini as JSON;\n"
    "                                 --save then writes them back as the panel's OK button does";

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("korvel"));
  QStringList arguments = QCoreApplication::arguments();
  const std::map<QString, std::function<int(const QStringList&)>> commands = {
      {QStringLiteral("decode"), runDecodeCommand},
      {QStringLiteral("layout"), runLayoutCommand},
      {QStringLiteral("settings"), runSettingsCommand},
  };
  if (arguments.size() < 2 || !commands.contains(arguments.at(1))) {
    printError(QString::fromUtf8(kUsage));
    return kExitUsage;
  }
  const QString command = arguments.takeAt(1);
  return commands.at(command)(arguments);
}
