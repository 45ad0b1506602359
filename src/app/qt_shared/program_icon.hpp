// SPDX-License-Identifier: MIT
// The program icon, from the icon file carried inside the executable.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace vornikat {

QIcon ProgramIcon();
// The icon's 32 x 32 image, as a picture box shows it.
QPixmap ProgramIconImage();

}  // namespace vornikat
