// Texts between the core (UTF-16 std::u16string) and Qt (QString).
#pragma once

#include <QString>
#include <string>

namespace plandock::ui {

inline QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }
inline std::u16string U(const QString& s) { return s.toStdU16String(); }

}  // namespace plandock::ui
