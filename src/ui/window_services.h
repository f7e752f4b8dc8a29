// What the window asks of the desktop: file dialogs, message boxes and the
// shell. Tests put a scripted version in its place.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace plandock::ui {

struct FileDialogRequest {
  QString title;
  QString folder;     // where the dialog starts
  QString file_name;  // what the name box shows
  QString filter;     // "Name (*.ext);;..."
  QString default_suffix;
};

class WindowServices {
 public:
  virtual ~WindowServices() = default;
  // Empty when cancelled.
  virtual QString OpenFile(QWidget* parent, const FileDialogRequest& request);
  virtual QStringList OpenFiles(QWidget* parent, const FileDialogRequest& request);
  // `must_exist` false: a name of a file that does not exist is accepted too.
  virtual QString SaveFile(QWidget* parent, const FileDialogRequest& request);
  virtual QString PickName(QWidget* parent, const FileDialogRequest& request);
  virtual QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& text,
                                          QMessageBox::StandardButtons buttons);
  // Opens `path` with the program the desktop associates with it.
  virtual void OpenWithShell(const QString& path);
  virtual void Beep();
};

}  // namespace plandock::ui
