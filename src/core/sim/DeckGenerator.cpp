#include "sim/DeckGenerator.h"

#include "sim/DeckSyntax.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace {

// What put a mark on a position, so that two kinds of marks asked for the
// same position are reported instead of one silently replacing the other.
enum class Layer : std::uint8_t { kNone, kValue, kDouble, kErased, kLight };

QString layerName(Layer layer) {
  switch (layer) {
    case Layer::kNone:
      break;
    case Layer::kValue:
      return QStringLiteral("value");
    case Layer::kDouble:
      return QStringLiteral("@double");
    case Layer::kErased:
      return QStringLiteral("@erased");
    case Layer::kLight:
      return QStringLiteral("@light");
  }
  return {};
}

std::size_t offsetOf(const FieldChoices::Position& position) {
  return static_cast<std::size_t>((position.line - 1) * omr::kSheetColumns + (position.column - 1));
}

struct Side {
  omr::MarkBuffer darkness{};
  std::array<Layer, omr::kMarkBufferSize> layer{};
};

// A single-choice unit holding exactly one value mark: paper noise may put
// a rubbed-out mark beside it, which the darker value mark still beats.
struct LoneMark {
  std::pair<int, int> fieldAndUnit;
  const QList<FieldChoices::Choice>* unit = nullptr;
  int darkness = 0;
};

int randomIn(QRandomGenerator& random, int low, int high) {
  return low + static_cast<int>(random.bounded(static_cast<quint32>(high - low + 1)));
}

void addNoise(QRandomGenerator& random, int level, int threshold, int lineCount, omr::MarkBuffer& buffer,
              const QList<LoneMark>& loneMarks) {
  const int positions = lineCount * omr::kSheetColumns;
  const auto put = [&](int offset, int darkness) {
    auto& cell = buffer[static_cast<std::size_t>(offset)];
    if (cell == 0) cell = static_cast<std::uint8_t>(darkness);
  };
  // Draws one position and then its darkness, in that order: two draws as
  // arguments of one call would come in the order each compiler chooses.
  const auto putRandom = [&](int low, int high) {
    const int offset = randomIn(random, 0, positions - 1);
    put(offset, randomIn(random, low, high));
  };
  // Everything but the rubbed-out marks stays at or below threshold - 1: a
  // position exactly at the threshold is not marked, but the two-mark box
  // reads it as a blank.
  const int faintest = threshold - 1;
  if (faintest >= 1) {
    const int specks = randomIn(random, 0, level * positions / 250);
    for (int i = 0; i < specks; ++i) putRandom(1, std::min(2, faintest));
    const int strays = randomIn(random, 0, 2 * level);
    const int strayLow = std::max(1, (threshold + 1) / 2);
    for (int i = 0; i < strays; ++i) putRandom(strayLow, faintest);
    const int smudges = randomIn(random, 0, level);
    for (int i = 0; i < smudges; ++i) {
      const int size = randomIn(random, 2, 3);
      const int top = randomIn(random, 1, lineCount);
      const int left = randomIn(random, 1, omr::kSheetColumns);
      for (int line = top; line < top + size && line <= lineCount; ++line)
        for (int column = left; column < left + size && column <= omr::kSheetColumns; ++column)
          put((line - 1) * omr::kSheetColumns + column - 1, randomIn(random, 1, faintest));
    }
  }
  const int erased = threshold + 1;
  for (const LoneMark& lone : loneMarks) {
    if (static_cast<int>(random.bounded(100u)) >= 5 * level || erased >= lone.darkness) continue;
    QList<std::size_t> free;
    for (const FieldChoices::Choice& choice : *lone.unit)
      if (buffer[offsetOf(choice.position)] == 0) free.append(offsetOf(choice.position));
    if (free.isEmpty()) continue;
    buffer[free[random.bounded(static_cast<int>(free.size()))]] = static_cast<std::uint8_t>(erased);
  }
}

}  // namespace

DeckGenerator::DeckGenerator(const LayoutTable& layout, const Options& options)
    : m_layout(layout),
      m_options(options),
      m_markRandom(options.seed),
      m_noiseRandom(options.seed ^ 0x9E3779B9u),
      m_valueRandom(options.seed ^ 0x6A09E667u) {
  for (int i = 1; i <= layout.FieldCount; ++i) m_fields.append(FieldChoices(layout, i, options.duplexSheet));
  bool ok = false;
  m_threshold = layout.ThresholdHex.toInt(&ok, 16);
  if (!ok || m_threshold < 0) m_threshold = 0;
  m_lineCount = layout.LayoutLineCount >= 1 ? std::min<int>(layout.LayoutLineCount, omr::kSheetLines)
                                            : omr::kSheetLines;
  if (options.noiseLevel < 0 || options.noiseLevel > kMaxNoiseLevel) {
    m_problem = QStringLiteral("noise level %1 is outside 0-%2").arg(options.noiseLevel).arg(kMaxNoiseLevel);
    return;
  }
  if (m_threshold >= 255) {
    m_problem = QStringLiteral("the threshold %1 leaves no darkness above it").arg(m_threshold);
    return;
  }
  if (options.darknessLow == 0 && options.darknessHigh == 0) {
    // The reader's scale: a firm pencil mark reads 12-15 where the usual
    // threshold is 8. Higher thresholds move the range up with them.
    m_darkLow = std::min(255, std::max(12, m_threshold + 3));
    m_darkHigh = std::min(255, std::max(15, m_darkLow + 2));
  } else {
    m_darkLow = options.darknessLow;
    m_darkHigh = options.darknessHigh;
    if (m_darkLow <= m_threshold || m_darkLow > m_darkHigh || m_darkHigh > 255) {
      m_problem = QStringLiteral("mark darkness %1-%2 must lie above the threshold %3 and within 255")
                      .arg(m_darkLow)
                      .arg(m_darkHigh)
                      .arg(m_threshold);
    }
  }
}

std::uint8_t DeckGenerator::darkMark() {
  return static_cast<std::uint8_t>(randomIn(m_markRandom, m_darkLow, m_darkHigh));
}

Deck DeckGenerator::reader() const {
  Deck deck;
  if (m_layout.FirstBackField > 0) deck.equipment = kBackUnitEquipment;
  return deck;
}

std::optional<DeckSheet> DeckGenerator::sheet(const DeckSheetValues& values, QString* errorOut) {
  QString ignored;
  QString* error = errorOut ? errorOut : &ignored;
  if (!m_problem.isEmpty()) {
    *error = m_problem;
    return std::nullopt;
  }
  DeckSheet sheet;
  sheet.status = values.status.value_or(0);
  sheet.lines = values.lines;
  sheet.backLines = values.backLines;
  std::optional<QString> barcode = values.barcode;
  std::array<Side, 2> sides;
  // Darkness of each unit's first value mark, for second marks that tie it.
  QHash<std::pair<int, int>, int> unitDarkness;
  QHash<std::pair<int, int>, int> unitMarkCount;

  const auto place = [&](const QMap<int, QString>& layer, Layer kind, auto darknessFor) -> bool {
    for (auto it = layer.cbegin(); it != layer.cend(); ++it) {
      if (it.key() < 1 || it.key() > m_fields.size()) {
        *error = QStringLiteral("there is no field %1").arg(it.key());
        return false;
      }
      const FieldChoices& field = m_fields[it.key() - 1];
      if (field.reading() == FieldChoices::Reading::kBarcode && kind == Layer::kValue) {
        const QString text = it.value().trimmed();
        if (text.isEmpty()) continue;
        const QString problem = decksyntax::barcodeProblem(text);
        if (!problem.isEmpty() || (barcode && *barcode != text)) {
          *error = QStringLiteral("%1: %2").arg(
              field.displayName(),
              problem.isEmpty()
                  ? QStringLiteral("the sheet already has barcode %1").arg(decksyntax::quoted(*barcode))
                  : problem);
          return false;
        }
        barcode = text;
        continue;
      }
      QString problem;
      const auto placements = field.placements(it.value(), &problem);
      if (!placements) {
        *error = QStringLiteral("%1: %2").arg(field.displayName(), problem);
        return false;
      }
      Side& side = sides[field.onBack() ? 1 : 0];
      for (const FieldChoices::Placement& placement : *placements) {
        const std::size_t offset = offsetOf(placement.position);
        const std::pair unitKey{it.key(), placement.unit};
        const Layer already = side.layer[offset];
        // Blocks of two fields may overlap; one value mark serves both.
        if (already == Layer::kValue && kind == Layer::kValue) continue;
        if (already != Layer::kNone) {
          *error = QStringLiteral("%1: line %2, column %3 carries a %4 mark and a %5 mark")
                       .arg(field.displayName())
                       .arg(placement.position.line)
                       .arg(placement.position.column)
                       .arg(layerName(already), layerName(kind));
          return false;
        }
        const int darkness = darknessFor(unitKey);
        side.darkness[offset] = static_cast<std::uint8_t>(darkness);
        side.layer[offset] = kind;
        if (kind == Layer::kValue && !unitDarkness.contains(unitKey)) unitDarkness.insert(unitKey, darkness);
        unitMarkCount[unitKey] += 1;
      }
    }
    return true;
  };

  const int t = m_threshold;
  if (!place(values.values, Layer::kValue, [&](auto) { return int{darkMark()}; })) return std::nullopt;
  if (!place(values.doubled, Layer::kDouble,
             [&](const std::pair<int, int>& unit) { return unitDarkness.value(unit, int{darkMark()}); }))
    return std::nullopt;
  if (!values.erased.isEmpty() && t + 1 > 255) {
    *error = QStringLiteral("the threshold %1 leaves no darkness for a rubbed-out mark").arg(t);
    return std::nullopt;
  }
  if (!place(values.erased, Layer::kErased, [&](auto) { return t + 1; })) return std::nullopt;
  if (!values.light.isEmpty() && t < 2) {
    *error = QStringLiteral("the threshold %1 leaves no darkness for a faint mark").arg(t);
    return std::nullopt;
  }
  const int lightLow = std::max(1, (t + 1) / 2);
  if (!place(values.light, Layer::kLight, [&](auto) { return randomIn(m_markRandom, lightLow, t - 1); }))
    return std::nullopt;

  if (m_options.noiseLevel > 0) {
    std::array<QList<LoneMark>, 2> loneMarks;
    for (auto it = unitDarkness.cbegin(); it != unitDarkness.cend(); ++it) {
      const FieldChoices& field = m_fields[it.key().first - 1];
      if (field.reading() != FieldChoices::Reading::kSingle || unitMarkCount.value(it.key()) != 1) continue;
      loneMarks[field.onBack() ? 1 : 0].append({it.key(), &field.units()[it.key().second], it.value()});
    }
    // Hash order is not stable between runs; the noise must be.
    for (auto& list : loneMarks)
      std::sort(list.begin(), list.end(),
                [](const LoneMark& a, const LoneMark& b) { return a.fieldAndUnit < b.fieldAndUnit; });
    // A one-sided form's back is never read; its paper stays clean.
    const int sideCount = m_layout.FirstBackField > 0 ? 2 : 1;
    for (int s = 0; s < sideCount; ++s)
      addNoise(m_noiseRandom, m_options.noiseLevel, t, m_lineCount, sides[s].darkness, loneMarks[s]);
  }

  if (barcode) sheet.barcode = barcode->toLatin1();
  sheet.front = DeckSheet::marksFrom(sides[0].darkness);
  sheet.back = DeckSheet::marksFrom(sides[1].darkness);
  return sheet;
}

DeckSheetValues DeckGenerator::randomValues() {
  DeckSheetValues values;
  for (const FieldChoices& field : std::as_const(m_fields)) {
    if (field.reading() == FieldChoices::Reading::kBarcode) {
      // One barcode per sheet; every barcode field is built from it.
      if (values.barcode) continue;
      QString digits;
      for (int i = 0; i < field.barcodeLength(); ++i)
        digits += QChar(u'0' + static_cast<char16_t>(m_valueRandom.bounded(10)));
      // A barcode of zeros makes the reading run drop the sheet.
      if (digits.count(u'0') == digits.size())
        digits[digits.size() - 1] = QChar(u'1' + static_cast<char16_t>(m_valueRandom.bounded(9)));
      values.barcode = digits;
      continue;
    }
    const QString value = field.randomValue(m_valueRandom);
    if (!value.isEmpty()) values.values.insert(field.fieldIndex(), value);
  }
  return values;
}

std::optional<Deck> DeckGenerator::deck(const QList<DeckSheetValues>& values, int sheetCount, QString* error,
                                        int* errorSheet) {
  Deck result = reader();
  const qsizetype count = sheetCount < 0 ? values.size() : sheetCount;
  result.sheets.reserve(count);
  for (qsizetype i = 0; i < count; ++i) {
    const qsizetype source = values.isEmpty() ? -1 : i % values.size();
    auto marked = sheet(source < 0 ? DeckSheetValues{} : values[source], error);
    if (!marked) {
      if (errorSheet) *errorSheet = static_cast<int>(source);
      return std::nullopt;
    }
    result.sheets.append(std::move(*marked));
  }
  return result;
}

std::optional<Deck> DeckGenerator::randomDeck(int sheetCount, QString* error) {
  Deck result = reader();
  result.sheets.reserve(std::max(sheetCount, 0));
  for (int i = 0; i < sheetCount; ++i) {
    auto marked = sheet(randomValues(), error);
    if (!marked) return std::nullopt;
    result.sheets.append(std::move(*marked));
  }
  return result;
}
