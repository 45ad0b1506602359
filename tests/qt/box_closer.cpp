// SPDX-License-Identifier: MIT
#include "box_closer.hpp"

#include <QAbstractButton>
#include <QApplication>

namespace vornikat::testing {

BoxCloser::BoxCloser() {
    poll_.setInterval(10);
    connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
    poll_.start();
}

void BoxCloser::Answer(QMessageBox::StandardButton button, std::function<void()> whileOpen) {
    pending_.push_back(Pending{button, std::move(whileOpen)});
}

void BoxCloser::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box == handled_) {
        return;
    }
    handled_ = box;
    Seen record{
        box->windowTitle(), box->text(), box->icon(), {}, watched_ && watched_->isVisible()};
    for (QAbstractButton* button : box->buttons()) {
        record.buttons += button->text().remove(QLatin1Char('&'));
    }
    seen.push_back(record);
    QAbstractButton* chosen = nullptr;
    if (!pending_.empty()) {
        const Pending next = std::move(pending_.front());
        pending_.pop_front();
        if (next.whileOpen) {
            next.whileOpen();
        }
        chosen = box->button(next.button);
    }
    if (chosen == nullptr) {
        ++unexpected;
        chosen = box->buttons().front();
    }
    chosen->click();
}

}  // namespace vornikat::testing
