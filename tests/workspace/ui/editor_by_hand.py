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

if failures:
    print(f"{len(failures)} failed")
    sys.exit(1)
print("named, dragged, undone, redone, pasted and exported by hand")
