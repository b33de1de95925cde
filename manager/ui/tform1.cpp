#include "manager/ui/tform1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>
#include <optional>
#include <utility>

#include "manager/core/export_conversion.h"
#include "manager/core/library_files.h"
#include "manager/core/number_format.h"
#include "manager/core/text_file.h"
#include "manager/platform/disk_search.h"
#include "manager/ui/launcher_picture.h"

namespace veldra::ui {
namespace {

const QString kCaption = QStringLiteral("VELDRA - Gerenciador de Programas - v1.0");
constexpr int kTallerBy = 88;
constexpr QRect kRichEdit1Place(8, 8, 409, 153);
constexpr QRect kWebBrowser1Place(11, 11, 404, 148);
constexpr QRect kPanel2Place(8, 8, 409, 153);

QPushButton* makeButton(
    QWidget* parent, const char* name, const QString& caption, const QString& hint, QRect place) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  // The hint is carried but not shown: only RichEdit1 has a tooltip.
  button->setAccessibleDescription(hint);
  button->setGeometry(place);
  button->setIconSize(QSize(32, 32));
  return button;
}

}  // namespace

TForm1::TForm1(Services services, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("Form1"));
  createControls();
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::createControls() {
  setWindowTitle(kCaption);
  setFixedSize(423, 270);

  richEdit1_ = new QPlainTextEdit(this);
  richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setPixelSize(13);
  richEdit1_->setFont(courier);
  richEdit1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  richEdit1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->setToolTip(QStringLiteral("Click com o botão direito para salvar o arquivo"));
  // The right button saves; it opens no menu.
  richEdit1_->setContextMenuPolicy(Qt::NoContextMenu);
  richEdit1_->setGeometry(kRichEdit1Place);
  richEdit1_->viewport()->installEventFilter(this);

  webBrowser1_ = new QTextBrowser(this);
  webBrowser1_->setObjectName(QStringLiteral("WebBrowser1"));
  webBrowser1_->setOpenExternalLinks(true);
  webBrowser1_->setGeometry(kWebBrowser1Place);

  panel2_ = new QFrame(this);
  panel2_->setObjectName(QStringLiteral("Panel2"));
  panel2_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel2_->setAutoFillBackground(true);
  QPalette white = panel2_->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel2_->setPalette(white);
  panel2_->setGeometry(kPanel2Place);
  image1_ = new QLabel(panel2_);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(9, 4, 392, 145);
  image1_->setAlignment(Qt::AlignCenter);
  image1_->setPixmap(launcherPicture(QSize(380, 140)));

  bitBtn1_ = makeButton(this, "BitBtn1", QStringLiteral("Pré-Processador"),
                        QStringLiteral("Pré-Processador de dados"), QRect(8, 168, 137, 81));
  bitBtn2_ = makeButton(this, "BitBtn2", QStringLiteral("Processador"),
                        QStringLiteral("Processador"), QRect(144, 168, 137, 81));
  bitBtn3_ =
      makeButton(this, "BitBtn3", QStringLiteral("Pós-Processador"),
                 QStringLiteral("Dados | Pós-Processador de resultados"), QRect(280, 168, 137, 81));
  bitBtn1_->setIcon(stageIcon(1));
  bitBtn2_->setIcon(stageIcon(2));
  bitBtn3_->setIcon(stageIcon(3));
  connect(bitBtn1_, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(bitBtn2_, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
  connect(bitBtn3_, &QPushButton::clicked, this, &TForm1::BitBtn3Click);

  statusBar1_ = new QStatusBar(this);
  statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
  statusBar1_->setSizeGripEnabled(false);
  statusBar1_->setGeometry(0, 251, 423, 19);

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(firstPollMs_);
  connect(timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::FormCreate() {
  folders_ = core::folders_of(QDir::currentPath());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect place(QPoint(), size());
    place.moveCenter(screen->availableGeometry().center());
    move(place.topLeft());
  }
  setTopmost(true);
  // A start folder without its own page shows the copy built into the program.
  const QString page = folders_.index_htm();
  webBrowser1_->setSource(
      QFileInfo::exists(page)
          ? QUrl::fromLocalFile(page)
          : QUrl(QStringLiteral("qrc:/launcher/programas auxiliares/index.htm")));
  panel2_->raise();
}

void TForm1::setProcessorWindow(QWidget* window, std::function<void()> open) {
  processorWindow_ = window;
  openProcessorWindow_ = std::move(open);
}

void TForm1::setExportPollIntervals(int firstMs, int laterMs) {
  firstPollMs_ = firstMs;
  laterPollMs_ = laterMs;
}

bool TForm1::isTopmost() const {
  return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TForm1::setTopmost(bool topmost) {
  if (isTopmost() == topmost) return;
  // Changing a flag hides a shown window; it is shown again in the state it had.
  const bool wasShown = isVisible();
  const Qt::WindowStates states = windowState();
  setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (wasShown) {
    setWindowState(states);
    show();
  }
}

void TForm1::bringToFront() {
  setTopmost(true);
  setTopmost(false);
  raise();
  activateWindow();
}

void TForm1::showStatus(const QString& text) {
  if (text.isEmpty())
    statusBar1_->clearMessage();
  else
    statusBar1_->showMessage(text);
}

void TForm1::setButtonsShown(bool shown) {
  for (QPushButton* button : {bitBtn1_, bitBtn2_, bitBtn3_}) button->setVisible(shown);
}

void TForm1::setOverlappingTall(bool tall) {
  const int extra = tall ? kTallerBy : 0;
  richEdit1_->setGeometry(kRichEdit1Place.adjusted(0, 0, 0, extra));
  webBrowser1_->setGeometry(kWebBrowser1Place.adjusted(0, 0, 0, extra));
  panel2_->setGeometry(kPanel2Place.adjusted(0, 0, 0, extra));
}

void TForm1::showStartLayout() {
  bitBtn1_->setEnabled(true);
  setButtonsShown(true);
  setOverlappingTall(false);
  webBrowser1_->lower();
  richEdit1_->raise();
  panel2_->raise();
  bitBtn1_->setFocus();
}

void TForm1::removeExportFiles() {
  QFile::remove(folders_.export_file());
  QFile::remove(folders_.export_back_file());
}

// The first line of "path.txt" (made as "*" and an empty line when missing), after a disk search
// when it asks for one; nothing when a file operation failed (the message was shown).
std::optional<QString> TForm1::readShortcutPath() {
  const QString pathTxt = folders_.path_txt();
  if (!QFileInfo::exists(pathTxt)) {
    if (const core::Status made = core::write_text_lines(pathTxt, core::path_txt_initial_lines());
        !made) {
      services_.showMessage(this, made.error().text());
      return std::nullopt;
    }
  }
  const core::Result<QStringList> lines = core::read_text_lines(pathTxt);
  if (!lines) {
    services_.showMessage(this, lines.error().text());
    return std::nullopt;
  }
  const core::ShortcutCache cache = core::read_shortcut_cache(lines.value());
  if (cache.kind != core::ShortcutCache::Kind::Search) return cache.path;

  const platform::DiskSearchResult found = platform::searchDisk(
      services_.searchRoot, QStringLiteral("ansys.lnk"), [this](const QString& folder) {
        showStatus(QStringLiteral("Pesquisando em: ") + folder);
        statusBar1_->repaint();
        return true;
      });
  if (const core::Status written =
          core::write_text_lines(pathTxt, core::path_txt_search_result_lines(found.path));
      !written) {
    showStatus(QString());
    services_.showMessage(this, written.error().text());
    return std::nullopt;
  }
  return found.path;
}

void TForm1::BitBtn1Click() {
  removeExportFiles();
  services_.showMessage(
      this, QStringLiteral("Módulo de Pré-Processamento\n\nSelecione como diretório de trabalho no "
                           "ANSYS® o seguinte caminho:\n\n") +
                folders_.auxiliary_files);
  // ANSYS writes its export into this folder; a new start folder does not have it yet.
  QDir().mkpath(folders_.auxiliary_files);
  if (const core::Status written =
          core::write_text_lines(folders_.pathdir_txt(), core::pathdir_lines(folders_));
      !written) {
    services_.showMessage(this, written.error().text());
    return;
  }
  services_.openWithShell(folders_.pathdir_txt());

  setButtonsShown(false);
  setOverlappingTall(true);
  const std::optional<QString> shortcut = readShortcutPath();
  showStatus(QString());
  if (shortcut && !shortcut->isEmpty()) {
    services_.openWithShell(*shortcut);
    webBrowser1_->raise();
    bitBtn1_->setEnabled(false);
    failedSize_ = -1;
    timer1_->setInterval(firstPollMs_);
    timer1_->start();
    QDir::setCurrent(folders_.start);
    showStatus(QStringLiteral("Aguardando arquivo gerado pelo programa ANSYS®..."));
    return;
  }
  if (shortcut)
    services_.showMessage(
        this, QStringLiteral("O programa ANSYS ® não foi encontrado em seu computador"));
  setButtonsShown(true);
  setOverlappingTall(false);
  bitBtn1_->setFocus();
}

void TForm1::BitBtn2Click() {
  setTopmost(false);
  setEnabled(false);
  if (openProcessorWindow_) {
    openProcessorWindow_();
  } else {
    // A program built without the set-up window gives the launcher straight back.
    setEnabled(true);
  }
}

void TForm1::BitBtn3Click() {
  bitBtn1_->setEnabled(true);
  bitBtn1_->setFocus();
  setTopmost(false);
  showMinimized();
  setEnabled(false);
  if (processorWindow_) processorWindow_->setEnabled(false);
  const platform::ProgramResult result =
      services_.runProgram(folders_.post_processor(), QDir::currentPath());
  if (result.outcome == platform::ProgramResult::Outcome::Abandoned) return;
  if (processorWindow_) processorWindow_->setEnabled(true);
  setEnabled(true);
  showNormal();
  bringToFront();
  if (!result.started())
    services_.showMessage(this, QStringLiteral("Erro ao iniciar o programa de pós-processamento!"));
}

void TForm1::Timer1Timer() {
  timer1_->setInterval(laterPollMs_);
  const QFileInfo exported(folders_.export_file());
  if (!exported.exists()) return;
  bringToFront();
  const core::Result<QStringList> converted =
      core::convert_export_file(folders_.export_file(), core::NumberFormat::user());
  if (!converted) {
    if (converted.error().kind == core::ErrorKind::InvalidExport) {
      exportFailed(converted.error().message);
      return;
    }
    // ANSYS may still be writing: a file that changed since the last tick is read again at the
    // next one, an incomplete one is awaited without limit, and any other failure is reported
    // once for the same file, with polling going on.
    const bool settled =
        exported.size() == failedSize_ && exported.lastModified() == failedModified_;
    if (!settled) {
      failedSize_ = exported.size();
      failedModified_ = exported.lastModified();
      failureReported_ = false;
      return;
    }
    if (converted.error().kind == core::ErrorKind::IncompleteExport || failureReported_) return;
    failureReported_ = true;
    timer1_->stop();
    services_.showMessage(this, converted.error().text());
    timer1_->start(laterPollMs_);
    return;
  }
  richEdit1_->setPlainText(converted.value().join(QLatin1Char('\n')));
  richEdit1_->moveCursor(QTextCursor::Start);
  bitBtn1_->setEnabled(true);
  timer1_->stop();
  webBrowser1_->lower();
  richEdit1_->raise();
  showStatus(QString());
  removeExportFiles();
}

void TForm1::exportFailed(const QString& message) {
  timer1_->stop();
  services_.showMessage(this, message);
  showStartLayout();
  showStatus(QString());
  removeExportFiles();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == richEdit1_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      RichEdit1MouseDown(mouse->buttons(), mouse->modifiers());
    } else if (event->type() == QEvent::MouseButtonRelease) {
      RichEdit1MouseUp();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::RichEdit1MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  pressedButtons_ = buttons;
  pressedModifiers_ = modifiers;
}

void TForm1::RichEdit1MouseUp() {
  if (pressedButtons_ == Qt::MouseButtons(Qt::RightButton) &&
      pressedModifiers_ == Qt::KeyboardModifiers(Qt::NoModifier))
    saveConvertedData();
}

void TForm1::saveConvertedData() {
  const QString chosen =
      services_.saveFileName(this, folders_.auxiliary_files, QStringLiteral("Arquivo .txt|*.txt"));
  if (chosen.isEmpty()) return;
  const QString target = core::save_target(chosen);
  // Not saved, or saving failed: the converted data stay in front, so the user can save again.
  if (QFileInfo::exists(target) &&
      !services_.confirm(this,
                         QStringLiteral("Este arquivo já existe.\nDeseja salvar mesmo assim?"))) {
    services_.showMessage(this, QStringLiteral("O arquivo não foi gravado."));
    return;
  }
  const core::Result<QByteArray> bytes =
      core::editor_text_bytes(richEdit1_->toPlainText(), core::system_text_encoding(), target);
  const core::Status written =
      bytes ? core::write_file_bytes(target, bytes.value()) : core::Status(bytes.error());
  if (!written) {
    services_.showMessage(this, written.error().text());
    return;
  }
  services_.showMessage(this, QStringLiteral("O arquivo foi gravado com sucesso."));
  setButtonsShown(true);
  setOverlappingTall(false);
  bitBtn1_->setFocus();
  panel2_->raise();
}

}  // namespace veldra::ui
