// The main window TForm1: four tabs (files, drop targets, batch, settings),
// the merge button and the status line. It is the host of merge jobs and
// of the batch.
#pragma once

#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "app/batch_host.h"
#include "app/batch_plan.h"
#include "app/settings_file.h"
#include "merge/merge_job.h"
#include "ui/preview_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;

namespace plandock::ui {

class ChoiceDialog;
class DropFrame;
class FileGrid;
class ProgressWindow;
class WindowServices;

class MainWindow : public QWidget, public BatchHost {
  Q_OBJECT

 public:
  struct Options {
    QString settings_path;               // the program's own settings file
    QStringList arguments;               // the command line after the program's name
    WindowServices* services = nullptr;  // not owned; null: the desktop's own
  };
  explicit MainWindow(const Options& options);
  ~MainWindow() override;

  // Loads the settings, makes the documents, resets the lists, takes the
  // command line and starts accepting drops.
  void Start();

  bool AddMergeEntry(const QString& path, const QString& group = {}, const QString& layer = {},
                     const QString& color = {});
  // Files dropped at `global` (screen coordinates) on the tab on top.
  void HandleDrop(const QStringList& files, QPoint global);

  AppSettings CollectSettings() const;
  void ApplySettings(const AppSettings& settings);
  void LoadSettings(const QString& path);
  void SaveSettings(const QString& path);

  void RunMerge();  // "合体して保存(&G)"
  void RunBatch();  // "一括指定より連続合体を実行(&R)"

  QString StatusText() const;
  FileGrid* grid() const { return grid_; }
  ChoiceDialog* dialog(int which) const { return dialogs_[which]; }
  ProgressWindow* progress() const { return progress_; }
  // "プレビュー(&P)": the drawing of `source` in the preview window.
  void ShowPreview(PreviewSource source);
  PreviewWindow* preview() const { return preview_; }
  QString DatFile;
  int FNameNo = 0;
  int ListFocusNo = 0;

  // JobHost
  void ShowStatus(const std::u16string& text) override;
  MessageAnswer Ask(MessageKind kind, const std::u16string& text, MessageButtons buttons) override;
  void Beep() override;
  bool EscapePressed() override;
  void SetMergeEnabled(bool enabled) override;
  void FocusBrowse(BrowseButton which) override;
  void ShowFilesPage() override;
  // BatchHost
  void OpenProgress(const BatchProgress& progress) override;
  void ShowProgress(const BatchProgress& progress) override;
  void CloseProgress() override;
  void ProcessEvents() override;
  bool EscapeHeld() override;
  bool StopRequested() override;
  void PairStarting(int pair, const BatchPair& paths, const MergeSettings& settings,
                    const std::vector<MergeEntry>& entries) override;
  void PairFinished(int pair, const BatchPair& paths, MergeJobResult result,
                    const std::vector<MergeEntry>& entries) override;
  void ShowBatchPage() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Each tab's controls are made in a file of their own.
  QWidget* BuildFilesTab();
  QWidget* BuildTargetsTab();
  QWidget* BuildBatchTab();
  QWidget* BuildSettingsTab();

  template <class T>
  T* Find(const QString& name) const {
    return findChild<T*>(name);
  }
  QLineEdit* Edit(const QString& name) const;
  QCheckBox* Check(const QString& name) const;

  // Tab 0.
  void ChooseBase();
  void ChooseDestination();
  void ChooseRowFile(int row);
  void AddChosenFiles();
  void ChooseEnvironmentFile();
  void OpenIfExists(const QString& path);
  void OnCellChosen(int row, int column);
  void ChooseCode(QLineEdit* field, int row, int column, int kind);
  void UpdateDependentChecks();
  QString AddDialogFolder() const;

  // Drop targets: target n (0..8) lives in the controls numbered n + 1.
  QString TargetName(int n) const;
  std::array<QString, 3> TargetPresets(int n) const;
  void UpdateCaptions(int n);

  // Drops.
  void DropOnFiles(const QStringList& files, QPoint global);
  void DropOnTargets(const QStringList& files, QPoint global);
  void DropOnBatch(const QStringList& files, QPoint global);
  void DropOnSettings(const QStringList& files);
  void TakeExistingFiles(const QStringList& files);

  // Batch tab.
  void RebuildNameChoices();
  // Adds drawings to target n's list at their places and shows the list.
  void AddBatchFiles(int n, const QStringList& files);
  void ShowProgressTexts(const BatchProgress& progress);
  std::array<DropTarget, kDropTargetCount> Targets() const;
  void ChooseBatchFiles(int n);
  void ChooseBatchFolder();
  void DeleteBatchEntry();
  void DeleteBatchList();
  void DeleteAllBatchLists();
  QListWidget* BatchList(int n) const;

  // Settings buttons.
  void SaveSettingsAs();
  void OpenSettings();
  QString SettingsDialogFolder() const;

  QString PreviewPath(PreviewSource source) const;

  void HandleCommandLine(const QStringList& arguments);
  void PlaceWindows(const AppSettings& settings);
  bool BlockingInput(QEvent* event);

  Options options_;
  std::unique_ptr<WindowServices> own_services_;
  WindowServices* services_;
  std::unique_ptr<MergeDocuments> docs_;

  QTabWidget* tabs_ = nullptr;
  FileGrid* grid_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* merge_button_ = nullptr;
  QWidget* files_middle_ = nullptr;  // the panel holding the grid and the frames
  QWidget* files_frames_ = nullptr;  // LabelA2..A9's clipping panel
  QWidget* files_top_ = nullptr;
  QWidget* files_bottom_ = nullptr;
  QWidget* batch_top_ = nullptr;
  QScrollArea* batch_scroll_ = nullptr;
  std::array<ChoiceDialog*, 3> dialogs_{};  // TForm2, TForm3, TForm4
  ProgressWindow* progress_ = nullptr;
  PreviewWindow* preview_ = nullptr;
  QString last_result_;       // the file the last completed merge wrote
  BatchPlan batch_plan_;      // only its lists: the other fields are read at the run
  QString last_open_folder_;  // the folder of the file last chosen in an open dialog

  bool job_running_ = false;
  bool batch_running_ = false;
  bool escape_seen_ = false;  // pressed since the last poll
  bool escape_held_ = false;
};

}  // namespace plandock::ui
