#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/file_list.h"
#include "platform/files.h"
#include "ui/choice_dialog.h"
#include "ui/file_grid.h"
#include "ui/main_window_internal.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/screen_place.h"
#include "ui/window_services.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock::ui {

QString FolderOf(const QString& path) {
  const int cut = std::max(path.lastIndexOf('\\'), path.lastIndexOf('/'));
  return cut < 0 ? QString() : path.left(cut + 1);
}

QString ExtLower(const QString& path, bool* ok) { return Q(PathExtLower(U(path), ok)); }

bool Exists(const QString& path) { return !path.isEmpty() && platform::FileExists(U(path)); }

QString FrameCaption(const QString& name) { return Q(CutToWidth(U(name), 0, 12).first); }

namespace {

// A tab whose controls scroll when the window is made smaller than they need.
QWidget* Scrolled(QWidget* page) {
  auto* scroll = new QScrollArea;
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(page);
  return scroll;
}

}  // namespace

MainWindow::MainWindow(const Options& options) : options_(options) {
  if (options_.services == nullptr) own_services_ = std::make_unique<WindowServices>();
  services_ = options_.services != nullptr ? options_.services : own_services_.get();
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Plandock Ver.1.20"));
  resize(kDesignClientWidth, kDesignClientHeight);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("PageControl1");
  tabs_->setTabPosition(QTabWidget::South);
  tabs_->addTab(BuildFilesTab(), QStringLiteral("図面ファイル指定(&Z)"));
  tabs_->addTab(Scrolled(BuildTargetsTab()), QStringLiteral("ドロップ先指定(&D)"));
  tabs_->addTab(BuildBatchTab(), QStringLiteral("一括指定(&M)"));
  tabs_->addTab(Scrolled(BuildSettingsTab()), QStringLiteral("設定(&S)"));
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index == 2) RebuildNameChoices();
  });

  merge_button_ = new QPushButton(QStringLiteral("合体して保存(&G)"), this);
  merge_button_->setObjectName("Button1");
  connect(merge_button_, &QPushButton::clicked, this, &MainWindow::RunMerge);
  auto* exit_button = new QPushButton(QStringLiteral("終了(&X)"), this);
  exit_button->setObjectName("Button13");
  connect(exit_button, &QPushButton::clicked, this, &QWidget::close);
  auto* bar = new QStatusBar(this);
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(false);
  status_ = new QLabel(bar);
  status_->setObjectName("StatusText");
  bar->addWidget(status_, 1);

  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(4, 0, 4, 2);
  bottom->addWidget(merge_button_);
  bottom->addWidget(exit_button);
  bottom->addWidget(bar, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(tabs_, 1);
  layout->addLayout(bottom);

  dialogs_ = {new ChoiceDialog(ChoiceKind::kLayerGroup, this),
              new ChoiceDialog(ChoiceKind::kLayer, this),
              new ChoiceDialog(ChoiceKind::kColor, this)};
  progress_ = new ProgressWindow(this);
  preview_ = new PreviewWindow([this](PreviewSource source) { return PreviewPath(source); }, this);
  // Line edits would take a dropped file as text; the window dispatches drops itself.
  for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->setAcceptDrops(false);
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  if (docs_) FreeDocuments(*docs_);
}

QLineEdit* MainWindow::Edit(const QString& name) const { return Find<QLineEdit>(name); }
QCheckBox* MainWindow::Check(const QString& name) const { return Find<QCheckBox>(name); }

void MainWindow::Start() {
  // The documents make their own image folders, private to this instance.
  LoadSettings(options_.settings_path);
  docs_ = CreateDocuments();
  grid_->SetEntries({});
  for (int n = 0; n < kDropTargetCount; ++n) {
    batch_plan_.Lists[n].clear();
    AddBatchFiles(n, {});
  }
  ListFocusNo = 0;
  RebuildNameChoices();
  UpdateDependentChecks();
  HandleCommandLine(options_.arguments);
  setAcceptDrops(true);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (job_running_) {
    event->ignore();  // the job owns the documents until it returns
    return;
  }
  if (docs_) FreeDocuments(*docs_);
  docs_.reset();
  SaveSettings(options_.settings_path);
  progress_->hide();
  event->accept();
}

void MainWindow::HandleCommandLine(const QStringList& arguments) {
  for (const QString& arg : arguments) {
    if (arg.isEmpty()) continue;
    const QString ext = ExtLower(arg);
    if (ext == ".jww" && Exists(arg)) {
      if (Edit("Edit1")->text().isEmpty()) {
        Edit("Edit1")->setText(arg);
      } else {
        AddMergeEntry(arg);
      }
    } else if (ext == ".jwf" && Exists(arg)) {
      Edit("Edit5")->setText(arg);
    }
  }
}

bool MainWindow::AddMergeEntry(const QString& path, const QString& group, const QString& layer,
                               const QString& color) {
  std::vector<MergeEntry> rows = grid_->Entries();
  if (!plandock::AddMergeEntry(rows, U(Edit("Edit1")->text()), U(path), U(group), U(layer),
                               U(color))) {
    return false;
  }
  grid_->SetEntries(rows);
  return true;
}

std::array<DropTarget, kDropTargetCount> MainWindow::Targets() const {
  std::array<DropTarget, kDropTargetCount> targets;
  for (int n = 0; n < kDropTargetCount; ++n) {
    targets[n].Name = U(TargetName(n));
    if (n == 0) continue;
    const auto presets = TargetPresets(n);
    targets[n] = {targets[n].Name, U(presets[0]), U(presets[1]), U(presets[2])};
  }
  return targets;
}

QString MainWindow::TargetName(int n) const { return Edit(QString("EditA%1").arg(n + 1))->text(); }

std::array<QString, 3> MainWindow::TargetPresets(int n) const {
  const QString base = QString("EditA%1").arg(n + 1);
  return {Edit(base + "1")->text(), Edit(base + "2")->text(), Edit(base + "3")->text()};
}

void MainWindow::UpdateCaptions(int n) {
  const QString caption = FrameCaption(TargetName(n));
  if (n > 0) {
    if (auto* frame = Find<QLabel>(QString("LabelA%1").arg(n + 1))) frame->setText(caption);
  }
  if (auto* frame = Find<QLabel>(QString("LabelB%1").arg(n + 1))) frame->setText(caption);
}

// --- Settings -------------------------------------------------------------

AppSettings MainWindow::CollectSettings() const {
  AppSettings s;
  MergeSettings& m = s.Merge;
  for (const CheckOption& o : kCheckOptions) m.*o.field = Check(o.name)->isChecked();
  m.BasePath = U(Edit("Edit1")->text());
  m.DestinationPath = U(Edit("Edit2")->text());
  m.ReferenceText = U(Edit("Edit4")->text());
  m.EnvironmentFilePath = U(Edit("Edit5")->text());
  m.RealSize = Find<QRadioButton>("RadioButton2")->isChecked();
  for (int i = 0; i < 3; ++i) {
    if (Find<QRadioButton>(QString("RadioGroup1_%1").arg(i))->isChecked()) {
      m.LayerState = static_cast<LayerStateAfterMerge>(i);
    }
  }
  s.DropTargets = Targets();
  const QRect outer = frameGeometry();
  s.MainLeft = outer.x();
  s.MainTop = outer.y();
  s.MainWidth = outer.width();
  s.MainHeight = outer.height();
  s.LayerGroupDialog = {dialogs_[0]->x(), dialogs_[0]->y()};
  s.LayerDialog = {dialogs_[1]->x(), dialogs_[1]->y()};
  s.ColorDialog = {dialogs_[2]->x(), dialogs_[2]->y()};
  s.BatchProgress = {progress_->x(), progress_->y()};
  s.GridColumnWidths = grid_->ColumnWidths();
  s.TabIndex = tabs_->currentIndex();
  s.BatchOutputFolder = U(Edit("Edit3")->text());
  s.BatchFileName = U(Edit("Edit6")->text());
  s.BatchNameChoice = std::max(0, Find<QComboBox>("ComboBox1")->currentIndex());
  s.BatchNumbering = std::max(0, Find<QComboBox>("ComboBox2")->currentIndex());
  s.DatFile = U(DatFile);
  return s;
}

void MainWindow::ApplySettings(const AppSettings& s) {
  const MergeSettings& m = s.Merge;
  for (const CheckOption& o : kCheckOptions) Check(o.name)->setChecked(m.*o.field);
  // The dependent box was read after its master; keep the stored value.
  Check("CheckBox14")->setChecked(m.WarnManyReferenceTexts);
  Edit("Edit1")->setText(Q(m.BasePath));
  Edit("Edit2")->setText(Q(m.DestinationPath));
  Edit("Edit4")->setText(Q(m.ReferenceText));
  Edit("Edit5")->setText(Q(m.EnvironmentFilePath));
  Find<QRadioButton>(m.RealSize ? "RadioButton2" : "RadioButton1")->setChecked(true);
  Find<QRadioButton>(QString("RadioGroup1_%1").arg(static_cast<int>(m.LayerState)))
      ->setChecked(true);
  for (int n = 0; n < kDropTargetCount; ++n) {
    const QString base = QString("EditA%1").arg(n + 1);
    Edit(base)->setText(Q(s.DropTargets[n].Name));
    UpdateCaptions(n);
    if (n == 0) continue;
    Edit(base + "1")->setText(Q(s.DropTargets[n].LayerGroup));
    Edit(base + "2")->setText(Q(s.DropTargets[n].Layer));
    Edit(base + "3")->setText(Q(s.DropTargets[n].PenColor));
  }
  grid_->SetColumnWidths(s.GridColumnWidths);
  tabs_->setCurrentIndex(s.TabIndex);
  Edit("Edit3")->setText(Q(s.BatchOutputFolder));
  Edit("Edit6")->setText(Q(s.BatchFileName));
  FNameNo = s.BatchNameChoice;
  RebuildNameChoices();
  Find<QComboBox>("ComboBox2")->setCurrentIndex(s.BatchNumbering);
  DatFile = Q(s.DatFile);
  UpdateDependentChecks();
  PlaceWindows(s);
}

void MainWindow::PlaceWindows(const AppSettings& s) {
  if (s.MainWidth > 0 && s.MainHeight > 0) {
    // The stored size is the outer one; what the frame adds is known once shown.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(QSize(s.MainWidth, s.MainHeight) - frame);
  }
  const QRect outer(QPoint(s.MainLeft, s.MainTop), frameGeometry().size());
  move(VisibleTopLeft(outer));
  const std::pair<QWidget*, WindowPlace> others[] = {{dialogs_[0], s.LayerGroupDialog},
                                                     {dialogs_[1], s.LayerDialog},
                                                     {dialogs_[2], s.ColorDialog},
                                                     {progress_, s.BatchProgress}};
  for (const auto& [window, place] : others) {
    window->move(VisibleTopLeft(QRect(QPoint(place.Left, place.Top), window->sizeHint())));
  }
}

void MainWindow::LoadSettings(const QString& path) {
  AppSettings s = CollectSettings();
  // A file that is missing or unreadable leaves the current values: nothing to report.
  (void)LoadSettingsFile(U(path), s);
  ApplySettings(s);
}

// The window does not stop for settings it cannot write (the command line reports them):
// they cost only what would have been remembered.
void MainWindow::SaveSettings(const QString& path) {
  (void)SaveSettingsFile(U(path), CollectSettings());
}

QString MainWindow::SettingsDialogFolder() const {
  return DatFile.isEmpty() ? Q(platform::ProgramFolder()) : FolderOf(DatFile);
}

void MainWindow::SaveSettingsAs() {
  const QString chosen = services_->SaveFile(
      this, {QStringLiteral("設定ファイルに名前を付けて保存"), SettingsDialogFolder(),
             DatFile.isEmpty() ? QString() : Q(PathFileName(U(DatFile))),
             QString::fromUtf8(kIniFilter), "ini"});
  if (chosen.isEmpty() || ExtLower(chosen) != ".ini") return;
  DatFile = chosen;
  SaveSettings(DatFile);
}

void MainWindow::OpenSettings() {
  const QString chosen =
      services_->OpenFile(this, {QStringLiteral("設定ファイルを開く"), SettingsDialogFolder(),
                                 DatFile.isEmpty() ? QString() : Q(PathFileName(U(DatFile))),
                                 QString::fromUtf8(kIniFilter), "ini"});
  if (chosen.isEmpty() || ExtLower(chosen) != ".ini") return;
  LoadSettings(chosen);
  DatFile = chosen;
}

// --- The merge job's host ---------------------------------------------------

void MainWindow::RunMerge() {
  if (job_running_ || !docs_) return;
  const AppSettings s = CollectSettings();
  std::vector<MergeEntry> entries = grid_->Entries();
  job_running_ = true;
  escape_seen_ = false;
  const MergeJobResult result = RunMergeJob(s.Merge, entries, *this, *docs_);
  job_running_ = false;
  grid_->SetEntries(entries);
  if (result == MergeJobResult::kCompleted) {
    last_result_ = Q(s.Merge.OverwriteBase ? s.Merge.BasePath : s.Merge.DestinationPath);
    if (preview_->isVisible() && preview_->Source() == PreviewSource::kResult) {
      preview_->Refresh(true);
    }
  }
}

void MainWindow::ShowPreview(PreviewSource source) { preview_->Show(source); }

QString MainWindow::PreviewPath(PreviewSource source) const {
  switch (source) {
    case PreviewSource::kRow: {
      const QString path = grid_->Cell(std::max(0, grid_->currentRow()), 0);
      return IsBlank(U(path)) ? QString() : path;
    }
    case PreviewSource::kBase:
      return Edit("Edit1")->text();
    case PreviewSource::kResult:
      return last_result_;
  }
  return {};
}

QString MainWindow::StatusText() const { return status_->text(); }

void MainWindow::ShowStatus(const std::u16string& text) {
  status_->setText(Q(text));
  status_->repaint();
}

MessageAnswer MainWindow::Ask(MessageKind kind, const std::u16string& text,
                              MessageButtons buttons) {
  const QMessageBox::Icon icon = kind == MessageKind::kError      ? QMessageBox::Critical
                                 : kind == MessageKind::kWarning  ? QMessageBox::Warning
                                 : kind == MessageKind::kQuestion ? QMessageBox::Question
                                                                  : QMessageBox::Information;
  if (buttons == MessageButtons::kOk) {
    services_->Ask(this, icon, Q(text), QMessageBox::Ok);
    return MessageAnswer::kOk;
  }
  const auto answer =
      services_->Ask(this, QMessageBox::Question, Q(text), QMessageBox::Yes | QMessageBox::No);
  return answer == QMessageBox::Yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

void MainWindow::Beep() { services_->Beep(); }

bool MainWindow::EscapePressed() {
  // The event filter notes Escape and keeps every other input away meanwhile.
  QApplication::processEvents();
  return std::exchange(escape_seen_, false);
}

void MainWindow::SetMergeEnabled(bool enabled) { merge_button_->setEnabled(enabled); }

void MainWindow::FocusBrowse(BrowseButton which) {
  Find<QPushButton>(which == BrowseButton::kBase ? "Button3" : "Button4")->setFocus();
}

void MainWindow::ShowFilesPage() { tabs_->setCurrentIndex(0); }

bool MainWindow::BlockingInput(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Close:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
      return true;
    default:
      return false;
  }
}

}  // namespace plandock::ui

namespace plandock::ui {

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if ((job_running_ || batch_running_) &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    // Whichever window has the focus, Escape is the request to stop.
    escape_held_ = event->type() == QEvent::KeyPress;
    if (escape_held_) escape_seen_ = true;
  }
  if ((job_running_ || batch_running_) && widget != nullptr) {
    const QWidget* top = widget->window();
    // The job's own boxes and, between pairs, the progress window answer.
    const bool answering = top == QApplication::activeModalWidget() ||
                           (batch_running_ && !job_running_ && top == progress_);
    if (!answering && BlockingInput(event)) return true;
    if (!answering) return false;
  }
  const QEvent::Type type = event->type();
  if (widget == nullptr ||
      (type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonPress &&
       type != QEvent::FocusIn && type != QEvent::FocusOut)) {
    return false;
  }
  const QString name = widget->objectName();
  if (type == QEvent::MouseButtonDblClick && name.size() == 7 && name.startsWith("EditA")) {
    // A preset field of a drop target: the last digit says which dialog.
    const int kind = name.at(6).digitValue() - 1;
    if (kind >= 0 && kind < 3) {
      ChooseCode(static_cast<QLineEdit*>(widget), -1, -1, kind);
      return true;
    }
  }
  if (type == QEvent::MouseButtonPress && name.startsWith("LabelC")) {
    if (name == "LabelC1") DeleteBatchEntry();
    if (name == "LabelC2") DeleteBatchList();
    if (name == "LabelC3") DeleteAllBatchLists();
    return true;
  }
  if (name.startsWith("List") && name.size() == 5) {
    if (type == QEvent::FocusIn) ListFocusNo = name.at(4).digitValue();
    if (type == QEvent::FocusOut) {
      ListFocusNo = 0;
      static_cast<QListWidget*>(widget)->clearSelection();
    }
  }
  return false;
}

}  // namespace plandock::ui
