#pragma once

#include "layout/BoxDecoderInput.h"
#include "layout/LayoutTable.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <optional>

/// Where the marks of one field go for each of its values: the field's
/// units (the parts that yield one piece of the value each) and their mark
/// positions, with the piece of value a mark at each position stands for,
/// taken from the plan the field's decoder reads through (BoxDecoderPlan).
///
/// A value is written as the reading run shows the field before its checks
/// change it: one character per unit for single-choice fields (a blank, or
/// the field's blank result, for an unmarked unit); for word lists the
/// words, each unit's word padded to the longest (a single unit's word may
/// stand alone); for multiple-choice fields every position of every unit in
/// order, the position's character where it is marked and a blank where it
/// is not (words padded as above); for quoted-list fields (kind "J") each
/// unit as the quoted comma list or a blank; for two-mark boxes (kind "F")
/// the marked characters in reading order, or the multiple-mark text for
/// more than two. Forms fed turned are read back to front where the field's
/// decoder turns them.
class FieldChoices {
 public:
  enum class Reading {
    kNone,        ///< not read from marks: a fixed text, a running number, no decoder
    kBarcode,     ///< the sheet's barcode (kind "A" on the front)
    kSingle,      ///< one mark per unit; the darkest mark wins
    kTwoMarkBox,  ///< up to two marks in the block, read in order
    kMultiple,    ///< any number of marks per unit
  };

  struct Position {
    int line = 0;
    int column = 0;

    friend bool operator==(const Position&, const Position&) = default;
  };

  /// One mark position of a unit, in the decoder's scan order.
  struct Choice {
    Position position;
    /// What a mark here adds to the value; empty when nothing can be read.
    QString piece;
    /// False where a mark gives nothing a value can ask for (an excluded
    /// position, one beyond the alphabet, one reading as blank).
    bool choosable = false;
  };

  /// A mark for a value: its unit (counted from 0) and position.
  struct Placement {
    int unit = 0;
    Position position;

    friend bool operator==(const Placement&, const Placement&) = default;
  };

  /// Field `fieldIndex` (from 1) of `layout`. `duplexSheet` is the
  /// double-sided-sheet setting, which turned forms depend on.
  FieldChoices(const LayoutTable& layout, int fieldIndex, bool duplexSheet);

  int fieldIndex() const { return m_fieldIndex; }
  /// The field's name as the layout gives it, or "field N" when it has none.
  QString displayName() const { return m_displayName; }
  /// True for fields read from the back side (from FirstBackField on).
  bool onBack() const { return m_onBack; }
  Reading reading() const { return m_reading; }
  /// Why no value can be marked in this field, or empty text when one can.
  QString problem() const { return m_problem; }
  const QList<QList<Choice>>& units() const { return m_units; }
  /// True for a single-choice field of one unit whose value is one character.
  bool takesOneCharacter() const;
  /// How many barcode characters the field takes (kind "A"), at most 16.
  int barcodeLength() const { return m_barcodeLength; }

  /// The marks `value` needs, or nothing and the reason in `error`. A value
  /// of blanks only needs none.
  std::optional<QList<Placement>> placements(const QString& value, QString* error) const;

  /// A value that a sheet could hold: every single-choice unit marked,
  /// a random choice of positions in multiple-choice fields, a number
  /// within the bounds of a bounded field, nothing where a marked field
  /// fails its check. Empty for fields that take no marks.
  QString randomValue(QRandomGenerator& random) const;

 private:
  void buildUnits(const LayoutTable& layout, const FieldDefinition& field, BoxDecoderKind decoder);
  QString pieceFor(QChar character, const QString& fullSet) const;
  bool isBlankPiece(const QString& piece) const;
  bool piecesMatch(const QString& wanted, const QString& piece) const;
  std::optional<QStringList> splitPieces(const QString& value, int count, QString* error) const;
  std::optional<QList<Placement>> singlePlacements(const QString& value, QString* error) const;
  std::optional<QList<Placement>> multiplePlacements(const QString& value, QString* error) const;
  std::optional<QList<Placement>> quotedListPlacements(const QString& value, QString* error) const;
  std::optional<QList<Placement>> twoMarkPlacements(const QString& value, QString* error) const;
  QString randomSingle(QRandomGenerator& random) const;
  QString randomBounded(QRandomGenerator& random) const;
  QString randomMultiple(QRandomGenerator& random) const;
  QString randomTwoMark(QRandomGenerator& random) const;
  QString blankPiece() const;

  int m_fieldIndex = 0;
  bool m_duplexSheet = true;
  QString m_displayName;
  bool m_onBack = false;
  Reading m_reading = Reading::kNone;
  QString m_problem;
  QList<QList<Choice>> m_units;
  int m_barcodeLength = 0;

  bool m_wordList = false;
  QStringList m_words;
  int m_wordWidth = 0;
  bool m_quotedList = false;
  bool m_resultReversed = false;
  /// What an unmarked single-choice unit reads as.
  QString m_blankResult;
  QString m_blankText;
  QString m_multiMarkText;
  int m_twoMarkCount = 2;
  QString m_kindLetter;
  QString m_kind;
  double m_min = 0;
  double m_max = 0;
  bool m_bounded = false;
};
