#pragma once

class GameWindow;
class QImage;

// What a saved picture or a clip holds: the window's picture area as it shows, with the caption
// and the buttons, but never the keys and help over it. At the window's own pixel ratio, so that
// it has every device pixel.
QImage grabPicture(GameWindow& window);
