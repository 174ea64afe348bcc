// The main window's run-time record of the two lanes. All counters are pixels.
#pragma once

#include <cstdint>
#include <string>

struct LessonState {
    int32_t Pos1 = 0;   // how far row 1's picture has run in the current run
    int32_t Pos2 = 0;
    int32_t Step1 = 0;  // pixels added to the position per tick
    int32_t Step2 = 0;
    int32_t Limit1 = 0; // the run ends on the tick that finds the position beyond this
    int32_t Limit2 = 0;
    std::string PictureName1; // file name of the picture last chosen for the row, e.g. "1.jpg"
    std::string PictureName2;
};
