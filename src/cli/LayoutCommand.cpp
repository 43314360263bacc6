#include "CliCommands.h"
#include "JsonOutput.h"
#include "layout/LayoutParser.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonObject fieldJson(const FieldDefinition& field) {
  return {
      {QStringLiteral("FieldLineFrom"), field.FieldLineFrom},
      {QStringLiteral("FieldLineTo"), field.FieldLineTo},
      {QStringLiteral("FieldColFrom"), field.FieldColFrom},
      {QStringLiteral("FieldColTo"), field.FieldColTo},
      {QStringLiteral("FieldOrient"), field.FieldOrient},
      {QStringLiteral("FieldStep"), field.FieldStep},
      {QStringLiteral("FieldAlphabet"), field.FieldAlphabet},
      {QStringLiteral("FieldWordWidth"), field.FieldWordWidth},
      {QStringLiteral("FieldKind"), field.FieldKind},
      {QStringLiteral("FieldDecoder"), field.FieldDecoder},
      {QStringLiteral("FieldCharCount"), field.FieldCharCount},
      {QStringLiteral("FieldSubLength"), field.FieldSubLength},
      {QStringLiteral("FieldName"), field.FieldName},
      {QStringLiteral("FieldMin"), field.FieldMin},
      {QStringLiteral("FieldMax"), field.FieldMax},
      {QStringLiteral("FieldLabel"), field.FieldLabel},
  };
}

QJsonObject layoutJson(const LayoutTable& table) {
  const QJsonObject header = {
      {QStringLiteral("LayoutLineCount"), table.LayoutLineCount},
      {QStringLiteral("LayoutColumnCount"), table.LayoutColumnCount},
      {QStringLiteral("ThresholdHex"), table.ThresholdHex},
      {QStringLiteral("LayoutTurn"), table.LayoutTurn},
      {QStringLiteral("MultiMarkText"), table.MultiMarkText},
      {QStringLiteral("BlankText"), table.BlankText},
  };
  QJsonArray fields;
  for (const FieldDefinition& field : table.fields) fields.append(fieldJson(field));
  return {
      {QStringLiteral("header"), header},
      {QStringLiteral("FieldCount"), table.FieldCount},
      {QStringLiteral("FirstBackField"), table.FirstBackField},
      {QStringLiteral("Utf8DataFile"), table.Utf8DataFile},
      {QStringLiteral("fields"), fields},
  };
}

}  // namespace

int runLayoutCommand(const QStringList& arguments) {
  if (arguments.size() != 2) {
    printError(QStringLiteral("usage: korvel-cli layout FILE.omrf"));
    return kExitUsage;
  }
  const QString path = arguments.at(1);
  // The parse itself turns a missing file into an empty table; here that
  // would pass an empty layout off as the file's content.
  if (!QFileInfo(path).isFile()) {
    printError(QStringLiteral("korvel-cli layout: no such layout file: %1").arg(path));
    return kExitFailure;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    printError(QStringLiteral("korvel-cli layout: cannot read %1: %2").arg(path, file.errorString()));
    return kExitFailure;
  }
  printJson(layoutJson(ParseLayoutBytes(file.readAll())));
  return kExitOk;
}
