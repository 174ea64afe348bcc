// Placing windows on the desktop.
#pragma once

#include <QSize>

class QWidget;

// Centres a window's frame on the primary screen's work area, then moves it right and
// down as far as needed to keep its top-left corner inside that area: on a screen too
// small for it, the menu and the controls at its left stay within reach. The frame is
// not known before the window manager has framed the window, so the window is placed
// again, once, when it has been.
void CentreOnScreen(QWidget* window);

// What a window lays out as its contents: `contents` itself when the window fits the
// primary screen's work area, or else a scroll area just large enough to fit it, with
// `contents` inside, so that every control stays within reach by scrolling (the desktop
// toolkit's forms scroll so too). `around` is what the window adds to its contents (a
// menu bar, say); room for the window's frame is left besides.
QWidget* ScrolledToFitScreen(QWidget* contents, QSize around);
