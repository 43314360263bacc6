#include "layout/LayoutParser.h"

#include "common/AnsiCodec.h"
#include "common/NumericText.h"
#include "common/TextLines.h"
#include "common/Utf8Text.h"
#include "layout/LayoutItems.h"

#include <QFile>
#include <QStringView>

#include <algorithm>
#include <limits>

namespace {

constexpr int kHeaderItemCount = 6;
constexpr int kFieldItemCount = 10;
constexpr int kMaxWordCount = 80;
// Names are padded to the longest one so prompts and the field list line up.
// A name longer than any screen line is kept whole but does not widen the
// others: padding 500 names to a name of megabytes would exhaust memory.
constexpr qsizetype kMaxAlignedNameLength = 256;

constexpr char16_t kDottedCapitalI = u'\u0130';

using layout_items::int16Item;
using layout_items::int16Value;

void parseHeader(QStringView line, LayoutTable& table) {
  const auto header = layout_items::split<kHeaderItemCount>(line);
  table.LayoutLineCount = int16Item(header.items[0]);
  table.LayoutColumnCount =
      numeric::clampedInt(numeric::leadingValue(header.items[1]), std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max());
  table.ThresholdHex = layout_items::thresholdHex(header.items[2]);
  table.LayoutTurn = header.items[3].toString();
  table.MultiMarkText = header.items[4].isEmpty() ? QStringLiteral("*") : header.items[4].toString();
  table.BlankText = header.items[5].isEmpty() ? QStringLiteral(" ") : header.items[5].toString();
}

// The length of the longest word of a "~" list. Only words ended by "~"
// count, and only the first 80 of them.
qsizetype longestWordLength(QStringView alphabet) {
  qsizetype longest = 0;
  qsizetype start = 0;
  for (int word = 0; word < kMaxWordCount; ++word) {
    const qsizetype end = alphabet.indexOf(u'~', start);
    if (end < 0) break;
    longest = std::max(longest, end - start);
    start = end + 1;
  }
  return longest;
}

bool hasNonBlank(QStringView text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c != u' '; });
}

FieldDefinition parseField(QStringView line, bool& backSide) {
  const auto items = layout_items::split<kFieldItemCount>(line);
  FieldDefinition field;

  QStringView lineFrom = items.items[0];
  backSide = lineFrom.startsWith(u'/');
  if (backSide) lineFrom = lineFrom.sliced(1);
  field.FieldLineFrom = int16Item(lineFrom);
  field.FieldLineTo = int16Item(items.items[1]);
  field.FieldColFrom = int16Item(items.items[2]);
  field.FieldColTo = int16Item(items.items[3]);

  // A single-unit upper-casing keeps the orientation one letter long (the
  // whole-string mapping would turn "ß" into "SS").
  const QStringView orientItem = items.items[5];
  const QChar orient = orientItem.isEmpty() ? QChar() : orientItem.front().toUpper();
  if (!orientItem.isEmpty()) field.FieldOrient = QString(orient);
  if (orientItem.size() > 1) field.FieldStep = int16Value(numeric::leadingValue(orientItem.mid(1, 2)) + 1);

  const std::int32_t lineCount = std::int32_t{field.FieldLineTo} - field.FieldLineFrom + 1;
  const std::int32_t columnCount = std::int32_t{field.FieldColTo} - field.FieldColFrom + 1;
  if (orient == u'D') {
    field.FieldDecoder = QStringLiteral("H");
    field.FieldCharCount = columnCount;
  } else if (orient == u'Y') {
    field.FieldDecoder = QStringLiteral("T");
    field.FieldCharCount = lineCount;
  } else if (orient == u'K') {
    field.FieldDecoder = QStringLiteral("K");
    field.FieldCharCount = 1;
  }
  field.FieldSubLength = QString::number(orient == u'D' ? columnCount : lineCount);

  field.FieldAlphabet = items.items[6].toString();
  if (items.items[6].contains(u'~'))
    field.FieldWordWidth = QString::number(longestWordLength(items.items[6]));

  // The kind letters the parse acts on are compared as written: a lower-case
  // letter selects nothing here.
  field.FieldKind = items.items[7].toString();
  if (!field.FieldKind.isEmpty()) {
    switch (field.FieldKind.front().unicode()) {
      case u'C':
      case u'N':
      case u'I':
        field.FieldDecoder = QStringLiteral("C");
        break;
      case u'J':
        field.FieldDecoder = orient == u'D' ? QStringLiteral("M") : QStringLiteral("C");
        break;
      case u'M':
        field.FieldDecoder = QStringLiteral("M");
        break;
      case kDottedCapitalI:
        if (orient == u'Y') field.FieldDecoder = QStringLiteral("C");
        if (orient == u'D') field.FieldDecoder = QStringLiteral("M");
        break;
      case u'F':
        field.FieldSubLength = QStringLiteral("2");
        break;
      default:
        break;
    }
  }

  const QStringView name = items.items[8];
  if (!name.isEmpty()) {
    field.FieldName = name.toString();
    field.FieldMin = numeric::signedForm(numeric::leadingValue(name));
  }
  const QStringView label = items.items[9];
  if (!label.isEmpty()) field.FieldMax = numeric::signedForm(numeric::leadingValue(label));
  field.FieldLabel = label.toString();
  if (hasNonBlank(items.tail)) field.FieldLabel = items.tail.toString();
  return field;
}

void alignNames(QList<FieldDefinition>& fields) {
  qsizetype width = 0;
  for (const FieldDefinition& field : fields) width = std::max(width, field.FieldName.size());
  width = std::min(width, kMaxAlignedNameLength);
  for (FieldDefinition& field : fields) {
    if (field.FieldName.size() < width) field.FieldName += QString(width - field.FieldName.size(), u' ');
    field.FieldName += QStringLiteral(": ");
  }
}

// Only the header and the first 500 field lines can matter; cutting the text
// after them keeps a file of millions of short lines from being split whole.
QStringView usedLines(QStringView text) {
  qsizetype end = 0;
  for (int line = 0; line < 1 + LayoutTable::kMaxFieldCount; ++line) {
    const qsizetype lineFeed = text.indexOf(u'\n', end);
    if (lineFeed < 0) return text;
    end = lineFeed + 1;
  }
  return text.first(end);
}

}  // namespace

LayoutTable ParseLayoutBytes(const QByteArray& bytes) {
  LayoutTable table;
  QString text;
  // Only the first two bytes of the mark are looked at; all three are
  // skipped, whatever the third is.
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB) {
    table.Utf8DataFile = true;
    text = UTF8BytesToString(bytes.size() > 3 ? bytes.sliced(3) : QByteArray());
  } else {
    text = ansi::decode(bytes);
  }

  const QStringList lines = textlines::split(usedLines(text));
  // A text without lines reads as an empty header line.
  parseHeader(lines.isEmpty() ? QStringView() : QStringView(lines.front()), table);

  for (qsizetype i = 1; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) break;
    if (table.fields.size() == LayoutTable::kMaxFieldCount) break;  // further field lines are ignored
    bool backSide = false;
    table.fields.append(parseField(lines[i], backSide));
    const auto fieldIndex = static_cast<std::int16_t>(table.fields.size());
    if (backSide && table.FirstBackField == 0) table.FirstBackField = fieldIndex;
  }
  table.FieldCount = static_cast<std::int16_t>(table.fields.size());
  alignNames(table.fields);
  return table;
}

LayoutTable ParseLayoutFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ParseLayoutBytes(file.readAll());
}
