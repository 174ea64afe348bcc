// The About window: what the program is and who made it.
#pragma once

#include "lesson/LanguageTable.h"
#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

class AboutWindow : public TForm {
public:
    AboutWindow();

    // Writes the window's texts in the lesson's language.
    void WriteTexts(const Lesson::LessonTexts& texts, bool atStart = false);

    TLabel* School = nullptr;
    TLabel* Title = nullptr;
    TLabel* Version = nullptr;
    TMemo* Description = nullptr;
    TLabel* Author = nullptr;
    TLabel* Supervisor = nullptr;
    TLabel* Place = nullptr;
    TLabel* Year = nullptr;
};
