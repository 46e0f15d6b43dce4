#include "window/KeysPanel.h"

#include "game/KeyTable.h"
#include "qt/CoreToQt.h"
#include "window/Look.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Room left around the card in a small window, and the card's size in a large one.
constexpr int Margin = 12;
constexpr QSize LargestCard{640, 680};

// Read from across the room, as the captions are.
constexpr int TitlePixels = 24;
constexpr int HeadingPixels = 19;
constexpr int BodyPixels = 15;

constexpr QRgb CardColour = qRgb(32, 32, 32);
constexpr QRgb TextColour = qRgb(240, 240, 240);
constexpr QRgb BorderColour = qRgb(128, 128, 128);

QString html(std::string_view text) {
    return toQString(text).toHtmlEscaped();
}

QString heading(const QString& text) {
    return QStringLiteral(
               "<p style=\"font-size: %1px; font-weight: bold; margin-top: 12px\">%2</p>")
        .arg(HeadingPixels)
        .arg(text);
}

// Every key from the one table, so that a new key cannot be left out here; then the mouse, and
// about the game.
QString helpText() {
    QString keys = QStringLiteral("<table width=\"100%\" cellspacing=\"3\">");
    for (const KeyBinding& binding : KeyTable)
        keys += QStringLiteral("<tr><td width=\"30%\" style=\"padding-right: 12px\"><b>%1</b></td>"
                               "<td>%2</td></tr>")
                    .arg(html(binding.names()), html(binding.help));
    keys += QStringLiteral("</table>");
    const QString closers =
        QStringLiteral("%1, %2").arg(html(bindingFor(WindowCommand::About).names()),
                                     html(bindingFor(WindowCommand::LeaveFullScreen).names()));
    return keys + heading(QStringLiteral("How to play")) +
           QStringLiteral("<p>Click the window anywhere outside the caption to go on with the "
                          "story. When the buttons show, press one to choose what the brumox "
                          "does; Tab moves between them. The right mouse button opens the "
                          "menu.</p><p>%1, the Close button or a click outside this card closes "
                          "it.</p>")
               .arg(closers) +
           heading(QStringLiteral("About")) +
           QStringLiteral("<p><b>%1</b><br>Version %2<br>Licence: MIT</p>"
                          "<p>A comic game: you are a brumox, a big red beast guarding its gold, "
                          "and a poorly drawn goblin is after it.</p>")
               .arg(html(GameName), QStringLiteral(BRUMOX_VERSION));
}

QFont bodyFont() {
    QFont font;
    font.setPixelSize(BodyPixels);
    return font;
}

} // namespace

KeysPanel::KeysPanel(QWidget& window) : QDialog(&window), window_(window) {
    // Drawn inside the game window, not as a window of its own.
    setWindowFlags(Qt::Widget);
    setObjectName(QStringLiteral("keysPanel"));
    setAccessibleName(QStringLiteral("Keys and help"));
    // Not even a release goes on to the window, which would take it for the end of a click.
    setAttribute(Qt::WA_NoMousePropagation);

    card_ = new QFrame(this);
    card_->setObjectName(QStringLiteral("keysCard"));
    card_->setFrameStyle(QFrame::Box | QFrame::Plain);
    card_->setAutoFillBackground(true);
    QPalette colours = card_->palette();
    colours.setColor(QPalette::Window, CardColour);
    colours.setColor(QPalette::Base, CardColour);
    colours.setColor(QPalette::WindowText, BorderColour); // the frame's line
    card_->setPalette(colours);
    QPalette textColours = colours;
    textColours.setColor(QPalette::WindowText, TextColour);

    auto* title = new QLabel(QStringLiteral("Keys and help"), card_);
    title->setFont(captionFont(TitlePixels));
    title->setPalette(textColours);

    auto* text = new QLabel(helpText());
    text->setObjectName(QStringLiteral("keysText"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setFont(bodyFont());
    text->setPalette(textColours);
    scroll_ = new QScrollArea(card_);
    scroll_->setObjectName(QStringLiteral("keysScroll"));
    scroll_->setAccessibleName(QStringLiteral("Keys, how to play and about the game"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(text);

    close_ = new QPushButton(QStringLiteral("Close"), card_);
    close_->setObjectName(QStringLiteral("keysClose"));
    close_->setFont(bodyFont());
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(card_);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(title);
    layout->addWidget(scroll_, 1);
    layout->addWidget(close_, 0, Qt::AlignRight);

    window_.installEventFilter(this);
    // Shown only when asked for, not along with the window.
    hide();
}

bool KeysPanel::openOver(const QWidget& window) {
    const auto* panel = window.findChild<KeysPanel*>(QString(), Qt::FindDirectChildrenOnly);
    return panel && panel->isVisible();
}

void KeysPanel::toggle() {
    if (isVisible()) {
        reject();
        return;
    }
    focusBefore_ = window_.focusWidget();
    // Also tells the dialog that it is placed already, so that it does not centre itself as a
    // window would.
    setGeometry(window_.rect());
    raise();
    show();
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->setFocus(Qt::OtherFocusReason);
}

void KeysPanel::done(int result) {
    // Given back before the panel hides, or Qt would pass the focus on to a story button.
    if (isVisible()) {
        QWidget* back = focusBefore_ && focusBefore_->isVisible() ? focusBefore_.data() : &window_;
        back->setFocus(Qt::OtherFocusReason);
    }
    QDialog::done(result);
}

bool KeysPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Resize:
        setGeometry(window_.rect());
        return false;
    // Clicks and keys held back while a picture painted come to the window once it is done:
    // while the panel is open they go no further, whenever they were made.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        return isVisible();
    default:
        return false;
    }
}

void KeysPanel::resizeEvent(QResizeEvent* event) {
    placeCard();
    QDialog::resizeEvent(event);
}

void KeysPanel::placeCard() {
    const QRect room = rect().adjusted(Margin, Margin, -Margin, -Margin);
    QRect card(QPoint(), LargestCard.boundedTo(room.size()));
    card.moveCenter(room.center());
    card_->setGeometry(card);
}

void KeysPanel::keyPressEvent(QKeyEvent* event) {
    // Nothing typed here goes on to the story behind, nor presses a default button as Enter
    // would in a dialog: the window's own keys (F1, Esc) close it.
    event->accept();
}

void KeysPanel::mousePressEvent(QMouseEvent* event) {
    // A click on the card stays there; anywhere else on the window it closes the panel.
    if (!card_->geometry().contains(event->position().toPoint()))
        reject();
}

bool KeysPanel::focusNextPrevChild(bool next) {
    QWidget* to = scroll_->hasFocus() ? static_cast<QWidget*>(close_) : scroll_;
    to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
