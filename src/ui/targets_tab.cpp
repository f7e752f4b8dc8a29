// Tab 1: the nine drop targets, a panel each with the name and, for D1..D8,
// the layer group, layer and colour a dropped drawing gets.
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/main_window.h"

namespace plandock::ui {
namespace {

QLineEdit* Field(const QString& name, int max_length, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(max_length);
  return edit;
}

}  // namespace

QWidget* MainWindow::BuildTargetsTab() {
  auto* page = new QWidget(this);
  page->setObjectName("TabSheet2");
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setSpacing(4);
  for (int n = 0; n < kDropTargetCount; ++n) {
    auto* panel = new QGroupBox(
        n == 0 ? QStringLiteral("ベース図面ファイル") : QStringLiteral("合体図面ファイル"), page);
    panel->setObjectName(QString("PanelA%1").arg(n + 1));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(6, 2, 6, 4);
    form->setVerticalSpacing(1);
    form->setLabelAlignment(Qt::AlignRight);
    const QString base = QString("EditA%1").arg(n + 1);
    auto* name = Field(base, 32, panel);
    form->addRow(name);
    connect(name, &QLineEdit::textChanged, this, [this, n] { UpdateCaptions(n); });
    if (n == 0) {
      grid->addWidget(panel, 0, 0);
      continue;
    }
    const std::pair<QString, int> presets[] = {{QStringLiteral("レイヤグループ："), 2},
                                               {QStringLiteral("レイヤ："), 2},
                                               {QStringLiteral("線色："), 3}};
    for (int k = 0; k < 3; ++k) {
      auto* field = Field(base + QString::number(k + 1), presets[k].second, panel);
      field->setAttribute(Qt::WA_InputMethodEnabled, false);
      field->setMaximumWidth(48);
      form->addRow(presets[k].first, field);
    }
    grid->addWidget(panel, n / 3, n % 3);
  }
  return page;
}

}  // namespace plandock::ui
