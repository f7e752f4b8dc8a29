// The batch progress window TForm5: which pair is being merged, and a button
// and the Escape key to stop the batch.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLabel;
class QPushButton;

namespace plandock::ui {

class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent);

  // Clears S_ESCF, shows the window and writes its texts.
  void Begin();
  // Writes the texts from the fields and repaints at once.
  void Display();

  std::array<QString, 10> S_FNAME;  // 0 the output; 1..9 "【name】path" or empty
  int S_P2 = 0;                     // the pair's number, from 1
  int S_P3 = 0;                     // the number of pairs
  bool S_ESCF = false;              // a stop was asked for

  QPushButton* next_button() const { return next_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  std::array<QLabel*, 9> lines_{};
  QLabel* output_;
  QLabel* counter_;
  QPushButton* next_;
};

}  // namespace plandock::ui
