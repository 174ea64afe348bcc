#pragma once

#include <QString>

class QWidget;

// Tells a screen reader a short text without moving its focus, as a notification of
// the window that holds `control` (an object nobody sees). Texts announced while one
// handler runs are spoken together, in order, once the handler returns.
void Announce(QWidget* control, const QString& text);
