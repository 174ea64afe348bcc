#include "xpcontrols/Published.h"

#include <cstdio>

std::vector<std::string> LayoutLines(const std::vector<TPublishedProperty>& properties)
{
    std::vector<std::string> lines;
    for (const TPublishedProperty& property : properties)
        if (!property.StoredDefault || property.Value != *property.StoredDefault)
            lines.push_back(property.Name + " = " + property.Value);
    return lines;
}

std::string BoolText(bool value)
{
    return value ? "True" : "False";
}

std::string QuotedText(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += c;
    }
    return quoted + "'";
}

std::string ColorText(TColor color)
{
    if (color.IsSystem())
        return color.SystemName();
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color.Rgb()));
    return text;
}

std::string FontText(const TFont& font)
{
    std::string style;
    auto add = [&style](bool on, const char* name) {
        if (on)
            style += (style.empty() ? "" : ", ") + std::string(name);
    };
    add(font.Bold(), "fsBold");
    add(font.Italic(), "fsItalic");
    add(font.Underline(), "fsUnderline");
    return "(Name = " + QuotedText(font.Name()) + "; Height = " + std::to_string(font.Height()) + "; Style = [" +
           style + "]; Color = " + ColorText(font.Color()) + ")";
}
