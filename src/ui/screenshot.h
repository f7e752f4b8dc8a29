// The README's pictures: the window filled with drawings, its tabs and the preview.
#pragma once

#include <QString>
#include <QStringList>

namespace plandock::ui {

class MainWindow;

// Drops `overlays` on the first frames of the batch tab (the base drawing,
// already on the command line, on D0's), then writes window-files.png,
// window-batch.png, the other two tabs and the base in the preview
// (window-preview.png) into `folder`. False when a picture could not be written.
bool TakeScreenshots(MainWindow& window, const QString& base, const QStringList& overlays,
                     const QString& folder);

}  // namespace plandock::ui
