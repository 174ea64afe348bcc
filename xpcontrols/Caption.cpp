#include "xpcontrols/Caption.h"

#include <QList>
#include <QString>
#include <algorithm>

#include "toolkit/Utf8.h"

namespace {

// Length in bytes of the UTF-8 character starting at text[at].
size_t CharacterLength(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, text.size() - at);
}

char32_t FoldAsciiLetter(char32_t c)
{
    return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

} // namespace

std::string DisplayText(std::string_view caption)
{
    std::string text(caption);
    if (const size_t amp = text.find('&'); amp != std::string::npos)
        text.erase(amp, 1);
    return text;
}

std::optional<TAcceleratorSpan> AcceleratorSpan(std::string_view caption)
{
    const size_t amp = caption.find('&');
    if (amp == std::string_view::npos)
        return std::nullopt;
    TAcceleratorSpan span{std::string(caption.substr(0, amp)), std::string(caption.substr(0, amp))};
    if (amp + 1 < caption.size())
        span.Through += caption.substr(amp + 1, CharacterLength(caption, amp + 1));
    return span;
}

std::optional<char32_t> Accelerator(std::string_view caption)
{
    const size_t amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 == caption.size() || caption[amp + 1] == '&')
        return std::nullopt;
    const QList<uint> character = ToQString(caption.substr(amp + 1, CharacterLength(caption, amp + 1))).toUcs4();
    return character.isEmpty() ? std::nullopt : std::optional<char32_t>(character.front());
}

bool IsAccel(char32_t typed, std::string_view caption)
{
    const std::optional<char32_t> accelerator = Accelerator(caption);
    return accelerator && FoldAsciiLetter(*accelerator) == FoldAsciiLetter(typed);
}
