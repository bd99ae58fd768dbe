#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace zurcfg {

// The core keeps text as bytes of the 8-bit encoding; the widgets show Unicode.
inline QString FromLocal8Bit(std::string_view bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToLocal8Bit(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

}  // namespace zurcfg
