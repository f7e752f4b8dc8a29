// Tab 3: the options of a merge job and the settings-file buttons.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/main_window.h"
#include "ui/main_window_internal.h"

namespace plandock::ui {
namespace {

QCheckBox* CheckBoxNamed(const char* name, QWidget* parent) {
  for (const CheckOption& o : kCheckOptions) {
    if (qstrcmp(o.name, name) == 0) {
      auto* box = new QCheckBox(QString::fromUtf8(o.caption), parent);
      box->setObjectName(o.name);
      return box;
    }
  }
  return nullptr;
}

QRadioButton* Radio(const QString& name, const QString& text, QWidget* parent) {
  auto* radio = new QRadioButton(text, parent);
  radio->setObjectName(name);
  return radio;
}

}  // namespace

QWidget* MainWindow::BuildSettingsTab() {
  auto* page = new QWidget(this);
  page->setObjectName("TabSheet4");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(3);

  auto* reference = new QHBoxLayout;
  reference->addWidget(new QLabel(QStringLiteral("基準点文字の内容"), page));
  auto* text = new QLineEdit(page);
  text->setObjectName("Edit4");
  text->setFixedWidth(120);
  reference->addWidget(text);
  auto* note = new QLabel(
      QStringLiteral("※基準点文字要素は補助線色で作図しておいて下さい（無い場合は図面中央合わせ）"),
      page);
  note->setWordWrap(true);
  reference->addWidget(note, 1);
  layout->addLayout(reference);
  layout->addWidget(CheckBoxNamed("CheckBox8", page));
  auto* many = CheckBoxNamed("CheckBox14", page);
  auto* many_row = new QHBoxLayout;
  many_row->addSpacing(20);
  many_row->addWidget(many);
  layout->addLayout(many_row);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox11", "CheckBox12", "CheckBox13",
                           "CheckBox5", "CheckBox7"}) {
    left->addWidget(CheckBoxNamed(name, page));
  }
  left->addStretch();
  columns->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  auto* size = new QGroupBox(QStringLiteral("合体属性(&A)"), page);
  size->setObjectName("GroupBox1");
  auto* size_layout = new QGridLayout(size);
  size_layout->setVerticalSpacing(1);
  size_layout->addWidget(Radio("RadioButton1", QStringLiteral("図寸"), size), 0, 0);
  size_layout->addWidget(Radio("RadioButton2", QStringLiteral("実寸"), size), 0, 1);
  size_layout->addWidget(CheckBoxNamed("CheckBox3", size), 1, 0, 1, 2);
  size_layout->addWidget(CheckBoxNamed("CheckBox4", size), 2, 0, 1, 2);
  right->addWidget(size);
  auto* states = new QGroupBox(QStringLiteral("合体後のレイヤ状態(&L)"), page);
  states->setObjectName("RadioGroup1");
  auto* states_layout = new QVBoxLayout(states);
  states_layout->setSpacing(1);
  const QString state_texts[] = {QStringLiteral("ベース図面のレイヤ状態"),
                                 QStringLiteral("合体ファイル指定レイヤを編集可能に"),
                                 QStringLiteral("全レイヤを編集可能に")};
  for (int i = 0; i < 3; ++i) {
    states_layout->addWidget(Radio(QString("RadioGroup1_%1").arg(i), state_texts[i], states));
  }
  right->addWidget(states);
  columns->addLayout(right, 1);
  layout->addLayout(columns);

  auto* environment = new QHBoxLayout;
  environment->addWidget(CheckBoxNamed("CheckBox6", page));
  auto* browse = new QPushButton(QStringLiteral("参照"), page);
  browse->setObjectName("Button2");
  browse->setFixedWidth(44);
  environment->addWidget(browse);
  auto* jwf = new QLineEdit(page);
  jwf->setObjectName("Edit5");
  environment->addWidget(jwf, 1);
  layout->addLayout(environment);
  layout->addWidget(CheckBoxNamed("CheckBox10", page));
  layout->addStretch();

  auto* files = new QHBoxLayout;
  files->addStretch();
  auto* save = new QPushButton(QStringLiteral("設定を保存"), page);
  save->setObjectName("Button17");
  auto* open = new QPushButton(QStringLiteral("設定を開く"), page);
  open->setObjectName("Button18");
  files->addWidget(save);
  files->addWidget(open);
  layout->addLayout(files);

  connect(browse, &QPushButton::clicked, this, &MainWindow::ChooseEnvironmentFile);
  connect(save, &QPushButton::clicked, this, &MainWindow::SaveSettingsAs);
  connect(open, &QPushButton::clicked, this, &MainWindow::OpenSettings);
  connect(Find<QCheckBox>("CheckBox8"), &QCheckBox::toggled, this, [many](bool on) {
    if (!on) many->setChecked(false);
  });
  return page;
}

}  // namespace plandock::ui
