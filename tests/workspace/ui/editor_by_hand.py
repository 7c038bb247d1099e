"""The main window used as a person uses it, by real key and mouse events on an X server,
its controls found by their accessible names: every control has a name; the angle is
dragged on the preview; every change is undone back to the start and redone; a pasted
CSS gradient exports the picture `tonzug --export --gradient` draws; at 800 x 600 every
control is reached by Tab and scrolled into view."""

import os
import subprocess
import sys

from atspi_driver import CONTROL_ROLES, Atspi, Program, settle, xdo

program, folder = sys.argv[1], sys.argv[2]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAILED:", message)


def preview_picture(window, name):
    """The preview as the screen shows it."""
    xdo("mousemove", 0, 0)  # the handles show under the pointer
    settle()
    x, y, width, height = window.find("filler", "Voransicht :").extents()
    path = os.path.join(folder, name + ".png")
    subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", path],
                   check=True)
    return path


def same_pictures(first, second):
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"],
                            capture_output=True, text=True)
    return result.returncode == 0 and result.stderr.strip() == "0"


def type_into(window, name, text):
    window.find("text", name).click(times=3)
    xdo("key", "ctrl+a")
    xdo("type", "--delay", 30, text)
    xdo("key", "Tab")
    settle()


def undo_button(window):
    return window.find("push button", "Rückgängig")


def press_until_disabled(window, keys, button_name):
    for _ in range(100):
        if not window.find("push button", button_name).has(Atspi.StateType.ENABLED):
            return
        xdo("key", keys)
        settle(0.15)
    failures.append(f"{keys} never emptied '{button_name}'")


def markers(window):
    bar = window.find("filler", "Farbverlauf")
    return [node for node in bar.walk() if node.role == "push button" and node.shown()]


def marker_place(node):
    """The place in percent that a marker's name says ("Stopp 2 von 3, #FF8000, 40 %")."""
    return float(node.name.split(", ")[2].split(" ")[0].replace(",", "."))


def drag(from_x, from_y, to_x, to_y, steps=8):
    xdo("mousemove", from_x, from_y, "mousedown", 1)
    for step in range(1, steps + 1):
        xdo("mousemove", from_x + (to_x - from_x) * step // steps,
            from_y + (to_y - from_y) * step // steps)
        settle(0.05)
    xdo("mouseup", 1)
    settle()


tonzug = Program("Tonzug")
window = tonzug
main = tonzug.find("filler", "Tonzug")

# Every control has a name; a text field the caption of its label.
captions = {node.name.strip() for node in main.walk() if node.role == "label"}
for node in main.walk():
    if node.role in CONTROL_ROLES and node.shown():
        check(node.name.strip() != "", f"{node} has no name")
        if node.role in ("text", "spin button"):
            check(node.name.strip() in captions | {"Mittelpunkt [Pixel]", "Mitte X [%]", "Mitte Y [%]"},
                  f"{node} is not named by its caption")

start = preview_picture(window, "start")

# Stops: one added by a click on the bar, dragged, recoloured in the chooser; another added
# and deleted by its key.
bar_x, bar_y, bar_width, _ = window.find("filler", "Farbverlauf").extents()
xdo("mousemove", bar_x + bar_width // 2, bar_y + 8, "click", 1)
settle()
check(len(markers(window)) == 3, f"a click on the bar gave {len(markers(window))} stops, not 3")
added = markers(window)[1]
check(added.name.startswith("Stopp 2 von 3, #"), f"the added stop reads '{added.name}'")
x, y = added.centre()
drag(x, y, x - bar_width // 4, y)
moved = markers(window)[1]
check(abs(marker_place(moved) - 25.0) < 2.0, f"the dragged stop reads '{moved.name}'")
moved.click(times=2)
chooser = tonzug.find("dialog", "Farbauswahl")
tonzug.find("text", "HTML :", within=chooser).click(times=3)
xdo("key", "ctrl+a")
xdo("type", "FF8000")
tonzug.find("push button", "HTML übernehmen", within=chooser).click()
tonzug.find("push button", "Wählen", within=chooser).click()
check(markers(window)[1].name.startswith("Stopp 2 von 3, #FF8000"),
      f"the recoloured stop reads '{markers(window)[1].name}'")
xdo("mousemove", bar_x + bar_width * 3 // 4, bar_y + 8, "click", 1)
settle()
check(len(markers(window)) == 4, "a second click on the bar added no stop")
xdo("key", "Delete")
settle()
check(len(markers(window)) == 3, "Delete did not remove the focused stop")

# Typed fields and an option, then the angle dragged on the preview.
type_into(window, "Tonzug - Breite :", "300")
type_into(window, "Tonzug - Höhe :", "200")
window.find("radio button", "Horizontal").click()
x, y, width, height = window.find("filler", "Voransicht :").extents()
xdo("mousemove", x + width // 2, y + height // 2, "mousedown", 1)
for step in range(1, 11):
    xdo("mousemove", x + width // 2 + step * width // 25, y + height // 2 - step * height // 25)
    settle(0.05)
xdo("mouseup", 1)
settle()
angle = window.find("spin button", "Winkel [°] :").value()
check(abs(angle - 56.31) < 3.0, f"the dragged angle is {angle}, not about 56 degrees")
dragged = preview_picture(window, "dragged")
check(not same_pictures(start, dragged), "the drag changed nothing on the preview")

# Undo every change back to the start, then redo them all.
window.find("push button", "Heller...").accessible.grab_focus()
press_until_disabled(window, "ctrl+z", "Rückgängig")
check(same_pictures(start, preview_picture(window, "undone")), "undo did not reach the start")
press_until_disabled(window, "ctrl+y", "Wiederholen")
check(same_pictures(dragged, preview_picture(window, "redone")), "redo did not reach the end")
check(abs(window.find("spin button", "Winkel [°] :").value() - angle) < 1e-9,
      "redo did not bring the angle back")

# A CSS gradient from the clipboard, exported as PNG through the file dialog.
css = "linear-gradient(33deg, #ff8000 10%, rgb(0 80 255) 70%, white)"
subprocess.run(["xclip", "-selection", "clipboard"], input=f"background: {css};", text=True,
               check=True)
xdo("key", "ctrl+v")
settle()
exported = os.path.join(folder, "pasted.png")
xdo("key", "ctrl+e")
dialog_field = tonzug.find("text", "*", within=tonzug.find("dialog", "*"))
dialog_field.click()
xdo("key", "ctrl+a")
xdo("type", "--delay", 20, exported)
xdo("key", "Return")
for _ in range(100):
    if os.path.exists(exported):
        break
    settle(0.1)
expected = os.path.join(folder, "expected.png")
subprocess.run([program, "--export", expected, "--set", "X=300", "--set", "Y=200",
                "--gradient", css, "--quiet"], check=True)
check(os.path.exists(exported) and open(exported, "rb").read() == open(expected, "rb").read(),
      "the pasted gradient's export differs from tonzug --export --gradient")

# At 800 x 600 Tab reaches every control (one button of each option group), each shown
# in the window when it has the focus.
window_id = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tonzug$"],
                           capture_output=True, text=True).stdout.split()[0]
xdo("windowsize", window_id, 800, 600)
xdo("windowfocus", "--sync", window_id)
settle(1.0)
main = tonzug.find("filler", "Tonzug")
main_x, main_y, main_width, main_height = main.extents()
check((main_width, main_height) == (800, 600), f"the window is {main_width} x {main_height}")


def stop_key(node, parent_name):
    return ("option group", parent_name) if node.role == "radio button" else (node.role, node.name)


wanted = set()
def collect(node, parent_name):
    for child in node.children():
        if (child.role in CONTROL_ROLES and child.role != "list item" and
                child.has(Atspi.StateType.FOCUSABLE) and child.has(Atspi.StateType.ENABLED) and
                child.has(Atspi.StateType.VISIBLE)):
            wanted.add(stop_key(child, node.name))
        collect(child, child.name)
collect(main, main.name)
window.find("push button", "Startfarbe wählen...").accessible.grab_focus()
reached = set()
for _ in range(2 * len(wanted)):
    settle(0.15)
    focused = tonzug.focused()
    if focused is not None:
        parent = focused.accessible.get_parent()
        reached.add(stop_key(focused, parent.get_name() if parent else ""))
        x, y, width, height = focused.extents()
        check(main_x <= x and x + width <= main_x + main_width and main_y <= y and
              y + height <= main_y + main_height, f"{focused} has the focus outside the window")
    xdo("key", "Tab")
check(wanted <= reached, f"Tab never reached {sorted(wanted - reached)}")

if failures:
    print(f"{len(failures)} failed")
    sys.exit(1)
print(f"named, stops edited, dragged, undone, redone, pasted, exported and {len(reached)} "
      "controls reached by Tab at 800 x 600, by hand")
