// Every text the language switch rewrites, in Russian and in English, in the order the
// switch writes them.
#pragma once

#include <array>
#include <string_view>

enum class Language { Russian, English };

struct LessonTexts {
    // main window
    std::string_view Title;        // Label3
    std::string_view Start;        // xpButton1
    std::string_view CribMenu;     // N3
    std::string_view HelpMenu;     // N1
    std::string_view AboutMenu;    // N2
    std::string_view ExitMenu;     // N4
    std::string_view Download;     // Label8
    // About window
    std::string_view AboutCaption;
    std::string_view School;       // Label6
    std::string_view AboutTitle;   // Label1
    std::array<std::string_view, 3> Description; // Memo1
    std::string_view Author;       // Label2
    std::string_view Supervisor;   // Label3
    std::string_view Place;        // Label4
    // crib sheet
    std::string_view CribCaption;
    std::string_view CribHeading;  // Label1
    bool EnglishBody;              // Memo2 shown instead of Memo1
    // the object lists: their text, then the catalogue names and the empty entry
    std::string_view ListText;
};

const LessonTexts& LanguageTable(Language language);
