#include "ui/choice_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/file_list.h"

namespace plandock::ui {
namespace {

struct Texts {
  const char* object_name;
  const char* caption;
  const char* prompt;
};
constexpr Texts kTexts[] = {{"Form2", "レイヤグループ", "合体先レイヤグループの指定"},
                            {"Form3", "レイヤ", "合体先レイヤの指定"},
                            {"Form4", "線色", "合体先線色の指定"}};

}  // namespace

ChoiceDialog::ChoiceDialog(ChoiceKind kind, QWidget* parent)
    : QDialog(parent), kind_(kind), list_(new QComboBox(this)) {
  const Texts& texts = kTexts[static_cast<int>(kind)];
  setObjectName(texts.object_name);
  setWindowTitle(QString::fromUtf8(texts.caption));
  list_->setObjectName("ChoiceList");
  list_->setEditable(false);
  list_->setMaxVisibleItems(17);
  auto* ok = new QPushButton(QStringLiteral("ＯＫ(&Y)"), this);
  ok->setObjectName("OkButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル(&N)"), this);
  cancel->setObjectName("CancelButton");
  connect(ok, &QPushButton::clicked, this, [this] {
    OKflag = true;
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(texts.prompt), this));
  layout->addWidget(list_);
  layout->addLayout(buttons);
  setMinimumWidth(260);
  FillList();
}

void ChoiceDialog::FillList() {
  list_->clear();
  if (kind_ == ChoiceKind::kColor) {
    list_->addItem(QStringLiteral("元線色"));
    static const char16_t kDigits[] = u"１２３４５６７８";
    for (int i = 0; i < 8; ++i) list_->addItem(QStringLiteral("線色") + QChar(kDigits[i]));
    list_->addItem(QStringLiteral("線色９（補助色）"));
    for (int n = 1; n <= 256; ++n) list_->addItem(QStringLiteral("SXF-") + QString::number(n));
    return;
  }
  const bool group = kind_ == ChoiceKind::kLayerGroup;
  list_->addItem(group ? QStringLiteral("元レイヤグループ") : QStringLiteral("元レイヤ"));
  for (int v = 0; v < 16; ++v) {
    const QString digit = QString(QChar(u"0123456789ABCDEF"[v]));
    list_->addItem(group ? "[" + digit + "]" : "(" + digit + ")");
  }
}

void ChoiceDialog::Run() {
  OKflag = false;
  // The colour list is built each time the dialog opens.
  if (kind_ == ChoiceKind::kColor) FillList();
  const bool color = kind_ == ChoiceKind::kColor;
  list_->setCurrentIndex(color ? ColorItemForValue(P_1) : LayerItemForValue(P_1));
  list_->setFocus();
  exec();
  if (!OKflag) return;
  const int item = list_->currentIndex();
  P_1 = color ? ColorValueForItem(item) : LayerValueForItem(item);
}

}  // namespace plandock::ui
