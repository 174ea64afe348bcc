// Placing windows on the desktop.
#pragma once

class QWidget;

// Centres a window's frame on the primary screen's work area, then moves it right and
// down as far as needed to keep its top-left corner inside that area: on a screen too
// small for it, the menu and the controls at its left stay within reach. The frame is
// not known before the window manager has framed the window, so the window is placed
// again, once, when it has been.
void CentreOnScreen(QWidget* window);
