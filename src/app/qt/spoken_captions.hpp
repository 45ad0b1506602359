// SPDX-License-Identifier: MIT
// What a screen reader is told of Main beyond what it reads off the controls themselves: the
// question from whichever option has the focus, what the counter and the countdown are, and the
// window's parts in the order a sighted player reads them.
#pragma once

#include <QString>

#include "design_builder.hpp"

class QLabel;
class QRadioButton;

namespace vornikat {

// Puts the controls of each container in the accessible tree in tab order, the order of reading.
void ArrangeReadingOrder(const WindowDesign& design, const BuiltControls& controls);

// Names a label that shows a bare value by its frame's caption and the value: «Таймер: 0:59».
void NameValueLabel(QLabel& label, const QString& value);

// Gives every option of the group the question as its description, so that it is read with the
// option in focus, and announced at once when the option in focus keeps the focus.
void DescribeOptions(QWidget& group, const QString& question);

}  // namespace vornikat
