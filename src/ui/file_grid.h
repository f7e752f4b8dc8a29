// The file list SG1: one row per MergeEntry under a fixed header. Moving the
// current cell onto a data cell, by mouse or keyboard, asks for that cell's
// dialog, as does a click on the current cell.
#pragma once

#include <QTableWidget>
#include <array>
#include <vector>

#include "merge/merge_settings.h"

namespace plandock::ui {

class FileGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit FileGrid(QWidget* parent);

  std::vector<MergeEntry> Entries() const;
  // Replaces every row (at least one stays) without asking for dialogs.
  void SetEntries(const std::vector<MergeEntry>& entries);
  QString Cell(int row, int column) const;
  void SetCell(int row, int column, const QString& text);

  // Widths of columns 1..3 are the user's; column 0 takes what is left.
  void SetColumnWidths(const std::array<int32_t, 4>& widths);
  std::array<int32_t, 4> ColumnWidths() const;
  void SelectColumns(int first, int last);
  // Clears the selected cells and compacts the list.
  void DeleteSelection();

 signals:
  void cellChosen(int row, int column);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FitFirstColumn();
  void OnCurrentChanged(int row, int column);

  bool quiet_ = false;       // rows are being replaced by the program
  bool pressing_ = false;    // inside a mouse press: wait for the release
  QModelIndex press_index_;  // a drag to another cell selects a range instead
};

}  // namespace plandock::ui
