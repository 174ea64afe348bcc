// A font as the controls own it: face name, character height in pixels, style and
// colour. Drawn through Qt with the pixel height, never a point size, so a layout
// written for a 96-dpi screen keeps its text sizes.
#pragma once

#include <QFont>
#include <string>

#include "toolkit/Color.h"

class TFont {
public:
    // The toolkit's default font: "MS Sans Serif", 11 pixels, regular, window text.
    TFont() = default;
    // A Qt font and a colour; a font given in points is taken at 96 dpi.
    TFont(const QFont& font, TColor color);

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    int Height() const { return height_; }
    // Heights below 1 pixel are taken as 1.
    void SetHeight(int pixels) { height_ = pixels < 1 ? 1 : pixels; }
    bool Bold() const { return bold_; }
    void SetBold(bool bold) { bold_ = bold; }
    bool Italic() const { return italic_; }
    void SetItalic(bool italic) { italic_ = italic; }
    bool Underline() const { return underline_; }
    void SetUnderline(bool underline) { underline_ = underline; }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }

    // Text is drawn without smoothing, like the rest of the canvas.
    QFont ToQFont() const;

    bool operator==(const TFont&) const = default;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = 11;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    TColor color_ = clWindowText;
};
