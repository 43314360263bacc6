#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace textlines {

/// Splits text into lines. Files of the program end their lines with CR LF;
/// a bare LF ends a line as well, so files saved by Unix editors read the
/// same. A bare CR stays in the line. A line end at the very end of the text
/// does not start another line, so "a\r\nb\r\n" gives two lines.
QStringList split(QStringView text);

}  // namespace textlines
