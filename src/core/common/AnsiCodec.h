#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

/// The program's "ANSI" text: Windows code page 1254 (Turkish) on every
/// platform. Settings files, ANSI layouts, data files and error files use it.
/// Every conversion to and from it goes through these two functions, so the
/// converter behind them can be swapped where Qt lacks the code page.
namespace ansi {

QString decode(const QByteArray& bytes);

/// Characters the code page cannot hold become "?", as the Windows
/// converter does by default.
QByteArray encode(QStringView text);

/// The text as a view set to the Cyrillic character set shows it: its code
/// page 1254 bytes read as code page 1251 ("ğ" shows as "р"). The raw view's
/// "Kiril" option uses it; what is written to files never does.
QString asCyrillic(QStringView text);

}  // namespace ansi
