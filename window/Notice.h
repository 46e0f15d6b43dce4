#pragma once

class QString;
class QWidget;

// A short message at the window's top-left corner that goes away by itself. It is a tooltip, not
// paint on the picture, so saved pictures and clips never show it.
void showNotice(QWidget& window, const QString& text);
// The same for something that went wrong, also as a line on standard error.
void showFailure(QWidget& window, const QString& text);
