#pragma once

#include "device/OmrApi.h"

#include <cstdint>

class Operator;
class ReaderConnection;

/// The device half of one sheet: feed, status, the front read and, on
/// double-sided work, the back read, and where a sheet that is not kept
/// goes.
class SheetCycle {
 public:
  struct Settings {
    bool secondTray = false;         ///< "Var" under "Çift Çıkış Tepsisi"
    bool singleSidedSheets = true;   ///< "Hayır" under "Çift Yüzlü Kağıt"
    /// A front timing-mark error goes to the operator; otherwise its sheet
    /// is dropped without a word ("Dursun" ticked).
    bool reportTimingMarkErrors = false;
    /// With a second tray, a wrong line count is asked about; otherwise its
    /// sheet goes to tray 2 without a word (stop on error stored as 1).
    bool askAtWrongLineCount = false;
    bool backSensorFitted = false;   ///< the reader has a back-side unit
  };

  /// What the loop does next.
  enum class Outcome {
    Decode,               ///< the sheet was read: decode it
    Drop,                 ///< the sheet is not kept; the cycle ends normally
    NextAtOnce,           ///< the hopper was empty and the operator goes on: the next cycle at once
    SkipAtFault,          ///< a sheet was ejected unread at a reader fault; the next cycle at once
    EndRun,               ///< the operator ended the run at a reader fault (the sheet ejected unread)
    EndRunAtEmptyHopper,  ///< the hopper was empty and the operator ended the run
    EndRunAtLineCount,    ///< the operator ended the run at a wrong line count
  };

  SheetCycle(OmrApi& api, ReaderConnection& connection, Operator& person, const Settings& settings);

  /// One normal cycle for a layout of `layoutLineCount` lines whose first
  /// back-side field is `firstBackField` (0: none).
  Outcome readSheet(std::int16_t layoutLineCount, int firstBackField);

  /// One cycle of the density reading: 70 lines asked for, no line count
  /// compared, no back side.
  Outcome readDensitySheet();

  const omr::MarkBuffer& front() const { return m_front; }
  const omr::MarkBuffer& back() const { return m_back; }
  /// The back side was read in the last cycle.
  bool backRead() const { return m_backRead; }
  /// Lines the reader reported for the last front read.
  std::int32_t frontLineCount() const { return m_frontLines; }
  /// The last feed brought a sheet (anything but the empty hopper), so the
  /// run has a sheet to account for.
  bool sheetFed() const { return m_sheetFed; }

 private:
  /// Feed, status and the front read; nothing when the cycle ends early.
  bool feedAndReadFront(std::int32_t lines, Outcome& early);
  void ejectToSpareTray();

  OmrApi& m_api;
  ReaderConnection& m_connection;
  Operator& m_operator;
  Settings m_settings;
  omr::MarkRequest m_request;
  omr::MarkBuffer m_front{};
  omr::MarkBuffer m_back{};
  bool m_backRead = false;
  bool m_sheetFed = false;
  std::int32_t m_frontLines = 0;
};
