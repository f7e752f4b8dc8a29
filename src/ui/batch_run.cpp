// The batch run from "一括指定より連続合体を実行(&R)".
#include "ui/main_window.h"

namespace plandock::ui {

void MainWindow::RunBatch() {}

}  // namespace plandock::ui
