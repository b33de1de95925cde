#include "manager/core/library_files.h"

#include <array>

#include "manager/core/text_file.h"

namespace veldra::core {

namespace {

constexpr std::array<const char*, 9> kFiles = {"mplist.lis", "mplast.lis", "mvisc.lis",
                                               "fiber.lis",  "tsbar.lis",  "klist.lis",
                                               "tslist.lis", "fibras.lis", "posproc.lis"};

}  // namespace

const QStringList& library_items() {
  static const QStringList items = {
      QStringLiteral("Materiais"),           QStringLiteral("Plasticidade"),
      QStringLiteral("Viscosidade"),         QStringLiteral("Direção de Fibras"),
      QStringLiteral("Seção Barras"),        QStringLiteral("Plano Barras"),
      QStringLiteral("Seção Cascas/Placas"), QStringLiteral("Fibras"),
      QStringLiteral("Pós-Processamento"),   QString()};
  return items;
}

QString library_file_name(int item) {
  if (item < 0 || item >= static_cast<int>(kFiles.size())) return QString();
  return QString::fromLatin1(kFiles[static_cast<std::size_t>(item)]);
}

QString library_path_after_click(const Folders& folders, int item, const QString& last_path) {
  const QString name = library_file_name(item);
  return name.isEmpty() ? last_path : folders.library + name;
}

Result<QByteArray> editor_text_bytes(const QString& text,
                                     TextEncoding encoding,
                                     const QString& file_for_errors) {
  // Every line end of the text, and one more: a text ending in a line end keeps its empty
  // last line.
  QStringList lines = split_lines(text);
  if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) lines.append(QString());
  if (text.isEmpty()) lines = QStringList{QString()};
  return encode_lines(lines, encoding, file_for_errors);
}

}  // namespace veldra::core
