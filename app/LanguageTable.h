// Every text the language switch rewrites, in Russian and in English. The two tables
// name each field (designated initialisers), so two swapped texts do not compile.
#pragma once

#include <array>
#include <string_view>

enum class Language { Russian, English };

// What a screen reader calls the main window's controls whose own texts are too terse
// to tell a pupil what they are for ("t", "<=", "RU").
struct AccessibleNames {
    std::array<std::string_view, 3> UpperFields; // Edit1 t, Edit2 v, Edit3 s
    std::array<std::string_view, 3> LowerFields; // Edit4 t, Edit5 v, Edit6 s
    std::string_view UpperList;    // ComboBox1
    std::string_view LowerList;    // ComboBox2
    std::string_view UpperLane;    // Panel6
    std::string_view LowerLane;    // Panel7
    std::string_view Towards;      // CheckBox1
    std::string_view RussianBox;   // xpCheckBox1, a description beside its caption
    std::string_view EnglishBox;   // xpCheckBox2, likewise
    std::string_view LanguageName; // said when the lesson switches to this language
    std::string_view Description;  // the About window's Memo1
};

struct LessonTexts {
    ::Language Language; // which of the two tables this is
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
    std::string_view CribHeading;  // Label1; the bodies are Memo1 (Russian) and Memo2 (English)
    // what both object lists read after a switch; their items are the catalogue's names
    std::string_view ListText;
    AccessibleNames Accessible;
};

const LessonTexts& LanguageTable(Language language);
