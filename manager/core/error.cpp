#include "manager/core/error.h"

namespace veldra::core {

QString Error::text() const {
  QString out;
  if (!file.isEmpty()) {
    out += file;
    if (line > 0) out += QLatin1Char(':') + QString::number(line);
    out += QStringLiteral(": ");
  }
  return out + message;
}

}  // namespace veldra::core
