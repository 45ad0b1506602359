// SPDX-License-Identifier: MIT
#include "program_icon.hpp"

#include "embedded_resources.hpp"

namespace vornikat {

QPixmap ProgramIconImage() {
    const auto file = EmbeddedIcon();
    QPixmap image;
    image.loadFromData(file.data(), static_cast<uint>(file.size()), "ICO");
    return image;
}

QIcon ProgramIcon() {
    return QIcon(ProgramIconImage());
}

}  // namespace vornikat
