// SPDX-License-Identifier: MIT
// empty_message_box: the least a Qt Widgets program does to show a window, one message box like
// the quiz's greeting; the start benchmark's yardstick.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ворникат"),
                    QStringLiteral("Вы готовы пройти Ворникат ?"),
                    QMessageBox::Yes | QMessageBox::No);
    return box.exec();
}
