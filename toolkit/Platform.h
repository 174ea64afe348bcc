// What differs between the desktops the program runs on, kept here so that the windows
// and handlers of the lesson never ask which one it is.
#pragma once

class QString;
class TApplication;

// Gives the layouts' font family ("MS Sans Serif") the outline font that draws it: on
// Windows its own outline twin, elsewhere a free font with Cyrillic letters. Called once
// the application object exists. On Windows the texts the system's settings would style
// (menus, message boxes, tool tips) take the same font, as Windows' own fonts may be
// missing (under Wine) and a missing family falls back to a serif one.
void MapLayoutFontFamily(const char* family);

// The application's default font and the fonts Qt's Windows theme gives menus, message
// boxes, tool tips, status bars and item views: each keeps its size and style and takes
// `family`.
void UseFamilyForSystemTexts(const QString& family);

// Numbers follow the decimal separator of the system's settings when these change
// while the program runs (on Windows, the settings-change broadcast; elsewhere Qt's
// locale-change event, handled by the application object).
void FollowSystemSettings(TApplication& app);

// Started where there is no `folder` (the lane pictures' folder), the program works in
// the folder its installation keeps them in: beside the program on Windows,
// ../share/velmora beside its bin/ elsewhere. A `folder` in the working folder wins.
// The folder settled on is remembered, for messages after it has been deleted.
void EnterDataFolder(const QString& folder);

// While the program runs, Windows knows it by the named mutex "Global\VelmoraRunning", so
// that its installer can ask for it to be closed before replacing its files (the installer
// looks for that name). Elsewhere nothing.
void MarkProgramRunning();
