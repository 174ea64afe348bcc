// Captions with an accelerator mark: "&Start" shows as "Start" with the S underlined
// and answers Alt+S. Captions are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The caption with its first "&" removed; any further "&" shows as itself:
// "&Start" -> "Start", "A&&B" -> "A&B", "Go" -> "Go".
std::string DisplayText(std::string_view caption);

// The stretch of DisplayText to underline, as two prefixes of it whose widths give
// the underline's ends: Before ends where the marked character starts, Through where
// it ends. For "&Start": "" and "S"; for "A&&B": "A" and "A&"; for "Go&": "Go" twice.
struct TAcceleratorSpan {
    std::string Before;
    std::string Through;
};
// Empty when the caption has no "&".
std::optional<TAcceleratorSpan> AcceleratorSpan(std::string_view caption);

// The caption's accelerator: the character after the first "&", the one drawn
// underlined. None when there is no "&", when it ends the caption, or when a second
// "&" follows it, a literal ampersand: "&Start" -> 'S', "A&&B" -> none, "&Go&S" -> 'G'.
std::optional<char32_t> Accelerator(std::string_view caption);

// Whether a typed character is the caption's accelerator. Letters a-z are matched
// regardless of case, every other character exactly.
bool IsAccel(char32_t typed, std::string_view caption);
