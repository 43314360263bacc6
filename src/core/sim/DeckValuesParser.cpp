#include "sim/DeckValuesParser.h"

#include "sim/DeckSyntax.h"
#include "sim/FieldChoices.h"

#include <QMultiHash>
#include <QStringDecoder>

#include <algorithm>

namespace {

using decksyntax::quoted;

class ValuesReader {
 public:
  explicit ValuesReader(const LayoutTable& layout) {
    for (int i = 1; i <= layout.FieldCount; ++i) {
      m_fields.append(FieldChoices(layout, i, true));
      QString name = layout.field(i).FieldName;
      if (name.endsWith(QStringLiteral(": "))) name.chop(2);
      name = name.trimmed();
      if (!name.isEmpty()) m_names.insert(name, i);
    }
  }

  bool readLine(QStringView line, DeckSheetValues* sheet, QString* problem) {
    m_given.clear();
    for (const QStringView item : line.split(u'\t', Qt::SkipEmptyParts)) {
      if (item == u"-") continue;
      const qsizetype equals = item.indexOf(u'=');
      if (equals < 0) {
        *problem = QStringLiteral("%1 is not NAME=VALUE").arg(quoted(item));
        return false;
      }
      if (!readItem(item.first(equals), item.sliced(equals + 1).toString(), sheet, problem)) return false;
    }
    return true;
  }

 private:
  bool readItem(QStringView target, const QString& value, DeckSheetValues* sheet, QString* problem) {
    const QString lower = target.toString().toLower();
    if (lower == u"@status") {
      if (!once(lower, problem)) return false;
      const auto status = decksyntax::hexWord(value, problem);
      if (!status) return false;
      sheet->status = *status;
      return true;
    }
    if (lower == u"@lines" || lower == u"@backlines") {
      if (!once(lower, problem)) return false;
      const auto count = decksyntax::decimal(value, 0, 155, QStringLiteral("line count"), problem);
      if (!count) return false;
      (lower == u"@lines" ? sheet->lines : sheet->backLines) = *count;
      return true;
    }
    if (lower == u"@barcode") {
      if (!once(lower, problem)) return false;
      *problem = decksyntax::barcodeProblem(value);
      if (!problem->isEmpty()) return false;
      sheet->barcode = value;
      return true;
    }

    QMap<int, QString>* layer = &sheet->values;
    QString layerName;
    QStringView fields = target;
    QString ignored;
    if (!resolveRange(target, &ignored)) {
      const qsizetype at = target.lastIndexOf(u'@');
      const QString suffix = at > 0 ? target.sliced(at + 1).toString().toLower() : QString();
      if (suffix == u"light") layer = &sheet->light;
      if (suffix == u"erased") layer = &sheet->erased;
      if (suffix == u"double") layer = &sheet->doubled;
      if (layer != &sheet->values) {
        fields = target.first(at);
        layerName = QLatin1Char('@') + suffix;
      }
    }
    const auto range = resolveRange(fields, problem);
    if (!range) return false;
    const auto [first, last] = *range;
    if (first == last) {
      if (!once(QString::number(first) + layerName, problem, target)) return false;
      layer->insert(first, value);
      return true;
    }
    const int count = last - first + 1;
    if (value.size() > count && !value.sliced(count).trimmed().isEmpty()) {
      *problem =
          QStringLiteral("%1 takes %2 characters, not %3").arg(quoted(target)).arg(count).arg(value.size());
      return false;
    }
    for (int i = first; i <= last; ++i) {
      const FieldChoices& field = m_fields[i - 1];
      if (!field.takesOneCharacter()) {
        *problem =
            QStringLiteral("%1 in %2 does not read one character").arg(field.displayName(), quoted(target));
        return false;
      }
      if (!once(QString::number(i) + layerName, problem, field.displayName() + layerName)) return false;
      const qsizetype k = i - first;
      layer->insert(i, k < value.size() ? QString(value[k]) : QStringLiteral(" "));
    }
    return true;
  }

  bool once(const QString& key, QString* problem, QStringView shown = {}) {
    if (!m_given.contains(key)) {
      m_given.append(key);
      return true;
    }
    *problem = QStringLiteral("%1 is given twice").arg(shown.isEmpty() ? key : shown.toString());
    return false;
  }

  std::optional<int> resolveField(QStringView reference, QString* problem) const {
    if (reference.startsWith(u'@')) {
      return decksyntax::decimal(reference.sliced(1), 1, static_cast<int>(m_fields.size()),
                                 QStringLiteral("field number"), problem);
    }
    QList<int> matches = m_names.values(reference.toString());
    std::sort(matches.begin(), matches.end());
    if (matches.isEmpty()) {
      *problem = QStringLiteral("no field is named %1").arg(quoted(reference));
      return std::nullopt;
    }
    if (matches.size() > 1) {
      QStringList numbers;
      for (const int match : std::as_const(matches))
        numbers.append(QLatin1Char('@') + QString::number(match));
      *problem =
          QStringLiteral("%1 names fields %2").arg(quoted(reference), numbers.join(QStringLiteral(", ")));
      return std::nullopt;
    }
    return matches.front();
  }

  std::optional<std::pair<int, int>> resolveRange(QStringView target, QString* problem) const {
    // A whole name first, so a name that holds ".." or "@" still works.
    if (!target.startsWith(u'@') && m_names.contains(target.toString())) {
      const auto field = resolveField(target, problem);
      if (!field) return std::nullopt;
      return std::pair{*field, *field};
    }
    const qsizetype dots = target.indexOf(QStringLiteral(".."));
    if (dots < 0) {
      const auto field = resolveField(target, problem);
      if (!field) return std::nullopt;
      return std::pair{*field, *field};
    }
    const auto first = resolveField(target.first(dots), problem);
    if (!first) return std::nullopt;
    const auto last = resolveField(target.sliced(dots + 2), problem);
    if (!last) return std::nullopt;
    if (*last < *first) {
      *problem = QStringLiteral("%1 runs backwards").arg(quoted(target));
      return std::nullopt;
    }
    return std::pair{*first, *last};
  }

  QList<FieldChoices> m_fields;
  QMultiHash<QString, int> m_names;
  QStringList m_given;
};

}  // namespace

DeckValuesParser::Result DeckValuesParser::parse(const QByteArray& utf8, const LayoutTable& layout,
                                                 const QString& sourceName) {
  Result result;
  ValuesReader reader(layout);
  const decksyntax::LineProblem stop =
      decksyntax::forEachUtf8Line(utf8, [&](int lineNumber, const QString& line) -> QString {
        if (line.isEmpty() || line.startsWith(u'#')) return {};
        DeckSheetValues sheet;
        sheet.sourceLine = lineNumber;
        QString problem;
        if (!reader.readLine(line, &sheet, &problem))
          return problem.isEmpty() ? QStringLiteral("the line cannot be read") : problem;
        result.sheets.append(std::move(sheet));
        return {};
      });
  if (stop.lineNumber > 0) {
    result.sheets.clear();
    result.error = QStringLiteral("%1:%2: %3").arg(sourceName).arg(stop.lineNumber).arg(stop.problem);
    result.errorLine = stop.lineNumber;
  }
  return result;
}
