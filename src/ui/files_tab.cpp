// Tab 0: the base drawing, the file list with its buttons and drop frames,
// and the destination.
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/file_list.h"
#include "ui/choice_dialog.h"
#include "ui/drop_frame.h"
#include "ui/file_grid.h"
#include "ui/main_window.h"
#include "ui/main_window_internal.h"
#include "ui/qt_text.h"
#include "ui/window_services.h"

namespace plandock::ui {
namespace {

QPushButton* Button(const char* name, const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

QWidget* Strip(QWidget* parent, const QString& label, QPushButton* browse, QPushButton* open,
               QLineEdit* edit, QWidget* extra = nullptr) {
  auto* strip = new QWidget(parent);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(6, 4, 6, 4);
  row->addWidget(new QLabel(label, strip));
  for (QPushButton* b : {browse, open}) {
    b->setParent(strip);
    b->setFixedWidth(44);
    row->addWidget(b);
  }
  edit->setParent(strip);
  row->addWidget(edit, 1);
  if (extra != nullptr) {
    extra->setParent(strip);
    row->addWidget(extra);
  }
  return strip;
}

}  // namespace

QWidget* MainWindow::BuildFilesTab() {
  auto* page = new QWidget(this);
  page->setObjectName("TabSheet1");

  auto* base = new QLineEdit;
  base->setObjectName("Edit1");
  base->setReadOnly(true);
  files_top_ = Strip(page, QStringLiteral("ベース図面ファイル："),
                     Button("Button3", QStringLiteral("参照"), page),
                     Button("Button5", QStringLiteral("Jww"), page), base);
  files_top_->setObjectName("PanelTop");

  auto* destination = new QLineEdit;
  destination->setObjectName("Edit2");
  auto* overwrite = new QCheckBox(QString::fromUtf8(kCheckOptions[8].caption));
  overwrite->setObjectName(kCheckOptions[8].name);
  files_bottom_ = Strip(page, QStringLiteral("保存先図面ファイル："),
                        Button("Button4", QStringLiteral("参照"), page),
                        Button("Button6", QStringLiteral("Jww"), page), destination, overwrite);
  files_bottom_->setObjectName("PanelBottom");

  files_middle_ = new QWidget(page);
  files_middle_->setObjectName("PanelMiddle");
  grid_ = new FileGrid(files_middle_);
  auto* side = new QWidget(files_middle_);
  side->setFixedWidth(164);
  auto* buttons = new QGridLayout;
  buttons->setSpacing(3);
  const std::pair<const char*, QString> names[] = {
      {"Button7", QStringLiteral("参照")},          {"Button8", QStringLiteral("Jww")},
      {"Button9", QStringLiteral("追加(&I)")},      {"Button10", QStringLiteral("全選択(&A)")},
      {"Button11", QStringLiteral("ﾚｲﾔ全選択(&L")}, {"Button14", QStringLiteral("線色全選択(&C")},
      {"Button12", QStringLiteral("削除(&D)")},     {"Button19", QStringLiteral("プレビュー(&P)")}};
  int i = 0;
  for (const auto& [name, text] : names) {
    buttons->addWidget(Button(name, text, side), i / 2, i % 2);
    ++i;
  }
  // The frames keep their places: in a short window the lower ones are cut
  // off by the panel's edge instead of being squeezed.
  files_frames_ = new QWidget(side);
  files_frames_->setObjectName("PanelFrames");
  for (int n = 1; n < kDropTargetCount; ++n) {
    auto* frame = new DropFrame(QString("LabelA%1").arg(n + 1), kFrameColor, files_frames_);
    frame->setToolTip(QString::fromUtf8(kFrameHint));
    frame->setGeometry(0, 6 + (n - 1) * 22, side->width(), 20);
  }
  auto* side_layout = new QVBoxLayout(side);
  side_layout->setContentsMargins(0, 0, 0, 0);
  side_layout->addLayout(buttons);
  side_layout->addWidget(files_frames_, 1);
  auto* middle = new QHBoxLayout(files_middle_);
  middle->setContentsMargins(6, 0, 6, 0);
  middle->addWidget(grid_, 1);
  middle->addWidget(side);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(files_top_);
  layout->addWidget(files_middle_, 1);
  layout->addWidget(files_bottom_);

  connect(Find<QPushButton>("Button3"), &QPushButton::clicked, this, &MainWindow::ChooseBase);
  connect(Find<QPushButton>("Button4"), &QPushButton::clicked, this,
          &MainWindow::ChooseDestination);
  connect(Find<QPushButton>("Button5"), &QPushButton::clicked, this,
          [this] { OpenIfExists(Edit("Edit1")->text()); });
  connect(Find<QPushButton>("Button6"), &QPushButton::clicked, this, [this] {
    OpenIfExists(Edit(Check("CheckBox9")->isChecked() ? "Edit1" : "Edit2")->text());
  });
  connect(Find<QPushButton>("Button7"), &QPushButton::clicked, this,
          [this] { ChooseRowFile(std::max(0, grid_->currentRow())); });
  connect(Find<QPushButton>("Button8"), &QPushButton::clicked, this, [this] {
    const QString path = grid_->Cell(std::max(0, grid_->currentRow()), 0);
    bool ok = true;
    const QString ext = ExtLower(path, &ok);
    if (!ok) {
      services_->Ask(this, QMessageBox::Critical,
                     QStringLiteral("ファイル名に使えない文字が含まれています：") + path,
                     QMessageBox::Ok);
      return;
    }
    if (ext == ".jww") OpenIfExists(path);
  });
  connect(Find<QPushButton>("Button9"), &QPushButton::clicked, this, &MainWindow::AddChosenFiles);
  connect(Find<QPushButton>("Button10"), &QPushButton::clicked, this,
          [this] { grid_->SelectColumns(0, 3); });
  connect(Find<QPushButton>("Button11"), &QPushButton::clicked, this,
          [this] { grid_->SelectColumns(1, 2); });
  connect(Find<QPushButton>("Button14"), &QPushButton::clicked, this,
          [this] { grid_->SelectColumns(3, 3); });
  connect(Find<QPushButton>("Button12"), &QPushButton::clicked, this,
          [this] { grid_->DeleteSelection(); });
  connect(Find<QPushButton>("Button19"), &QPushButton::clicked, this,
          [this] { ShowPreview(PreviewSource::kRow); });
  // An open preview follows the row the user moves to.
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] {
    if (preview_->isVisible() && preview_->Source() == PreviewSource::kRow) preview_->Refresh();
  });
  connect(overwrite, &QCheckBox::toggled, this, &MainWindow::UpdateDependentChecks);
  connect(grid_, &FileGrid::cellChosen, this, &MainWindow::OnCellChosen);
  return page;
}

void MainWindow::UpdateDependentChecks() {
  const bool own_destination = !Check("CheckBox9")->isChecked();
  Edit("Edit2")->setEnabled(own_destination);
  Find<QPushButton>("Button4")->setEnabled(own_destination);
}

void MainWindow::OpenIfExists(const QString& path) {
  if (Exists(path)) services_->OpenWithShell(path);
}

namespace {

FileDialogRequest JwwRequest(const QString& folder, const QString& name = {}) {
  return {QString(), folder, name, QString::fromUtf8(kJwwFilter), "jww"};
}

}  // namespace

void MainWindow::ChooseBase() {
  const QString path = services_->OpenFile(this, JwwRequest(FolderOf(Edit("Edit1")->text())));
  if (path.isEmpty()) return;
  last_open_folder_ = FolderOf(path);
  if (ExtLower(path) == ".jww" && Exists(path)) Edit("Edit1")->setText(path);
}

void MainWindow::ChooseDestination() {
  const QString path = services_->SaveFile(this, JwwRequest(FolderOf(Edit("Edit2")->text())));
  if (!path.isEmpty() && ExtLower(path) == ".jww") Edit("Edit2")->setText(path);
}

void MainWindow::ChooseRowFile(int row) {
  const QString path = services_->OpenFile(this, JwwRequest(FolderOf(grid_->Cell(row, 0))));
  if (path.isEmpty()) return;
  last_open_folder_ = FolderOf(path);
  grid_->SetCell(row, 0, ExtLower(path) == ".jww" && Exists(path) ? path : QString());
}

QString MainWindow::AddDialogFolder() const {
  for (int r = grid_->rowCount() - 1; r >= 0; --r) {
    if (ExtLower(grid_->Cell(r, 0)) == ".jww") return FolderOf(grid_->Cell(r, 0));
  }
  if (!grid_->Cell(0, 0).isEmpty()) return FolderOf(grid_->Cell(0, 0));
  const QString base = Edit("Edit1")->text();
  return FolderOf(base.isEmpty() ? Edit("Edit2")->text() : base);
}

void MainWindow::AddChosenFiles() {
  const QStringList files =
      services_->OpenFiles(this, JwwRequest(AddDialogFolder(), QStringLiteral("　")));
  if (!files.isEmpty()) last_open_folder_ = FolderOf(files.back());
  for (const QString& path : files) {
    if (ExtLower(path) == ".jww") AddMergeEntry(path);
  }
}

void MainWindow::ChooseEnvironmentFile() {
  const QString path = services_->OpenFile(this, {QString(), FolderOf(Edit("Edit5")->text()),
                                                  QString(), QString::fromUtf8(kJwfFilter), "jwf"});
  if (path.isEmpty()) return;
  last_open_folder_ = FolderOf(path);
  Edit("Edit5")->setText(ExtLower(path) == ".jwf" && Exists(path) ? path : QString());
}

void MainWindow::OnCellChosen(int row, int column) {
  if (column == 0) {
    ChooseRowFile(row);
  } else {
    ChooseCode(nullptr, row, column, column - 1);
  }
}

void MainWindow::ChooseCode(QLineEdit* field, int row, int column, int kind) {
  const QString text = field != nullptr ? field->text() : grid_->Cell(row, column);
  ChoiceDialog* dialog = dialogs_[kind];
  dialog->P_1 = kind == 2 ? ReadColorCode(U(text)) : ReadLayerCode(U(text));
  dialog->Run();
  if (!dialog->OKflag) return;
  const QString chosen = Q(kind == 2 ? ColorCodeText(dialog->P_1) : LayerCodeText(dialog->P_1));
  if (field != nullptr) {
    field->setText(chosen);
  } else {
    grid_->SetCell(row, column, chosen);
  }
}

}  // namespace plandock::ui
