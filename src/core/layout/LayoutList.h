#pragma once

#include <QString>
#include <QStringList>

/// The layout list's entries for a folder: every *.omrf file, its name cut
/// before the first ".OMRF" (any letter case) and shown in capitals, then
/// every *.rtf file the same way; a name with both files is listed twice.
/// Each group is in name order, ignoring case, so the list reads the same
/// on every platform.
QStringList layoutListEntries(const QString& folder);

/// The layout file of a layout list entry in the program folder:
/// NAME.omrf, found whatever the letter case of the file's name (the list
/// shows names in capitals). Empty when there is none.
QString findLayoutFile(const QString& programFolder, const QString& layoutName);

/// The layout file a list entry names: NAME.omrf directly in `folder`,
/// found whatever the letter case of the file's name. Empty when there is
/// none, when the text is empty, or when it holds a folder separator (the
/// list only names files of the program folder).
QString layoutFilePath(const QString& folder, const QString& listText);

/// The question asked before a layout is deleted: the list's text followed
/// by ".omrf isimli dosya silinecek".
QString layoutDeletionQuestion(const QString& listText);

/// Deletes the layout file of a list entry (found as layoutFilePath finds
/// it). False when there was none or it could not be deleted.
bool deleteLayoutFile(const QString& folder, const QString& listText);
