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
        if (watched != &window_) {
            return false;
        }
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::WinIdChange:
                LeaveLargestSizeOpen(window_);
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

void LeaveLargestSizeOpen(QWidget& window) {
    if (OnWayland() && window.windowHandle() != nullptr) {
        window.windowHandle()->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }
}

}  // namespace vornikat
