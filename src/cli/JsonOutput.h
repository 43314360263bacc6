#pragma once

#include <QJsonObject>
#include <QString>

/// Writes one JSON object as a single line to standard output, in UTF-8.
void printJson(const QJsonObject& object);

/// Writes a line to standard error, in UTF-8.
void printError(const QString& message);
