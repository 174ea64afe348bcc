"""The running program as a screen reader meets it: its accessible tree read over
AT-SPI with pyatspi, the client library screen readers on this desktop are built on.

Needs a D-Bus session with the accessibility bus switched on (the e2e test runs under
tests/run_with_screen_reader_bus.sh) and Debian's python3-pyatspi."""

import time

from xsession import CheckFailed, wait_until

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:  # reported as a skip by the caller
    pyatspi = None


def available():
    return pyatspi is not None


class Node:
    """One accessible object as read at one moment."""

    def __init__(self, accessible, depth):
        self.accessible = accessible
        self.depth = depth
        self.role = accessible.getRoleName()
        self.name = accessible.name or ""
        states = accessible.getState()
        self.showing = states.contains(pyatspi.STATE_SHOWING)
        self.focusable = states.contains(pyatspi.STATE_FOCUSABLE)
        self.checked = states.contains(pyatspi.STATE_CHECKED)
        self.enabled = states.contains(pyatspi.STATE_ENABLED)
        self.actions = []
        try:
            action = accessible.queryAction()
            self.actions = [action.getName(i) for i in range(action.nActions)]
        except NotImplementedError:
            pass
        self.text = None
        try:
            text = accessible.queryText()
            self.text = text.getText(0, text.characterCount)
        except NotImplementedError:
            pass
        self.image = None
        try:
            self.image = accessible.queryImage().imageDescription
        except NotImplementedError:
            pass

    def line(self):
        parts = [f"{'  ' * self.depth}{self.role} {self.name!r}"]
        if self.text is not None and self.text != self.name:
            parts.append(f"text {self.text!r}")
        if self.actions:
            parts.append(f"actions {self.actions}")
        flags = [flag for flag, on in (("checked", self.checked), ("disabled", not self.enabled),
                                       ("hidden", not self.showing)) if on]
        if flags:
            parts.append(" ".join(flags))
        return ", ".join(parts)


class Reader:
    """The program's accessible application, found by its process id."""

    def __init__(self, pid, timeout=20):
        def application():
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.get_process_id() == pid and app.childCount > 0:
                    return app
            return None
        self.app = wait_until(application, timeout, "the program on the accessibility bus", interval=0.2)

    def windows(self):
        return [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]

    def window(self, name, timeout=5):
        """The top-level window of that accessible name."""
        def found():
            return next((w for w in self.windows() if w.name == name), None)
        return wait_until(found, timeout, f"a window named {name!r} on the accessibility bus")

    def tree(self, root):
        """Every object under root, depth first, as Nodes."""
        nodes = []

        def visit(accessible, depth):
            nodes.append(Node(accessible, depth))
            for i in range(accessible.childCount):
                child = accessible.getChildAtIndex(i)
                if child is not None:
                    visit(child, depth + 1)
        visit(root, 0)
        return nodes

    def find(self, root, role, name):
        for node in self.tree(root):
            if node.role == role and node.name == name:
                return node
        raise CheckFailed(f"no {role} named {name!r}")

    def act(self, node, action):
        """Runs one of the node's actions; returns the seconds the call took."""
        if action not in node.actions:
            raise CheckFailed(f"the {node.role} {node.name!r} offers {node.actions}, not {action!r}")
        began = time.monotonic()
        node.accessible.queryAction().doAction(node.actions.index(action))
        return time.monotonic() - began


class NameChanges:
    """Collects the name-change events the program sends, as a screen reader that
    caches names hears them."""

    EVENT = "object:property-change:accessible-name"

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self._hear, self.EVENT)

    def _hear(self, event):
        self.heard.append((event.source.getRoleName(), event.source.name))

    def collect(self, seconds):
        """Dispatches the events that arrive within `seconds`; returns and forgets them."""
        context = GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if not context.iteration(False):
                time.sleep(0.02)
        heard, self.heard = self.heard, []
        return heard

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._hear, self.EVENT)
