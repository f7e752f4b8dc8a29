#include "ui/progress_window.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace plandock::ui {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent),
      output_(new QLabel(this)),
      counter_(new QLabel(this)),
      next_(new QPushButton(QStringLiteral("次　へ (&N)"), this)) {
  setObjectName("Form5");
  setWindowTitle(QStringLiteral("一括指定による連続合体処理中"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 9; ++i) {
    lines_[i] = new QLabel(this);
    lines_[i]->setObjectName(QString("Line%1").arg(i + 1));
    layout->addWidget(lines_[i]);
  }
  output_->setObjectName("OutputLine");
  layout->addWidget(output_);
  counter_->setObjectName("Counter");
  counter_->setFrameShape(QFrame::Box);
  counter_->setAlignment(Qt::AlignCenter);
  counter_->setMinimumWidth(90);
  next_->setObjectName("NextButton");
  auto* stop = new QPushButton(QStringLiteral("中　断 (&A)"), this);
  stop->setObjectName("StopButton");
  auto* hint =
      new QLabel(QStringLiteral("※[Esc]キーでも中断可\n　しばらく押し続ける必要があります"), this);
  auto* bottom = new QGridLayout;
  bottom->addWidget(counter_, 0, 0);
  bottom->addWidget(hint, 0, 1);
  bottom->setColumnStretch(2, 1);
  bottom->addWidget(next_, 0, 3);
  bottom->addWidget(stop, 0, 4);
  layout->addLayout(bottom);
  connect(next_, &QPushButton::clicked, this, &QDialog::hide);
  connect(stop, &QPushButton::clicked, this, [this] {
    S_ESCF = true;
    hide();
  });
  setMinimumWidth(560);
}

void ProgressWindow::Begin() {
  S_ESCF = false;
  show();
  Display();
}

void ProgressWindow::Display() {
  lines_[0]->setText(QStringLiteral("ベース図面　：") + S_FNAME[1]);
  for (int i = 1; i < 9; ++i) lines_[i]->setText(QStringLiteral("合体ファイル：") + S_FNAME[i + 1]);
  output_->setText(QStringLiteral("保存先ファイル：") + S_FNAME[0]);
  counter_->setText(QString::number(S_P2) + QStringLiteral("／") + QString::number(S_P3));
  repaint();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) S_ESCF = true;
  QDialog::keyPressEvent(event);
}

// Escape and the close box stop the batch as "中　断 (&A)" does.
void ProgressWindow::reject() {
  S_ESCF = true;
  QDialog::reject();
}

}  // namespace plandock::ui
