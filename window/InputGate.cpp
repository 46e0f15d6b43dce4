#include "window/InputGate.h"

#include "game/GameRunner.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

InputGate::InputGate(GameRunner& runner, QObject* parent) : QObject(parent), runner_(runner) {
    QCoreApplication::instance()->installEventFilter(this);
}

InputGate::~InputGate() {
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void InputGate::hold(Held held) {
    held_.emplace(next_, std::move(held));
    runner_.hold(next_++);
}

void InputGate::defer(std::function<void()> action) {
    if (runner_.busy() && !replaying_)
        hold({nullptr, nullptr, std::move(action)});
    else
        action();
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    // Only widget-level events: by then Qt has chosen the receiver, which is what is kept.
    if (replaying_ || !runner_.busy() || runner_.halted() || !watched->isWidgetType() ||
        !isUserInput(event->type()))
        return false;
    hold({watched, std::unique_ptr<QEvent>(event->clone()), {}});
    return true;
}

void InputGate::replay(std::uint32_t item) {
    const auto found = held_.find(item);
    if (found == held_.end())
        return;
    Held next = std::move(found->second);
    held_.erase(found);
    // What it starts plays at once: it is its turn, whatever is held behind it.
    const bool wasReplaying = std::exchange(replaying_, true);
    if (next.action) {
        next.action();
    } else if (auto* widget = qobject_cast<QWidget*>(next.receiver.data());
               widget && widget->isVisible()) {
        // A button hidden meanwhile cannot be clicked.
        QCoreApplication::sendEvent(widget, next.event.get());
    }
    replaying_ = wasReplaying;
}
