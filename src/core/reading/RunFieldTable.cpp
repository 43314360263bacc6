#include "reading/RunFieldTable.h"

#include "common/NumericText.h"

#include <algorithm>

RunFieldTable RunFieldTable::forLayout(const LayoutTable& layout) {
  RunFieldTable table;
  table.entries.resize(layout.fields.size());
  for (qsizetype i = 0; i < layout.fields.size(); ++i) {
    const FieldDefinition& field = layout.fields[i];
    if (field.FieldKind.left(1).toUpper() == u"H") table.entries[i].FieldFixedText = field.FieldAlphabet;
  }
  return table;
}

QString RunFieldTable::Entry::takeRunningNumber(int width) {
  const double number = std::max(0.0, numeric::roundHalfEven(numeric::leadingValue(FieldCounter)));
  QString value = QString::number(number, 'f', 0).left(std::max(width, 0));
  if (value.size() < width) value.prepend(QString(width - value.size(), u'0'));
  FieldCounter = numeric::shortestForm(number + 1);
  return value;
}
