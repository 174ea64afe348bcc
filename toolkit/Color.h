// A colour as the controls hold it: a fixed RGB value, or a system colour (button face,
// window text, ...) that follows the desktop's colour scheme and is looked up only
// when something is drawn with it.
#pragma once

#include <QColor>
#include <cstdint>

class TColor {
public:
    // The desktop colours a control may name instead of an RGB value.
    enum class System : std::uint8_t {
        BtnFace,
        BtnText,
        BtnShadow,
        BtnHighlight,
        Window,
        WindowText,
        Highlight,
        HighlightText,
        GrayText,
    };

    // Black, like a fresh pen.
    constexpr TColor() = default;

    static constexpr TColor FromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        return TColor(false, (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue);
    }
    // 0xRRGGBB, as the colours are written in the layouts.
    static constexpr TColor FromHex(std::uint32_t rrggbb) { return TColor(false, rrggbb & 0xFFFFFFu); }
    static constexpr TColor FromSystem(System which) { return TColor(true, static_cast<std::uint32_t>(which)); }
    static TColor FromQColor(const QColor& color);

    constexpr bool IsSystem() const { return system_; }

    // The RGB value now, as 0xRRGGBB; a system colour is read from the desktop's palette.
    std::uint32_t Rgb() const;
    QColor ToQColor() const;

    constexpr bool operator==(const TColor&) const = default;

private:
    constexpr TColor(bool system, std::uint32_t value) : system_(system), value_(value) {}

    bool system_ = false;
    std::uint32_t value_ = 0; // 0xRRGGBB, or the System value
};

inline constexpr TColor clBtnFace = TColor::FromSystem(TColor::System::BtnFace);
inline constexpr TColor clBtnText = TColor::FromSystem(TColor::System::BtnText);
inline constexpr TColor clBtnShadow = TColor::FromSystem(TColor::System::BtnShadow);
inline constexpr TColor clBtnHighlight = TColor::FromSystem(TColor::System::BtnHighlight);
inline constexpr TColor clWindow = TColor::FromSystem(TColor::System::Window);
inline constexpr TColor clWindowText = TColor::FromSystem(TColor::System::WindowText);
inline constexpr TColor clHighlight = TColor::FromSystem(TColor::System::Highlight);
inline constexpr TColor clHighlightText = TColor::FromSystem(TColor::System::HighlightText);
inline constexpr TColor clGrayText = TColor::FromSystem(TColor::System::GrayText);

inline constexpr TColor clBlack = TColor::FromHex(0x000000);
inline constexpr TColor clWhite = TColor::FromHex(0xFFFFFF);
inline constexpr TColor clGray = TColor::FromHex(0x808080);
inline constexpr TColor clSilver = TColor::FromHex(0xC0C0C0);
inline constexpr TColor clTeal = TColor::FromHex(0x008080);
