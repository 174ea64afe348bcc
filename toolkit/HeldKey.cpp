#include "toolkit/HeldKey.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <cstdlib>
#include <utility>

#if QT_CONFIG(xcb) && defined(VELMORA_WITH_XCB)
#include <xcb/xcb.h>
#endif

namespace {

std::function<bool(const QKeyEvent&)> stillDownQuery;

bool AskWindowSystem([[maybe_unused]] const QKeyEvent& event)
{
#if QT_CONFIG(xcb) && defined(VELMORA_WITH_XCB)
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    const quint32 keycode = event.nativeScanCode(); // X's keycode, 8 to 255
    if (!connection || keycode == 0 || keycode > 255)
        return false;
    // The server has already turned a repeat's release into a press again; after a
    // real release the key is up.
    xcb_query_keymap_reply_t* keys = xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    const bool down = keys && (keys->keys[keycode / 8] & (1u << (keycode % 8)));
    std::free(keys);
    return down;
#else
    return false;
#endif
}

} // namespace

bool KeyStillDown(const QKeyEvent& event)
{
    return stillDownQuery ? stillDownQuery(event) : AskWindowSystem(event);
}

void SetKeyStillDownQuery(std::function<bool(const QKeyEvent&)> query)
{
    stillDownQuery = std::move(query);
}

bool THeldKey::RepeatedPress(const QKeyEvent& event)
{
    const bool pairedWithDroppedRelease =
        releaseDropped_ && event.key() == key_ && event.timestamp() == timestamp_;
    releaseDropped_ = false;
    return event.isAutoRepeat() || pairedWithDroppedRelease;
}

bool THeldKey::RepeatedRelease(const QKeyEvent& event)
{
    releaseDropped_ = event.isAutoRepeat() || KeyStillDown(event);
    key_ = event.key();
    timestamp_ = event.timestamp();
    return releaseDropped_;
}
