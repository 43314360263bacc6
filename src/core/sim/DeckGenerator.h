#pragma once

#include "layout/LayoutTable.h"
#include "sim/Deck.h"
#include "sim/DeckSheetValues.h"
#include "sim/FieldChoices.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <optional>

/// Makes decks for a layout: sheets marked with given values, or with
/// random valid values, with or without the noise of real paper.
///
/// Marks are made on the reader's darkness scale (a mark 12-15 for the
/// usual threshold of 8). Fields from FirstBackField on are marked on the
/// back side, and a layout with such fields gets a reader with a back-side
/// unit. Everything random comes from the seed, so the same layout, values
/// and options always give the same deck.
class DeckGenerator {
 public:
  struct Options {
    /// 0 clean paper; 1-3 more and more noise: faint specks and smudges
    /// (always below the threshold) and rubbed-out marks just above it
    /// beside darker value marks of single-choice units.
    int noiseLevel = 0;
    quint32 seed = 1;
    /// The double-sided-sheet setting, which turned forms are read by.
    bool duplexSheet = true;
    /// Darkness of value marks; 0 and 0 choose a range above the threshold.
    int darknessLow = 0;
    int darknessHigh = 0;
  };

  static constexpr int kMaxNoiseLevel = 3;
  /// Equipment word of the reader for layouts with back-side fields.
  static constexpr std::uint32_t kBackUnitEquipment = 0x00010000;

  DeckGenerator(const LayoutTable& layout, const Options& options);

  /// Why nothing can be generated for this layout with these options, or
  /// empty text.
  QString problem() const { return m_problem; }
  /// Each field's choices, field 1 first.
  const QList<FieldChoices>& fields() const { return m_fields; }
  /// The darkness range of value marks.
  int darknessLow() const { return m_darkLow; }
  int darknessHigh() const { return m_darkHigh; }

  /// The marks of one sheet, or nothing and a message naming the field.
  /// Every `error` argument may be null.
  std::optional<DeckSheet> sheet(const DeckSheetValues& values, QString* error);
  /// Random valid values for every field read from marks and the barcode.
  DeckSheetValues randomValues();

  /// A deck of the reader and sheets; sheet i is marked with
  /// `values[i % values.size()]`, `sheetCount` sheets (all of `values` when
  /// negative). On a value that cannot be marked: nothing, the message, and
  /// `errorSheet` set to the index into `values`.
  std::optional<Deck> deck(const QList<DeckSheetValues>& values, int sheetCount, QString* error,
                           int* errorSheet = nullptr);
  /// A deck of `sheetCount` sheets with random valid values.
  std::optional<Deck> randomDeck(int sheetCount, QString* error);

  /// The reader every deck for this layout starts with.
  Deck reader() const;

 private:
  std::uint8_t darkMark();

  LayoutTable m_layout;
  Options m_options;
  QString m_problem;
  QList<FieldChoices> m_fields;
  int m_threshold = 0;
  int m_darkLow = 0;
  int m_darkHigh = 0;
  int m_lineCount = omr::kSheetLines;
  QRandomGenerator m_markRandom;
  QRandomGenerator m_noiseRandom;
  QRandomGenerator m_valueRandom;
};
