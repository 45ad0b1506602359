// SPDX-License-Identifier: MIT
#include "fixed_window.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vornikat {
namespace {

constexpr Qt::WindowStates kNotFixed = Qt::WindowMaximized | Qt::WindowFullScreen;

bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

class SizeKeeper final : public QObject {
  public:
    explicit SizeKeeper(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_.windowHandle()) {
            // Qt's title bar comes, or goes, with the compositor's answer on decorations,
            // which arrives with the window's first configuration, before it is exposed.
            if (event->type() == QEvent::Expose) {
                TellFixedSize(window_);
            }
            return false;
        }
        if (watched != &window_) {
            return false;
        }
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::WinIdChange:
                if (window_.windowHandle() != nullptr) {
                    window_.windowHandle()->installEventFilter(this);
                }
                TellFixedSize(window_);
                break;
            case QEvent::WindowStateChange:
                if (window_.windowState() & kNotFixed) {
                    // Asked once the compositor's state has been taken in full.
                    QTimer::singleShot(0, &window_, [this] {
                        window_.setWindowState(window_.windowState() & ~kNotFixed);
                    });
                }
                break;
            case QEvent::Resize:
                if (OnWayland() && !(window_.windowState() & kNotFixed) &&
                    window_.size() != window_.minimumSize()) {
                    QTimer::singleShot(0, &window_, [this] {
                        if (!(window_.windowState() & kNotFixed)) {
                            window_.resize(window_.minimumSize());
                        }
                    });
                }
                break;
            default:
                break;
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

void KeepSizeFixed(QWidget& window) {
    new SizeKeeper(window);
}

void TellFixedSize(QWidget& window) {
    if (!OnWayland() || window.windowHandle() == nullptr) {
        return;
    }
    window.windowHandle()->setMaximumSize(
        QtDrawsTitleBar(window) ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : window.maximumSize());
}

bool QtDrawsTitleBar(const QWidget& window) {
    // On Wayland a window's frame is only ever Qt's own decoration: with the compositor's
    // title bars, or none, its margins are empty.
    return OnWayland() && window.windowHandle() != nullptr &&
           !window.windowHandle()->frameMargins().isNull();
}

}  // namespace vornikat
