#pragma once

#include "game/Action.h"

#include <functional>

class QAbstractButton;
class QWidget;

// Moves the focus through the shown buttons in the layout's tab order, whatever order they were
// made in: to the next after the focused one (the one before, going back), or, from anywhere
// else, to the first (the last).
void focusNextShownButton(const std::function<QAbstractButton*(Action)>& button,
                          const QWidget* focused, bool next);
