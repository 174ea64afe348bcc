// A shown, active window on a distinctive background, for the XP-look control tests.
#pragma once

#include <QFont>
#include <QLineEdit>
#include <QPalette>
#include <QRect>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/xpcontrols/Driving.h"
#include "toolkit/Form.h"

inline constexpr std::uint32_t FormColour = 0x3060C0;

inline QFont LayoutFont(int pixels, bool bold)
{
    QFont font("MS Sans Serif");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The box around every pixel of one colour inside area; empty when there is none.
inline QRect Bounds(const QImage& image, std::uint32_t colour, QRect area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (driving::Rgb(image, x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

class XpFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(320, 200);
        QPalette palette = form.palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(FormColour));
        form.setPalette(palette);
        edit = new QLineEdit(&form);
        edit->setGeometry(200, 10, 100, 24);
    }

    // Call after the controls are made.
    void ShowForm()
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        driving::Flush();
    }

    TForm form;
    QLineEdit* edit = nullptr;
};
