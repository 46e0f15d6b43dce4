#include "window/TabOrder.h"

#include "game/Layout.h"

#include <QAbstractButton>

#include <algorithm>

void focusNextShownButton(const std::function<QAbstractButton*(Action)>& button,
                          const QWidget* focused, bool next) {
    const auto& order = Layout::TabOrder;
    const auto size = std::ssize(order);
    const auto at = std::find_if(order.begin(), order.end(),
                                 [&](Action action) { return button(action) == focused; });
    std::ptrdiff_t index = at == order.end() ? (next ? -1 : size) : at - order.begin();
    for (std::ptrdiff_t step = 0; step < size; ++step) {
        index = (index + (next ? 1 : -1) + size) % size;
        if (QAbstractButton* candidate = button(order[static_cast<std::size_t>(index)]);
            candidate->isVisible()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}
