// The set-up window driven through its real widgets, found by object name. Dialogs, messages
// and the processor are answered through the services seam.
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "manager/core/folders.h"
#include "manager/core/input_files.h"
#include "manager/core/text_file.h"
#include "manager/platform/paths.h"
#include "manager/ui/tform1.h"
#include "manager/ui/tform2.h"

namespace core = veldra::core;
using veldra::platform::ProgramResult;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray("<cannot read ") + path.toUtf8() + '>';
  return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QString kDefaultValueLine = QStringLiteral(
    "     3        0        0       0       20      1  1.0E-005  1.0E-005      200       1  27     "
    " "
    "0     0     1    0.00");

}  // namespace

class TForm2Test : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void controls_data();
  void controls();
  void radioItems_data();
  void radioItems();
  void layout_data();
  void layout();
  void buttonStates_data();
  void buttonStates();
  void modelFileViewAndSave_data();
  void modelFileViewAndSave();
  void libraryFileSave_data();
  void libraryFileSave();
  void blankLibraryItemFirstFailsToOpen();
  void closingGivesTheLauncherBack();
  void processorRun_data();
  void processorRun();
  void failedRunLeavesAnOperableWindow_data();
  void failedRunLeavesAnOperableWindow();
  void realProcessorRunsInItsFolder();
  void launcherOpensAndGetsTheWindowBack();

 private:
  template <typename T>
  T* child(const char* name) const {
    T* widget = form_->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no child %s", name);
    return widget;
  }
  QRadioButton* item(const char* group, int index) const;
  int checkedItem(const char* group) const;
  void act(const QString& actions);
  core::ProcessorOptions optionsShown() const;
  QString path(const QString& relative) const { return dir_->path() + '/' + relative; }

  std::unique_ptr<QTemporaryDir> dir_;
  QString previousCurrent_;
  core::Folders folders_;
  std::unique_ptr<QWidget> launcher_;
  std::unique_ptr<TForm2> form_;
  QStringList messages_;
  QList<bool> confirmAnswers_;
  QStringList dialogAnswers_;
  QStringList dialogFolders_;
  int unexpectedQuestions_ = 0;
  std::function<ProgramResult(const QString&, const QString&)> processor_;
  int runs_ = 0;
};

void TForm2Test::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  QDir root(dir_->path());
  QVERIFY(root.mkpath(QStringLiteral("programas auxiliares/bibliotecas")));
  QVERIFY(root.mkpath(QStringLiteral("arquivos auxiliares")));
  QVERIFY(root.mkpath(QStringLiteral("modelos")));
  const QByteArray model = fileBytes(QStringLiteral(VELDRA_CORE_TEST_DATA "/basic.model.ref"));
  QVERIFY(model.startsWith("Arquivo"));
  QVERIFY(writeBytes(path(QStringLiteral("modelos/mef.txt")), model));
  QVERIFY(writeBytes(path(QStringLiteral("modelos/mec.txt")), model));
  // The counts ask for more rows than the 20 lines hold.
  QVERIFY(writeBytes(path(QStringLiteral("modelos/short.txt")),
                     model.split('\n').mid(0, 20).join('\n')));
  // A model file kept in the library folder under a name the run would use for its own file.
  QVERIFY(writeBytes(path(QStringLiteral("programas auxiliares/bibliotecas/dados.txt")), model));
  QVERIFY(writeBytes(path(QStringLiteral("programas auxiliares/bibliotecas/mplist.lis")),
                     "materiais\r\n1  2.0E+005\r\n"));

  previousCurrent_ = QDir::currentPath();
  QVERIFY(QDir::setCurrent(dir_->path()));
  folders_ = core::folders_of(dir_->path());
  messages_.clear();
  confirmAnswers_.clear();
  dialogAnswers_.clear();
  dialogFolders_.clear();
  unexpectedQuestions_ = 0;
  runs_ = 0;
  processor_ = [](const QString&, const QString&) {
    return ProgramResult{ProgramResult::Outcome::Exited, 0, QString()};
  };

  veldra::ui::Services services;
  services.showMessage = [this](QWidget*, const QString& text) { messages_ << text; };
  services.confirm = [this](QWidget*, const QString&) {
    if (confirmAnswers_.isEmpty()) {
      ++unexpectedQuestions_;
      return false;
    }
    return confirmAnswers_.takeFirst();
  };
  services.openFileName = [this](QWidget*, const QString&, const QString& folder, const QString&) {
    dialogFolders_ << folder;
    if (dialogAnswers_.isEmpty()) {
      ++unexpectedQuestions_;
      return QString();
    }
    return dialogAnswers_.takeFirst();
  };
  services.saveFileName = [this](QWidget*, const QString&, const QString&) {
    ++unexpectedQuestions_;
    return QString();
  };
  services.openWithShell = [this](const QString&) {
    ++unexpectedQuestions_;
    return false;
  };
  services.runProgram = [this](const QString& program, const QString& folder) {
    ++runs_;
    return processor_(program, folder);
  };

  launcher_ = std::make_unique<QWidget>();
  launcher_->show();
  launcher_->setEnabled(false);  // what the launcher does before it opens the set-up window
  form_ = std::make_unique<TForm2>(launcher_.get(), services);
  form_->open();
}

void TForm2Test::cleanup() {
  form_.reset();
  launcher_.reset();
  QDir::setCurrent(previousCurrent_);
  dir_.reset();
}

QRadioButton* TForm2Test::item(const char* group, int index) const {
  const QList<QRadioButton*> items =
      child<QGroupBox>(group)->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  if (index < 0 || index >= items.size()) qFatal("%s has no item %d", group, index);
  return items[index];
}

int TForm2Test::checkedItem(const char* group) const {
  const QList<QRadioButton*> items =
      child<QGroupBox>(group)->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  for (int i = 0; i < items.size(); ++i)
    if (items[i]->isChecked()) return i;
  return -1;
}

// Space-separated user actions: "mef", "mec", "short" and "inLibrary" choose a model file in
// the MEF or MEC group, "mefCancel" and "mecCancel" cancel the dialog, "close3" and "close4"
// close the shown model file without saving, "libN" and "analysisN", "degreeN", "couplingN"
// click an item, "save2No" closes the library file without saving, "editN=text" types a value.
void TForm2Test::act(const QString& actions) {
  const QRegularExpression clickItem(QStringLiteral("^(lib|analysis|degree|coupling)(\\d)$"));
  for (const QString& action : actions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (action == QLatin1String("mef") || action == QLatin1String("short") ||
        action == QLatin1String("inLibrary")) {
      dialogAnswers_ << (action == QLatin1String("mef") ? path(QStringLiteral("modelos/mef.txt"))
                         : action == QLatin1String("short")
                             ? path(QStringLiteral("modelos/short.txt"))
                             : folders_.library + "dados.txt");
      child<QPushButton>("Button3")->click();
    } else if (action == QLatin1String("mec")) {
      dialogAnswers_ << path(QStringLiteral("modelos/mec.txt"));
      child<QPushButton>("Button4")->click();
    } else if (action == QLatin1String("mefCancel") || action == QLatin1String("mecCancel")) {
      dialogAnswers_ << QString();
      child<QPushButton>(action == QLatin1String("mefCancel") ? "Button3" : "Button4")->click();
    } else if (action == QLatin1String("close3") || action == QLatin1String("close4")) {
      confirmAnswers_ << false;
      child<QPushButton>(action == QLatin1String("close3") ? "Button3" : "Button4")->click();
    } else if (action == QLatin1String("save2No")) {
      confirmAnswers_ << false;
      child<QPushButton>("Button2")->click();
    } else if (action.startsWith(QLatin1String("edit"))) {
      const QString name = action.section(QLatin1Char('='), 0, 0);
      QLineEdit* edit = form_->findChild<QLineEdit*>(QStringLiteral("Edit") + name.mid(4));
      QVERIFY2(edit != nullptr, qPrintable(action));
      edit->setText(action.section(QLatin1Char('='), 1));
    } else if (const QRegularExpressionMatch m = clickItem.match(action); m.hasMatch()) {
      const QByteArray group = m.captured(1) == QLatin1String("lib")        ? "RadioGroup1"
                               : m.captured(1) == QLatin1String("analysis") ? "RadioGroup2"
                               : m.captured(1) == QLatin1String("degree")   ? "RadioGroup3"
                                                                            : "RadioGroup4";
      item(group.constData(), m.captured(2).toInt())->click();
    } else {
      QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
    }
  }
}

core::ProcessorOptions TForm2Test::optionsShown() const {
  core::ProcessorOptions options;
  options.analysis = checkedItem("RadioGroup2");
  options.degree = checkedItem("RadioGroup3");
  options.coupling = checkedItem("RadioGroup4");
  options.increments = child<QLineEdit>("Edit1")->text();
  options.iterations = child<QLineEdit>("Edit2")->text();
  options.force_tolerance = child<QLineEdit>("Edit3")->text();
  options.displacement_tolerance = child<QLineEdit>("Edit4")->text();
  return options;
}

void TForm2Test::controls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QRect>("place");
  QTest::addColumn<bool>("shown");
  QTest::addColumn<bool>("enabled");
  const auto row = [](const char* name, const char* text, QRect place, bool shown, bool enabled) {
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text) << place << shown
                        << enabled;
  };
  row("RadioGroup1", "Biblioteca de Arquivos", {8, 0, 145, 265}, true, true);
  row("Button2", "Salvar", {16, 235, 129, 25}, true, false);
  row("Button1", "Executar Processador", {8, 272, 145, 25}, true, false);
  row("RadioGroup2", "Tipo de Análise", {8, 304, 145, 137}, true, true);
  row("RadioGroup3", "Grau de Aproximação", {8, 448, 145, 81}, true, true);
  row("RadioGroup4", "Acoplamento", {8, 536, 145, 137}, true, true);
  row("GroupBox1", "Dados Gerais", {160, 304, 145, 185}, false, true);
  row("Label1", "Número de Incrementos", {8, 16, 129, 16}, false, true);
  row("Edit1", "20", {8, 32, 121, 21}, false, true);
  row("Label2", "Máximo de Iterações", {8, 56, 129, 16}, false, true);
  row("Edit2", "200", {8, 72, 121, 21}, false, true);
  row("Label3", "Tolerância em Força", {8, 96, 129, 16}, false, true);
  row("Edit3", "1.e-5", {8, 112, 121, 21}, false, true);
  row("Label4", "Tolerância em Desloc.", {8, 136, 129, 16}, false, true);
  row("Edit4", "1.e-5", {8, 152, 121, 21}, false, true);
  row("GroupBox2", "Arquivo de Dados - MEF", {160, 0, 857, 49}, true, true);
  row("Button3", "Carregar", {8, 16, 75, 25}, true, true);
  row("Edit5", "", {88, 16, 761, 21}, true, false);
  row("GroupBox3", "Arquivo de Dados - MEC", {160, 56, 857, 49}, false, true);
  row("Button4", "Carregar", {8, 16, 75, 25}, false, true);
  row("Edit6", "", {88, 16, 761, 21}, false, false);
  // "Elástica" and "MEF" at activation: full width, top row.
  row("RichEdit1", "", {160, 56, 857, 645}, false, true);
}

void TForm2Test::controls() {
  QFETCH(QString, name);
  QFETCH(QString, text);
  QFETCH(QRect, place);
  QFETCH(bool, shown);
  QFETCH(bool, enabled);
  QCOMPARE(form_->windowTitle(), QStringLiteral("VELDRA - Processador - v1.0"));
  QCOMPARE(form_->size(), QSize(1016, 704));
  QCOMPARE(form_->minimumSize(), form_->maximumSize());
  QWidget* widget = form_->findChild<QWidget*>(name);
  QVERIFY(widget != nullptr);
  QString shownText;
  if (auto* group = qobject_cast<QGroupBox*>(widget)) shownText = group->title();
  if (auto* button = qobject_cast<QPushButton*>(widget)) shownText = button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) shownText = label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) shownText = edit->text();
  if (auto* editor = qobject_cast<QPlainTextEdit*>(widget)) {
    shownText = editor->toPlainText();
    QCOMPARE(editor->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(editor->font().pixelSize(), 13);
    QCOMPARE(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
  }
  QCOMPARE(shownText, text);
  QCOMPARE(widget->geometry(), place);
  QCOMPARE(widget->isVisible(), shown);
  QCOMPARE(widget->isEnabled(), enabled);
}

void TForm2Test::radioItems_data() {
  QTest::addColumn<QString>("group");
  QTest::addColumn<QStringList>("items");
  QTest::addColumn<int>("checked");
  QTest::newRow("RadioGroup1") << "RadioGroup1"
                               << QStringList{"Materiais",           "Plasticidade",
                                              "Viscosidade",         "Direção de Fibras",
                                              "Seção Barras",        "Plano Barras",
                                              "Seção Cascas/Placas", "Fibras",
                                              "Pós-Processamento",   ""}
                               << -1;
  QTest::newRow("RadioGroup2") << "RadioGroup2"
                               << QStringList{"Elástica", "Elasto-Plástica", "Visco-Elástica",
                                              "Elasto-Visco-Plástica"}
                               << 0;
  QTest::newRow("RadioGroup3") << "RadioGroup3" << QStringList{"Quadrática", "Cúbica"} << 1;
  QTest::newRow("RadioGroup4") << "RadioGroup4"
                               << QStringList{"MEF", "MEC-Kelvin", "MEC-Boussinesq/Cerruti",
                                              "MEC-Mindlin"}
                               << 0;
}

void TForm2Test::radioItems() {
  QFETCH(QString, group);
  QFETCH(QStringList, items);
  QFETCH(int, checked);
  const QList<QRadioButton*> buttons =
      child<QGroupBox>(qPrintable(group))->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  QStringList texts;
  for (QRadioButton* button : buttons) texts << button->text();
  QCOMPARE(texts, items);
  QCOMPARE(checkedItem(qPrintable(group)), checked);
}

void TForm2Test::layout_data() {
  QTest::addColumn<QString>("actions");
  QTest::addColumn<bool>("generalData");
  QTest::addColumn<bool>("mecGroup");
  QTest::addColumn<QRect>("editor");
  QTest::newRow("elastic, MEF") << "" << false << false << QRect(160, 56, 857, 645);
  QTest::newRow("plastic, MEF") << "analysis1" << true << false << QRect(312, 56, 705, 645);
  QTest::newRow("elastic, Kelvin") << "coupling1" << false << true << QRect(160, 112, 857, 589);
  QTest::newRow("visco-plastic, Mindlin")
      << "analysis3 coupling3" << true << true << QRect(312, 112, 705, 589);
  QTest::newRow("back to elastic, MEF")
      << "analysis2 coupling2 analysis0 coupling0" << false << false << QRect(160, 56, 857, 645);
}

void TForm2Test::layout() {
  QFETCH(QString, actions);
  QFETCH(bool, generalData);
  QFETCH(bool, mecGroup);
  QFETCH(QRect, editor);
  act(actions);
  QCOMPARE(child<QGroupBox>("GroupBox1")->isVisible(), generalData);
  QCOMPARE(child<QGroupBox>("GroupBox3")->isVisible(), mecGroup);
  QCOMPARE(child<QPlainTextEdit>("RichEdit1")->geometry(), editor);
}

void TForm2Test::buttonStates_data() {
  QTest::addColumn<QString>("actions");
  QTest::addColumn<bool>("run");        // Button1 enabled
  QTest::addColumn<bool>("save");       // Button2 enabled
  QTest::addColumn<bool>("editor");     // RichEdit1 shown
  QTest::addColumn<bool>("libraries");  // RadioGroup1 enabled
  QTest::addColumn<QString>("button3");
  QTest::addColumn<QString>("button4");
  QTest::addColumn<QStringList>("messages");
  const QString load = QStringLiteral("Carregar");
  const QString close = QStringLiteral("Fechar");
  const QStringList none;
  const QStringList refused{QStringLiteral(
      "Você deve primeiramente fechar o arquivo de biblioteca ou de dados que está aberto.")};
  QTest::newRow("opened") << "" << false << false << false << true << load << load << none;
  QTest::newRow("MEF shown") << "mef" << false << false << true << false << close << load << none;
  QTest::newRow("MEF closed") << "mef close3" << true << false << false << true << load << load
                              << none;
  QTest::newRow("MEF dialog cancelled after a file")
      << "mef close3 mefCancel" << false << false << false << true << load << load << none;
  QTest::newRow("MEF dialog cancelled")
      << "mefCancel" << false << false << false << true << load << load << none;
  QTest::newRow("BEM coupling with the MEF file chosen")
      << "mef close3 coupling1" << true << false << false << true << load << load << none;
  QTest::newRow("MEF file closed under a BEM coupling")
      << "coupling2 mef close3" << true << false << false << true << load << load << none;
  QTest::newRow("MEC closed without MEF file")
      << "coupling1 mec close4" << false << false << false << true << load << load << none;
  QTest::newRow("MEC shown") << "mef close3 coupling3 mec" << false << false << true << false
                             << load << close << none;
  QTest::newRow("MEC closed with MEF file") << "mef close3 coupling3 mec close4" << true << false
                                            << false << true << load << load << none;
  QTest::newRow("MEC dialog cancelled keeps Button1")
      << "mef close3 coupling1 mecCancel" << true << false << false << true << load << load << none;
  QTest::newRow("MEF coupling without MEF file")
      << "mefCancel coupling1 coupling0" << false << false << false << true << load << load << none;
  QTest::newRow("MEF coupling while MEF shown")
      << "mef coupling1 coupling0" << true << false << true << false << close << load << none;
  QTest::newRow("library file shown")
      << "lib0" << false << true << true << false << load << load << none;
  QTest::newRow("library file closed")
      << "lib0 save2No" << false << false << false << true << load << load << none;
  QTest::newRow("library file open keeps Button1")
      << "mef close3 lib0" << true << true << true << false << load << load << none;
  QTest::newRow("MEF refused while a library file is open")
      << "lib0 mef" << false << true << true << false << load << load << refused;
  QTest::newRow("MEC refused while the MEF file is shown")
      << "coupling1 mef mec" << false << false << true << false << close << load << refused;
  QTest::newRow("MEF refused while the MEC file is shown")
      << "coupling1 mec mef" << false << false << true << false << load << close << refused;
}

void TForm2Test::buttonStates() {
  QFETCH(QString, actions);
  QFETCH(bool, run);
  QFETCH(bool, save);
  QFETCH(bool, editor);
  QFETCH(bool, libraries);
  QFETCH(QString, button3);
  QFETCH(QString, button4);
  QFETCH(QStringList, messages);
  act(actions);
  QCOMPARE(child<QPushButton>("Button1")->isEnabled(), run);
  QCOMPARE(child<QPushButton>("Button2")->isEnabled(), save);
  QCOMPARE(child<QPlainTextEdit>("RichEdit1")->isVisible(), editor);
  QCOMPARE(child<QGroupBox>("RadioGroup1")->isEnabled(), libraries);
  QCOMPARE(child<QPushButton>("Button3")->text(), button3);
  QCOMPARE(child<QPushButton>("Button4")->text(), button4);
  QCOMPARE(messages_, messages);
  QCOMPARE(unexpectedQuestions_, 0);
}

void TForm2Test::modelFileViewAndSave_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("edit");
  QTest::addColumn<QString>("file");
  QTest::addColumn<bool>("saveAnswer");
  QTest::newRow("MEF saved") << "Button3"
                             << "Edit5"
                             << "modelos/mef.txt" << true;
  QTest::newRow("MEF not saved") << "Button3"
                                 << "Edit5"
                                 << "modelos/mef.txt" << false;
  QTest::newRow("MEC saved") << "Button4"
                             << "Edit6"
                             << "modelos/mec.txt" << true;
  QTest::newRow("MEC not saved") << "Button4"
                                 << "Edit6"
                                 << "modelos/mec.txt" << false;
}

void TForm2Test::modelFileViewAndSave() {
  QFETCH(QString, button);
  QFETCH(QString, edit);
  QFETCH(QString, file);
  QFETCH(bool, saveAnswer);
  act(QStringLiteral("coupling1"));
  const QByteArray before = fileBytes(path(file));
  dialogAnswers_ << path(file);
  child<QPushButton>(qPrintable(button))->click();
  QCOMPARE(dialogFolders_, QStringList{folders_.auxiliary_files});
  auto* editor = child<QPlainTextEdit>("RichEdit1");
  QCOMPARE(editor->toPlainText(),
           core::split_lines(QString::fromUtf8(before)).join(QLatin1Char('\n')));
  QCOMPARE(child<QLineEdit>(qPrintable(edit))->text(), veldra::platform::toNativePath(path(file)));

  editor->setPlainText(QStringLiteral("primeira\nsegunda"));
  confirmAnswers_ << saveAnswer;
  child<QPushButton>(qPrintable(button))->click();
  QCOMPARE(fileBytes(path(file)), saveAnswer ? QByteArray("primeira\r\nsegunda\r\n") : before);
  QVERIFY(!editor->isVisible());
  QVERIFY(editor->toPlainText().isEmpty());
  QCOMPARE(child<QLineEdit>(qPrintable(edit))->text(), veldra::platform::toNativePath(path(file)));

  // The next dialog opens where the last file was chosen.
  dialogAnswers_ << QString();
  child<QPushButton>(qPrintable(button))->click();
  QCOMPARE(dialogFolders_.last(), QFileInfo(path(file)).absolutePath());
  QCOMPARE(unexpectedQuestions_, 0);
}

void TForm2Test::libraryFileSave_data() {
  QTest::addColumn<bool>("saveAnswer");
  QTest::newRow("saved") << true;
  QTest::newRow("not saved") << false;
}

void TForm2Test::libraryFileSave() {
  QFETCH(bool, saveAnswer);
  const QString library = folders_.library + QStringLiteral("mplist.lis");
  const QByteArray before = fileBytes(library);
  act(QStringLiteral("lib0"));
  auto* editor = child<QPlainTextEdit>("RichEdit1");
  QCOMPARE(editor->toPlainText(), QStringLiteral("materiais\n1  2.0E+005"));
  editor->setPlainText(QStringLiteral("materiais\n1  3.0E+005\n"));
  confirmAnswers_ << saveAnswer;
  child<QPushButton>("Button2")->click();
  QCOMPARE(fileBytes(library),
           saveAnswer ? QByteArray("materiais\r\n1  3.0E+005\r\n\r\n") : before);
  QCOMPARE(checkedItem("RadioGroup1"), -1);
  QVERIFY(!editor->isVisible());
  QVERIFY(editor->toPlainText().isEmpty());

  // The blank item reopens the file last opened.
  act(QStringLiteral("lib9"));
  QCOMPARE(editor->toPlainText(),
           QString::fromUtf8(saveAnswer ? "materiais\n1  3.0E+005\n" : "materiais\n1  2.0E+005"));
  QVERIFY(messages_.isEmpty());
}

void TForm2Test::blankLibraryItemFirstFailsToOpen() {
  act(QStringLiteral("lib9"));
  QCOMPARE(messages_.size(), 1);
  QCOMPARE(messages_[0], core::read_text_lines(QString()).error().text());
  // Nothing is open: another item can be chosen at once.
  QVERIFY(child<QGroupBox>("RadioGroup1")->isEnabled());
  QVERIFY(!child<QPushButton>("Button2")->isEnabled());
  QCOMPARE(checkedItem("RadioGroup1"), -1);
  act(QStringLiteral("lib0"));
  QCOMPARE(child<QPlainTextEdit>("RichEdit1")->toPlainText(),
           QStringLiteral("materiais\n1  2.0E+005"));
}

void TForm2Test::closingGivesTheLauncherBack() {
  QVERIFY(!launcher_->isEnabled());
  QVERIFY(form_->close());
  QVERIFY(launcher_->isEnabled());
  QVERIFY(!form_->isVisible());
  launcher_->setEnabled(false);
  form_->open();
  QVERIFY(form_->isVisible());
  for (const char* group : {"RadioGroup1", "RadioGroup2", "RadioGroup3", "RadioGroup4", "GroupBox1",
                            "GroupBox2", "GroupBox3"})
    QVERIFY2(form_->findChild<QWidget*>(QString::fromLatin1(group))->isEnabled(), group);
}

void TForm2Test::processorRun_data() {
  QTest::addColumn<QString>("actions");
  QTest::addColumn<QString>("valueLine");
  QTest::addColumn<bool>("mecRows");  // the "b" files come from the MEC file
  QTest::newRow("defaults") << "mef close3" << kDefaultValueLine << false;
  QTest::newRow("quadratic, visco-plastic, Mindlin")
      << "degree0 analysis3 coupling3 mef close3 mec close4"
      << "     2        1        1       0       20      1  1.0E-005  1.0E-005      200       1  "
         "28      0     3     1    0.00"
      << true;
  QTest::newRow("MEF coupling after a MEC file")
      << "coupling1 mef close3 mec close4 coupling0" << kDefaultValueLine << false;
  QTest::newRow("Kelvin without MEC file")
      << "coupling1 mef close3"
      << "     3        0        0       0       20      1  1.0E-005  1.0E-005      200       1  "
         "28      0     1     1    0.00"
      << false;
  QTest::newRow("edited options")
      << "analysis1 edit1=35 edit2=7 edit3=2.5e-3 edit4=0 mef close3"
      << "     3        1        0       0       35      1  2.5E-003  0.0E+000        7       1  "
         "27      0     0     1    0.00"
      << false;
}

void TForm2Test::processorRun() {
  QFETCH(QString, actions);
  QFETCH(QString, valueLine);
  QFETCH(bool, mecRows);
  act(actions);
  QVERIFY(child<QPushButton>("Button1")->isEnabled());

  const QString mec = child<QLineEdit>("Edit6")->text().isEmpty()
                          ? QString()
                          : path(QStringLiteral("modelos/mec.txt"));
  core::Result<core::ProcessorInput> expected =
      core::prepare_processor_input(folders_, path(QStringLiteral("modelos/mef.txt")), mec,
                                    optionsShown(), core::NumberFormat::user());
  QVERIFY2(expected.ok(), qPrintable(expected.ok() ? QString() : expected.error().text()));
  QCOMPARE(expected.value().files.size(), std::size_t{11});

  QString program;
  QString folder;
  bool formEnabled = true;
  bool launcherEnabled = true;
  bool stillShownAfterClose = false;
  QHash<QString, QByteArray> written;
  processor_ = [&](const QString& p, const QString& f) {
    program = p;
    folder = f;
    formEnabled = form_->isEnabled();
    launcherEnabled = launcher_->isEnabled();
    form_->close();  // refused while the processor runs
    stillShownAfterClose = form_->isVisible();
    for (const core::InputFile& file : expected.value().files)
      written.insert(file.path, fileBytes(file.path));
    return ProgramResult{ProgramResult::Outcome::Exited, 3, QString()};
  };
  child<QPushButton>("Button1")->click();

  QCOMPARE(runs_, 1);
  QCOMPARE(program, folders_.processor());
  QCOMPARE(folder, folders_.auxiliary_programs);
  QVERIFY(!formEnabled);
  QVERIFY(!launcherEnabled);
  QVERIFY(stillShownAfterClose);
  for (const core::InputFile& file : expected.value().files) {
    core::Result<QByteArray> bytes =
        core::encode_lines(file.lines, core::system_text_encoding(), file.path);
    QVERIFY(bytes.ok());
    QCOMPARE(written.value(file.path), bytes.value());
  }
  const QString general = expected.value().general_data_file;
  QCOMPARE(general, folders_.library + QStringLiteral("mef.txt"));
  QCOMPARE(QString::fromUtf8(written.value(general)).split(QStringLiteral("\r\n")).value(6),
           valueLine);
  const QByteArray note("\r\n *** NOTE *** \r\n");
  QCOMPARE(written.value(folders_.library + QStringLiteral("bnlist.lis")) == note, !mecRows);
  QCOMPARE(messages_, QStringList{QStringLiteral("Processamento Terminado...")});
  QVERIFY(!QFile::exists(general));
  QVERIFY(QFile::exists(folders_.library + QStringLiteral("nlist.lis")));
  QVERIFY(!form_->isVisible());
  QVERIFY(launcher_->isEnabled());
  QVERIFY(launcher_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

  // The next "Processador": the groups come back, and Button1 through the coupling handler.
  launcher_->setEnabled(false);
  form_->open();
  QVERIFY(child<QGroupBox>("RadioGroup4")->isEnabled());
  QCOMPARE(child<QPushButton>("Button1")->isEnabled(), checkedItem("RadioGroup4") == 0);
}

void TForm2Test::failedRunLeavesAnOperableWindow_data() {
  QTest::addColumn<QString>("actions");
  QTest::addColumn<bool>("startFails");
  QTest::addColumn<QString>("fix");
  QTest::newRow("MEF file shorter than its counts") << "short close3" << false << "mef close3";
  QTest::newRow("increments not a number")
      << "analysis1 edit1=vinte mef close3" << false << "edit1=20";
  QTest::newRow("iterations not a number")
      << "analysis1 edit2=2.5 mef close3" << false << "edit2=25";
  QTest::newRow("force tolerance not a real")
      << "analysis2 edit3=1.e-x mef close3" << false << "edit3=1.e-4";
  QTest::newRow("MEF file is the general data file") << "inLibrary close3" << false << "mef close3";
  QTest::newRow("processor not started") << "coupling2 mef close3" << true << "";
}

void TForm2Test::failedRunLeavesAnOperableWindow() {
  QFETCH(QString, actions);
  QFETCH(bool, startFails);
  QFETCH(QString, fix);
  act(actions);
  const core::ProcessorOptions options = optionsShown();
  const QString mefShown = child<QLineEdit>("Edit5")->text();
  QString expectedMessage = QStringLiteral("Erro ao iniciar o programa de processamento!");
  if (!startFails) {
    core::Result<core::ProcessorInput> failure = core::prepare_processor_input(
        folders_, mefShown, QString(), options, core::NumberFormat::user());
    QVERIFY(!failure.ok());
    expectedMessage = failure.error().text();
  }
  if (startFails) {
    processor_ = [](const QString&, const QString&) {
      return ProgramResult{ProgramResult::Outcome::NotStarted, -1, QStringLiteral("missing")};
    };
  }
  const QString general = folders_.library + QFileInfo(mefShown).completeBaseName() + ".txt";
  const bool generalExisted = QFile::exists(general);
  const QByteArray generalBefore = fileBytes(general);

  child<QPushButton>("Button1")->click();
  QCOMPARE(messages_, QStringList{expectedMessage});
  QCOMPARE(runs_, startFails ? 1 : 0);
  // No general data file is left behind, and a model file of that name is neither replaced
  // nor deleted.
  QCOMPARE(QFile::exists(general), generalExisted);
  if (generalExisted) QCOMPARE(fileBytes(general), generalBefore);

  // The window is operable with the user's options; the launcher waits for it to close.
  QVERIFY(form_->isVisible());
  QVERIFY(form_->isEnabled());
  QVERIFY(!launcher_->isEnabled());
  for (const char* name : {"Button1", "RadioGroup1", "RadioGroup2", "RadioGroup3", "RadioGroup4",
                           "GroupBox1", "GroupBox2", "GroupBox3"})
    QVERIFY2(form_->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled(), name);
  const core::ProcessorOptions after = optionsShown();
  QCOMPARE(after.analysis, options.analysis);
  QCOMPARE(after.degree, options.degree);
  QCOMPARE(after.coupling, options.coupling);
  QCOMPARE(after.increments, options.increments);
  QCOMPARE(after.iterations, options.iterations);
  QCOMPARE(after.force_tolerance, options.force_tolerance);
  QCOMPARE(after.displacement_tolerance, options.displacement_tolerance);
  QCOMPARE(child<QLineEdit>("Edit5")->text(), mefShown);

  // Corrected, the run goes through.
  messages_.clear();
  processor_ = [](const QString&, const QString&) {
    return ProgramResult{ProgramResult::Outcome::Exited, 0, QString()};
  };
  act(fix);
  QVERIFY(child<QPushButton>("Button1")->isEnabled());
  child<QPushButton>("Button1")->click();
  QCOMPARE(messages_, QStringList{QStringLiteral("Processamento Terminado...")});
  QVERIFY(launcher_->isEnabled());
  QCOMPARE(unexpectedQuestions_, 0);
}

// A real program in place of the processor, started through the platform layer: it records its
// current folder and the files it finds, while a timer checks that both windows are disabled and
// that the event loop goes on.
void TForm2Test::realProcessorRunsInItsFolder() {
#ifdef Q_OS_UNIX
  const QString script = folders_.processor();
  QVERIFY(writeBytes(script,
                     "#!/bin/sh\npwd > seen-folder.txt\nls bibliotecas > seen-files.txt\n"
                     "sleep 0.3\n"));
  QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  veldra::ui::Services services;
  services.showMessage = [this](QWidget*, const QString& text) { messages_ << text; };
  services.confirm = [](QWidget*, const QString&) { return false; };
  services.openFileName = [this](QWidget*, const QString&, const QString&, const QString&) {
    return path(QStringLiteral("modelos/mef.txt"));
  };
  services.runProgram = &veldra::platform::runProgram;
  form_ = std::make_unique<TForm2>(launcher_.get(), services);
  form_->open();
  child<QPushButton>("Button3")->click();
  child<QPushButton>("Button3")->click();

  int ticks = 0;
  bool bothDisabled = true;
  QTimer timer;
  connect(&timer, &QTimer::timeout, this, [&] {
    ++ticks;
    bothDisabled = bothDisabled && !form_->isEnabled() && !launcher_->isEnabled();
  });
  timer.start(20);
  child<QPushButton>("Button1")->click();
  timer.stop();

  QVERIFY(ticks > 0);
  QVERIFY(bothDisabled);
  QCOMPARE(messages_, QStringList{QStringLiteral("Processamento Terminado...")});
  QCOMPARE(
      QDir(QString::fromUtf8(fileBytes(folders_.auxiliary_programs + "seen-folder.txt")).trimmed())
          .canonicalPath(),
      QDir(folders_.auxiliary_programs).canonicalPath());
  const QStringList seen =
      QString::fromUtf8(fileBytes(folders_.auxiliary_programs + "seen-files.txt"))
          .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (const char* name : {"mef.txt", "nlist.lis", "elist.lis", "dlist.lis", "flist.lis",
                           "sflis.lis", "bnlist.lis", "belist.lis", "bdlist.lis", "bflist.lis"})
    QVERIFY2(seen.contains(QString::fromLatin1(name)), name);
  QVERIFY(QFile::exists(folders_.wd_lis()));
  QVERIFY(!QFile::exists(folders_.library + QStringLiteral("mef.txt")));
#else
  QSKIP("the stand-in is a shell script");
#endif
}

// The real launcher: "Processador" opens this window, closing it gives the launcher back out of
// the topmost band, and a run puts the launcher back into it.
void TForm2Test::launcherOpensAndGetsTheWindowBack() {
  veldra::ui::Services services;
  services.showMessage = [this](QWidget*, const QString& text) { messages_ << text; };
  services.confirm = [](QWidget*, const QString&) { return false; };
  services.openFileName = [this](QWidget*, const QString&, const QString&, const QString&) {
    return path(QStringLiteral("modelos/mef.txt"));
  };
  services.runProgram = [this](const QString& program, const QString& folder) {
    ++runs_;
    return processor_(program, folder);
  };
  auto launcher = std::make_unique<veldra::ui::TForm1>(services);
  form_ = std::make_unique<TForm2>(launcher.get(), services);
  launcher->setProcessorWindow(form_.get(), [this] { form_->open(); });
  form_->hide();
  launcher->show();
  auto* processador = launcher->findChild<QPushButton*>(QStringLiteral("BitBtn2"));
  QVERIFY(processador != nullptr);

  processador->click();
  QVERIFY(form_->isVisible());
  QVERIFY(!launcher->isEnabled());
  QVERIFY(!launcher->isTopmost());
  QVERIFY(form_->close());
  QVERIFY(launcher->isEnabled());
  QVERIFY(launcher->isVisible());
  QVERIFY(!launcher->isTopmost());

  processador->click();
  child<QPushButton>("Button3")->click();
  child<QPushButton>("Button3")->click();
  bool launcherEnabled = true;
  processor_ = [&](const QString&, const QString&) {
    launcherEnabled = launcher->isEnabled();
    return ProgramResult{ProgramResult::Outcome::Exited, 0, QString()};
  };
  child<QPushButton>("Button1")->click();
  QCOMPARE(runs_, 1);
  QVERIFY(!launcherEnabled);
  QVERIFY(!form_->isVisible());
  QVERIFY(launcher->isEnabled());
  QVERIFY(launcher->isVisible());
  QVERIFY(launcher->isTopmost());
  QCOMPARE(messages_, QStringList{QStringLiteral("Processamento Terminado...")});
  form_.reset();
}

QTEST_MAIN(TForm2Test)
#include "tform2_test.moc"
