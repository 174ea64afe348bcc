#include "toolkit/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QPalette::ColorRole RoleOf(TColor::System which)
{
    switch (which) {
    case TColor::System::BtnFace: return QPalette::Button;
    case TColor::System::BtnText: return QPalette::ButtonText;
    case TColor::System::BtnShadow: return QPalette::Dark;
    case TColor::System::BtnHighlight: return QPalette::Light;
    case TColor::System::Window: return QPalette::Base;
    case TColor::System::WindowText: return QPalette::WindowText;
    case TColor::System::Highlight: return QPalette::Highlight;
    case TColor::System::HighlightText: return QPalette::HighlightedText;
    case TColor::System::GrayText: return QPalette::Text;
    }
    return QPalette::Button;
}

QColor SystemColor(TColor::System which)
{
    // Without an application there is no desktop palette; Qt's default one stands in.
    const QPalette palette = qGuiApp ? QGuiApplication::palette() : QPalette();
    const QPalette::ColorGroup group =
        which == TColor::System::GrayText ? QPalette::Disabled : QPalette::Active;
    return palette.color(group, RoleOf(which));
}

} // namespace

TColor TColor::FromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return FromRgb(static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                   static_cast<std::uint8_t>(rgb.blue()));
}

std::uint32_t TColor::Rgb() const
{
    if (!system_)
        return value_;
    return SystemColor(static_cast<System>(value_)).rgb() & 0xFFFFFFu;
}

QColor TColor::ToQColor() const
{
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | Rgb()));
}
