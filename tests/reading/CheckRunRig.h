#pragma once

#include "app/AppSettings.h"
#include "app/MainControls.h"
#include "app/ScriptedOperator.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "app/TranscribingOperator.h"
#include "common/AnsiCodec.h"
#include "device/DeckParser.h"
#include "device/ReaderConnection.h"
#include "device/RecordingOmrApi.h"
#include "device/SimulatedReader.h"
#include "layout/SheetPicture.h"
#include "reading/ReadingRun.h"
#include "reading/RunViews.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A sheet picture that keeps every point set on it, in order.
class PointLog : public SheetPicture {
 public:
  struct Point {
    int x;
    int y;
    RgbColour colour;
    friend bool operator==(const Point&, const Point&) = default;
  };

  int width() const override { return 1500; }
  int height() const override { return 1200; }
  void setPoint(int x, int y, RgbColour colour) override { points.append({x, y, colour}); }

  QList<Point> points;
};

inline void PrintTo(const PointLog::Point& p, std::ostream* os) {
  *os << "(" << p.x << "," << p.y << " rgb " << int(p.colour.red) << "," << int(p.colour.green) << ","
      << int(p.colour.blue) << ")";
}

// A whole reading run of one layout over a deck, with a scripted operator
// whose boxes are kept, the reader's calls, the picture's points and the
// data and error files.
class CheckRunRig {
 public:
  // `fieldLines` follow the header of a 12-line form, threshold 8.
  explicit CheckRunRig(const QStringList& fieldLines, const QString& turn = QStringLiteral("N")) {
    EXPECT_TRUE(m_dir.isValid());
    QFile file(m_dir.filePath("form.omrf"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QStringList lines = QStringList{QStringLiteral("12=48=8=%1=*= =").arg(turn)} + fieldLines;
    file.write(ansi::encode(lines.join("\r\n") + "\r\n"));
    LoadSettingsFromBytes({}, settings, panel);
  }

  QString dataPath() const { return m_dir.filePath("veri.dat"); }
  QByteArray data() const { return contents(dataPath()); }
  QByteArray errors() const { return contents(dataPath() + ".hat"); }

  RunResult read(const QByteArray& deckText, QStringList answers) {
    DeckParser::Result parsed = DeckParser::parse(deckText, "run.deck");
    EXPECT_TRUE(parsed.ok()) << parsed.error.toStdString();
    m_reader = std::make_unique<SimulatedReader>(parsed.deck.value_or(Deck{}));
    m_recording = std::make_unique<RecordingOmrApi>(*m_reader);
    m_script = std::make_unique<ScriptedOperator>(std::move(answers));
    m_operator = std::make_unique<TranscribingOperator>(*m_script);
    RunEnvironment environment{*m_recording, *m_operator,  settings, panel,    controls, readerState, views,
                               counters,     m_dir.path(), stop,     &picture, nullptr,  clock};
    const RunResult result = ReadingRun(environment).Reader(m_dir.filePath("form.omrf"), dataPath());
    EXPECT_EQ(m_script->remaining(), 0) << "answers left over";
    return result;
  }

  // Every box as "kind|title|text|default|answer" (blank parts left empty).
  QStringList boxes() const {
    QStringList shown;
    for (const TranscriptEntry& box : m_operator->transcript())
      shown << QStringList{box.kind, box.title, box.text, box.defaultText, box.answer.value_or("<none>")}
                   .join('|');
    return shown;
  }
  const QStringList& log() const { return m_recording->log(); }

  AppSettings settings;
  SettingsPanel panel;
  MainControls controls;
  ReaderState readerState;
  RunViews views;
  RunCounters counters;
  std::atomic<bool> stop{false};
  PointLog picture;
  std::function<QDateTime()> clock;

 private:
  static QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
  }

  QTemporaryDir m_dir;
  std::unique_ptr<SimulatedReader> m_reader;
  std::unique_ptr<RecordingOmrApi> m_recording;
  std::unique_ptr<ScriptedOperator> m_script;
  std::unique_ptr<TranscribingOperator> m_operator;
};
