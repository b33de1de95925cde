// The processor set-up window: the analysis options, the MEF and MEC model data files, the nine
// library files, and the run of the processor. Every rule that decides a file's bytes is the
// core's; this class only moves text between the widgets, the core and the services.
#pragma once

#include <QString>
#include <QWidget>

#include "manager/core/folders.h"
#include "manager/core/processor_options.h"
#include "manager/ui/services.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The launcher is taken as a plain window: this one only disables, enables and raises it.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  // The start folder is the current directory when the window is made (at start-up, before
  // anything changes it).
  TForm2(QWidget* launcher, veldra::ui::Services services, QWidget* parent = nullptr);

  // What the launcher's "Processador" does after disabling itself: shows this window, runs the
  // activation handler and enables RadioGroup1 to RadioGroup4 and GroupBox1 to GroupBox3.
  void open();

 public slots:
  void FormActivate();
  void RadioGroup1Click();
  void RadioGroup2Click();
  void RadioGroup3Click();
  void RadioGroup4Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Which model data file a "Carregar"/"Fechar" button serves.
  struct ModelGroup {
    QPushButton* button;
    QLineEdit* edit;
    QString path;  // the file last chosen in the group's open dialog
  };

  void createControls();
  void FormClose();
  void modelButtonClick(ModelGroup& group, const ModelGroup& other, bool mef);
  bool loadIntoEditor(const QString& path);
  bool saveEditorTo(const QString& path);
  bool editorInUse() const;
  void closeEditor();
  void setOptionControlsEnabled(bool enabled);
  void restoreAfterFailedRun();
  void giveLauncherBack(bool topmost);
  veldra::core::ProcessorOptions currentOptions() const;

  QWidget* launcher_;
  veldra::ui::Services services_;
  QString startDirectory_;
  veldra::core::Folders folders_;
  bool running_ = false;  // between the processor's start and its end
  QString libraryPath_;   // the library file last opened
  // The codes of RadioGroup2, RadioGroup3 and RadioGroup4 as their handlers last set them.
  veldra::core::ProcessorOptions codes_;

  QGroupBox* radioGroup1_ = nullptr;
  QGroupBox* radioGroup2_ = nullptr;
  QGroupBox* radioGroup3_ = nullptr;
  QGroupBox* radioGroup4_ = nullptr;
  QButtonGroup* items1_ = nullptr;
  QButtonGroup* items2_ = nullptr;
  QButtonGroup* items3_ = nullptr;
  QButtonGroup* items4_ = nullptr;
  QGroupBox* groupBox1_ = nullptr;
  QGroupBox* groupBox2_ = nullptr;
  QGroupBox* groupBox3_ = nullptr;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QLineEdit* edit3_ = nullptr;
  QLineEdit* edit4_ = nullptr;
  QPlainTextEdit* richEdit1_ = nullptr;
  ModelGroup mef_{};
  ModelGroup mec_{};
};
