// Saves pictures of the two windows in their main layouts:
//   veldra-screenshots DIR
// The launcher at start, waiting for the pre-processor's export, and with converted data;
// the set-up window as it opens and with a boundary element coupling chosen.
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QWidget>

#include "manager/ui/services.h"
#include "manager/ui/tform1.h"
#include "manager/ui/tform2.h"

namespace {

bool save(QWidget& window, const QString& path) {
  QApplication::processEvents();
  return window.grab().save(path);
}

// The launcher's layouts are those its handlers make; here they are set the same way: the
// buttons hidden and the overlapping views 88 pixels taller, with one of them in front.
void waiting_layout(QWidget& launcher, const char* front) {
  for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3"}) {
    if (auto* b = launcher.findChild<QWidget*>(name)) b->hide();
  }
  for (const char* name : {"Panel2", "RichEdit1", "WebBrowser1"}) {
    if (auto* w = launcher.findChild<QWidget*>(name)) w->resize(w->width(), w->height() + 88);
  }
  if (auto* w = launcher.findChild<QWidget*>(front)) w->raise();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) return 2;
  const QDir out(QString::fromLocal8Bit(argv[1]));
  veldra::ui::Services services = veldra::ui::defaultServices();
  services.showMessage = [](QWidget*, const QString&) {};
  veldra::ui::TForm1 launcher(services);
  TForm2 setUp(&launcher, services);
  launcher.show();
  bool ok = save(launcher, out.filePath("launcher-start.png"));
  waiting_layout(launcher, "WebBrowser1");
  ok = save(launcher, out.filePath("launcher-waiting.png")) && ok;
  if (auto* edit = launcher.findChild<QWidget*>("RichEdit1")) {
    const QString sample = QStringLiteral(
        "Arquivo de Dados - ANSYS\u00ae\n\nN\u00famero de N\u00f3s      : 8\n"
        "N\u00famero de Elementos: 1\nDire\u00e7\u00f5es Restritas : 12\n");
    if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) plain->setPlainText(sample);
    if (auto* rich = qobject_cast<QTextEdit*>(edit)) rich->setPlainText(sample);
    edit->raise();
  }
  ok = save(launcher, out.filePath("launcher-converted.png")) && ok;
  setUp.open();
  ok = save(setUp, out.filePath("setup-open.png")) && ok;
  const auto couplings = setUp.findChildren<QRadioButton*>();
  for (QRadioButton* r : couplings) {
    if (r->text().startsWith(QStringLiteral("MEC-Mindlin"))) r->click();
  }
  ok = save(setUp, out.filePath("setup-coupling.png")) && ok;
  return ok ? 0 : 1;
}
