// The crib sheet: the formulas that connect distance, speed and time.
#pragma once

#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

class TForm3 : public TForm {
public:
    TForm3();

    TLabel* Label1 = nullptr; // heading
    TMemo* Memo1 = nullptr;   // Russian body
    TMemo* Memo2 = nullptr;   // English body
};
