// Every text the language switch rewrites, in Russian and in English, and the two texts
// that read otherwise at start-up. Each table names the field of every text (designated
// initialisers), so a text is read beside the place it fills; the compiler checks the
// fields' order, not which text stands in which field.
#pragma once

#include <array>
#include <string_view>

namespace Lesson {

enum class Language { Russian, English };

// What a screen reader calls the main window's controls whose own texts are too terse
// to tell a pupil what they are for ("t", "<=", "RU").
struct AccessibleNames {
    std::array<std::string_view, 3> UpperFields; // the upper lane's t, v, s
    std::array<std::string_view, 3> LowerFields; // the lower lane's t, v, s
    std::string_view UpperList;    // the object lists
    std::string_view LowerList;
    std::string_view UpperLane;    // the lanes' tracks
    std::string_view LowerLane;
    std::string_view Towards;      // the towards box
    std::string_view RussianBox;   // the RU box, a description beside its caption
    std::string_view EnglishBox;   // the EN box, likewise
    std::string_view LanguageName; // said when the lesson switches to this language
    std::string_view Description;  // the About window's description
};

struct LessonTexts {
    Lesson::Language Language; // which of the two tables this is
    // main window
    std::string_view Title;        // the title strip
    std::string_view Start;        // the start button
    std::string_view CribMenu;     // the menu's items
    std::string_view HelpMenu;
    std::string_view AboutMenu;
    std::string_view ExitMenu;
    std::string_view Download;     // the bottom strip's text before the web link
    // About window
    std::string_view AboutCaption;
    std::string_view School;
    std::string_view AboutTitle;
    std::array<std::string_view, 3> Description;
    std::string_view Author;
    std::string_view Supervisor;
    std::string_view Place;
    // crib sheet: its caption and heading; its two bodies, one per language, do not change
    std::string_view CribCaption;
    std::string_view CribHeading;
    // what both object lists read after a switch; their items are the catalogue's names
    std::string_view ListText;
    AccessibleNames Accessible;
    // How the windows read at start-up where that differs from a switch to this
    // language; empty where start-up reads the same.
    struct {
        std::string_view AboutMenu;
        std::array<std::string_view, 3> Description;
    } AtStart;
};

const LessonTexts& LanguageTable(Language language);

// A text as start-up writes it (AT_START) or as a switch does: the start-up variant
// where the table has one.
inline std::string_view TextAt(bool atStart, std::string_view startText, std::string_view text)
{
    return atStart && !startText.empty() ? startText : text;
}

} // namespace Lesson
