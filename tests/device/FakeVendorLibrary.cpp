// A stand-in for the reader vendor's library, built by the tests only: it
// exports the library's functions under their names, answers with fixed
// values and keeps a log of what it was given, so the binding's argument
// passing can be checked end to end through the platform loader.
//
// The record types are the program's own, so that the sanitizers' check of
// the function type at each call holds. Built twice: in full, and with FAKE_PARTIAL, which leaves out
// OMR_GetStatus and OMR_GetMarks.

#include "device/OmrApi.h"

#include <cstdint>
#include <cstring>
#include <string>

#if defined(_WIN32)
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
std::string g_log;
void note(const std::string& entry) { g_log += entry + ";"; }
}  // namespace

FAKE_EXPORT const char* FakeOmr_Log() { return g_log.c_str(); }

FAKE_EXPORT std::int32_t OMR_OpenDeviceUSB() { note("open"); return 0; }
FAKE_EXPORT std::int32_t OMR_CloseDevice() { note("close"); return 0; }
#ifndef FAKE_PARTIAL
FAKE_EXPORT std::int32_t OMR_GetStatus() { note("status"); return 0x40110000; }
FAKE_EXPORT std::int32_t OMR_GetMarks(std::int16_t side, omr::MarkRequest* request, std::uint8_t* marks) {
  note("marks " + std::to_string(side) + " " + std::to_string(request->lines) + " " +
       std::to_string(request->columns));
  request->lines = 61;
  marks[0] = 7;
  marks[7439] = 9;
  return 0;
}
#endif
FAKE_EXPORT std::int32_t OMR_GetMachineName(std::uint8_t* name) {
  std::memcpy(name, "FAKE-READER     ", 16);
  return 0;
}
FAKE_EXPORT std::int32_t OMR_GetDeviceInfo() { return 0x01010000; }
FAKE_EXPORT std::int32_t OMR_SetReadingMethod(std::int32_t a, std::int32_t b) {
  note("method " + std::to_string(a) + "," + std::to_string(b));
  return 0;
}
FAKE_EXPORT std::int32_t OMR_SetBackSensorUnit(std::int32_t* unit) {
  note("back " + std::to_string(*unit));
  return 0;
}
FAKE_EXPORT std::int32_t _OMR_SendData(std::uint8_t* bytes, std::int32_t* count) {
  note("send " + std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(*count)));
  return 0;
}
FAKE_EXPORT std::int32_t OMR_SetPrintPosition(std::int16_t mm) {
  note("position " + std::to_string(mm));
  return 0;
}
FAKE_EXPORT std::int32_t OMR_SetPrintString(std::int32_t line, const char* text) {
  note("print " + std::to_string(line) + " " + text);
  return 0;
}
FAKE_EXPORT std::int32_t OMR_GetBarcodeData(std::int32_t item, omr::BarcodeRecord* record, std::int16_t* length,
                                            std::int16_t* second, std::uint8_t* data) {
  note("barcode " + std::to_string(item) + " " + record->kind[0] + " " + std::to_string(*length) + " " +
       std::to_string(*second));
  std::memcpy(data, "0012345", 7);
  *length = 7;
  return 0;
}
