#include "manager/ui/services.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "manager/platform/shell.h"

namespace veldra::ui {
namespace {

QString title() {
  return QApplication::applicationDisplayName();
}

}  // namespace

QString qtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters.append(parts[i].trimmed() + QStringLiteral(" (") + parts[i + 1].trimmed() +
                   QLatin1Char(')'));
  return filters.join(QStringLiteral(";;"));
}

Services defaultServices() {
  Services services;
  services.showMessage = [](QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok, parent);
    box.exec();
  };
  services.confirm = [](QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
  };
  services.openFileName = [](QWidget* parent, const QString& caption, const QString& folder,
                             const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, qtFileFilter(filter));
  };
  // The windows ask about an existing target themselves, so the dialog does not.
  services.saveFileName = [](QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, QString(), folder, qtFileFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
  };
  services.openWithShell = [](const QString& path) { return platform::openWithShell(path); };
  services.searchRoot = platform::defaultSearchRoot();
  services.runProgram = [](const QString& program, const QString& folder) {
    return platform::runProgram(program, folder);
  };
  return services;
}

}  // namespace veldra::ui
