#pragma once

#include "layout/FieldRect.h"
#include "layout/LayoutTable.h"

#include <QString>
#include <QStringList>

#include <QStringView>

#include <array>
#include <atomic>
#include <optional>
#include <vector>

class Operator;
class SheetPicture;
struct RunFieldTable;

/// The settings the sheet checks read (a run's come from its RunOptions,
/// with the reader's equipment).
struct SheetCheckSettings {
  bool secondTray = false;        ///< "Var" under "Çift Çıkış Tepsisi"
  QString separatorText = {};     ///< Text10, used by kind "E" whether Check9 is ticked or not
  bool backSensorFitted = false;  ///< the reader reads the back side
};

/// What the checks decided about one sheet.
struct SheetVerdict {
  enum class Outcome {
    Output,      ///< go on to imprint and output, as SheetAccepted says
    Dropped,     ///< neither written nor counted; the cycle ends normally
    NextAtOnce,  ///< not saved; the next cycle starts at once, outside the sheet limit
  };
  Outcome outcome = Outcome::Output;
  bool SheetAccepted = true;
  /// The failed window checks' field indices, each with one leading blank.
  QString ErrorWindowList;
  /// A stop value matched: the run stops at the top of the next cycle.
  bool stopValueMatched = false;
};

/// The per-sheet checks of a normal run: number conversions, separators,
/// range checks, the operator's confirmation and correction of badly coded
/// and blank fields, duplicates, running numbers for empty fields, the stop
/// value and the window checks that decide between saved and rejected.
///
/// Every rule is applied field by field, in the order of the rules. A
/// question the operator leaves unanswered (OperatorGone) propagates; the
/// sheet's values may then be half corrected, which is harmless because the
/// run ends without writing it.
///
/// One object serves one run; `layout`, `op` and `List1` must outlive it.
/// `picture` may be null (nothing is marked).
class SheetChecks {
 public:
  SheetChecks(const LayoutTable& layout, FieldRect rect, Operator& op, QStringList& List1,
              SheetCheckSettings settings, SheetPicture* picture);

  /// Checks and corrects `values` in place. Sets `StopRequested` when a
  /// stop value matched (an empty stop value is none); the sheet itself is
  /// finished as the verdict says. Fields from `firstUnreadField` on (0:
  /// none) lie on a side that was not read and are not checked.
  SheetVerdict check(RunFieldTable& values, std::atomic<bool>& StopRequested, int firstUnreadField = 0);

  /// Kind "N": the characters are base-2 digits, the first of weight 1; the
  /// sum's last three digits, zero-padded.
  static QString base2Number(QStringView value);
  /// Groups of four characters from the left, each one number written in
  /// decimal, joined. `highFirst`: weights 8, 4, 2, 1 from the left, else
  /// 1, 2, 4, 8.
  static QString bcdGroups(QStringView value, bool highFirst);
  /// Kind "I" with orientation "D": four rows of `charCount` characters;
  /// digit k is the sum of row r's k-th character times 2 to the power r.
  static QString bcdRows(QStringView value, int charCount);
  /// An answer fitted to `width`: cut when longer, padded with blanks when
  /// shorter.
  static QString fitted(const QString& answer, int width);

 private:
  // What the checks need of a field, read once from the layout.
  struct Field {
    QChar kind;       // letter 1, upper-cased
    QChar parameter;  // letter 2, upper-cased
    QChar option;     // letter 3, upper-cased
    int kindLength = 0;
    int group = 0;  // 0 to 90
    int charCount = 0;
    int correctionWidth = 0;
    std::optional<double> min;
    std::optional<double> max;
    QString orient;
  };
  enum class Step { GoOn, Drop };

  QString label(int fieldIndex) const;
  Step confirm(const QString& fieldLabel);
  Step correct(int fieldIndex, QString& value, const QString& fieldLabel);
  bool rangeFits(const Field& field, const QString& value) const;
  Step confirmedEntry(int fieldIndex, QString& value);
  void mark(int fieldIndex, bool purple);
  void failWindow(int fieldIndex, SheetVerdict& verdict) const;

  const LayoutTable& m_layout;
  FieldRect m_rect;
  Operator& m_operator;
  QStringList& m_list1;
  SheetCheckSettings m_settings;
  SheetPicture* m_picture;
  std::vector<Field> m_fields;
  /// Which groups a "K" field has switched on; groups 0 to 90.
  std::array<bool, 91> GroupActive{};
};
