// Published properties as a form layout lists them: in their published order, each
// with its value now and the stored default that a layout leaves out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/Font.h"

struct TPublishedProperty {
    std::string Name;
    std::string Value;
    // Empty: no stored default, the property is always written.
    std::optional<std::string> StoredDefault;
};

// "Name = Value" for each property whose value differs from its stored default,
// in the given order.
std::vector<std::string> LayoutLines(const std::vector<TPublishedProperty>& properties);

// Value texts: True/False, 'quoted text', a colour as #RRGGBB or its system name, a
// font as (Name = '...'; Height = 16; Style = [fsBold]; Color = #008080), an event as
// (assigned) or empty.
std::string BoolText(bool value);
std::string QuotedText(const std::string& text);
std::string ColorText(TColor color);
std::string FontText(const TFont& font);
template <typename Event>
std::string EventText(const Event& event)
{
    return event ? "(assigned)" : "";
}
