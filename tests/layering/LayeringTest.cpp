// The core's folders are layers: a file may include headers of its own
// folder and of the folders below it, never of one above. This keeps the
// reading run on top of the reader link and the layouts, and keeps the
// lower folders usable without the upper ones.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Bottom to top.
const QStringList kLayers = {"common", "app", "layout", "device", "sim", "reading"};

// What is wrong with `file` (a path under src/core) including `header` (as
// written between the quotes), or nothing.
QString includeFault(const QString& file, const QString& header) {
  const QString fileFolder = file.section(u'/', 0, 0);
  const qsizetype fileLayer = kLayers.indexOf(fileFolder);
  if (!file.contains(u'/') || fileLayer < 0)
    return file + QStringLiteral(": not in a layer folder (") + kLayers.join(u' ') + u')';
  if (!header.contains(u'/'))
    return file + QStringLiteral(": \"") + header + QStringLiteral("\" does not name its folder");
  const qsizetype headerLayer = kLayers.indexOf(header.section(u'/', 0, 0));
  if (headerLayer < 0) return file + QStringLiteral(": \"") + header + QStringLiteral("\" is in no layer");
  if (headerLayer > fileLayer)
    return file + QStringLiteral(" (") + fileFolder + QStringLiteral(") includes \"") + header +
           QStringLiteral("\" from a layer above it");
  return {};
}

QStringList quotedIncludes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"),
                                          QRegularExpression::MultilineOption);
  QStringList headers;
  for (auto it = include.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();)
    headers.append(it.next().captured(1));
  return headers;
}

TEST(Layering, IncludesAreJudgedByTheLayerOfEachSide) {
  const struct {
    const char* file;
    const char* header;
    bool allowed;
  } cases[] = {
      {"reading/ReadingRun.cpp", "device/OmrApi.h", true},
      {"reading/ReadingRun.cpp", "reading/RunFiles.h", true},
      {"common/AnsiCodec.cpp", "common/AnsiCodec.h", true},
      {"sim/DeckGenerator.h", "layout/LayoutTable.h", true},
      {"layout/LayoutList.cpp", "reading/ReadCommand.h", false},
      {"device/ReaderConnection.cpp", "reading/RunFiles.h", false},
      {"device/ReaderSelection.cpp", "sim/SimulatedReader.h", false},
      {"common/TextLines.cpp", "app/AppSettings.h", false},
      {"layout/BoxDecoder.cpp", "BoxDecoder.h", false},
      {"reading/SheetCycle.cpp", "gui/MainWindow.h", false},
      {"imaging/ImageReader.cpp", "common/AnsiCodec.h", false},
      {"Loose.cpp", "common/AnsiCodec.h", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(includeFault(c.file, c.header).isEmpty(), c.allowed) << c.file << " includes " << c.header;
}

TEST(Layering, NoCoreFileIncludesAHeaderFromALayerAboveIt) {
  const QString root = QStringLiteral(KORVEL_CORE_SOURCES);
  QStringList faults;
  bool sawAny = false;
  QDirIterator it(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString relative = path.mid(root.size() + 1);
    sawAny = true;
    for (const QString& header : quotedIncludes(path)) {
      const QString fault = includeFault(relative, header);
      if (!fault.isEmpty()) faults.append(fault);
    }
  }
  EXPECT_TRUE(sawAny) << "no sources under " << root.toStdString();
  EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

}  // namespace
