// What the windows ask of the outside world, behind one seam so that tests can answer
// dialogs and point the shell, the disk search and the programs at stand-ins.
#pragma once

#include <QString>
#include <functional>

#include "manager/platform/disk_search.h"
#include "manager/platform/process.h"

class QWidget;

namespace veldra::ui {

struct Services {
  // Message box with one OK button (the original's ShowMessage).
  std::function<void(QWidget* parent, const QString& text)> showMessage;
  // Confirmation with Yes/No; true for Yes.
  std::function<bool(QWidget* parent, const QString& text)> confirm;
  // File-open dialog: title, initial folder, filter ("Descrição|*.txt"); empty when cancelled.
  std::function<QString(
      QWidget* parent, const QString& title, const QString& folder, const QString& filter)>
      openFileName;
  // File-save dialog: initial folder, filter; empty when cancelled.
  std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>
      saveFileName;
  // Opens a file or shortcut with the shell's "Open" verb; false when it could not start.
  std::function<bool(const QString& path)> openWithShell;
  // Root of the disk search for the pre-processor's shortcut.
  QString searchRoot;
  // Runs a program with no arguments in a folder until it ends, keeping the event loop alive.
  std::function<platform::ProgramResult(const QString& program, const QString& folder)> runProgram;
};

// The real dialogs (QMessageBox, QFileDialog), the platform's shell, search root and runner.
Services defaultServices();

// A dialog filter of the windows ("Descrição|*.txt", pairs separated by bars) in Qt's form
// ("Descrição (*.txt)", pairs separated by ";;").
QString qtFileFilter(const QString& filter);

}  // namespace veldra::ui
