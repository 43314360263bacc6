#include "reading/RunFieldTable.h"

RunFieldTable RunFieldTable::forLayout(const LayoutTable& layout) {
  RunFieldTable table;
  table.entries.resize(layout.fields.size());
  for (qsizetype i = 0; i < layout.fields.size(); ++i) {
    const FieldDefinition& field = layout.fields[i];
    if (field.FieldKind.left(1).toUpper() == u"H") table.entries[i].FieldFixedText = field.FieldAlphabet;
  }
  return table;
}
