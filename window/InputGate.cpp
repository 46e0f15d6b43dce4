#include "window/InputGate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

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

InputGate::InputGate(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

InputGate::~InputGate() {
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void InputGate::setBusy(bool busy) {
    busy_ = busy;
    // Replay from the event loop, not from inside the handler that is returning, so that a
    // replayed click which starts a new handler does not nest in the old one.
    if (!busy_ && !held_.empty())
        QTimer::singleShot(0, this, &InputGate::replay);
}

void InputGate::defer(std::function<void()> action) {
    if (!busy_ && held_.empty()) {
        action();
        return;
    }
    held_.push_back({nullptr, nullptr, std::move(action)});
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    // Only widget-level events: by then Qt has chosen the receiver, which is what is kept.
    if (!busy_ || !watched->isWidgetType() || !isUserInput(event->type()))
        return false;
    held_.push_back({watched, std::unique_ptr<QEvent>(event->clone()), {}});
    return true;
}

void InputGate::replay() {
    while (!busy_ && !held_.empty()) {
        Held next = std::move(held_.front());
        held_.pop_front();
        if (next.action) {
            next.action();
            continue;
        }
        auto* widget = qobject_cast<QWidget*>(next.receiver.data());
        // A button hidden meanwhile cannot be clicked.
        if (widget && widget->isVisible())
            QCoreApplication::sendEvent(widget, next.event.get());
    }
}
