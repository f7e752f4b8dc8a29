// The three choice dialogs: layer group (TForm2), layer (TForm3) and line
// colour (TForm4). P_1 is the value in and out; OKflag says "ＯＫ(&Y)" closed it.
#pragma once

#include <QDialog>

class QComboBox;

namespace plandock::ui {

enum class ChoiceKind { kLayerGroup, kLayer, kColor };

class ChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  ChoiceDialog(ChoiceKind kind, QWidget* parent);

  // Opens modally on the item for P_1; on OK, P_1 becomes the chosen value.
  void Run();

  bool OKflag = false;
  int P_1 = 0;

  QComboBox* list() const { return list_; }

 private:
  void FillList();

  ChoiceKind kind_;
  QComboBox* list_;
};

}  // namespace plandock::ui
