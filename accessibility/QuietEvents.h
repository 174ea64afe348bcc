#pragma once

#include <functional>

class QWidget;

// Runs `work`, a control's own handling of receiving or losing the focus, without
// telling a screen reader of the caret moves and selections it, or a part of it (a
// list's text field), makes. Works around Qt 6.4 (checked with 6.4.2), which reports
// those before the focus itself, so that a screen reader would move there silently and
// never name the control; the focus report that follows carries the caret and the
// selection.
void WithoutCaretEvents(QWidget* control, const std::function<void()>& work);

// Runs `work`, which rewrites many texts at once, telling a screen reader only of the
// focused control's changes and of the windows' titles. Of every other control nothing
// is told (its texts, caret, selection, value, name or description): the screen reader
// reads it afresh when it comes to it, by the focus, by exploring or as its window is
// shown. A rewrite of a list's items would otherwise send several events per item, a
// language switch one per control, and a screen reader that falls that far behind
// drops what it was about to say.
void AsOneChange(const std::function<void()>& work);
