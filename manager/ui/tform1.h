// The launcher window: the three stages of an analysis (pre-processor with the conversion of
// its export, processor set-up, post-processor), the local page and the converted data.
#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "manager/core/folders.h"
#include "manager/ui/services.h"

class QEvent;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTextBrowser;
class QTimer;

namespace veldra::ui {

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // The start folder is the current directory when the window is made.
  explicit TForm1(Services services, QWidget* parent = nullptr);
  ~TForm1() override;

  // The set-up window: disabled with the launcher while the post-processor runs; `open` shows
  // it and enables its groups (BitBtn2Click calls it after disabling the launcher). The set-up
  // window gives the launcher back with setEnabled(true) and bringToFront().
  void setProcessorWindow(QWidget* window, std::function<void()> open);

  // Enters the topmost band and at once leaves it, then raises and activates the window.
  void bringToFront();
  void setTopmost(bool topmost);
  bool isTopmost() const;

  const core::Folders& folders() const { return folders_; }

  // The export timer's first interval (after ANSYS was started) and the later ones; 5000 and
  // 1000 ms. Tests shorten them.
  void setExportPollIntervals(int firstMs, int laterMs);

 public slots:
  void FormCreate();
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void Timer1Timer();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  // Called from the event filter of RichEdit1's viewport.
  void RichEdit1MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void RichEdit1MouseUp();

 private:
  void createControls();
  void saveConvertedData();
  std::optional<QString> readShortcutPath();
  void setButtonsShown(bool shown);
  void setOverlappingTall(bool tall);
  void showStartLayout();
  void exportFailed(const QString& message);
  void removeExportFiles();
  void showStatus(const QString& text);

  Services services_;
  core::Folders folders_;
  QPlainTextEdit* richEdit1_ = nullptr;
  QTextBrowser* webBrowser1_ = nullptr;
  QFrame* panel2_ = nullptr;
  QLabel* image1_ = nullptr;
  QPushButton* bitBtn1_ = nullptr;
  QPushButton* bitBtn2_ = nullptr;
  QPushButton* bitBtn3_ = nullptr;
  QStatusBar* statusBar1_ = nullptr;
  QTimer* timer1_ = nullptr;
  QWidget* processorWindow_ = nullptr;
  std::function<void()> openProcessorWindow_;
  // The buttons and modifiers of the last press on RichEdit1.
  Qt::MouseButtons pressedButtons_;
  Qt::KeyboardModifiers pressedModifiers_;
  // The export as it was at the last tick whose conversion failed.
  qint64 failedSize_ = -1;
  QDateTime failedModified_;
  bool failureReported_ = false;
  int firstPollMs_ = 5000;
  int laterPollMs_ = 1000;
};

}  // namespace veldra::ui
