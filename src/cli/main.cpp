#include "CliCommands.h"
#include "JsonOutput.h"

#include <QCoreApplication>

#include <functional>
#include <map>

namespace {

const char kUsage[] =
    "usage: korvel-cli COMMAND [options]\n"
    "commands:\n"
    "  connect [--folder DIR] [--reader READER] [--answers FILE] [--transcript FILE] [--device-log FILE]\n"
    "                                 connect to the reader as the program does at start-up and\n"
    "                                 print what it reports as JSON; READER is sim:DECK or\n"
    "                                 vendor[:LIBRARY] (default: the vendor library when it loads,\n"
    "                                 else the simulated reader with the built-in sample deck)\n"
    "  decode --layout FILE.omrf --front SHEET [--back SHEET] [--folder DIR]\n"
    "                                 decode one sheet with the settings of the program folder\n"
    "                                 and print the field values as JSON; SHEET is a deck (its\n"
    "                                 first sheet) or a raw mark buffer of exactly 7440 bytes\n"
    "  deck --layout FILE.omrf [--values VALUES] [--sheets N] [--noise LEVEL] [--seed N]\n"
    "       [--darkness LOW-HIGH] [--single-sided] [--out DECK]\n"
    "                                 write a deck for the simulated reader: the sheets of FILE\n"
    "                                 marked with the values of VALUES (default: N sheets of random\n"
    "                                 valid values, N default 1); --sheets repeats the values\n"
    "                                 lines up to N sheets; noise 0-3 adds faint specks, smudges\n"
    "                                 and rubbed-out marks; the deck goes to DECK or standard output.\n"
    "                                 Values file: UTF-8, one sheet per line, TAB-separated items\n"
    "                                 NAME=VALUE (field name, or @N for field N), FIRST..LAST=TEXT\n"
    "                                 (one character per field), NAME@light=, NAME@erased=,\n"
    "                                 NAME@double= (faint, rubbed-out, second marks), @status=HEX,\n"
    "                                 @lines=N, @backlines=N, @barcode=TEXT; a value is written as\n"
    "                                 the field reads it; \"#\" starts a comment line\n"
    "  density --folder DIR [--reader READER] [--answers FILE] [--transcript FILE] [--device-log FILE]\n"
    "                                 the density reading: sheets read with 70 lines until the run\n"
    "                                 ends; prints the darkness grid of the last sheet\n"
    "  layout FILE.omrf               print a layout file's header and field table as JSON\n"
    "  read --folder DIR --layout NAME --data PATH [--reader READER] [--answers FILE]\n"
    "       [--transcript FILE] [--device-log FILE]\n"
    "                                 a reading run of layout NAME into the data file PATH, as the\n"
    "                                 Read command does; one line per sheet, then a summary line\n"
    "  settings --folder DIR [--save] print the settings of DIR/sekonic.ini as JSON;\n"
    "                                 --save then writes them back as the panel's OK button does";

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("korvel"));
  QStringList arguments = QCoreApplication::arguments();
  const std::map<QString, std::function<int(const QStringList&)>> commands = {
      {QStringLiteral("connect"), runConnectCommand},
      {QStringLiteral("decode"), runDecodeCommand},
      {QStringLiteral("deck"), runDeckCommand},
      {QStringLiteral("density"), runDensityCommand},
      {QStringLiteral("layout"), runLayoutCommand},
      {QStringLiteral("read"), runReadCommand},
      {QStringLiteral("settings"), runSettingsCommand},
  };
  if (arguments.size() < 2 || !commands.contains(arguments.at(1))) {
    printError(QString::fromUtf8(kUsage));
    return kExitUsage;
  }
  const QString command = arguments.takeAt(1);
  return commands.at(command)(arguments);
}
