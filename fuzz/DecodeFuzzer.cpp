// Decodes arbitrary sheets with arbitrary layouts and settings. Besides not
// crashing and never reading outside a mark buffer, every field must have a
// value and a block outside the sheet must read as empty text.
//
// Input: one byte of switches, one byte of darkness limit, two bytes of
// layout length (little-endian), the layout's bytes, then the front and the
// back side's marks (missing bytes are 0).
#include "device/OmrApi.h"
#include "layout/LayoutParser.h"
#include "reading/DecodingSettings.h"
#include "reading/RunFieldTable.h"
#include "reading/SheetDecoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

bool insideSheet(const FieldDefinition& f) {
  const auto within = [](int value, int last) { return value >= 1 && value <= last; };
  return within(f.FieldLineFrom, omr::kSheetLines) && within(f.FieldLineTo, omr::kSheetLines) &&
         within(f.FieldColFrom, omr::kSheetColumns) && within(f.FieldColTo, omr::kSheetColumns);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t switches = data[0];
  DecodingSettings settings;
  settings.UseDarknessLimit = (switches & 1) != 0 ? 1 : 0;
  settings.DarknessUpperLimit = data[1];
  settings.DuplexSheet = (switches & 2) != 0;
  settings.BarcodeEnabled = (switches & 4) != 0;
  const bool withBack = (switches & 8) != 0;
  const std::size_t layoutSize = std::min<std::size_t>(data[2] | (data[3] << 8), size - 4);
  const LayoutTable layout = ParseLayoutBytes(
      QByteArray(reinterpret_cast<const char*>(data + 4), static_cast<qsizetype>(layoutSize)));

  // Marks from exactly as many bytes as there are: the sanitizer sees any
  // read past the buffers.
  omr::MarkBuffer front{};
  omr::MarkBuffer back{};
  std::size_t at = 4 + layoutSize;
  for (omr::MarkBuffer* side : {&front, &back}) {
    const std::size_t count = std::min<std::size_t>(side->size(), size - at);
    std::copy_n(data + at, count, side->begin());
    at += count;
  }

  const SheetDecoder decoder(layout, settings);
  RunFieldTable values = RunFieldTable::forLayout(layout);
  QString Text6;
  const bool dropped = decoder.decode(front, withBack ? &back : nullptr, values, Text6, nullptr);

  require(values.entries.size() == layout.fields.size());
  if (!dropped) {
    for (int i = 1; i <= layout.FieldCount; ++i) {
      const FieldDefinition& field = layout.field(i);
      const QString kind = field.FieldKind.left(1).toUpper();
      const bool fromTable = kind == u"D" || kind == u"H" || kind == u"R" || kind == u"A";
      if (!fromTable && !field.FieldDecoder.isEmpty() && !insideSheet(field))
        require(values.field(i).FieldValue.isEmpty());
    }
  }
  return 0;
}
