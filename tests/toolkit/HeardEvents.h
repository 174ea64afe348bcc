// The accessibility events sent while a test listens (QAccessible::installUpdateHandler
// with HearEvent), as (object, type).
#pragma once

#include <QAccessible>
#include <algorithm>
#include <utility>
#include <vector>

inline std::vector<std::pair<QObject*, QAccessible::Event>> heardEvents;

inline void HearEvent(QAccessibleEvent* event)
{
    heardEvents.emplace_back(event->object(), event->type());
}

inline int Heard(QObject* object, QAccessible::Event type)
{
    return static_cast<int>(std::count(heardEvents.begin(), heardEvents.end(), std::pair{object, type}));
}
