#pragma once

// The settings file as lines of text, for tests that write or read one.

#include "common/AnsiCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

inline QByteArray fileOf(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += ansi::encode(line) + "\r\n";
  return bytes;
}

inline QStringList linesOf(const QByteArray& bytes) {
  QStringList lines = ansi::decode(bytes).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}
