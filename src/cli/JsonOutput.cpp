#include "JsonOutput.h"

#include <QJsonDocument>

#include <cstdio>

void printJson(const QJsonObject& object) {
  const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void printError(const QString& message) {
  const QByteArray bytes = message.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
  std::fputc('\n', stderr);
}
