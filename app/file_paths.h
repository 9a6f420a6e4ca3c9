#pragma once
// File names as the operator sees them, turned into the bytes the system opens
// them by.
#include <string>

#include <QFile>
#include <QString>

namespace zm48d {

inline std::string FilePathBytes(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

}  // namespace zm48d
