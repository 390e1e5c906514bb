"""The game as a screen reader finds it: its accessibility tree and events on
the AT-SPI bus, read with pyatspi, and real X key presses with xdotool.

Every reading goes to the bus afresh (no cached names or states), so what the
tests see is what the program says now.
"""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

APP = "Kalvitor 1.6"
# Roles a player can act on, and the roles of pictures.
ACTIONABLE = {"push button", "text", "combo box", "list", "list item", "table", "menu item", "check box",
              "radio button", "page tab", "toggle button", "entry", "password text", "spin button",
              "table cell", "menu", "link"}
PICTURES = {"image", "icon", "animation", "canvas"}


class Failure(Exception):
    pass


def log(*args):
    print("[accessibility]", *args, file=sys.stderr, flush=True)


class Event:
    def __init__(self, kind, role, name, detail, text=""):
        self.kind, self.role, self.name, self.detail, self.text = kind, role, name, detail, text

    def __repr__(self):
        return f"{self.kind} [{self.role}] {self.name!r} {self.detail} {self.text!r}"


class Bus:
    """The program's side of the bus, and the keyboard."""

    KINDS = ["object:property-change:accessible-name", "object:state-changed:showing", "window:activate",
             "object:state-changed:focused"]

    def __init__(self):
        self.events = []
        self._listener = lambda e: self._record(e)
        for kind in self.KINDS:
            pyatspi.Registry.registerEventListener(self._listener, kind)
        self.app = self.wait(self._find_app, 30, "the program on the accessibility bus")

    # --- events

    def _record(self, e):
        try:
            src = e.source
            role = src.getRoleName()
            text = ""
            if e.type.startswith("window:activate") and role == "alert":
                text = " ".join(o.name for o in walk(src) if o.getRoleName() == "label" and o.name)
            self.events.append(Event(e.type, role, src.name, e.detail1, text))
        except Exception:  # the object may be gone already
            pass

    def pump(self, seconds=0.0):
        """Lets the bus deliver its events for a while."""
        end = time.monotonic() + seconds
        ctx = GLib.MainContext.default()
        while True:
            while ctx.pending():
                ctx.iteration(False)
            if time.monotonic() >= end:
                return
            time.sleep(0.02)

    def mark(self):
        self.pump()
        return len(self.events)

    def since(self, mark):
        self.pump()
        return self.events[mark:]

    # --- waiting

    def wait(self, probe, seconds, what):
        end = time.monotonic() + seconds
        while True:
            self.pump()
            try:
                found = probe()
            except GLib.Error:
                found = None
            if found:
                return found
            if time.monotonic() > end:
                raise Failure(f"waited {seconds}s for {what}")
            time.sleep(0.05)

    # --- the tree

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name == APP:
                a.set_cache_mask(Atspi.Cache.NONE)
                return a
        return None

    def windows(self):
        """The program's windows on the screen."""
        out = []
        for i in range(self.app.childCount):
            w = self.app.getChildAtIndex(i)
            if w is not None and w.getState().contains(pyatspi.STATE_SHOWING):
                out.append(w)
        return out

    def active(self):
        for w in self.windows():
            if w.getState().contains(pyatspi.STATE_ACTIVE):
                return w
        return None

    def wait_active(self, name, seconds=10):
        def probe():
            w = self.active()
            return w if w is not None and w.name == name else None
        try:
            return self.wait(probe, seconds, f"the window {name!r}")
        except Failure:
            w = self.active()
            raise Failure(f"waited for the window {name!r}; active: {w.name if w else None!r}")

    def focused(self):
        w = self.active()
        if w is None:
            return None
        for o in walk(w):
            if o.getState().contains(pyatspi.STATE_FOCUSED):
                return o
        return None

    def wait_focus(self, name, seconds=5):
        def probe():
            f = self.focused()
            return f if f is not None and f.name == name else None
        try:
            return self.wait(probe, seconds, f"the focus on {name!r}")
        except Failure:
            f = self.focused()
            raise Failure(f"waited for the focus on {name!r}; it is on {describe(f)}")

    def value(self, window, caption):
        """The value a label of the window names by its caption: value(main, "Бюджет") -> "$450"."""
        for o in walk(window):
            if o.getRoleName() == "label" and o.name.startswith(caption + ": "):
                return o.name[len(caption) + 2:]
        raise Failure(f"no value {caption!r} in {window.name!r}")

    def menu_focus(self, where):
        """The menu item that has the keyboard in the menu bar ("menu bar") or
        in the menu that has dropped down ("popup menu")."""
        for w in self.windows():
            for o in walk(w):
                if o.getRoleName() != "menu item" or not o.getState().contains(pyatspi.STATE_FOCUSED):
                    continue
                parent = o.parent
                if parent is not None and parent.getRoleName() == where and parent.getState().contains(
                        pyatspi.STATE_SHOWING):
                    return o.name
        return None

    def menu(self, top, item):
        """F10, then the menu bar and the menu walked with the arrow keys,
        read from the bus, and Enter on the item."""
        self.key("F10")
        for _ in range(10):
            if self.menu_focus("menu bar") == top:
                break
            self.key("Right")
        else:
            raise Failure(f"F10 and Right never reached the menu {top!r}")
        for _ in range(25):
            if self.menu_focus("popup menu") == item:
                self.key("Return")
                return
            self.key("Down")
        raise Failure(f"Down never reached {item!r} in the menu {top!r}; it is on {self.menu_focus('popup menu')!r}")

    def shot(self, name):
        """A screenshot when KALVITOR_SHOTS names a folder (as lib.sh's sys_shot)."""
        folder = os.environ.get("KALVITOR_SHOTS")
        if not folder:
            return
        os.makedirs(folder, exist_ok=True)
        self.pump(0.3)
        subprocess.run(["import", "-window", "root", os.path.join(folder, f"accessibility-{name}.png")],
                       check=False, stderr=subprocess.DEVNULL)

    # --- the keyboard

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "60", *keys], check=True)
        self.pump(0.15)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)
        self.pump(0.15)

    def tab_to(self, name, key="Tab", most=40):
        """Presses Tab (or `key`) until the focus is on the object of that name."""
        for _ in range(most):
            f = self.focused()
            if f is not None and f.name == name:
                return f
            self.key(key)
        raise Failure(f"{key} never reached {name!r}; the focus is on {describe(self.focused())}")


def walk(obj):
    """The object and everything under it, depth first."""
    yield obj
    for i in range(obj.childCount):
        c = obj.getChildAtIndex(i)
        if c is not None:
            yield from walk(c)


def describe(o):
    return "nothing" if o is None else f"[{o.getRoleName()}] {o.name!r}"


def audit(window):
    """Every object of the window that can be focused or clicked has a role and
    a name, and no picture shows without a name. Returns the faults."""
    faults = []
    for o in walk(window):
        role = o.getRoleName()
        states = o.getState()
        showing = states.contains(pyatspi.STATE_SHOWING)
        acts = states.contains(pyatspi.STATE_FOCUSABLE) or role in ACTIONABLE
        try:
            acts = acts or o.queryAction().nActions > 0 and role not in ("label", "filler")
        except NotImplementedError:
            pass
        if acts and showing and (not role or role == "unknown" or not o.name.strip()):
            # A list's entries and a table's cells are named by what they hold.
            if role in ("list item", "table cell") or o.getRoleName() == "scroll bar":
                continue
            faults.append(f"{window.name!r}: {describe(o)} has no name")
        if role in PICTURES and showing and not o.name.strip():
            faults.append(f"{window.name!r}: a picture without a name")
    return faults
