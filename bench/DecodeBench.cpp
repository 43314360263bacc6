// Decoding speed: one sheet of the sample exam layout (103 fields, 1,204
// mark positions, both sides), decoded and assembled over and over, against
// one plain pass over the 7440 bytes of a side.
//
// Prints the sheets decoded per second, how many times longer a sheet takes
// than the plain pass, and the heap allocations a sheet makes once the
// buffers are warm.

#include "device/OmrApi.h"
#include "layout/LayoutParser.h"
#include "reading/DecodingSettings.h"
#include "reading/RunFieldTable.h"
#include "reading/SheetDecoder.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

// Heap allocations are counted by standing in for malloc and realloc, which
// Qt's strings and the standard library both end up in. Left out under the
// sanitizers, which bring their own allocator.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVEL_BENCH_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KORVEL_BENCH_SANITIZED 1
#endif

#if defined(__GLIBC__) && !defined(KORVEL_BENCH_SANITIZED)
#define KORVEL_BENCH_COUNTS_ALLOCATIONS 1
namespace {
std::atomic<std::uint64_t> allocationCount{0};
}
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* malloc(std::size_t size) {
  allocationCount.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}
void* realloc(void* pointer, std::size_t size) {
  allocationCount.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(pointer, size);
}
}
#endif

namespace {

struct ExamSheet {
  LayoutTable layout;
  omr::MarkBuffer front{};
  omr::MarkBuffer back{};
};

// A sheet as a student marks it, on paper that is never quite white.
ExamSheet markedExamSheet() {
  ExamSheet sheet;
  sheet.layout = ParseLayoutFile(QStringLiteral(KORVEL_SAMPLES "/exam.omrf"));
  std::uint32_t noise = 2463534242u;
  for (omr::MarkBuffer* side : {&sheet.front, &sheet.back}) {
    for (std::uint8_t& darkness : *side) {
      noise ^= noise << 13;
      noise ^= noise >> 17;
      noise ^= noise << 5;
      darkness = static_cast<std::uint8_t>(noise % 7);  // below the threshold of 8
    }
  }
  const auto set = [](omr::MarkBuffer& side, int line, int column, int darkness) {
    side[static_cast<std::size_t>((line - 1) * omr::kSheetColumns + (column - 1))] =
        static_cast<std::uint8_t>(darkness);
  };
  const QString number = QStringLiteral("2024001357");
  for (int k = 0; k < number.size(); ++k) set(sheet.front, 4 + number[k].digitValue(), 26 + k, 190);
  const QString letters = QString::fromUtf8(" ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");
  const QString name = QString::fromUtf8("MEHMET ALİ ÖZTÜRK");
  for (int k = 0; k < name.size(); ++k)
    set(sheet.front, 4 + static_cast<int>(letters.indexOf(name[k])), 2 + k, 170);
  set(sheet.front, 17, 28, 160);  // booklet B
  for (int q = 1; q <= 100; ++q) {
    const FieldDefinition& field = sheet.layout.field(q + 3);
    set(q <= 50 ? sheet.front : sheet.back, field.FieldLineFrom, field.FieldColFrom + (q * 7) % 5, 120 + q);
  }
  return sheet;
}

const ExamSheet& examSheet() {
  static const ExamSheet sheet = markedExamSheet();
  return sheet;
}

void decodeSheet(benchmark::State& state) {
  const ExamSheet& sheet = examSheet();
  const SheetDecoder decoder(sheet.layout, DecodingSettings{});
  RunFieldTable values = RunFieldTable::forLayout(sheet.layout);
  QString Text6;
  for (auto _ : state) {
    Text6.truncate(0);
    const bool dropped = decoder.decode(sheet.front, &sheet.back, values, Text6, nullptr);
    benchmark::DoNotOptimize(dropped);
    benchmark::DoNotOptimize(values.entries.constData());
    benchmark::ClobberMemory();
  }
  state.counters["sheets/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void plainPass(benchmark::State& state) {
  const omr::MarkBuffer& marks = examSheet().front;
  for (auto _ : state) {
    benchmark::DoNotOptimize(marks.data());
    std::uint32_t sum = 0;
    for (const std::uint8_t darkness : marks) sum += darkness;
    benchmark::DoNotOptimize(sum);
  }
}

BENCHMARK(decodeSheet)->Name("DecodeExamSheet")->Unit(benchmark::kNanosecond);
BENCHMARK(plainPass)->Name("PlainPassOverOneSide")->Unit(benchmark::kNanosecond);

// The console report, with each run's time per iteration kept for the
// summary.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  RecordingReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration)
        m_nanoseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(reports);
  }
  double nanoseconds(const std::string& name) const {
    const auto found = m_nanoseconds.find(name);
    return found == m_nanoseconds.end() ? 0.0 : found->second;
  }

 private:
  std::map<std::string, double> m_nanoseconds;
};

// What the sheet decodes to, checked before anything is timed: a fast
// decoder that reads the wrong values is no result.
bool decodesCorrectly() {
  const ExamSheet& sheet = examSheet();
  const SheetDecoder decoder(sheet.layout, DecodingSettings{});
  RunFieldTable values = RunFieldTable::forLayout(sheet.layout);
  QString Text6;
  if (sheet.layout.FieldCount != 103 || decoder.decode(sheet.front, &sheet.back, values, Text6, nullptr))
    return false;
  if (values.field(1).FieldValue != u"2024001357" ||
      values.field(2).FieldValue != QString::fromUtf8("MEHMET ALİ ÖZTÜRK   ") ||
      values.field(3).FieldValue != u"B")
    return false;
  for (int q = 1; q <= 100; ++q)
    if (values.field(q + 3).FieldValue != QChar(u'A' + (q * 7) % 5)) return false;
  return true;
}

#ifdef KORVEL_BENCH_COUNTS_ALLOCATIONS
// Heap allocations of one sheet once the values' buffers are in use.
double allocationsPerSheet() {
  const ExamSheet& sheet = examSheet();
  const SheetDecoder decoder(sheet.layout, DecodingSettings{});
  RunFieldTable values = RunFieldTable::forLayout(sheet.layout);
  QString Text6;
  decoder.decode(sheet.front, &sheet.back, values, Text6, nullptr);
  constexpr int kSheets = 1000;
  const std::uint64_t before = allocationCount.load();
  for (int k = 0; k < kSheets; ++k) {
    Text6.truncate(0);
    decoder.decode(sheet.front, &sheet.back, values, Text6, nullptr);
  }
  return static_cast<double>(allocationCount.load() - before) / kSheets;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  if (!decodesCorrectly()) {
    std::fprintf(stderr, "the sample sheet does not decode to its marks\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double sheetNs = reporter.nanoseconds("DecodeExamSheet");
  const double passNs = reporter.nanoseconds("PlainPassOverOneSide");
  if (sheetNs > 0) std::printf("sheets per second: %.0f\n", 1e9 / sheetNs);
  if (sheetNs > 0 && passNs > 0)
    std::printf("one sheet takes %.1f times as long as a plain pass over 7440 bytes\n", sheetNs / passNs);
#ifdef KORVEL_BENCH_COUNTS_ALLOCATIONS
  std::printf("heap allocations per sheet: %.2f\n", allocationsPerSheet());
#endif
  return 0;
}
