#pragma once

#include "layout/FieldRect.h"
#include "layout/LayoutTable.h"
#include "layout/SheetPicture.h"

class DataFiles;
class Operator;
struct RunCounters;
struct RunFieldTable;
struct RunViews;

/// The colour that points the operator at the field being asked about.
inline constexpr RgbColour kPromptMarkColour{16, 4, 230};

/// Prepares the data file of a normal run before its first sheet.
///
/// A missing data file is started empty (`SheetCount` 0). An existing one is
/// read back first: its lines are counted into `SheetCount`, each line is
/// cut into the fields' values by their record widths (`FieldSubLength`),
/// and `Label8` shows the last line field by field. A file with lines leads
/// to the Yes/No/Cancel question. Yes appends: kind "G" values not yet in
/// `List1` are added to it, and every kind "R" counter continues from the
/// last line's value plus one. No starts the file afresh from nothing: the
/// old file (and with `SecondTray` an ANSI layout's error file) is first
/// moved aside as a numbered backup (DataFiles::moveAsideAsBackup), the old
/// records' "G" values leave `List1`, the counters stay at their start and
/// `Label8` is emptied. Cancel ends the program. A file of a UTF-8 layout
/// is read as UTF-8 so that the cut falls where the record writer put it.
///
/// With `SecondTray` an ANSI layout's error file is opened as well, and the
/// error counter's labels are shown; without it they are hidden.
/// `Label2`(0) and `Label2`(3) show the counters at the end.
///
/// When the data file or the error file cannot be created, opened or
/// emptied the operator is told ("Dosya yazma hatası 1 ", "2 " or "3 ",
/// OK only) and DataFileUnwritable (a ProgramEnd naming the file and the
/// system's reason) is thrown; Cancel throws ProgramEnd without a message.
/// `fields` must hold an entry for every field of `layout`.
void PrepareDataFile(const LayoutTable& layout, bool SecondTray, DataFiles& files, RunFieldTable& fields,
                     RunViews& views, RunCounters& counters, Operator& op);

/// Asks, field by field, for the values the layout leaves to the operator:
/// fixed values ("D"), start numbers ("R", offering the current counter;
/// "T") and the stop value ("Ş"); kind "H" takes its alphabet as fixed text
/// without a question. Before each question the field's block is marked on
/// `picture` (may be null) in kPromptMarkColour; the points stay. A
/// cancelled box stores empty text. May throw OperatorGone.
void AskStartValues(const LayoutTable& layout, const FieldRect& rects, RunFieldTable& fields, Operator& op,
                    SheetPicture* picture);
