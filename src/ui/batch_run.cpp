// The batch run from "一括指定より連続合体を実行(&R)": the window is the batch's
// host, TForm5 its progress window.
#include "app/batch_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "ui/file_grid.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"

namespace plandock::ui {

void MainWindow::RunBatch() {
  if (job_running_ || batch_running_ || !docs_) return;
  FNameNo = std::max(0, Find<QComboBox>("ComboBox1")->currentIndex());
  AppSettings settings = CollectSettings();
  BatchPlan plan = BatchPlanFromSettings(settings);
  plan.Lists = batch_plan_.Lists;
  std::vector<MergeEntry> entries = grid_->Entries();
  QCheckBox* overwrite = Check("CheckBox9");
  const bool overwrite_was = overwrite->isChecked();
  batch_running_ = true;
  escape_seen_ = false;
  plandock::RunBatch(plan, settings.Merge, entries, *this, *docs_);
  batch_running_ = false;
  overwrite->setChecked(overwrite_was);
}

void MainWindow::OpenProgress(const BatchProgress& progress) {
  Check("CheckBox9")->setChecked(false);
  progress_->next_button()->setEnabled(false);
  ShowProgressTexts(progress);
  progress_->Begin();
}

void MainWindow::ShowProgress(const BatchProgress& progress) {
  ShowProgressTexts(progress);
  progress_->Display();
}

void MainWindow::ShowProgressTexts(const BatchProgress& progress) {
  for (size_t slot = 0; slot < progress.Names.size(); ++slot) {
    progress_->S_FNAME[slot] = Q(progress.Names[slot]);
  }
  progress_->S_P2 = progress.Pair;
  progress_->S_P3 = progress.Count;
}

void MainWindow::CloseProgress() { progress_->hide(); }

void MainWindow::ProcessEvents() { QApplication::processEvents(); }

bool MainWindow::EscapeHeld() {
  QApplication::processEvents();
  return escape_held_ || std::exchange(escape_seen_, false);
}

bool MainWindow::StopRequested() { return progress_->S_ESCF; }

void MainWindow::PairStarting(int, const BatchPair&, const MergeSettings& settings,
                              const std::vector<MergeEntry>& entries) {
  Edit("Edit1")->setText(Q(settings.BasePath));
  Edit("Edit2")->setText(Q(settings.DestinationPath));
  grid_->SetEntries(entries);
}

void MainWindow::PairFinished(int, const BatchPair&, MergeJobResult,
                              const std::vector<MergeEntry>& entries) {
  grid_->SetEntries(entries);
}

void MainWindow::ShowBatchPage() { tabs_->setCurrentIndex(2); }

}  // namespace plandock::ui
