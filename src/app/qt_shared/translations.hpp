// SPDX-License-Identifier: MIT
// Qt's own texts (the buttons of message boxes, the file dialogs) in the language of the system,
// or in one a program is written in throughout.
#pragma once

#include <QLocale>

class QCoreApplication;

namespace vornikat {

// Loads Qt's translations for the locale where the system has them; English otherwise.
void InstallQtTranslations(QCoreApplication& application, const QLocale& locale = QLocale());

}  // namespace vornikat
