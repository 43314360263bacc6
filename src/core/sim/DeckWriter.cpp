#include "sim/DeckWriter.h"

namespace {

QByteArray hex8(std::uint32_t value) {
  return QByteArray::number(value, 16).toUpper().rightJustified(8, '0');
}

void writeMarks(QByteArray& out, const QList<DeckSheet::Mark>& marks) {
  for (const DeckSheet::Mark& mark : marks) {
    out += QByteArray::number(mark.line);
    out += ' ';
    out += QByteArray::number(mark.column);
    out += ' ';
    out += QByteArray::number(mark.darkness);
    out += '\n';
  }
}

}  // namespace

QByteArray DeckWriter::write(const Deck& deck, const QStringList& comment) {
  QByteArray out;
  for (const QString& line : comment) out += "# " + line.toUtf8() + '\n';
  if (deck.model != Deck::defaultModel()) out += "model " + deck.model.toUtf8() + '\n';
  if (deck.equipment != 0) out += "equipment " + hex8(deck.equipment) + '\n';
  if (deck.openFails) out += "open fail\n";
  if (deck.connectStatus != 0) out += "connectstatus " + hex8(deck.connectStatus) + '\n';
  for (const DeckSheet& sheet : deck.sheets) {
    out += "\nsheet\n";
    if (sheet.status != 0) out += "status " + hex8(sheet.status) + '\n';
    if (sheet.lines) out += "lines " + QByteArray::number(*sheet.lines) + '\n';
    if (sheet.backLines) out += "backlines " + QByteArray::number(*sheet.backLines) + '\n';
    if (!sheet.barcode.isEmpty()) out += "barcode " + sheet.barcode + '\n';
    writeMarks(out, sheet.front);
    if (!sheet.back.isEmpty()) {
      out += "back\n";
      writeMarks(out, sheet.back);
    }
  }
  return out;
}
