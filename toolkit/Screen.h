// Placing windows on the desktop.
#pragma once

class QWidget;

// Moves a window so that its frame is centred on the screen's work area.
void CentreOnScreen(QWidget* window);
