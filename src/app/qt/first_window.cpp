// SPDX-License-Identifier: MIT
#include "first_window.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace vornikat {
namespace {

class FirstExposure final : public QObject {
  public:
    explicit FirstExposure(std::function<void()> action) : action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
            // Queued, so that the window is drawn first.
            QTimer::singleShot(0, QCoreApplication::instance(), std::move(action_));
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    std::function<void()> action_;
};

}  // namespace

void RunWhenFirstWindowShown(std::function<void()> action) {
    QCoreApplication::instance()->installEventFilter(new FirstExposure(std::move(action)));
}

}  // namespace vornikat
