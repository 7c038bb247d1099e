"""The main window and the colour chooser as a screen reader finds them, in the language the
environment chose: English names throughout for English, the German captions for German and
for the C locale."""

import re
import sys

from atspi_driver import Program, settle, xdo

language = sys.argv[1]
english = language.startswith("en")
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print(f"FAILED ({language}):", message)


def names(root):
    return {node.name.strip() for node in root.walk() if node.name.strip()}


tonzug = Program("Tonzug")
main = tonzug.find("filler", "Tonzug")
# A caption, a stop marker and a button of each language.
expected = (["Gradient width:", "Stop 1 of 2, #FFFFFF*", "Undo", "Gradient"] if english else
            ["Tonzug - Breite :", "Stopp 1 von 2, #FFFFFF*", "Rückgängig", "Farbverlauf"])
shown = names(main)
for wanted in expected:
    found = any(name == wanted or (wanted.endswith("*") and name.startswith(wanted[:-1]))
                for name in shown)
    check(found, f"the main window names no '{wanted}'")

tonzug.find("push button", "Choose the start colour..." if english else "Startfarbe wählen...").click()
settle(0.5)
chooser = [window for window in tonzug.windows() if window.role == "dialog"]
check(len(chooser) == 1, "the colour chooser did not open")
if english:
    german = re.compile(r"[äöüÄÖÜß]|\b(Farbe|Wählen|Abbrechen|Hintergrund|Strg)\b")
    for root in [main] + chooser:
        for name in names(root):
            check(not german.search(name), f"'{name}' is German")
else:
    check(chooser and chooser[0].name == "Farbauswahl", "the chooser is not 'Farbauswahl'")
xdo("key", "Escape")
settle()

if failures:
    sys.exit(1)
print(f"{language}: the window speaks {'English' if english else 'German'}")
