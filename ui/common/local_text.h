#pragma once

#include <string>
#include <string_view>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zurcfg {

// The core keeps text as bytes of the 8-bit encoding; the widgets show Unicode.
inline QString FromLocal8Bit(std::string_view bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToLocal8Bit(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Paths go through the file-name codec, as the system's file functions take them. A name that is
// not in the system's encoding shows with replacement characters and does not come back the same,
// so the window keeps every path as the bytes it was given and converts it only to show it.
inline QString FromFileName(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

inline std::string ToFileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace zurcfg
