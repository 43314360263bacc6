#pragma once

#include "common/AnsiCodec.h"
#include "layout/LayoutParser.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Printers so that failed comparisons show the tables' texts.
inline void PrintTo(const FieldDefinition& f, std::ostream* os) {
  *os << "{block " << f.FieldLineFrom << '-' << f.FieldLineTo << " x " << f.FieldColFrom << '-'
      << f.FieldColTo << ", orient \"" << f.FieldOrient.toStdString() << "\" step " << f.FieldStep
      << ", alphabet \"" << f.FieldAlphabet.toStdString() << "\" words \"" << f.FieldWordWidth.toStdString()
      << "\", kind \"" << f.FieldKind.toStdString() << "\" decoder \"" << f.FieldDecoder.toStdString()
      << "\", chars " << f.FieldCharCount << " sub \"" << f.FieldSubLength.toStdString() << "\", name \""
      << f.FieldName.toStdString() << "\" min \"" << f.FieldMin.toStdString() << "\" max \""
      << f.FieldMax.toStdString() << "\" label \"" << f.FieldLabel.toStdString() << "\"}";
}

inline void PrintTo(const LayoutTable& t, std::ostream* os) {
  *os << "{lines " << t.LayoutLineCount << " columns " << t.LayoutColumnCount << " threshold \""
      << t.ThresholdHex.toStdString() << "\" turn \"" << t.LayoutTurn.toStdString() << "\" multi \""
      << t.MultiMarkText.toStdString() << "\" blank \"" << t.BlankText.toStdString() << "\", count "
      << t.FieldCount << " back " << t.FirstBackField << " utf8 " << t.Utf8DataFile << ", fields:";
  for (const FieldDefinition& f : t.fields) {
    *os << "\n  ";
    PrintTo(f, os);
  }
  *os << '}';
}

enum class LayoutEncoding { Ansi, Utf8 };

// A layout file's bytes as the design tool writes them: lines ended by CR LF,
// in code page 1254 or in UTF-8 after the byte-order mark.
inline QByteArray layoutBytes(const QStringList& lines, LayoutEncoding encoding = LayoutEncoding::Ansi) {
  const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  if (encoding == LayoutEncoding::Utf8) return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
  return ansi::encode(text);
}

inline LayoutTable parseLines(const QStringList& lines) {
  return ParseLayoutBytes(layoutBytes(lines));
}

inline const char* const kTestHeader = "62=48=8=N=*= =";
