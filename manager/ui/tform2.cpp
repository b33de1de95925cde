#include "manager/ui/tform2.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "manager/core/input_files.h"
#include "manager/core/library_files.h"
#include "manager/core/text_file.h"
#include "manager/platform/paths.h"

namespace core = veldra::core;

namespace {

const QString kLoad = QStringLiteral("Carregar");
const QString kClose = QStringLiteral("Fechar");
const QString kSaveQuestion = QStringLiteral("Deseja salvar as modificações efetuadas no arquivo?");
const QString kCloseFirst = QStringLiteral(
    "Você deve primeiramente fechar o arquivo de biblioteca ou de dados que está aberto.");
const QString kStartFailed = QStringLiteral("Erro ao iniciar o programa de processamento!");
const QString kFinished = QStringLiteral("Processamento Terminado...");

// A group of exclusive choices whose items share the group's height evenly, with the item's
// index as its id; no item is chosen until one is clicked or checked.
QGroupBox* makeRadioGroup(QWidget* parent,
                          const QString& name,
                          const QString& caption,
                          const QStringList& items,
                          const QRect& place,
                          QButtonGroup** buttons) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(name);
  group->setGeometry(place);
  *buttons = new QButtonGroup(group);
  const int top = 16;
  const int step = (place.height() - top - 4) / static_cast<int>(items.size());
  for (int i = 0; i < items.size(); ++i) {
    auto* item = new QRadioButton(items[i], group);
    item->setGeometry(8, top + i * step, place.width() - 16, step);
    (*buttons)->addButton(item, i);
  }
  return group;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect place) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  return button;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, const QString& text, QRect place) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setGeometry(place);
  return edit;
}

// An edit of GroupBox1 with its label just above it.
QLineEdit* makeLabelledEdit(
    QGroupBox* group, int number, const QString& label, const QString& text, int top) {
  auto* caption = new QLabel(label, group);
  caption->setObjectName(QStringLiteral("Label%1").arg(number));
  caption->setGeometry(8, top - 16, 129, 16);
  return makeEdit(group, QStringLiteral("Edit%1").arg(number), text, QRect(8, top, 121, 21));
}

void clearChoice(QButtonGroup* buttons) {
  QAbstractButton* checked = buttons->checkedButton();
  if (checked == nullptr) return;
  buttons->setExclusive(false);
  checked->setChecked(false);
  buttons->setExclusive(true);
}

void setStaysOnTop(QWidget* window, bool onTop) {
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  // Changing a flag hides a shown window; it is shown again in the state it had.
  const bool visible = window->isVisible();
  const Qt::WindowStates states = window->windowState();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  if (visible) {
    window->setWindowState(states);
    window->show();
  }
}

}  // namespace

TForm2::TForm2(QWidget* launcher, veldra::ui::Services services, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint),
      launcher_(launcher),
      services_(std::move(services)),
      startDirectory_(QDir::currentPath()),
      folders_(core::folders_of(startDirectory_)) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("VELDRA - Processador - v1.0"));
  setFixedSize(1016, 704);
  move(0, 0);
  createControls();
}

void TForm2::createControls() {
  radioGroup1_ =
      makeRadioGroup(this, QStringLiteral("RadioGroup1"), QStringLiteral("Biblioteca de Arquivos"),
                     core::library_items(), QRect(8, 0, 145, 265), &items1_);
  button2_ = makeButton(this, QStringLiteral("Button2"), QStringLiteral("Salvar"),
                        QRect(16, 235, 129, 25));
  button2_->setEnabled(false);
  button1_ = makeButton(this, QStringLiteral("Button1"), QStringLiteral("Executar Processador"),
                        QRect(8, 272, 145, 25));
  button1_->setEnabled(false);
  radioGroup2_ =
      makeRadioGroup(this, QStringLiteral("RadioGroup2"), QStringLiteral("Tipo de Análise"),
                     core::analysis_items(), QRect(8, 304, 145, 137), &items2_);
  radioGroup3_ =
      makeRadioGroup(this, QStringLiteral("RadioGroup3"), QStringLiteral("Grau de Aproximação"),
                     core::degree_items(), QRect(8, 448, 145, 81), &items3_);
  radioGroup4_ = makeRadioGroup(this, QStringLiteral("RadioGroup4"), QStringLiteral("Acoplamento"),
                                core::coupling_items(), QRect(8, 536, 145, 137), &items4_);
  const core::ProcessorOptions defaults;
  items2_->button(defaults.analysis)->setChecked(true);
  items3_->button(defaults.degree)->setChecked(true);
  items4_->button(defaults.coupling)->setChecked(true);

  groupBox1_ = new QGroupBox(QStringLiteral("Dados Gerais"), this);
  groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
  groupBox1_->setGeometry(160, 304, 145, 185);
  groupBox1_->hide();
  edit1_ = makeLabelledEdit(groupBox1_, 1, QStringLiteral("Número de Incrementos"),
                            defaults.increments, 32);
  edit2_ = makeLabelledEdit(groupBox1_, 2, QStringLiteral("Máximo de Iterações"),
                            defaults.iterations, 72);
  edit3_ = makeLabelledEdit(groupBox1_, 3, QStringLiteral("Tolerância em Força"),
                            defaults.force_tolerance, 112);
  edit4_ = makeLabelledEdit(groupBox1_, 4, QStringLiteral("Tolerância em Desloc."),
                            defaults.displacement_tolerance, 152);

  const auto makeModelGroup = [this](const QString& name, const QString& caption, int top,
                                     const QString& button, const QString& edit) {
    auto* group = new QGroupBox(caption, this);
    group->setObjectName(name);
    group->setGeometry(160, top, 857, 49);
    ModelGroup model{makeButton(group, button, kLoad, QRect(8, 16, 75, 25)),
                     makeEdit(group, edit, QString(), QRect(88, 16, 761, 21)), QString()};
    model.edit->setReadOnly(true);
    model.edit->setEnabled(false);
    return std::pair{group, model};
  };
  std::tie(groupBox2_, mef_) =
      makeModelGroup(QStringLiteral("GroupBox2"), QStringLiteral("Arquivo de Dados - MEF"), 0,
                     QStringLiteral("Button3"), QStringLiteral("Edit5"));
  std::tie(groupBox3_, mec_) =
      makeModelGroup(QStringLiteral("GroupBox3"), QStringLiteral("Arquivo de Dados - MEC"), 56,
                     QStringLiteral("Button4"), QStringLiteral("Edit6"));
  groupBox3_->hide();

  richEdit1_ = new QPlainTextEdit(this);
  richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
  richEdit1_->setGeometry(312, 56, 704, 645);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(13);
  richEdit1_->setFont(font);
  richEdit1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  richEdit1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->hide();

  connect(items1_, &QButtonGroup::idClicked, this, &TForm2::RadioGroup1Click);
  connect(items2_, &QButtonGroup::idClicked, this, &TForm2::RadioGroup2Click);
  connect(items3_, &QButtonGroup::idClicked, this, &TForm2::RadioGroup3Click);
  connect(items4_, &QButtonGroup::idClicked, this, &TForm2::RadioGroup4Click);
  connect(button1_, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(button2_, &QPushButton::clicked, this, &TForm2::Button2Click);
  connect(mef_.button, &QPushButton::clicked, this, &TForm2::Button3Click);
  connect(mec_.button, &QPushButton::clicked, this, &TForm2::Button4Click);
}

void TForm2::open() {
  show();
  raise();
  activateWindow();
  FormActivate();
  setOptionControlsEnabled(true);
}

void TForm2::FormActivate() {
  folders_ = core::folders_of(startDirectory_);
  RadioGroup2Click();
  RadioGroup3Click();
  RadioGroup4Click();
}

void TForm2::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && isEnabled() && !running_)
    FormActivate();
}

void TForm2::closeEvent(QCloseEvent* event) {
  // Both windows are disabled while the processor runs; a close request then waits for its end.
  if (running_) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TForm2::FormClose() {
  giveLauncherBack(false);
}

void TForm2::RadioGroup1Click() {
  libraryPath_ = core::library_path_after_click(folders_, items1_->checkedId(), libraryPath_);
  if (!loadIntoEditor(libraryPath_)) {
    clearChoice(items1_);
    return;
  }
  radioGroup1_->setEnabled(false);
  richEdit1_->show();
  button2_->setEnabled(true);
}

void TForm2::RadioGroup2Click() {
  codes_.analysis = items2_->checkedId();
  const bool elastic = codes_.analysis == 0;
  groupBox1_->setVisible(!elastic);
  const QRect place = richEdit1_->geometry();
  richEdit1_->setGeometry(elastic ? 160 : 312, place.y(), elastic ? 857 : 705, place.height());
}

void TForm2::RadioGroup3Click() {
  codes_.degree = items3_->checkedId();
}

void TForm2::RadioGroup4Click() {
  codes_.coupling = items4_->checkedId();
  const bool boundaryElements = codes_.boundary_element_coupling();
  const bool mefChosen = !mef_.edit->text().isEmpty();
  groupBox3_->setVisible(boundaryElements);
  if (boundaryElements && !mefChosen) button1_->setEnabled(false);
  if (!boundaryElements && mefChosen) button1_->setEnabled(true);
  const QRect place = richEdit1_->geometry();
  richEdit1_->setGeometry(place.x(), boundaryElements ? 112 : 56, place.width(),
                          boundaryElements ? 589 : 645);
}

void TForm2::Button2Click() {
  if (services_.confirm(this, kSaveQuestion) && !saveEditorTo(libraryPath_)) return;
  radioGroup1_->setEnabled(true);
  clearChoice(items1_);
  closeEditor();
  button2_->setEnabled(false);
}

void TForm2::Button3Click() {
  modelButtonClick(mef_, mec_, true);
}

void TForm2::Button4Click() {
  modelButtonClick(mec_, mef_, false);
}

void TForm2::modelButtonClick(ModelGroup& group, const ModelGroup& other, bool mef) {
  if (group.button->text() == kClose) {
    // A failed save keeps the file shown, so that the user's changes are not lost.
    if (services_.confirm(this, kSaveQuestion) && !saveEditorTo(group.path)) return;
    closeEditor();
    group.button->setText(kLoad);
    if (mef || !mef_.edit->text().isEmpty()) button1_->setEnabled(true);
    radioGroup1_->setEnabled(true);
    return;
  }
  if (button2_->isEnabled() || other.button->text() == kClose) {
    services_.showMessage(this, kCloseFirst);
    return;
  }
  const QString folder =
      group.path.isEmpty() ? folders_.auxiliary_files : QFileInfo(group.path).absolutePath();
  const QString title =
      mef ? QStringLiteral("Arquivo de Dados - MEF") : QStringLiteral("Arquivo de Dados - MEC");
  const QString chosen = services_.openFileName(this, title, folder, QString());
  // A file that cannot be read is treated as a cancelled choice: the edit never names a file
  // the window could not show.
  if (chosen.isEmpty() || !loadIntoEditor(chosen)) {
    group.edit->clear();
    if (mef) button1_->setEnabled(false);
    return;
  }
  button1_->setEnabled(false);
  richEdit1_->show();
  group.button->setText(kClose);
  group.path = chosen;
  group.edit->setText(veldra::platform::toNativePath(QFileInfo(chosen).absoluteFilePath()));
  radioGroup1_->setEnabled(false);
}

void TForm2::Button1Click() {
  button1_->setEnabled(false);
  setOptionControlsEnabled(false);
  const QString mecPath = mec_.edit->text().isEmpty() ? QString() : mec_.path;
  core::Result<core::ProcessorInput> input = core::prepare_processor_input(
      folders_, mef_.path, mecPath, currentOptions(), core::NumberFormat::user());
  if (!input) {
    services_.showMessage(this, input.error().text());
    restoreAfterFailedRun();
    return;
  }
  if (core::Status written = core::write_processor_input(input.value()); !written) {
    services_.showMessage(this, written.error().text());
    restoreAfterFailedRun();
    return;
  }
  const QString generalDataFile = input.value().general_data_file;
  setEnabled(false);
  launcher_->setEnabled(false);
  running_ = true;
  const veldra::platform::ProgramResult result =
      services_.runProgram(folders_.processor(), folders_.auxiliary_programs);
  running_ = false;
  using Outcome = veldra::platform::ProgramResult::Outcome;
  if (result.outcome == Outcome::Abandoned) {
    QFile::remove(generalDataFile);
    return;
  }
  setEnabled(true);
  if (result.outcome == Outcome::NotStarted) {
    QFile::remove(generalDataFile);
    services_.showMessage(this, kStartFailed);
    restoreAfterFailedRun();
    return;
  }
  services_.showMessage(this, kFinished);
  QFile::remove(generalDataFile);
  hide();
  giveLauncherBack(true);
}

bool TForm2::loadIntoEditor(const QString& path) {
  core::Result<QStringList> lines = core::read_text_lines(path);
  if (!lines) {
    services_.showMessage(this, lines.error().text());
    return false;
  }
  richEdit1_->setPlainText(lines.value().join(QLatin1Char('\n')));
  return true;
}

bool TForm2::saveEditorTo(const QString& path) {
  core::Result<QByteArray> bytes =
      core::editor_text_bytes(richEdit1_->toPlainText(), core::system_text_encoding(), path);
  if (!bytes) {
    services_.showMessage(this, bytes.error().text());
    return false;
  }
  if (core::Status written = core::write_file_bytes(path, bytes.value()); !written) {
    services_.showMessage(this, written.error().text());
    return false;
  }
  return true;
}

void TForm2::closeEditor() {
  richEdit1_->hide();
  richEdit1_->clear();
}

bool TForm2::editorInUse() const {
  return button2_->isEnabled() || mef_.button->text() == kClose || mec_.button->text() == kClose;
}

// RadioGroup1 stays disabled while a file is shown: another library item would replace the
// editor's text, and closing the shown file would then write that text over it.
void TForm2::setOptionControlsEnabled(bool enabled) {
  radioGroup1_->setEnabled(enabled && !editorInUse());
  for (QWidget* control :
       {radioGroup2_, radioGroup3_, radioGroup4_, groupBox1_, groupBox2_, groupBox3_})
    control->setEnabled(enabled);
}

// A run that stopped before the processor ran leaves the window as the user had it, so that
// the fault can be corrected and the run started again.
void TForm2::restoreAfterFailedRun() {
  setOptionControlsEnabled(true);
  button1_->setEnabled(true);
}

void TForm2::giveLauncherBack(bool topmost) {
  launcher_->setEnabled(true);
  // Into the topmost band, and at once out of it again unless the run asks it to stay there.
  setStaysOnTop(launcher_, true);
  if (!topmost) setStaysOnTop(launcher_, false);
  launcher_->raise();
  launcher_->activateWindow();
}

core::ProcessorOptions TForm2::currentOptions() const {
  core::ProcessorOptions options = codes_;
  options.increments = edit1_->text();
  options.iterations = edit2_->text();
  options.force_tolerance = edit3_->text();
  options.displacement_tolerance = edit4_->text();
  return options;
}
