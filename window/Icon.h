#pragma once

#include <QImage>

// The game's icon: the beast's head, painted by the game's own painters.
QImage paintIcon(int size);
