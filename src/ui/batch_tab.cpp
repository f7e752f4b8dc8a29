// Tab 2: the nine batch lists with their frames, the output folder and name,
// and the delete labels.
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/drop_frame.h"
#include "ui/main_window.h"
#include "ui/main_window_internal.h"
#include "ui/qt_text.h"
#include "ui/window_services.h"

namespace plandock::ui {

QWidget* MainWindow::BuildBatchTab() {
  auto* page = new QWidget(this);
  page->setObjectName("TabSheet3");

  batch_top_ = new QWidget(page);
  batch_top_->setObjectName("PanelBatchTop");
  auto* top = new QGridLayout(batch_top_);
  top->setContentsMargins(6, 4, 6, 4);
  top->setVerticalSpacing(3);
  top->addWidget(new QLabel(QStringLiteral("保存先フォルダ："), batch_top_), 0, 0);
  auto* browse = new QPushButton(QStringLiteral("参照"), batch_top_);
  browse->setObjectName("Button15");
  browse->setFixedWidth(44);
  auto* folder = new QLineEdit(batch_top_);
  folder->setObjectName("Edit3");
  auto* folder_row = new QHBoxLayout;
  folder_row->addWidget(browse);
  folder_row->addWidget(folder, 1);
  top->addLayout(folder_row, 0, 1);
  top->addWidget(new QLabel(QStringLiteral("保存先図面ファイル名："), batch_top_), 1, 0);
  auto* choice = new QComboBox(batch_top_);
  choice->setObjectName("ComboBox1");
  choice->setMinimumWidth(190);
  auto* name = new QLineEdit(batch_top_);
  name->setObjectName("Edit6");
  auto* numbering = new QComboBox(batch_top_);
  numbering->setObjectName("ComboBox2");
  numbering->addItems({QStringLiteral("(数字).JWW"), QStringLiteral("(英字).JWW")});
  auto* name_row = new QHBoxLayout;
  name_row->addWidget(choice);
  name_row->addWidget(new QLabel(QStringLiteral("ファイル名："), batch_top_));
  name_row->addWidget(name, 1);
  name_row->addWidget(numbering);
  top->addLayout(name_row, 1, 1);

  batch_scroll_ = new QScrollArea(page);
  batch_scroll_->setObjectName("ScrollBox1");
  batch_scroll_->setWidgetResizable(true);
  auto* rows = new QWidget(batch_scroll_);
  auto* rows_layout = new QGridLayout(rows);
  rows_layout->setContentsMargins(2, 2, 2, 2);
  rows_layout->setSpacing(2);
  for (int n = 0; n < kDropTargetCount; ++n) {
    auto* frame =
        new DropFrame(QString("LabelB%1").arg(n + 1), n == 0 ? kBaseFrameColor : kFrameColor, rows);
    frame->setToolTip(QString::fromUtf8(n == 0 ? kBaseFrameHint : kFrameHint));
    frame->setFixedSize(130, 54);
    auto* kind =
        new QLabel(n == 0 ? QStringLiteral("ベース図面") : QStringLiteral("合体図面"), frame);
    kind->move(4, 2);
    QFont small = kind->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    kind->setFont(small);
    auto* list = new QListWidget(rows);
    list->setObjectName(QString("List%1").arg(n + 1));
    list->setFixedHeight(54);
    list->setMinimumWidth(120);
    rows_layout->addWidget(frame, n, 0);
    rows_layout->addWidget(list, n, 1);
    connect(frame, &DropFrame::clicked, this, [this, n] { ChooseBatchFiles(n); });
  }
  batch_scroll_->setWidget(rows);

  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(6, 4, 6, 4);
  const std::pair<const char*, QString> labels[] = {{"LabelC1", QStringLiteral("指定ファイル削除")},
                                                    {"LabelC2", QStringLiteral("指定リスト全削除")},
                                                    {"LabelC3", QStringLiteral("全削除")}};
  for (const auto& [label_name, text] : labels) {
    auto* label = new QLabel("<u>" + text + "</u>", page);
    label->setObjectName(label_name);
    label->setCursor(Qt::PointingHandCursor);
    bottom->addWidget(label);
    bottom->addSpacing(10);
  }
  bottom->addStretch();
  auto* run = new QPushButton(QStringLiteral("一括指定より連続合体を実行(&R)"), page);
  run->setObjectName("Button16");
  bottom->addWidget(run);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(batch_top_);
  layout->addWidget(batch_scroll_, 1);
  layout->addLayout(bottom);

  connect(browse, &QPushButton::clicked, this, &MainWindow::ChooseBatchFolder);
  connect(run, &QPushButton::clicked, this, &MainWindow::RunBatch);
  return page;
}

QListWidget* MainWindow::BatchList(int n) const {
  return Find<QListWidget>(QString("List%1").arg(n + 1));
}

void MainWindow::RebuildNameChoices() {
  auto* choice = Find<QComboBox>("ComboBox1");
  choice->clear();
  for (const std::u16string& item : NameChoiceItems(Targets())) choice->addItem(Q(item));
  choice->setCurrentIndex(std::clamp(FNameNo, 0, kDropTargetCount));
}

void MainWindow::AddBatchFiles(int n, const QStringList& files) {
  for (const QString& f : files) plandock::AddToBatchList(batch_plan_, n, U(f));
  QListWidget* widget = BatchList(n);
  widget->clear();
  for (const std::u16string& f : batch_plan_.Lists[n]) widget->addItem(Q(f));
}

void MainWindow::ChooseBatchFiles(int n) {
  const QStringList files = services_->OpenFiles(
      this,
      {QString(), last_open_folder_, QStringLiteral("　"), QString::fromUtf8(kJwwFilter), "jww"});
  if (!files.isEmpty()) last_open_folder_ = FolderOf(files.back());
  QStringList drawings;
  for (const QString& f : files) {
    if (ExtLower(f) == ".jww") drawings.push_back(f);
  }
  AddBatchFiles(n, drawings);
}

void MainWindow::ChooseBatchFolder() {
  const QString chosen =
      services_->PickName(this, {QString(), FolderOf(Edit("Edit3")->text()), QStringLiteral("　"),
                                 QString::fromUtf8(kJwwFilter), "jww"});
  if (!chosen.isEmpty()) Edit("Edit3")->setText(FolderOf(chosen));
}

void MainWindow::DeleteBatchEntry() {
  if (ListFocusNo <= 0) return;
  const int n = ListFocusNo - 1;
  const int row = BatchList(n)->currentRow();
  if (row < 0 || BatchList(n)->selectedItems().isEmpty()) return;
  batch_plan_.Lists[n].erase(batch_plan_.Lists[n].begin() + row);
  AddBatchFiles(n, {});
}

void MainWindow::DeleteBatchList() {
  if (ListFocusNo <= 0) return;
  const int n = ListFocusNo - 1;
  if (batch_plan_.Lists[n].empty()) return;
  const QString text = QStringLiteral("指定した【") + FrameCaption(TargetName(n)) +
                       QStringLiteral("】内のファイルを全て削除します。よろしいですか？");
  if (services_->Ask(this, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) !=
      QMessageBox::Yes) {
    return;
  }
  batch_plan_.Lists[n].clear();
  AddBatchFiles(n, {});
}

void MainWindow::DeleteAllBatchLists() {
  const QString text = QStringLiteral("指定した全てのファイルを削除します。よろしいですか？");
  if (services_->Ask(this, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) !=
      QMessageBox::Yes) {
    return;
  }
  for (int n = 0; n < kDropTargetCount; ++n) {
    batch_plan_.Lists[n].clear();
    AddBatchFiles(n, {});
  }
}

}  // namespace plandock::ui
