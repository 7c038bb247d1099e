"""A running program's window as a screen reader sees it (AT-SPI), driven by real key and
mouse events (xdotool) on the X server of the test."""

import subprocess
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The roles of what a user operates; each must have a name.
CONTROL_ROLES = {
    "push button", "toggle button", "check box", "radio button", "combo box", "text",
    "spin button", "scroll bar", "slider", "list item", "page tab",
}


def xdo(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def settle(seconds=0.3):
    time.sleep(seconds)


class Node:
    def __init__(self, accessible):
        self.accessible = accessible

    @property
    def role(self):
        return self.accessible.get_role_name()

    @property
    def name(self):
        return self.accessible.get_name() or ""

    def children(self):
        for index in range(self.accessible.get_child_count()):
            child = self.accessible.get_child_at_index(index)
            if child is not None:
                yield Node(child)

    def walk(self):
        yield self
        for child in self.children():
            yield from child.walk()

    def has(self, state):
        return self.accessible.get_state_set().contains(state)

    def shown(self):
        return self.has(Atspi.StateType.SHOWING) and self.has(Atspi.StateType.VISIBLE)

    def extents(self):
        box = self.accessible.get_extents(Atspi.CoordType.SCREEN)
        return box.x, box.y, box.width, box.height

    def centre(self):
        x, y, width, height = self.extents()
        return x + width // 2, y + height // 2

    def value(self):
        return self.accessible.get_current_value()

    def click(self, times=1):
        x, y = self.centre()
        xdo("mousemove", x, y, "click", "--repeat", times, "--delay", 80, 1)
        settle()

    def __repr__(self):
        return f"{self.role} '{self.name}' {self.extents()}"


class Program:
    """The program's top-level windows, found by the application's name."""

    def __init__(self, application, timeout=30.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            desktop = Atspi.get_desktop(0)
            for index in range(desktop.get_child_count()):
                app = desktop.get_child_at_index(index)
                if app is not None and app.get_name() == application:
                    self.app = Node(app)
                    if any(True for _ in self.app.children()):
                        return
            time.sleep(0.2)
        raise SystemExit(f"{application} did not appear on the accessibility bus")

    def windows(self):
        return list(self.app.children())

    def find(self, role, name, timeout=10.0, within=None):
        """The first shown node of the role whose name is `name` (or starts with it, for a
        name ending in '*')."""
        deadline = time.time() + timeout
        while True:
            roots = [within] if within is not None else self.windows()
            for root in roots:
                for node in root.walk():
                    if node.role == role and matches(node.name, name) and node.shown():
                        return node
            if time.time() > deadline:
                raise SystemExit(f"no {role} named '{name}'")
            time.sleep(0.2)

    def focused(self):
        for window in self.windows():
            for node in window.walk():
                if node.has(Atspi.StateType.FOCUSED):
                    return node
        return None


def matches(name, wanted):
    name = name.strip()
    if wanted.endswith("*"):
        return name.startswith(wanted[:-1])
    return name == wanted.strip()
