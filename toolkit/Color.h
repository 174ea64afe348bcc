// A colour as the controls hold it: a fixed RGB value, or a system colour (button face,
// window text, ...) that follows the desktop's colour scheme and is looked up only
// when something is drawn with it.
#pragma once

#include <QColor>
#include <cstdint>

// The desktop colours a control may name instead of an RGB value, each with the role of
// Qt's palette it is read from. Listed only here: the System values, the cl constants,
// the palette lookup and the colours' names are all made from this list.
#define VELMORA_SYSTEM_COLORS(X)      \
    X(BtnFace, Button)                \
    X(BtnText, ButtonText)            \
    X(BtnShadow, Dark)                \
    X(BtnHighlight, Light)            \
    X(Window, Base)                   \
    X(WindowText, WindowText)         \
    X(Highlight, Highlight)           \
    X(HighlightText, HighlightedText) \
    X(GrayText, Text)

class TColor {
public:
#define VELMORA_SYSTEM_VALUE(name, role) name,
    enum class System : std::uint8_t { VELMORA_SYSTEM_COLORS(VELMORA_SYSTEM_VALUE) };
#undef VELMORA_SYSTEM_VALUE

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
    // The system colour's name as the layouts write it ("clBtnFace"); empty for an RGB value.
    const char* SystemName() const;

    // The RGB value now, as 0xRRGGBB; a system colour is read from the desktop's palette.
    std::uint32_t Rgb() const;
    QColor ToQColor() const;

    constexpr bool operator==(const TColor&) const = default;

private:
    constexpr TColor(bool system, std::uint32_t value) : system_(system), value_(value) {}

    bool system_ = false;
    std::uint32_t value_ = 0; // 0xRRGGBB, or the System value
};

#define VELMORA_SYSTEM_CONSTANT(name, role) inline constexpr TColor cl##name = TColor::FromSystem(TColor::System::name);
VELMORA_SYSTEM_COLORS(VELMORA_SYSTEM_CONSTANT)
#undef VELMORA_SYSTEM_CONSTANT

inline constexpr TColor clBlack = TColor::FromHex(0x000000);
inline constexpr TColor clWhite = TColor::FromHex(0xFFFFFF);
inline constexpr TColor clGray = TColor::FromHex(0x808080);
inline constexpr TColor clSilver = TColor::FromHex(0xC0C0C0);
inline constexpr TColor clTeal = TColor::FromHex(0x008080);
