// SPDX-License-Identifier: MIT
#include "whole_text_box.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "fixed_window.hpp"

namespace vornikat {
namespace {

// The object name that QMessageBox's private code gives the label of its text: undocumented,
// and the only handle on the label. Should a Qt rename it, the box keeps Qt's own sizing.
const QLatin1String kQtMessageLabel("qt_msgbox_label");

// What a window manager's frame may take of the screen's width beside the box.
constexpr int kFrameAllowance = 16;

// Qt's title bar on Wayland (its "bradient" decoration, the only one Qt 6.4 has) draws its
// minimize, maximize and close buttons on every window, whatever the window's flags, in 77
// pixels at the right: three buttons of 18, two gaps of 5, a margin of 8 and 5 before the
// title. The title is centred on the whole bar and cut where those buttons begin, in a font of
// 14 pixels; a box at least twice that room wider than its title shows the title whole.
constexpr int kQtTitleBarButtons = 77;
constexpr int kQtTitlePixelSize = 14;

}  // namespace

WholeTextBox::WholeTextBox(Icon icon, const QString& title, const QString& text,
                           StandardButtons buttons, QWidget* owner)
    : QMessageBox(icon, title, text, buttons, owner) {}

// QMessageBox sizes itself on these events (in its private updateSize; ScreenChangeInternal is
// Qt's internal event for a move to another screen): it wraps any text wider than half the
// screen and never grows past 1000 pixels however wide the screen, and the program's lines are
// written to be read whole. The box lets Qt size it first, then sizes it again: each line whole
// while the screen has room for it, wrapped at the screen's width only.
bool WholeTextBox::event(QEvent* event) {
    const bool handled = QMessageBox::event(event);
    switch (event->type()) {
        case QEvent::Show:
            if (windowHandle() != nullptr) {
                windowHandle()->installEventFilter(this);
            }
            FitToText();
            break;
        case QEvent::LayoutRequest:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::ScreenChangeInternal:
            FitToText();
            break;
        case QEvent::WindowStateChange:
            // The box holds every other window of the program until it is answered: a window
            // manager's minimize would leave the player before windows that do not answer and
            // no box to find. (Wayland has no request to undo a minimize: there the
            // compositor's window switcher brings the box back.)
            if (isMinimized()) {
                QTimer::singleShot(0, this, [this] {
                    setWindowState(windowState() & ~Qt::WindowMinimized);
                    show();
                    activateWindow();
                });
            }
            break;
        default:
            break;
    }
    return handled;
}

// On Wayland Qt's title bar, if it draws one, comes with the compositor's first configuration,
// before the box is exposed and after it is shown.
bool WholeTextBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        FitToText();
    }
    return QMessageBox::eventFilter(watched, event);
}

void WholeTextBox::FitToText() {
    auto* label = findChild<QLabel*>(kQtMessageLabel);
    // A box that a compositor has maximized draws at the compositor's size until it is back,
    // and may learn of the state only after the size: either way, it is left alone meanwhile.
    if (label == nullptr || layout() == nullptr || !isVisible() ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) || size() != minimumSize()) {
        return;
    }
    int widest = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n'))) {
        widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
    }
    label->setWordWrap(true);
    layout()->activate();
    const int besideText = layout()->totalMinimumSize().width() - label->minimumSizeHint().width();
    const int frame = qMax(frameGeometry().width() - geometry().width(), kFrameAllowance);
    const QRect screenArea = screen()->availableGeometry();
    const int room = screenArea.width() - frame;
    // A pixel to spare: the advance of a line is rounded.
    const int titleWidth = QtDrawsTitleBar(*this) ? TitleWidth() + 2 * kQtTitleBarButtons : 0;
    const int width = qMin(room, std::max({minimumWidth(), besideText + widest + 1, titleWidth}));
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                     : layout()->totalMinimumSize().height();
    if (size() != QSize(width, height)) {
        // The box was placed for the size Qt gave it: it goes again to the middle of its owner,
        // or of the screen, at its own.
        const QWidget* owner = parentWidget();
        QRect placed(QPoint(), QSize(width, height));
        placed.moveCenter(owner != nullptr ? owner->frameGeometry().center() : screenArea.center());
        placed.moveLeft(qBound(screenArea.left(), placed.left(), screenArea.right() - width));
        placed.moveTop(qBound(screenArea.top(), placed.top(), screenArea.bottom() - height));
        setFixedSize(width, height);
        move(placed.topLeft());
    }
    TellFixedSize(*this);
    QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
}

int WholeTextBox::TitleWidth() const {
    QFont font = QGuiApplication::font();
    font.setPixelSize(kQtTitlePixelSize);
    return QFontMetrics(font).horizontalAdvance(windowTitle());
}

}  // namespace vornikat
