// The launcher's pictures (Image1 and the buttons'), drawn in code so that the program needs no
// image files.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace veldra::ui {

QPixmap launcherPicture(QSize size);

// The pictures of the three stage buttons (1 pre-processor, 2 processor, 3 post-processor): a
// triangle mesh, a matrix, a coloured result.
QIcon stageIcon(int stage);

}  // namespace veldra::ui
