// SPDX-License-Identifier: MIT
// Qt's own texts (the buttons of message boxes) in the language of the system.
#pragma once

class QCoreApplication;

namespace vornikat {

// Loads Qt's translations for the system locale where the system has them; English otherwise.
void InstallQtTranslations(QCoreApplication& application);

}  // namespace vornikat
