#include "ui/preview_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>
#include <memory>

#include "render/display_list.h"
#include "render/drawing_file.h"
#include "ui/preview_canvas.h"
#include "ui/qt_text.h"

namespace plandock::ui {
namespace {

struct Reading {
  render::DrawingRead read = render::DrawingRead::kCannotOpen;
  std::shared_ptr<const render::DisplayList> list;
};

Reading ReadForPreview(const std::u16string& path) {
  Reading out;
  TJwwData doc;
  out.read = render::ReadDrawingToDraw(path, doc);
  if (out.read == render::DrawingRead::kOk) {
    out.list = std::make_shared<const render::DisplayList>(render::BuildDisplayList(doc));
  }
  return out;
}

QString NothingToShow(PreviewSource source) {
  switch (source) {
    case PreviewSource::kRow:
      return QStringLiteral("ファイル一覧で合体ファイルを選択して下さい");
    case PreviewSource::kBase:
      return QStringLiteral("ベース図面ファイルが指定されていません");
    case PreviewSource::kResult:
      return QStringLiteral("まだ合体していません");
  }
  return {};
}

}  // namespace

PreviewWindow::PreviewWindow(std::function<QString(PreviewSource)> path_of, QWidget* parent)
    : QDialog(parent), path_of_(std::move(path_of)) {
  setObjectName("PreviewWindow");
  setWindowTitle(QStringLiteral("図面プレビュー"));
  resize(720, 560);

  auto* top = new QHBoxLayout;
  const QString captions[] = {QStringLiteral("合体ファイル"), QStringLiteral("ベース図面"),
                              QStringLiteral("合体結果")};
  for (int i = 0; i < 3; ++i) {
    choices_[i] = new QRadioButton(captions[i], this);
    choices_[i]->setObjectName(QString("PreviewSource%1").arg(i + 1));
    top->addWidget(choices_[i]);
    connect(choices_[i], &QRadioButton::clicked, this,
            [this, i] { Show(static_cast<PreviewSource>(i)); });
  }
  top->addStretch(1);
  auto* fit = new QPushButton(QStringLiteral("全体表示(&F)"), this);
  fit->setObjectName("PreviewFit");
  top->addWidget(fit);
  auto* close = new QPushButton(QStringLiteral("閉じる(&X)"), this);
  close->setObjectName("PreviewClose");
  top->addWidget(close);

  canvas_ = new PreviewCanvas(this);
  path_label_ = new QLabel(this);
  path_label_->setObjectName("PreviewPath");
  path_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(canvas_, 1);
  layout->addWidget(path_label_);

  connect(fit, &QPushButton::clicked, canvas_, &PreviewCanvas::FitToWindow);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void PreviewWindow::Show(PreviewSource source) {
  source_ = source;
  choices_[static_cast<int>(source)]->setChecked(true);
  Refresh(true);
  show();
  raise();
  activateWindow();
}

void PreviewWindow::Refresh(bool again) {
  const QString path = path_of_(source_);
  if (!again && path == shown_ && !path.isEmpty()) return;
  shown_ = path;
  path_label_->setText(path);
  if (path.isEmpty()) {
    ++serial_;
    loading_ = 0;
    canvas_->SetMessage(NothingToShow(source_));
    return;
  }
  Load(path);
}

void PreviewWindow::Load(const QString& path) {
  const unsigned serial = ++serial_;
  loading_ = serial;
  canvas_->SetMessage(QStringLiteral("読み込み中…"));
  auto result = std::make_shared<Reading>();
  // The thread owns itself: closing the window while it reads leaves it to finish alone.
  QThread* thread = QThread::create([result, file = U(path)] { *result = ReadForPreview(file); });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  connect(thread, &QThread::finished, this, [this, result, serial, path] {
    if (serial != serial_) return;  // another file was asked for meanwhile
    loading_ = 0;
    switch (result->read) {
      case render::DrawingRead::kOk:
        canvas_->SetDrawing(result->list);
        break;
      case render::DrawingRead::kCannotOpen:
        canvas_->SetMessage(QStringLiteral("図面ファイルを開けません：\n") + path);
        break;
      case render::DrawingRead::kNotADrawing:
        canvas_->SetMessage(
            QStringLiteral("JWW図面として読み込めません（壊れているか別の形式です）：\n") + path);
        break;
    }
  });
  thread->start();
}

}  // namespace plandock::ui
