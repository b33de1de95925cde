// The launcher window driven through its real widgets, with the outside world (dialogs, the
// shell, the disk search root, the programs) answered by a recording stand-in.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <optional>

#include "manager/ui/services.h"
#include "manager/ui/tform1.h"

using veldra::platform::ProgramResult;
using veldra::ui::Services;
using veldra::ui::TForm1;

namespace {

const QString kNotFound = QStringLiteral("O programa ANSYS ® não foi encontrado em seu computador");
const QString kSaved = QStringLiteral("O arquivo foi gravado com sucesso.");
const QString kNotSaved = QStringLiteral("O arquivo não foi gravado.");
const QString kBadExport = QStringLiteral("O arquivo de dados não se encontra no formato correto");
const QString kPostProcessorFailed =
    QStringLiteral("Erro ao iniciar o programa de pós-processamento!");

QString coreData(const QString& name) {
  return QStringLiteral(VELDRA_CORE_TEST_DATA "/") + name;
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What the window asked of the outside world, and the answers it gets.
struct Recorder {
  QStringList messages;
  QStringList questions;
  QStringList shellOpened;
  QStringList saveFolders;
  QList<bool> answers;  // confirm's answers, in order
  QString saveName;     // what the save dialog returns
  struct Run {
    QString program, folder;
    bool launcherEnabled, launcherMinimized, setUpEnabled;
  };
  QList<Run> runs;
  ProgramResult::Outcome runOutcome = ProgramResult::Outcome::Exited;
};

}  // namespace

class TForm1Test : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void controls_data();
  void controls();
  void captionsAndHints();
  void richEdit1Appearance();
  void startLayout();
  void localPage_data();
  void localPage();
  void timerIntervals();

  void preProcessingRound();
  void cachedShortcutDoesNotSearch();
  void notFound();
  void saveClickFilter_data();
  void saveClickFilter();
  void saveExistingFile_data();
  void saveExistingFile();
  void saveNameRule_data();
  void saveNameRule();
  void invalidExport();
  void unfinishedExport_data();
  void unfinishedExport();
  void growingExportIsAwaited();
  void pathTxtUnreadable();
  void saveTargetUnwritable();

  void processorHandsOver();
  void postProcessor_data();
  void postProcessor();
  void qtFileFilter_data();
  void qtFileFilter();

 private:
  Services services();
  void makeLauncher();
  template <typename T>
  T* child(const char* name) const {
    T* widget = launcher_->findChild<T*>(QLatin1String(name));
    if (!widget) qFatal("no child %s", name);
    return widget;
  }
  QPushButton* button(int n) const {
    return launcher_->findChild<QPushButton*>(QStringLiteral("BitBtn%1").arg(n));
  }
  QString frontControl() const;
  void checkStartLayout() const;
  void checkHeights(int extra) const;
  void rightClickRichEdit1(Qt::MouseButton buttonPressed = Qt::RightButton,
                           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // A round up to the converted data shown, from the export file given.
  void convert(const QString& exportFile);
  QString aux(const QString& name) const { return start_.path() + "/arquivos auxiliares/" + name; }

  QString previousDirectory_;
  std::unique_ptr<QTemporaryDir> startDir_;
  QDir start_;
  std::unique_ptr<QTemporaryDir> searchTree_;
  Recorder rec_;
  std::unique_ptr<TForm1> launcher_;
  std::unique_ptr<QWidget> setUp_;
};

Services TForm1Test::services() {
  Services s;
  s.showMessage = [this](QWidget*, const QString& text) { rec_.messages.append(text); };
  s.confirm = [this](QWidget*, const QString& text) {
    rec_.questions.append(text);
    return rec_.answers.isEmpty() ? false : rec_.answers.takeFirst();
  };
  s.openFileName = [](QWidget*, const QString&, const QString&, const QString&) {
    return QString();
  };
  s.saveFileName = [this](QWidget*, const QString& folder, const QString&) {
    rec_.saveFolders.append(folder);
    return rec_.saveName;
  };
  s.openWithShell = [this](const QString& path) {
    rec_.shellOpened.append(path);
    return true;
  };
  s.searchRoot = searchTree_->path();
  s.runProgram = [this](const QString& program, const QString& folder) {
    rec_.runs.append(
        {program, folder, launcher_->isEnabled(), launcher_->isMinimized(), setUp_->isEnabled()});
    ProgramResult result;
    result.outcome = rec_.runOutcome;
    result.exitCode = rec_.runOutcome == ProgramResult::Outcome::Exited ? 0 : -1;
    return result;
  };
  return s;
}

void TForm1Test::init() {
  previousDirectory_ = QDir::currentPath();
  startDir_ = std::make_unique<QTemporaryDir>();
  searchTree_ = std::make_unique<QTemporaryDir>();
  QVERIFY(startDir_->isValid() && searchTree_->isValid());
  start_ = QDir(startDir_->path());
  QVERIFY(start_.mkpath("arquivos auxiliares") && start_.mkpath("programas auxiliares"));
  QVERIFY(QDir::setCurrent(start_.path()));
  rec_ = Recorder();
  setUp_ = std::make_unique<QWidget>();
  makeLauncher();
}

void TForm1Test::makeLauncher() {
  launcher_ = std::make_unique<TForm1>(services());
  launcher_->setExportPollIntervals(40, 20);
  launcher_->setProcessorWindow(setUp_.get(), [this] { setUp_->show(); });
  launcher_->show();
  QVERIFY(QTest::qWaitForWindowExposed(launcher_.get()));
}

void TForm1Test::cleanup() {
  launcher_.reset();
  setUp_.reset();
  QDir::setCurrent(previousDirectory_);
  startDir_.reset();
  searchTree_.reset();
}

// Of the three overlapping controls, the one a user sees: the last of them among the children.
QString TForm1Test::frontControl() const {
  QString front;
  for (QObject* object : launcher_->children())
    if (object->objectName() == "RichEdit1" || object->objectName() == "WebBrowser1" ||
        object->objectName() == "Panel2")
      front = object->objectName();
  return front;
}

void TForm1Test::checkHeights(int extra) const {
  QCOMPARE(child<QWidget>("RichEdit1")->height(), 153 + extra);
  QCOMPARE(child<QWidget>("Panel2")->height(), 153 + extra);
  QCOMPARE(child<QWidget>("WebBrowser1")->height(), 148 + extra);
}

void TForm1Test::checkStartLayout() const {
  for (int n = 1; n <= 3; ++n) QVERIFY2(button(n)->isVisible(), qPrintable(QString::number(n)));
  QVERIFY(button(1)->isEnabled());
  QCOMPARE(frontControl(), QStringLiteral("Panel2"));
  checkHeights(0);
}

void TForm1Test::rightClickRichEdit1(Qt::MouseButton buttonPressed,
                                     Qt::KeyboardModifiers modifiers) {
  QWidget* viewport = child<QPlainTextEdit>("RichEdit1")->viewport();
  QTest::mousePress(viewport, buttonPressed, modifiers, QPoint(20, 20));
  QTest::mouseRelease(viewport, buttonPressed, modifiers, QPoint(20, 20));
}

void TForm1Test::convert(const QString& exportFile) {
  QVERIFY(writeBytes(searchTree_->path() + "/Program Files/ANSYS/ansys.lnk", "shortcut"));
  QTest::mouseClick(button(1), Qt::LeftButton);
  QTRY_COMPARE(child<QTimer>("Timer1")->isActive(), true);
  QVERIFY(writeBytes(aux("adatafile.adf"), fileBytes(exportFile)));
  QTRY_VERIFY(!QFileInfo::exists(aux("adatafile.adf")));
  rec_.messages.clear();
}

void TForm1Test::controls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("className");
  QTest::addColumn<QRect>("place");
  QTest::newRow("RichEdit1") << "RichEdit1"
                             << "QPlainTextEdit" << QRect(8, 8, 409, 153);
  QTest::newRow("WebBrowser1") << "WebBrowser1"
                               << "QTextBrowser" << QRect(11, 11, 404, 148);
  QTest::newRow("Panel2") << "Panel2"
                          << "QFrame" << QRect(8, 8, 409, 153);
  QTest::newRow("Image1") << "Image1"
                          << "QLabel" << QRect(9, 4, 392, 145);
  QTest::newRow("BitBtn1") << "BitBtn1"
                           << "QPushButton" << QRect(8, 168, 137, 81);
  QTest::newRow("BitBtn2") << "BitBtn2"
                           << "QPushButton" << QRect(144, 168, 137, 81);
  QTest::newRow("BitBtn3") << "BitBtn3"
                           << "QPushButton" << QRect(280, 168, 137, 81);
  QTest::newRow("StatusBar1") << "StatusBar1"
                              << "QStatusBar" << QRect(0, 251, 423, 19);
}

void TForm1Test::controls() {
  QFETCH(QString, name);
  QFETCH(QString, className);
  QFETCH(QRect, place);
  auto* widget = launcher_->findChild<QWidget*>(name);
  QVERIFY(widget);
  QVERIFY(widget->inherits(qPrintable(className)));
  QCOMPARE(widget->geometry(), place);
  if (name == "Image1") {
    QCOMPARE(widget->parent(), child<QWidget>("Panel2"));
    QVERIFY(!static_cast<QLabel*>(widget)->pixmap().isNull());
  }
}

void TForm1Test::captionsAndHints() {
  QCOMPARE(launcher_->windowTitle(), QStringLiteral("VELDRA - Gerenciador de Programas - v1.0"));
  QCOMPARE(launcher_->size(), QSize(423, 270));
  QCOMPARE(launcher_->minimumSize(), launcher_->maximumSize());
  QVERIFY(!launcher_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  const QStringList captions{"Pré-Processador", "Processador", "Pós-Processador"};
  const QStringList hints{"Pré-Processador de dados", "Processador",
                          "Dados | Pós-Processador de resultados"};
  for (int n = 1; n <= 3; ++n) {
    QCOMPARE(button(n)->text(), captions[n - 1]);
    QCOMPARE(button(n)->accessibleDescription(), hints[n - 1]);
    QVERIFY(button(n)->toolTip().isEmpty());
    QVERIFY(!button(n)->icon().isNull());
  }
  auto* panel = child<QFrame>("Panel2");
  QCOMPARE(panel->frameShadow(), QFrame::Sunken);
  QCOMPARE(panel->palette().color(QPalette::Window), QColor(Qt::white));
  QVERIFY(panel->autoFillBackground());
}

void TForm1Test::richEdit1Appearance() {
  auto* edit = child<QPlainTextEdit>("RichEdit1");
  QCOMPARE(edit->font().family(), QStringLiteral("Courier New"));
  QCOMPARE(edit->font().pixelSize(), 13);
  QCOMPARE(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
  QCOMPARE(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  QVERIFY(!edit->isReadOnly());
  QCOMPARE(edit->toolTip(), QStringLiteral("Click com o botão direito para salvar o arquivo"));
}

void TForm1Test::startLayout() {
  checkStartLayout();
  QVERIFY(launcher_->isTopmost());
  QVERIFY(!child<QTimer>("Timer1")->isActive());
  QCOMPARE(launcher_->folders().start, start_.path() + QDir::separator());
}

void TForm1Test::localPage_data() {
  QTest::addColumn<bool>("inStartFolder");
  QTest::newRow("start folder's own page") << true;
  QTest::newRow("built-in page") << false;
}

void TForm1Test::localPage() {
  QFETCH(bool, inStartFolder);
  const QString page = start_.path() + "/programas auxiliares/index.htm";
  if (inStartFolder) {
    QVERIFY(writeBytes(page, "<html><body><p>Página local</p></body></html>"));
    makeLauncher();
  }
  auto* browser = child<QTextBrowser>("WebBrowser1");
  if (inStartFolder) {
    QCOMPARE(browser->source(), QUrl::fromLocalFile(page));
    QVERIFY(browser->toPlainText().contains("Página local"));
  } else {
    QCOMPARE(browser->source().scheme(), QStringLiteral("qrc"));
    QVERIFY(browser->toPlainText().contains("Pré-Processador"));
  }
}

void TForm1Test::timerIntervals() {
  launcher_->setExportPollIntervals(5000, 1000);
  QVERIFY(writeBytes(aux("path.txt"), "/opt/ansys/ansys.lnk\r\n"));
  QTest::mouseClick(button(1), Qt::LeftButton);
  auto* timer = child<QTimer>("Timer1");
  QVERIFY(timer->isActive());
  QCOMPARE(timer->interval(), 5000);
  QMetaObject::invokeMethod(launcher_.get(), "Timer1Timer");
  QCOMPARE(timer->interval(), 1000);
  QVERIFY(timer->isActive());
}

void TForm1Test::preProcessingRound() {
  const QString found = QDir::toNativeSeparators(searchTree_->path() + "/b/c/ansys.lnk");
  QVERIFY(writeBytes(searchTree_->path() + "/a/readme.txt", "x"));
  QVERIFY(writeBytes(searchTree_->path() + "/b/c/ansys.lnk", "shortcut"));
  QVERIFY(writeBytes(aux("adatafile.adf"), "old"));
  QVERIFY(writeBytes(aux("abackfile.abf"), "old"));
  auto* status = child<QStatusBar>("StatusBar1");
  QSignalSpy statusSpy(status, &QStatusBar::messageChanged);

  QTest::mouseClick(button(1), Qt::LeftButton);

  // The old export is gone before anything waits for a new one.
  QVERIFY(!QFileInfo::exists(aux("adatafile.adf")));
  QVERIFY(!QFileInfo::exists(aux("abackfile.abf")));
  const QString folder = launcher_->folders().auxiliary_files;
  QCOMPARE(rec_.messages,
           QStringList{"Módulo de Pré-Processamento\n\nSelecione como diretório de trabalho no "
                       "ANSYS® o seguinte caminho:\n\n" +
                       folder});
  QCOMPARE(
      fileBytes(aux("pathdir.txt")),
      ("Execute o seguinte comando na barra \"ANSYS Command Prompt\":\r\n/CWD," + folder + "\r\n")
          .toUtf8());
  QCOMPARE(rec_.shellOpened, (QStringList{folder + "pathdir.txt", found}));
  QCOMPARE(fileBytes(aux("path.txt")), (found + "\r\n").toUtf8());
  QStringList shown;
  for (const QList<QVariant>& signal : statusSpy) shown.append(signal.at(0).toString());
  const QString searchRoot = QDir::toNativeSeparators(searchTree_->path());
  QVERIFY(shown.contains("Pesquisando em: " + searchRoot + QDir::separator() + "a"));
  QVERIFY(shown.contains("Pesquisando em: " + searchRoot + QDir::separator() + "b" +
                         QDir::separator() + "c"));

  // Waiting for the export.
  for (int n = 1; n <= 3; ++n) QVERIFY(!button(n)->isVisible());
  QVERIFY(!button(1)->isEnabled());
  checkHeights(88);
  QCOMPARE(frontControl(), QStringLiteral("WebBrowser1"));
  QCOMPARE(status->currentMessage(),
           QStringLiteral("Aguardando arquivo gerado pelo programa ANSYS®..."));
  QVERIFY(child<QTimer>("Timer1")->isActive());

  // The stand-in for ANSYS writes its export a little later.
  QTimer::singleShot(150, [&] {
    writeBytes(aux("abackfile.abf"), "back");
    writeBytes(aux("adatafile.adf"), fileBytes(coreData("basic.adf")));
  });
  auto* edit = child<QPlainTextEdit>("RichEdit1");
  QTRY_VERIFY_WITH_TIMEOUT(!edit->toPlainText().isEmpty(), 10000);
  QCOMPARE(QString(edit->toPlainText().replace('\n', "\r\n") + "\r\n").toUtf8(),
           fileBytes(coreData("basic.model.ref")));
  QCOMPARE(edit->textCursor().position(), 0);
  QVERIFY(!child<QTimer>("Timer1")->isActive());
  QVERIFY(!QFileInfo::exists(aux("adatafile.adf")));
  QVERIFY(!QFileInfo::exists(aux("abackfile.abf")));
  QCOMPARE(frontControl(), QStringLiteral("RichEdit1"));
  QVERIFY(!button(1)->isVisible());
  QVERIFY(button(1)->isEnabled());
  checkHeights(88);
  QVERIFY(status->currentMessage().isEmpty());
  QCOMPARE(rec_.messages.size(), 1);

  // The right click saves; the saved file is the model data file.
  rec_.saveName = start_.path() + "/arquivos auxiliares/modelo";
  rightClickRichEdit1();
  QCOMPARE(rec_.saveFolders, QStringList{folder});
  QCOMPARE(fileBytes(aux("modelo.txt")), fileBytes(coreData("basic.model.ref")));
  QVERIFY(rec_.questions.isEmpty());
  QCOMPARE(rec_.messages.last(), kSaved);
  checkStartLayout();
}

void TForm1Test::cachedShortcutDoesNotSearch() {
  QVERIFY(writeBytes(searchTree_->path() + "/a/ansys.lnk", "shortcut"));
  QVERIFY(writeBytes(aux("path.txt"), "/opt/cached/ansys.lnk\r\n"));
  QSignalSpy statusSpy(child<QStatusBar>("StatusBar1"), &QStatusBar::messageChanged);
  QTest::mouseClick(button(1), Qt::LeftButton);
  for (const QList<QVariant>& signal : statusSpy)
    QVERIFY(!signal.at(0).toString().startsWith("Pesquisando em: "));
  QCOMPARE(rec_.shellOpened.last(), QStringLiteral("/opt/cached/ansys.lnk"));
  QCOMPARE(fileBytes(aux("path.txt")), QByteArray("/opt/cached/ansys.lnk\r\n"));
  QVERIFY(child<QTimer>("Timer1")->isActive());
}

void TForm1Test::notFound() {
  QVERIFY(writeBytes(searchTree_->path() + "/a/other.lnk", "x"));
  QTest::mouseClick(button(1), Qt::LeftButton);
  QCOMPARE(rec_.messages.last(), kNotFound);
  QCOMPARE(fileBytes(aux("path.txt")), QByteArray("\r\n"));
  QCOMPARE(rec_.shellOpened.size(), 1);  // pathdir.txt only
  QVERIFY(child<QStatusBar>("StatusBar1")->currentMessage().isEmpty());
  QVERIFY(!child<QTimer>("Timer1")->isActive());
  checkStartLayout();
  QCOMPARE(QApplication::focusWidget(), button(1));

  // A later click finds the empty line and searches no more, even with a shortcut there now.
  QVERIFY(writeBytes(searchTree_->path() + "/a/ansys.lnk", "shortcut"));
  QSignalSpy statusSpy(child<QStatusBar>("StatusBar1"), &QStatusBar::messageChanged);
  QTest::mouseClick(button(1), Qt::LeftButton);
  QCOMPARE(rec_.messages.last(), kNotFound);
  for (const QList<QVariant>& signal : statusSpy)
    QVERIFY(!signal.at(0).toString().startsWith("Pesquisando em: "));
  checkStartLayout();
}

void TForm1Test::saveClickFilter_data() {
  QTest::addColumn<int>("mouseButton");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<bool>("asksForName");
  QTest::newRow("right") << int(Qt::RightButton) << int(Qt::NoModifier) << true;
  QTest::newRow("right with shift") << int(Qt::RightButton) << int(Qt::ShiftModifier) << false;
  QTest::newRow("right with ctrl") << int(Qt::RightButton) << int(Qt::ControlModifier) << false;
  QTest::newRow("left") << int(Qt::LeftButton) << int(Qt::NoModifier) << false;
}

void TForm1Test::saveClickFilter() {
  QFETCH(int, mouseButton);
  QFETCH(int, modifiers);
  QFETCH(bool, asksForName);
  convert(coreData("basic.adf"));
  rightClickRichEdit1(Qt::MouseButton(mouseButton), Qt::KeyboardModifiers(modifiers));
  QCOMPARE(rec_.saveFolders.size(), asksForName ? 1 : 0);
  // A cancelled dialog changes nothing.
  QVERIFY(rec_.messages.isEmpty());
  QCOMPARE(frontControl(), QStringLiteral("RichEdit1"));
}

void TForm1Test::saveExistingFile_data() {
  QTest::addColumn<bool>("answer");
  QTest::newRow("yes replaces") << true;
  QTest::newRow("no keeps") << false;
}

void TForm1Test::saveExistingFile() {
  QFETCH(bool, answer);
  convert(coreData("basic.adf"));
  QVERIFY(writeBytes(aux("modelo.txt"), "earlier"));
  rec_.saveName = aux("modelo.txt");
  rec_.answers = {answer};
  rightClickRichEdit1();
  QCOMPARE(rec_.questions, QStringList{"Este arquivo já existe.\nDeseja salvar mesmo assim?"});
  if (answer) {
    QCOMPARE(fileBytes(aux("modelo.txt")), fileBytes(coreData("basic.model.ref")));
    QCOMPARE(rec_.messages, QStringList{kSaved});
    checkStartLayout();
  } else {
    QCOMPARE(fileBytes(aux("modelo.txt")), QByteArray("earlier"));
    QCOMPARE(rec_.messages, QStringList{kNotSaved});
    // The converted data stay in front: the user can save again.
    QCOMPARE(frontControl(), QStringLiteral("RichEdit1"));
    rec_.saveName = aux("outro");
    rightClickRichEdit1();
    QCOMPARE(fileBytes(aux("outro.txt")), fileBytes(coreData("basic.model.ref")));
    QCOMPARE(rec_.messages.last(), kSaved);
    checkStartLayout();
  }
}

void TForm1Test::saveNameRule_data() {
  QTest::addColumn<QString>("chosen");
  QTest::addColumn<QString>("written");
  QTest::newRow("no extension") << "a"
                                << "a.txt";
  QTest::newRow(".txt kept once") << "a.txt"
                                  << "a.txt";
  QTest::newRow("other extension") << "a.dat"
                                   << "a.dat.txt";
}

void TForm1Test::saveNameRule() {
  QFETCH(QString, chosen);
  QFETCH(QString, written);
  convert(coreData("no-loads.adf"));
  rec_.saveName = aux(chosen);
  rightClickRichEdit1();
  QCOMPARE(fileBytes(aux(written)), fileBytes(coreData("no-loads.model.ref")));
  QCOMPARE(QDir(aux("")).entryList({"a*"}, QDir::Files), QStringList{written});
}

void TForm1Test::invalidExport() {
  QVERIFY(writeBytes(aux("path.txt"), "/opt/ansys/ansys.lnk\r\n"));
  QTest::mouseClick(button(1), Qt::LeftButton);
  QVERIFY(writeBytes(aux("abackfile.abf"), "back"));
  QVERIFY(writeBytes(aux("adatafile.adf"), fileBytes(coreData("invalid.adf"))));
  QTRY_COMPARE(rec_.messages.size(), 2);
  QCOMPARE(rec_.messages.last(), kBadExport);
  QVERIFY(!child<QTimer>("Timer1")->isActive());
  QVERIFY(!QFileInfo::exists(aux("adatafile.adf")));
  QVERIFY(!QFileInfo::exists(aux("abackfile.abf")));
  QVERIFY(child<QPlainTextEdit>("RichEdit1")->toPlainText().isEmpty());
  QVERIFY(child<QStatusBar>("StatusBar1")->currentMessage().isEmpty());
  checkStartLayout();
}

void TForm1Test::unfinishedExport_data() {
  QTest::addColumn<QByteArray>("first");
  QTest::addColumn<int>("messagesWhileWaiting");
  const QByteArray whole = fileBytes(coreData("basic.adf"));
  const qsizetype eblock = whole.indexOf("EBLOCK,");
  QTest::newRow("cut at a line end") << whole.left(eblock) << 0;
  // A partial number that stays so is a failure of the export, reported once.
  QTest::newRow("cut inside a number, reported once")
      << whole.left(whole.indexOf("1.000000000E+00") + 13) << 1;
  QByteArray badCount = whole;
  badCount.replace("NUMOFF,NODE,       7", "NUMOFF,NODE,     sete");
  QTest::newRow("count not a number, reported once") << badCount << 1;
}

void TForm1Test::unfinishedExport() {
  QFETCH(QByteArray, first);
  QFETCH(int, messagesWhileWaiting);
  QVERIFY(writeBytes(aux("path.txt"), "/opt/ansys/ansys.lnk\r\n"));
  QTest::mouseClick(button(1), Qt::LeftButton);
  rec_.messages.clear();
  QVERIFY(writeBytes(aux("adatafile.adf"), first));
  QTest::qWait(300);  // many ticks at 20 ms
  QVERIFY(child<QTimer>("Timer1")->isActive());
  QCOMPARE(rec_.messages.size(), messagesWhileWaiting);
  QVERIFY(child<QPlainTextEdit>("RichEdit1")->toPlainText().isEmpty());
  QCOMPARE(frontControl(), QStringLiteral("WebBrowser1"));
  // The export, once whole, is converted at a later tick.
  QVERIFY(writeBytes(aux("adatafile.adf"), fileBytes(coreData("basic.adf"))));
  QTRY_VERIFY(!child<QPlainTextEdit>("RichEdit1")->toPlainText().isEmpty());
  QVERIFY(!child<QTimer>("Timer1")->isActive());
  QCOMPARE(rec_.messages.size(), messagesWhileWaiting);
}

// Regression: a conversion that failed on an export still being written showed a message at
// every tick.
void TForm1Test::growingExportIsAwaited() {
  QVERIFY(writeBytes(aux("path.txt"), "/opt/ansys/ansys.lnk\r\n"));
  QTest::mouseClick(button(1), Qt::LeftButton);
  rec_.messages.clear();
  const QByteArray whole = fileBytes(coreData("basic.adf"));
  qsizetype written = 0;
  QTimer writer;
  connect(&writer, &QTimer::timeout, [&] {
    written = std::min<qsizetype>(written + 37, whole.size());
    writeBytes(aux("adatafile.adf"), whole.left(written));
    if (written == whole.size()) writer.stop();
  });
  writer.start(5);
  QTRY_VERIFY(!child<QPlainTextEdit>("RichEdit1")->toPlainText().isEmpty());
  QVERIFY(rec_.messages.isEmpty());
  QCOMPARE(written, whole.size());
}

void TForm1Test::pathTxtUnreadable() {
  // A folder where "path.txt" should be: it can be neither read nor written.
  QVERIFY(QDir().mkpath(aux("path.txt")));
  QTest::mouseClick(button(1), Qt::LeftButton);
  QCOMPARE(rec_.messages.size(), 2);
  QVERIFY2(rec_.messages.last().contains("path.txt"), qPrintable(rec_.messages.last()));
  QCOMPARE(rec_.shellOpened.size(), 1);
  QVERIFY(!child<QTimer>("Timer1")->isActive());
  checkStartLayout();
}

void TForm1Test::saveTargetUnwritable() {
  convert(coreData("basic.adf"));
  rec_.saveName = start_.path() + "/no such folder/modelo";
  rightClickRichEdit1();
  QCOMPARE(rec_.messages.size(), 1);
  QVERIFY2(rec_.messages.first().contains("modelo.txt"), qPrintable(rec_.messages.first()));
  QVERIFY(!QFileInfo::exists(start_.path() + "/no such folder/modelo.txt"));
  // The data stay in front for another try.
  QCOMPARE(frontControl(), QStringLiteral("RichEdit1"));
  rec_.saveName = aux("modelo");
  rightClickRichEdit1();
  QCOMPARE(rec_.messages.last(), kSaved);
}

void TForm1Test::processorHandsOver() {
  bool launcherEnabledAtOpen = true;
  bool topmostAtOpen = true;
  launcher_->setProcessorWindow(setUp_.get(), [&] {
    launcherEnabledAtOpen = launcher_->isEnabled();
    topmostAtOpen = launcher_->isTopmost();
    setUp_->show();
  });
  QTest::mouseClick(button(2), Qt::LeftButton);
  QVERIFY(!launcherEnabledAtOpen);
  QVERIFY(!topmostAtOpen);
  QVERIFY(setUp_->isVisible());
  QVERIFY(!launcher_->isEnabled());
  // What the set-up window does when it closes.
  launcher_->setEnabled(true);
  launcher_->bringToFront();
  QVERIFY(launcher_->isEnabled());
  QVERIFY(launcher_->isVisible());
  QVERIFY(!launcher_->isTopmost());
}

void TForm1Test::postProcessor_data() {
  QTest::addColumn<int>("outcome");
  QTest::addColumn<QStringList>("messages");
  QTest::newRow("ran") << int(ProgramResult::Outcome::Exited) << QStringList();
  QTest::newRow("crashed") << int(ProgramResult::Outcome::Crashed) << QStringList();
  QTest::newRow("not started") << int(ProgramResult::Outcome::NotStarted)
                               << QStringList{kPostProcessorFailed};
}

void TForm1Test::postProcessor() {
  QFETCH(int, outcome);
  QFETCH(QStringList, messages);
  rec_.runOutcome = ProgramResult::Outcome(outcome);
  button(1)->setEnabled(false);
  QTest::mouseClick(button(3), Qt::LeftButton);
  QCOMPARE(rec_.runs.size(), 1);
  const Recorder::Run& run = rec_.runs.first();
  QCOMPARE(run.program, launcher_->folders().auxiliary_programs + "visualizador.exe");
  QCOMPARE(run.folder, QDir::currentPath());
  QVERIFY(!run.launcherEnabled);
  QVERIFY(!run.setUpEnabled);
  QVERIFY(run.launcherMinimized);
  QCOMPARE(rec_.messages, messages);
  // Either way the launcher is back in use, restored and out of the topmost band.
  QVERIFY(launcher_->isEnabled());
  QVERIFY(setUp_->isEnabled());
  QVERIFY(!launcher_->isMinimized());
  QVERIFY(launcher_->isVisible());
  QVERIFY(!launcher_->isTopmost());
  QVERIFY(button(1)->isEnabled());
}

void TForm1Test::qtFileFilter_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("qt");
  QTest::newRow("one") << "Descrição|*.txt"
                       << "Descrição (*.txt)";
  QTest::newRow("save") << "Arquivo .txt|*.txt"
                        << "Arquivo .txt (*.txt)";
  QTest::newRow("two") << "Texto|*.txt|Todos|*.*"
                       << "Texto (*.txt);;Todos (*.*)";
}

void TForm1Test::qtFileFilter() {
  QFETCH(QString, filter);
  QFETCH(QString, qt);
  QCOMPARE(veldra::ui::qtFileFilter(filter), qt);
}

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
