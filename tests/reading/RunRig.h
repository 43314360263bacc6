#pragma once

#include "app/AppSettings.h"
#include "app/MainControls.h"
#include "app/ScriptedOperator.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "app/TranscribingOperator.h"
#include "common/AnsiCodec.h"
#include "device/ReaderConnection.h"
#include "device/RecordingOmrApi.h"
#include "layout/SheetPicture.h"
#include "reading/ReadingRun.h"
#include "reading/RunViews.h"
#include "sim/DeckParser.h"
#include "sim/SimulatedReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
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
// whose boxes are kept, the reader's calls, the picture's points, the data
// and error files, and a hook called at the top of every sheet cycle.
class RunRig : public RunObserver {
 public:
  /// The layout's lines, header first, in code page 1254 or UTF-8.
  explicit RunRig(const QStringList& layoutLines, bool utf8 = false) {
    EXPECT_TRUE(m_dir.isValid());
    writeLayout(layoutLines, utf8);
    LoadSettingsFromBytes({}, settings, panel);
  }

  void writeLayout(const QStringList& lines, bool utf8) {
    QFile file(m_dir.filePath("form.omrf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QString text = lines.join("\r\n") + "\r\n";
    file.write(utf8 ? QByteArray("\xEF\xBB\xBF") + text.toUtf8() : ansi::encode(text));
  }

  QString dataPath() const { return m_dir.filePath(dataName); }
  QByteArray data() const { return contents(dataPath()); }
  QByteArray errors() const { return contents(dataPath() + ".hat"); }

  void setData(const QByteArray& bytes) {
    QFile file(dataPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }

  RunResult read(const QByteArray& deckText, QStringList answers) {
    RunEnvironment environment = prepare(deckText, std::move(answers));
    const RunResult result = ReadingRun(environment).Reader(m_dir.filePath("form.omrf"), dataPath());
    EXPECT_EQ(m_script->remaining(), 0) << "answers left over";
    return result;
  }

  /// "Dursun" under "Hata Durumunda" as confirming the panel leaves it:
  /// the box and the stored setting alike.
  void setStopOnError(bool on) {
    panel.setCheck(SettingsPanel::CheckBox::Check2, on ? 1 : 0);
    settings.StopOnError = on ? 1 : 0;
  }

  DensityResult readDensity(const QByteArray& deckText, QStringList answers) {
    RunEnvironment environment = prepare(deckText, std::move(answers));
    return ReadingRun(environment).densityRun();
  }

  void processEvents() override {
    ++m_cycles;
    if (onCycle) onCycle(m_cycles);
  }

  // Every box as "kind|title|text|default|answer" (blank parts left empty).
  QStringList boxes() const {
    QStringList shown;
    for (const TranscriptEntry& box : m_operator->transcript())
      shown << QStringList{box.kind, box.title, box.text, box.defaultText, box.answer.value_or("<none>")}
                   .join('|');
    return shown;
  }
  QStringList boxTexts() const {
    QStringList texts;
    for (const TranscriptEntry& box : m_operator->transcript()) texts << box.text;
    return texts;
  }
  const QStringList& log() const { return m_recording->log(); }
  /// The reader calls from the last feed on.
  QStringList tailAfterLastFeed() const { return log().mid(log().lastIndexOf("OMR_FeedSheet()")); }

  /// The data file, relative to the rig's folder.
  QString dataName = QStringLiteral("veri.dat");
  AppSettings settings;
  SettingsPanel panel;
  MainControls controls;
  ReaderState readerState;
  RunViews views;
  RunCounters counters;
  std::atomic<bool> stop{false};
  PointLog picture;
  std::function<QDateTime()> clock;
  std::function<void(int cycle)> onCycle;

 private:
  RunEnvironment prepare(const QByteArray& deckText, QStringList answers) {
    DeckParser::Result parsed = DeckParser::parse(deckText, "run.deck");
    EXPECT_TRUE(parsed.ok()) << parsed.error.toStdString();
    m_reader = std::make_unique<SimulatedReader>(parsed.deck.value_or(Deck{}));
    m_recording = std::make_unique<RecordingOmrApi>(*m_reader);
    m_script = std::make_unique<ScriptedOperator>(std::move(answers));
    m_operator = std::make_unique<TranscribingOperator>(*m_script);
    return RunEnvironment{*m_recording, *m_operator, settings, panel,    controls, readerState, views,
                          counters,     m_dir.path(), stop,     &picture, this,     clock};
  }

  static QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
  }

  QTemporaryDir m_dir;
  std::unique_ptr<SimulatedReader> m_reader;
  std::unique_ptr<RecordingOmrApi> m_recording;
  std::unique_ptr<ScriptedOperator> m_script;
  std::unique_ptr<TranscribingOperator> m_operator;
  int m_cycles = 0;
};

// A run of a 12-line form, threshold 8, with the given field lines.
class CheckRunRig : public RunRig {
 public:
  explicit CheckRunRig(const QStringList& fieldLines, const QString& turn = QStringLiteral("N"))
      : RunRig(QStringList{QStringLiteral("12=48=8=%1=*= =").arg(turn)} + fieldLines) {}
};
