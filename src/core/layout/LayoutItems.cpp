#include "layout/LayoutItems.h"

#include "common/NumericText.h"

#include <limits>

namespace layout_items {

std::int16_t int16Value(double value) {
  return static_cast<std::int16_t>(numeric::clampedInt(value, std::numeric_limits<std::int16_t>::min(),
                                                       std::numeric_limits<std::int16_t>::max()));
}

std::int16_t int16Item(QStringView item) {
  return int16Value(numeric::leadingValue(item));
}

QString thresholdHex(QStringView item) {
  const std::int32_t threshold = numeric::clampedInt(numeric::leadingValue(item), 0, 32767);
  return QString::number(threshold, 16).toUpper();
}

}  // namespace layout_items
