#pragma once

#include <QImage>

// The game's icon as the desktop shows and installs it: the core's square, scaled by Qt.
QImage iconImage(int size);
