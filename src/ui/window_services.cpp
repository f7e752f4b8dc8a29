#include "ui/window_services.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/launcher.h"
#include "ui/qt_text.h"

namespace plandock::ui {
namespace {

QFileDialog* MakeDialog(QWidget* parent, const FileDialogRequest& r) {
  auto* dialog = new QFileDialog(parent, r.title, r.folder, r.filter);
  dialog->setDefaultSuffix(r.default_suffix);
  if (!r.file_name.isEmpty()) dialog->selectFile(r.file_name);
  return dialog;
}

QStringList Run(QFileDialog* dialog) {
  QStringList chosen;
  if (dialog->exec() == QDialog::Accepted) chosen = dialog->selectedFiles();
  delete dialog;
  for (QString& p : chosen) p = QDir::toNativeSeparators(p);
  return chosen;
}

}  // namespace

QString WindowServices::OpenFile(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog* dialog = MakeDialog(parent, request);
  dialog->setFileMode(QFileDialog::ExistingFile);
  const QStringList chosen = Run(dialog);
  return chosen.isEmpty() ? QString() : chosen.front();
}

QStringList WindowServices::OpenFiles(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog* dialog = MakeDialog(parent, request);
  dialog->setFileMode(QFileDialog::ExistingFiles);
  return Run(dialog);
}

QString WindowServices::SaveFile(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog* dialog = MakeDialog(parent, request);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  const QStringList chosen = Run(dialog);
  return chosen.isEmpty() ? QString() : chosen.front();
}

QString WindowServices::PickName(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog* dialog = MakeDialog(parent, request);
  dialog->setFileMode(QFileDialog::AnyFile);
  const QStringList chosen = Run(dialog);
  return chosen.isEmpty() ? QString() : chosen.front();
}

QMessageBox::StandardButton WindowServices::Ask(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& text,
                                                QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, QApplication::applicationName(), text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

// The drawing stays where it is when the shell cannot open it; the window shows nothing.
void WindowServices::OpenWithShell(const QString& path) {
  (void)platform::OpenFileWithShell(U(path));
}

void WindowServices::Beep() { QApplication::beep(); }

}  // namespace plandock::ui
