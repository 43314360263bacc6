#include "app/UpdateNotice.h"

namespace {

// The first characters of the page are a fixed lead-in of its own.
constexpr qsizetype kLeadInLength = 9;

bool isDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}
bool isBlank(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Whether the number at the start of `text` is greater than `build`.
// Compared digit by digit, so a page with a thousand digits neither
// overflows nor rounds a fraction such as 124.000001 away.
bool announcesNewerThan(QStringView text, int build) {
  qsizetype i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  while (i < text.size() && text[i] == u'0') ++i;  // leading zeros say nothing
  const qsizetype wholeStart = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  const QStringView whole = text.sliced(wholeStart, i - wholeStart);

  const QString own = QString::number(build);
  if (whole.size() != own.size()) return whole.size() > own.size();
  const int order = whole.compare(own);
  if (order != 0) return order > 0;

  // Equal whole parts: only a fraction with a digit other than zero is more.
  if (i < text.size() && text[i] == u'.') {
    for (++i; i < text.size() && isDigit(text[i]); ++i)
      if (text[i] != u'0') return true;
  }
  return false;
}

}  // namespace

std::optional<QString> updateNoticeFromPageText(QStringView pageText) {
  if (pageText.size() <= kLeadInLength) return std::nullopt;
  const QStringView rest = pageText.sliced(kLeadInLength);
  if (!announcesNewerThan(rest, kProgramBuildNumber)) return std::nullopt;
  QString notice = QStringLiteral("Yeni Sürüm ");
  notice += rest;
  return notice;
}
