// The crib sheet: the formulas that connect distance, speed and time.
#pragma once

#include "lesson/LanguageTable.h"
#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

class CribSheetWindow : public TForm {
public:
    CribSheetWindow();

    // Writes the caption and heading, and shows the body of the lesson's language.
    void WriteTexts(const Lesson::LessonTexts& texts);

    TLabel* Heading = nullptr;
    TMemo* RussianBody = nullptr;
    TMemo* EnglishBody = nullptr;
};
