// What the application object is given before the first window is made: the
// program's title, its font and icon, and the screen-reader support of its controls.
#pragma once

class TApplication;

void PrepareApplication(TApplication& app);
