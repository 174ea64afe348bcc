// The About window: what the program is and who made it.
#pragma once

#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

class TForm2 : public TForm {
public:
    TForm2();

    TLabel* Label1 = nullptr; // title
    TLabel* Label2 = nullptr; // author line
    TLabel* Label3 = nullptr; // supervisor line
    TLabel* Label4 = nullptr; // place line
    TLabel* Label5 = nullptr; // year
    TLabel* Label6 = nullptr; // school line
    TLabel* Label7 = nullptr; // version
    TMemo* Memo1 = nullptr;   // description
};
