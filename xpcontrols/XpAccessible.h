// Screen readers meet the XP-look controls as a push button and check boxes: named
// after their caption without the accelerator mark, with their checked, pressed and
// enabled states, and pressed or toggled through the accessibility action interface
// exactly as a click does: the action schedules the click and returns at once.
#pragma once

class QWidget;

// Makes the XP-look controls and the toolkit's pictures, windows and standard controls
// known to screen readers. Call
// once the application object exists and before any window is made; calling again
// changes nothing.
void InstallXpAccessibility();

// Tell a listening screen reader that a control's caption, or its checked state, changed.
void NotifyAccessibleNameChanged(QWidget* control);
void NotifyAccessibleCheckedChanged(QWidget* control);
