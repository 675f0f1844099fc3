#pragma once

#include <QString>
#include <string>

#include "platform/CodePage.h"

// The program's texts are CP1251 bytes; Qt's are Unicode. These convert at the edge.
inline QString FromProgramText(const std::string& cp1251) {
  return QString::fromStdU16String(Utf16FromCp1251(cp1251));
}
inline std::string ToProgramText(const QString& text) {
  return Cp1251FromUtf16(text.toStdU16String());
}
