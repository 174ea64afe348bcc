// What the lesson's three windows share in their look: the program's title, the
// layouts' colours, the fixed-border window flags and the label, memo and window
// makers. Fonts are in app/UiFonts.h.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <string_view>

#include "app/UiFonts.h"
#include "toolkit/Screen.h"
#include "toolkit/StdControls.h"
#include "toolkit/Utf8.h"

// The title of the main window and of every error box.
inline constexpr std::string_view ProgramTitle = "Velmora 1.0";

namespace LessonColours {
inline const QColor Cream(0xFF, 0xFF, 0x80);
inline const QColor White(0xFF, 0xFF, 0xFF);
inline const QColor Silver(0xC0, 0xC0, 0xC0);
inline const QColor Teal(0x00, 0x80, 0x80);
// The web link: white, cream while the pointer is over it.
inline const QColor Link = White;
inline const QColor LinkUnderPointer = Cream;
} // namespace LessonColours

// A window with a fixed single border, a title, the system menu and a close button;
// the main window can also be minimised. None can be maximised.
inline Qt::WindowFlags FixedBorderWindow(bool minimisable)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (minimisable)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

// A label sizes itself to its text unless the layout gives it a fixed size.
enum class LabelSize { Auto, Fixed };

inline TLabel* MakeLabel(QWidget* parent, QRect box, std::string_view caption, const QFont& font,
                         const QColor& colour, LabelSize size, Qt::Alignment align = Qt::AlignLeft)
{
    auto* label = new TLabel(parent);
    label->setGeometry(box);
    label->setFont(font);
    label->SetFontColor(colour);
    label->setAlignment(align | Qt::AlignTop);
    label->SetCaption(caption);
    label->SetAutoSize(size == LabelSize::Auto);
    return label;
}

inline TMemo* MakeMemo(QWidget* parent, QRect box, const QFont& font, const QColor& text, const QColor& background)
{
    auto* memo = new TMemo(parent);
    memo->setGeometry(box);
    memo->setFont(font);
    QPalette p = memo->palette();
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, background);
    memo->setPalette(p);
    return memo;
}

// The About window and the crib sheet: a fixed size and background, centred; closing
// only hides them, and the menu shows them again as they were.
inline void MakeSecondaryWindow(QWidget* window, std::string_view caption, int width, int height,
                                const QColor& background)
{
    window->setWindowFlags(FixedBorderWindow(false));
    window->setWindowTitle(ToQString(caption));
    window->setFixedSize(width, height);
    window->setFont(UiFont(11, false));
    QPalette p = window->palette();
    p.setColor(QPalette::Window, background);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    CentreOnScreen(window);
}
