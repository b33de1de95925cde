// veldra-manager: the launcher window (main) and the set-up window (hidden until asked for).
#include <QApplication>
#include <QString>

#include "manager/ui/services.h"
#include "manager/ui/tform1.h"
#include "manager/ui/tform2.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString title = QStringLiteral("VELDRA - Gerenciador de Programas - v1.0");
  QApplication::setApplicationName(QStringLiteral("veldra-manager"));
  QApplication::setApplicationDisplayName(title);

  const veldra::ui::Services services = veldra::ui::defaultServices();
  veldra::ui::TForm1 launcher(services);
  TForm2 setUp(&launcher, services);
  launcher.setProcessorWindow(&setUp, [&setUp] { setUp.open(); });
  launcher.show();
  return QApplication::exec();
}
