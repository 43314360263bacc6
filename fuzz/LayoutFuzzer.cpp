// Feeds arbitrary bytes to the layout parser and checks what every table
// must satisfy, whatever the bytes were.
#include "layout/LayoutParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const LayoutTable table = ParseLayoutBytes(bytes);

  require(table.FieldCount == table.fields.size());
  require(table.FieldCount <= LayoutTable::kMaxFieldCount);
  require(table.FirstBackField >= 0 && table.FirstBackField <= table.FieldCount);
  require(!table.MultiMarkText.isEmpty() && !table.BlankText.isEmpty());
  bool hexOk = false;
  const int threshold = table.ThresholdHex.toInt(&hexOk, 16);
  require(hexOk && threshold >= 0 && threshold <= 32767 &&
          table.ThresholdHex == table.ThresholdHex.toUpper());

  // Names up to the alignment limit all end up equally long.
  qsizetype alignedLength = -1;
  for (const FieldDefinition& field : table.fields) {
    require(field.FieldName.endsWith(QStringLiteral(": ")));
    require(field.FieldOrient.size() <= 1);
    require(field.FieldDecoder.isEmpty() || QStringLiteral("HTKCM").contains(field.FieldDecoder));
    require(field.FieldWordWidth.isEmpty() == !field.FieldAlphabet.contains(u'~'));
    if (field.FieldName.size() <= 258) {
      if (alignedLength < 0) alignedLength = field.FieldName.size();
      require(field.FieldName.size() == alignedLength);
    }
  }
  return 0;
}
