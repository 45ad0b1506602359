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
// option as it takes the focus.
void DescribeOptions(QWidget& group, const QString& question);

// What a control in focus says of itself: its description (an option's question), then its name.
QString SpokenFocus(QWidget& control);

// The words said as the countdown shows CAPTION, or nothing while it is not yet time to warn.
QString CountdownWarning(const QString& caption);

// A box's text as it is said: the display's line breaks joined, a word they split made whole.
QString JoinDisplayLines(const QString& text);

// Names the title label by the title and the version together: a screen reader passes over a
// label of fewer than three words, and each of the two is one.
void NameTitleWithVersion(QLabel& title, const QLabel& version);

}  // namespace vornikat
