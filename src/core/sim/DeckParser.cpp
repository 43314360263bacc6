#include "sim/DeckParser.h"

#include "common/AnsiCodec.h"
#include "sim/DeckSyntax.h"

#include <QFile>
#include <QStringDecoder>

#include <array>

namespace {

using decksyntax::quoted;

// Removes a comment: "#" where a word starts, up to the end of the line, so
// "#" inside a word (a barcode such as A#1) stays.
QStringView withoutComment(QStringView line) {
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (line[i] == u'#' && (i == 0 || line[i - 1] == u' ' || line[i - 1] == u'\t')) return line.first(i);
  }
  return line;
}

QList<QStringView> words(QStringView text) {
  QList<QStringView> result;
  qsizetype i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    const qsizetype start = i;
    while (i < text.size() && text[i] != u' ' && text[i] != u'\t') ++i;
    if (i > start) result.append(text.sliced(start, i - start));
  }
  return result;
}

QStringView trimmed(QStringView text) {
  qsizetype start = 0;
  qsizetype end = text.size();
  while (start < end && (text[start] == u' ' || text[start] == u'\t')) ++start;
  while (end > start && (text[end - 1] == u' ' || text[end - 1] == u'\t')) --end;
  return text.sliced(start, end - start);
}

class Parser {
 public:
  explicit Parser(const QString& sourceName) : m_source(sourceName) {}

  DeckParser::Result run(const QByteArray& utf8) {
    const decksyntax::LineProblem stop = decksyntax::forEachUtf8Line(utf8, [this](int, const QString& line) {
      QString problem;
      if (parseLine(line, &problem)) return QString();
      return problem.isEmpty() ? QStringLiteral("the line cannot be read") : problem;
    });
    if (stop.lineNumber > 0) return failure(stop.lineNumber, stop.problem);
    finishSheet();
    DeckParser::Result result;
    result.deck = std::move(m_deck);
    return result;
  }

 private:
  DeckParser::Result failure(int lineNumber, const QString& problem) const {
    DeckParser::Result result;
    result.error = QStringLiteral("%1:%2: %3").arg(m_source).arg(lineNumber).arg(problem);
    result.errorLine = lineNumber;
    return result;
  }

  bool parseLine(const QString& rawLine, QString* problem) {
    const QStringView line = withoutComment(rawLine);
    const QList<QStringView> tokens = words(line);
    if (tokens.isEmpty()) return true;
    const QChar first = tokens[0][0];
    if (first >= u'0' && first <= u'9') return parseMarkLine(line, tokens, problem);

    const QString keyword = tokens[0].toString().toLower();
    const auto noMoreThan = [&](qsizetype count) {
      if (tokens.size() <= count) return true;
      *problem = QStringLiteral("unexpected %1").arg(quoted(tokens[count]));
      return false;
    };
    const auto hexArgument = [&](std::uint32_t* target) {
      if (tokens.size() < 2) {
        *problem = QStringLiteral("%1 needs a hexadecimal word").arg(keyword);
        return false;
      }
      if (!noMoreThan(2)) return false;
      const auto value = decksyntax::hexWord(tokens[1], problem);
      if (!value) return false;
      *target = *value;
      return true;
    };

    if (keyword == u"model" || keyword == u"equipment" || keyword == u"open" || keyword == u"connectstatus") {
      if (m_inSheet) {
        *problem = QStringLiteral("%1 belongs before the first sheet").arg(keyword);
        return false;
      }
      if (!m_readerKeywords.contains(keyword)) {
        m_readerKeywords.append(keyword);
      } else {
        *problem = QStringLiteral("%1 given twice").arg(keyword);
        return false;
      }
      if (keyword == u"model") return parseModel(line, problem);
      if (keyword == u"equipment") return hexArgument(&m_deck.equipment);
      if (keyword == u"connectstatus") return hexArgument(&m_deck.connectStatus);
      if (tokens.size() < 2 || tokens[1].compare(u"fail", Qt::CaseInsensitive) != 0) {
        *problem = QStringLiteral("expected 'open fail'");
        return false;
      }
      if (!noMoreThan(2)) return false;
      m_deck.openFails = true;
      return true;
    }

    if (keyword == u"sheet") {
      if (!noMoreThan(1)) return false;
      finishSheet();
      startSheet();
      return true;
    }

    if (keyword == u"status" || keyword == u"lines" || keyword == u"backlines" || keyword == u"barcode" ||
        keyword == u"front" || keyword == u"back") {
      if (!m_inSheet) {
        *problem = QStringLiteral("%1 before the first sheet").arg(keyword);
        return false;
      }
      if (keyword == u"front" || keyword == u"back") {
        if (!noMoreThan(1)) return false;
        m_side = keyword == u"back" ? DeckSheet::kBack : DeckSheet::kFront;
        return true;
      }
      if (m_sheetKeywords.contains(keyword)) {
        *problem = QStringLiteral("%1 given twice for this sheet").arg(keyword);
        return false;
      }
      m_sheetKeywords.append(keyword);
      if (keyword == u"status") return hexArgument(&m_sheet.status);
      if (tokens.size() < 2) {
        *problem = keyword == u"barcode" ? QStringLiteral("barcode needs its characters")
                                         : QStringLiteral("%1 needs a number").arg(keyword);
        return false;
      }
      if (!noMoreThan(2)) return false;
      if (keyword == u"barcode") {
        *problem = decksyntax::barcodeProblem(tokens[1]);
        if (!problem->isEmpty()) return false;
        m_sheet.barcode = tokens[1].toLatin1();
        return true;
      }
      const auto count =
          decksyntax::decimal(tokens[1], 0, omr::kSheetLines, QStringLiteral("line count"), problem);
      if (!count) return false;
      (keyword == u"lines" ? m_sheet.lines : m_sheet.backLines) = *count;
      return true;
    }

    *problem = QStringLiteral("unknown keyword %1").arg(quoted(tokens[0]));
    return false;
  }

  bool parseModel(QStringView line, QString* problem) {
    // The name is the rest of the line, so a model name may hold blanks.
    const QStringView afterKeyword = trimmed(line).sliced(5);
    const QString name = trimmed(afterKeyword).toString();
    if (name.isEmpty()) {
      *problem = QStringLiteral("model needs a name");
      return false;
    }
    for (const QChar c : name) {
      if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
        *problem = QStringLiteral("model name holds a control character");
        return false;
      }
    }
    const QByteArray encoded = ansi::encode(name);
    if (ansi::decode(encoded) != name) {
      *problem = QStringLiteral("model name %1 holds characters outside code page 1254").arg(quoted(name));
      return false;
    }
    if (encoded.size() > Deck::kMaxModelBytes) {
      *problem =
          QStringLiteral("model name %1 is longer than %2 bytes").arg(quoted(name)).arg(Deck::kMaxModelBytes);
      return false;
    }
    m_deck.model = name;
    return true;
  }

  bool parseMarkLine(QStringView line, const QList<QStringView>& tokens, QString* problem) {
    if (!m_inSheet) {
      *problem = QStringLiteral("a mark before the first sheet");
      return false;
    }
    const qsizetype colon = line.indexOf(u':');
    if (colon >= 0) {
      const QList<QStringView> head = words(line.first(colon));
      if (head.size() != 1) {
        *problem = QStringLiteral("unexpected %1").arg(quoted(head.size() > 1 ? head[1] : QStringView(u":")));
        return false;
      }
      const auto lineNumber =
          decksyntax::decimal(head[0], 1, omr::kSheetLines, QStringLiteral("line"), problem);
      if (!lineNumber) return false;
      const QList<QStringView> values = words(line.sliced(colon + 1));
      if (values.size() > omr::kSheetColumns) {
        *problem =
            QStringLiteral("line %1 has more than %2 columns").arg(*lineNumber).arg(omr::kSheetColumns);
        return false;
      }
      std::array<std::uint8_t, omr::kSheetColumns> row{};
      for (qsizetype i = 0; i < values.size(); ++i) {
        const auto darkness = decksyntax::decimal(values[i], 0, 255, QStringLiteral("darkness"), problem);
        if (!darkness) return false;
        row[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(*darkness);
      }
      for (int column = 1; column <= omr::kSheetColumns; ++column)
        at(*lineNumber, column) = row[static_cast<std::size_t>(column - 1)];
      return true;
    }
    if (tokens.size() < 3) {
      *problem = QStringLiteral("a mark needs a line, a column and a darkness");
      return false;
    }
    if (tokens.size() > 3) {
      *problem = QStringLiteral("unexpected %1").arg(quoted(tokens[3]));
      return false;
    }
    const auto lineNumber =
        decksyntax::decimal(tokens[0], 1, omr::kSheetLines, QStringLiteral("line"), problem);
    if (!lineNumber) return false;
    const auto column =
        decksyntax::decimal(tokens[1], 1, omr::kSheetColumns, QStringLiteral("column"), problem);
    if (!column) return false;
    const auto darkness = decksyntax::decimal(tokens[2], 0, 255, QStringLiteral("darkness"), problem);
    if (!darkness) return false;
    at(*lineNumber, *column) = static_cast<std::uint8_t>(*darkness);
    return true;
  }

  std::uint8_t& at(int line, int column) {
    omr::MarkBuffer& buffer = m_side == DeckSheet::kBack ? m_back : m_front;
    return buffer[static_cast<std::size_t>((line - 1) * omr::kSheetColumns + (column - 1))];
  }

  void startSheet() {
    m_inSheet = true;
    m_sheet = DeckSheet{};
    m_front.fill(0);
    m_back.fill(0);
    m_side = DeckSheet::kFront;
    m_sheetKeywords.clear();
  }

  void finishSheet() {
    if (!m_inSheet) return;
    m_sheet.front = DeckSheet::marksFrom(m_front);
    m_sheet.back = DeckSheet::marksFrom(m_back);
    m_deck.sheets.append(std::move(m_sheet));
    m_inSheet = false;
  }

  QString m_source;
  Deck m_deck;
  QStringList m_readerKeywords;
  bool m_inSheet = false;
  DeckSheet m_sheet;
  QStringList m_sheetKeywords;
  DeckSheet::Side m_side = DeckSheet::kFront;
  // The sheet being read, whole, so that a later mark on a position simply
  // replaces an earlier one.
  omr::MarkBuffer m_front{};
  omr::MarkBuffer m_back{};
};

}  // namespace

DeckParser::Result DeckParser::parse(const QByteArray& utf8, const QString& sourceName) {
  return Parser(sourceName).run(utf8);
}

DeckParser::Result DeckParser::parseFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Result result;
    result.error = QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString());
    return result;
  }
  return parse(file.readAll(), path);
}
