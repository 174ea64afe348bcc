// Screen readers meet the toolkit's windows and standard controls as a desktop user
// expects them, where Qt's defaults for the widgets underneath fall short:
//   - a form (TForm) is a frame (a window), whose title change is announced, shown or hidden;
//   - a panel (TPanel) is a panel; bevels (TBevel) and the controls marked as decoration
//     are left out;
//   - a drop-down list is named by the name the window gives it, its text its value;
//   - a single-line edit (TEdit) reads as one run of text in its language;
//   - a picture (TImage) is a graphic described by its accessible name;
//   - a label marked as a link is a link whose action clicks it.
// The controls are known by their meta-objects' class names, as Qt knows its own.
#pragma once

class QWidget;

// Call once the application object exists and before any window is made; calling
// again changes nothing.
void InstallStdAccessibility();

// Leaves a purely decorative control (a bevel, a background picture) out of what
// screen readers read.
void MarkAsDecoration(QWidget* control);

// Exposes a label whose click opens something as a link; its action emits the
// label's clicked().
void MarkAsLink(QWidget* label);
