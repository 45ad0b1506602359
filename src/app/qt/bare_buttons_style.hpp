// SPDX-License-Identifier: MIT
// The desktop program's style: the desktop's own, with the buttons of its boxes bare of icons.
#pragma once

#include <QProxyStyle>

namespace vornikat {

// Message-box buttons without icons, as the classic boxes draw them. It spares the start the
// reading of those icons too, which in Qt 6.4 loads every image-format plugin installed.
class BareButtonsStyle final : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace vornikat
