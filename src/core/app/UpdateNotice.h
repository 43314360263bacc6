#pragma once

#include <QString>
#include <QStringView>

#include <optional>

/// The program's own build number; a page announcing a larger one means a
/// newer build is available.
inline constexpr int kProgramBuildNumber = 124;

/// The new-version notice a page's visible text gives, if any.
///
/// The page carries the newest build number from its tenth character on,
/// followed by any description. The notice is "Yeni Sürüm " followed by the
/// text from the tenth character to the end, and is given only when the
/// number there is greater than kProgramBuildNumber. The number is read
/// after leading white space as digits with at most one decimal point, up to
/// the first other character; no digits count as 0. Numbers of any length
/// are compared exactly, without converting them.
std::optional<QString> updateNoticeFromPageText(QStringView pageText);
