// SPDX-License-Identifier: MIT
#include "design_builder.hpp"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "fixed_window.hpp"
#include "fonts.hpp"
#include "program_icon.hpp"
#include "qt_text.hpp"
#include "readable_colors.hpp"
#include "runtime_error.hpp"

namespace vornikat {
namespace {

// An option button answers a click anywhere in its rectangle, not only on its circle and text:
// the options are as wide as their frame.
class OptionButton final : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

std::string KeyOf(const ControlDesign& control) {
    std::string key(control.name);
    if (control.arrayIndex >= 0) {
        // Appended piece by piece: "(" + a temporary string trips GCC 12's -Wrestrict.
        key += '(';
        key += std::to_string(control.arrayIndex);
        key += ')';
    }
    return key;
}

Qt::WindowFlags FlagsOf(const WindowDesign& design) {
    Qt::WindowFlags flags = design.border == BorderStyle::FixedDialog ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowCloseButtonHint;
    if (design.minimizeButton) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (design.maximizeButton) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

// The design's fonts for the screen the window is on: the window's own, which the controls
// without a font of their own take, and each control's.
void ApplyDesignFonts(const WindowDesign& design, QWidget& window) {
    const TextScale scale = ScaleOf(*window.screen());
    window.setFont(MakeFont(DefaultFont(), scale));
    for (const ControlDesign& control : design.controls) {
        if (!control.font) {
            continue;
        }
        const QString name =
            QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size()));
        if (auto* widget = window.findChild<QWidget*>(name)) {
            widget->setFont(MakeFont(*control.font, scale));
        }
    }
}

// Gives a window the fonts of its design again whenever it moves to a screen of another
// scale, where a face that drew well may not.
class FontFollower final : public QObject {
  public:
    FontFollower(const WindowDesign& design, QWidget& window)
        : QObject(&window), design_(design), window_(window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::ScreenChangeInternal) {
            ApplyDesignFonts(design_, window_);
        }
        return false;
    }

  private:
    const WindowDesign& design_;
    QWidget& window_;
};

QWidget* CreateWidget(const ControlDesign& control, QWidget* parent) {
    switch (control.kind) {
        case ControlKind::CommandButton: {
            // Design captions mark their access keys with "&" on purpose. A focused button
            // takes Enter in any window, as on Windows; outside a dialog that makes it no
            // default button, so Enter elsewhere still presses nothing.
            auto* button = new QPushButton(ToQString(control.text), parent);
            button->setAutoDefault(true);
            button->setDefault(control.isDefault);
            return button;
        }
        case ControlKind::Frame:
            return new QGroupBox(ToQString(control.text), parent);
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            // Texts from a question bank are shown as they are, never read as markup.
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setText(ToQString(control.text));
            label->setAlignment(
                Qt::AlignTop |
                (control.alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft));
            return label;
        }
        case ControlKind::OptionButton: {
            // Options that share a parent form one exclusive group.
            auto* option = new OptionButton(LiteralButtonText(control.text), parent);
            option->setChecked(control.startsSelected);
            return option;
        }
        case ControlKind::PictureBox: {
            auto* picture = new QLabel(parent);
            picture->setPixmap(ProgramIconImage());
            picture->setFocusPolicy(Qt::StrongFocus);
            return picture;
        }
        case ControlKind::Line: {
            // A line of the designs is axis-aligned: the pixels it covers, in its colour.
            auto* line = new QWidget(parent);
            QPalette palette = line->palette();
            palette.setColor(QPalette::Window,
                             QColor(control.line->color.red, control.line->color.green,
                                    control.line->color.blue));
            line->setPalette(palette);
            line->setAutoFillBackground(true);
            line->setAttribute(Qt::WA_TransparentForMouseEvents);
            return line;
        }
        case ControlKind::Timer:
            break;
    }
    return nullptr;
}

QRect PixelGeometry(const ControlDesign& control, const QWidget& window) {
    if (control.line) {
        const PixelRect band = LinePixelRect(
            *control.line, static_cast<int>(window.screen()->logicalDotsPerInch() + 0.5));
        return QRect(band.left, band.top, band.width, band.height);
    }
    return QRect(ToPixels(window, control.left), ToPixels(window, control.top),
                 ToPixels(window, control.width), ToPixels(window, control.height));
}

void ApplySettings(const ControlDesign& control, QWidget& widget) {
    widget.setObjectName(
        QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size())));
    if (control.arrayIndex >= 0) {
        widget.setProperty("index", control.arrayIndex);
    }
    if (!control.toolTip.empty()) {
        widget.setToolTip(ToQString(control.toolTip));
    }
    if (!control.accessibleName.empty()) {
        widget.setAccessibleName(ToQString(control.accessibleName));
    }
    // The design's text colour was chosen for a light window; on a dark theme's background it
    // would not read, and the theme's own text colour is kept.
    if (control.foreColor) {
        const QColor wanted(control.foreColor->red, control.foreColor->green,
                            control.foreColor->blue);
        QPalette palette = widget.palette();
        if (ContrastRatio(wanted, palette.color(QPalette::Window)) >= kReadableContrast) {
            palette.setColor(QPalette::WindowText, wanted);
            widget.setPalette(palette);
        }
    }
}

}  // namespace

QWidget& BuiltControls::At(std::string_view name) const {
    const auto found = byName.find(name);
    if (found == byName.end()) {
        throw RuntimeError(err::kInvalidCall);
    }
    return *found->second;
}

void BuiltControls::ThrowWrongKind() {
    throw RuntimeError(err::kInvalidCall);
}

int ToPixels(const QWidget& window, int twips) {
    return TwipsToPixels(twips, static_cast<int>(window.screen()->logicalDotsPerInch() + 0.5));
}

void ApplyClientDesign(const WindowDesign& design, QWidget& client) {
    ApplyDesignFonts(design, client);
    new FontFollower(design, client);
    client.setFixedSize(ToPixels(client, design.clientWidth),
                        ToPixels(client, design.clientHeight));
}

void ApplyWindowDesign(const WindowDesign& design, QWidget& window) {
    window.setWindowFlags(FlagsOf(design));
    window.setWindowTitle(ToQString(design.caption));
    ApplyClientDesign(design, window);
    KeepSizeFixed(window);
    const QSize client = window.size();
    if (design.centered) {
        // The frame is the window manager's and unknown before the first show: the client
        // area is what is centred.
        const QRect screen = window.screen()->availableGeometry();
        window.setGeometry(
            QRect(screen.center() - QPoint(client.width() / 2, client.height() / 2), client));
    }
}

BuiltControls BuildControls(const WindowDesign& design, QWidget& window) {
    BuiltControls built;
    for (const ControlDesign& control : design.controls) {
        QWidget* parent = control.parent.empty() ? &window : &built.At(control.parent);
        QWidget* widget = CreateWidget(control, parent);
        if (widget == nullptr) {
            continue;
        }
        ApplySettings(control, *widget);
        widget->setGeometry(PixelGeometry(control, window));
        built.byName.emplace(KeyOf(control), widget);
    }
    ApplyDesignFonts(design, window);
    QWidget* previous = nullptr;
    for (const ControlDesign* control : FocusOrder(design)) {
        QWidget* widget = &built.At(KeyOf(*control));
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        } else {
            built.firstFocus = widget;
        }
        previous = widget;
    }
    if (built.firstFocus != nullptr) {
        built.firstFocus->setFocus();
    }
    return built;
}

}  // namespace vornikat
