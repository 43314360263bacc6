#pragma once

#include "common/AnsiCodec.h"
#include "layout/LayoutParser.h"
#include "sim/Deck.h"
#include "sim/DeckParser.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <tuple>

inline void PrintTo(const DeckSheet::Mark& mark, std::ostream* os) {
  *os << '(' << mark.line << ',' << mark.column << ':' << int{mark.darkness} << ')';
}

// Test names from the `name` member of a parameterised case; characters a
// test name cannot hold become "_".
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& param) {
  std::string name = param.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// A layout as the design tool writes it: code page 1254, CR LF.
inline LayoutTable layoutOf(const QStringList& lines) {
  return ParseLayoutBytes(ansi::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

inline Deck parsedDeck(const char* text) {
  const DeckParser::Result result = DeckParser::parse(QByteArray(text), QStringLiteral("test.deck"));
  return result.deck.value_or(Deck{});
}

// A position of a side, for comparing where marks are without their darkness.
struct SidePosition {
  int side = 0;
  int line = 0;
  int column = 0;

  friend bool operator==(const SidePosition&, const SidePosition&) = default;
  friend bool operator<(const SidePosition& a, const SidePosition& b) {
    return std::tie(a.side, a.line, a.column) < std::tie(b.side, b.line, b.column);
  }
};

inline void PrintTo(const SidePosition& p, std::ostream* os) {
  *os << (p.side ? "back " : "front ") << p.line << ',' << p.column;
}

// Where a sheet carries marks darker than `threshold`.
inline QList<SidePosition> markedPositions(const DeckSheet& sheet, int threshold) {
  QList<SidePosition> result;
  for (const int side : {0, 1})
    for (const DeckSheet::Mark& mark : sheet.marks(static_cast<DeckSheet::Side>(side)))
      if (mark.darkness > threshold) result.append({side, mark.line, mark.column});
  return result;
}
