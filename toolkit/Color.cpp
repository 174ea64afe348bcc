#include "toolkit/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QPalette::ColorRole RoleOf(TColor::System which)
{
    switch (which) {
#define VELMORA_SYSTEM_ROLE(name, role) case TColor::System::name: return QPalette::role;
        VELMORA_SYSTEM_COLORS(VELMORA_SYSTEM_ROLE)
#undef VELMORA_SYSTEM_ROLE
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

const char* TColor::SystemName() const
{
    if (!system_)
        return "";
    switch (static_cast<System>(value_)) {
#define VELMORA_SYSTEM_NAME(name, role) case System::name: return "cl" #name;
        VELMORA_SYSTEM_COLORS(VELMORA_SYSTEM_NAME)
#undef VELMORA_SYSTEM_NAME
    }
    return "";
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
