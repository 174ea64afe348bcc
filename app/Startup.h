// What the application object is given before the first window is made: the
// program's title, its font and icon, and the screen-reader support of its controls.
#pragma once

class TApplication;

void PrepareApplication(TApplication& app);

// Started where there is no dris/ (from a terminal in the home folder, say), the
// program works in its installed data folder, so the lane pictures are found. A dris/
// in the working folder always wins.
void EnterPictureFolder();
