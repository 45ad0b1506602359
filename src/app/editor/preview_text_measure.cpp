// SPDX-License-Identifier: MIT
#include "preview_text_measure.hpp"

#include <QFontMetricsF>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>

#include "qt_text.hpp"

namespace vornikat::editor {
namespace {

// Whole lines of the font that a height holds, as the label lays them: the first line's
// height, then one line pitch (with the font's leading) for each further line.
int LinesIn(double height, double first, double pitch) {
    return height < first ? 0 : 1 + static_cast<int>(std::floor((height - first) / pitch + 1e-6));
}

}  // namespace

bank::TextRoom PreviewTextMeasure::MeasureQuestion(std::u16string_view text) const {
    if (text.empty()) {
        return {};
    }
    const auto& label = static_cast<const QLabel&>(preview_.Control("LblQ"));
    const QRectF room = label.contentsRect();
    const QFontMetricsF metrics(label.font());
    // The label's own flags: its alignment and its wrap at blanks, which keeps a longer word
    // whole, centred, and so cut on both sides.
    const int flags = static_cast<int>(label.alignment()) | Qt::TextWordWrap;
    const QRectF taken = metrics.boundingRect(room, flags, ToQString(text));
    // The lines' heights are the font's alone: measured again only for another font.
    if (label.font() != lineFont_) {
        lineFont_ = label.font();
        firstLine_ = metrics.boundingRect(room, flags, QStringLiteral("Ж")).height();
        linePitch_ =
            metrics.boundingRect(room, flags, QStringLiteral("Ж\nЖ")).height() - firstLine_;
    }
    return {LinesIn(taken.height(), firstLine_, linePitch_),
            LinesIn(room.height(), firstLine_, linePitch_), taken.width() > room.width()};
}

bank::TextRoom PreviewTextMeasure::MeasureOption(std::u16string_view text) const {
    // The five buttons are alike; the first stands for them all.
    const auto& button = static_cast<const QRadioButton&>(preview_.Control("Ans1"));
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = LiteralButtonText(text);
    // The style draws the text from the left of this rectangle, and nothing past its right
    // edge or the button's.
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &button);
    const int shown = std::min(contents.right(), button.rect().right()) - contents.left() + 1;
    // The ink, not the advance: the last letter's advance may reach past its last drawn column.
    const QRectF ink = QFontMetricsF(button.font()).tightBoundingRect(ToQString(text));
    return {ink.isEmpty() ? 0 : static_cast<int>(std::ceil(ink.right())), shown};
}

}  // namespace vornikat::editor
