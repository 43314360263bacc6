#include "reading/ValueAssembly.h"

#include "common/AnsiCodec.h"
#include "layout/BuiltInAlphabets.h"

#include <QByteArray>

#include <algorithm>

namespace {

constexpr int kMostWords = 80;

QStringView withoutBlanksAtEnds(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin) == u' ') ++begin;
  while (end > begin && text.at(end - 1) == u' ') --end;
  return text.mid(begin, end - begin);
}

}  // namespace

ValueAssembly::ValueAssembly(const LayoutTable& layout)
    : m_wordAlphabet(alphabets::fullSet()),
      m_blankText(layout.BlankText),
      m_multiMarkCharacter(layout.MultiMarkText.isEmpty() ? QChar(u' ') : layout.MultiMarkText.at(0)) {
  m_fields.resize(static_cast<std::size_t>(layout.fields.size()));
  for (qsizetype i = 0; i < layout.fields.size(); ++i) {
    const FieldDefinition& definition = layout.fields[i];
    Field& field = m_fields[static_cast<std::size_t>(i)];
    const QString kind = definition.FieldKind.left(1).toUpper();
    field.barcode = kind == u"A";
    field.shown = kind != u"Q";
    field.charCount = std::max(definition.FieldCharCount, 0);
    field.wordList = definition.FieldAlphabet.contains(u'~');
    if (!field.wordList) continue;
    QStringView rest = definition.FieldAlphabet;
    for (qsizetype end = rest.indexOf(u'~'); end >= 0 && field.words.size() < kMostWords;
         end = rest.indexOf(u'~')) {
      field.words.append(rest.left(end).toString());
      rest = rest.mid(end + 1);
    }
    for (const QString& word : field.words)
      field.wordWidth = std::max(field.wordWidth, static_cast<int>(word.size()));
    for (QString& word : field.words) word.resize(field.wordWidth, u' ');
  }
}

bool ValueAssembly::assemble(RunFieldTable& values, QString& Text6) const {
  QString mapped;
  const int count = std::min(static_cast<int>(m_fields.size()), static_cast<int>(values.entries.size()));
  for (int i = 1; i <= count; ++i) {
    const Field& field = m_fields[static_cast<std::size_t>(i - 1)];
    RunFieldTable::Entry& entry = values.field(i);
    // The display text goes straight into Text6; it is built from the value
    // the passes left, before the barcode replaces it.
    const qsizetype displayStart = Text6.size();
    mapped.truncate(0);
    appendPieces(field, entry.FieldValue, field.shown ? &Text6 : nullptr, mapped);
    if (field.barcode && !assembleBarcode(field, values.barcode, entry.FieldValue)) {
      Text6.truncate(displayStart);
      return true;
    }
    if (field.shown) Text6.append(u'\r');
    if (field.wordList) std::swap(entry.FieldValue, mapped);
  }
  return false;
}

void ValueAssembly::appendPieces(const Field& field, const QString& value, QString* display,
                                 QString& mapped) const {
  for (QChar c : value) {
    if (!field.wordList) {
      if (display) display->append(c == u' ' ? QChar(u'_') : c);
      continue;
    }
    const qsizetype start = mapped.size();
    const qsizetype number = m_wordAlphabet.indexOf(c) + 1;
    if (m_blankText.size() == 1 && m_blankText.at(0) == c) {
      mapped.resize(start + field.wordWidth, u' ');
    } else if (number >= 1 && number <= kMostWords) {
      // A word number past the end of a short list gives blanks of the
      // list's width, so that the record keeps its columns.
      if (number <= field.words.size())
        mapped.append(field.words.at(number - 1));
      else
        mapped.resize(start + field.wordWidth, u' ');
    } else {
      mapped.resize(start + field.wordWidth, m_multiMarkCharacter);
    }
    if (display) display->append(QStringView(mapped).mid(start));
  }
}

bool ValueAssembly::assembleBarcode(const Field& field, const RunFieldTable::Barcode& barcode,
                                    QString& value) const {
  const auto length =
      static_cast<qsizetype>(std::clamp<int>(barcode.length, 0, static_cast<int>(barcode.data.size())));
  QByteArray bytes(reinterpret_cast<const char*>(barcode.data.data()), length);
  bytes.replace('\0', ' ');
  QString text = ansi::decode(bytes);
  if (text.size() < field.charCount)
    text.prepend(QString(field.charCount - text.size(), u'0'));
  else
    text.truncate(field.charCount);
  const QStringView trimmed = withoutBlanksAtEnds(text);
  if (trimmed.size() == field.charCount &&
      std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c == u'0'; }))
    return false;
  value = trimmed.toString();
  return true;
}
