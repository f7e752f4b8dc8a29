#include "ui/file_grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

#include "app/file_list.h"
#include "ui/qt_text.h"

namespace plandock::ui {

FileGrid::FileGrid(QWidget* parent) : QTableWidget(1, 4, parent) {
  setObjectName("SG1");
  setHorizontalHeaderLabels({QStringLiteral("合体ファイル名"), QStringLiteral("ﾚｲﾔｸﾞﾙｰﾌﾟ"),
                             QStringLiteral("レイヤ"), QStringLiteral("線色")});
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(20);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);  // the header row opens nothing
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // A click opens the cell's dialog, so editing in place starts by typing or F2.
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
  setWordWrap(false);
  SetColumnWidths({393, 74, 48, 48});
  SetEntries({});
  connect(this, &QTableWidget::currentCellChanged, this,
          [this](int row, int column, int, int) { OnCurrentChanged(row, column); });
}

QString FileGrid::Cell(int row, int column) const {
  const QTableWidgetItem* it = item(row, column);
  return it == nullptr ? QString() : it->text();
}

void FileGrid::SetCell(int row, int column, const QString& text) {
  QTableWidgetItem* it = item(row, column);
  if (it == nullptr) {
    setItem(row, column, new QTableWidgetItem(text));
  } else {
    it->setText(text);
  }
}

std::vector<MergeEntry> FileGrid::Entries() const {
  std::vector<MergeEntry> entries(static_cast<size_t>(rowCount()));
  for (int r = 0; r < rowCount(); ++r) {
    entries[r] = {U(Cell(r, 0)), U(Cell(r, 1)), U(Cell(r, 2)), U(Cell(r, 3))};
  }
  return entries;
}

void FileGrid::SetEntries(const std::vector<MergeEntry>& entries) {
  quiet_ = true;
  const int rows = std::max<int>(1, static_cast<int>(entries.size()));
  setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    const MergeEntry e = r < static_cast<int>(entries.size()) ? entries[r] : MergeEntry{};
    SetCell(r, 0, Q(e.Path));
    SetCell(r, 1, Q(e.LayerGroup));
    SetCell(r, 2, Q(e.Layer));
    SetCell(r, 3, Q(e.PenColor));
  }
  if (currentRow() < 0 || currentRow() >= rows) setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
  quiet_ = false;
}

void FileGrid::SetColumnWidths(const std::array<int32_t, 4>& widths) {
  for (int c = 0; c < 4; ++c) setColumnWidth(c, std::max(widths[c], 32));
  FitFirstColumn();
}

std::array<int32_t, 4> FileGrid::ColumnWidths() const {
  return {columnWidth(0), columnWidth(1), columnWidth(2), columnWidth(3)};
}

void FileGrid::SelectColumns(int first, int last) {
  clearSelection();
  setRangeSelected(QTableWidgetSelectionRange(0, first, rowCount() - 1, last), true);
}

void FileGrid::DeleteSelection() {
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
    SetCell(index.row(), index.column(), QString());
  }
  std::vector<MergeEntry> entries = Entries();
  CompactFileList(entries);
  SetEntries(entries);
}

void FileGrid::FitFirstColumn() {
  // Four grid lines and one pixel, as the list was laid out at design time.
  const int rest = viewport()->width() - columnWidth(1) - columnWidth(2) - columnWidth(3) - 4 - 1;
  setColumnWidth(0, std::max(rest, 64));
}

void FileGrid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  FitFirstColumn();
}

void FileGrid::OnCurrentChanged(int row, int column) {
  if (quiet_ || row < 0 || column < 0) return;
  if (pressing_) return;  // the release decides
  emit cellChosen(row, column);
}

void FileGrid::mousePressEvent(QMouseEvent* event) {
  pressing_ = true;
  press_index_ = indexAt(event->position().toPoint());
  QTableWidget::mousePressEvent(event);
  pressing_ = false;
}

void FileGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid() && index == press_index_ &&
      index == currentIndex()) {
    emit cellChosen(index.row(), index.column());
  }
}

}  // namespace plandock::ui
