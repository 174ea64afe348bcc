// A held key as the desktop reports it to a control: one press, one release.
//
// X11 repeats a held key as pairs of a release and a press that share one timestamp.
// Qt flags such a pair as a repeat only when the press has already reached it as the
// release is handled, so on a busy machine many repeated releases arrive as real ones.
// A release is a repeat when it is flagged, or when the window system still holds the
// key down; the press sharing its timestamp is dropped with it. A real release is
// handled at once, not held back to see what follows.
#pragma once

#include <QtGlobal>

#include <functional>

class QKeyEvent;

class THeldKey {
public:
    // True for a press that only repeats a held key.
    bool RepeatedPress(const QKeyEvent& event);
    // True for a release of a key that is still held down.
    bool RepeatedRelease(const QKeyEvent& event);

private:
    int key_ = 0;
    quint64 timestamp_ = 0;  // QKeyEvent::timestamp()'s own type, 64 bits on every platform
    bool releaseDropped_ = false;
};

// Whether the window system holds the event's key down now: asks the X server on X11,
// false where the platform cannot say. Tests put their own answer in its place.
bool KeyStillDown(const QKeyEvent& event);
void SetKeyStillDownQuery(std::function<bool(const QKeyEvent&)> query);
