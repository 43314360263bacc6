#include "common/TextLines.h"

namespace textlines {

QStringList split(QStringView text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'\n') continue;
    qsizetype end = i;
    if (end > start && text[end - 1] == u'\r') --end;
    lines.append(text.mid(start, end - start).toString());
    start = i + 1;
  }
  if (start < text.size()) lines.append(text.mid(start).toString());
  return lines;
}

}  // namespace textlines
