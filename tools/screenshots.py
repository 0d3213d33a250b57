#!/usr/bin/env python3
"""Takes the screenshots of every window: the main window with a test filled
in, both tabs of the results window for a user born 21 July and a friend
born 20 July, the about window and the exit screen.

    tools/screenshots.sh [--program PATH] [FOLDER]

PATH defaults to build/bin/QXFreeFriendshipCompatibilityTest (this builds
nothing), FOLDER to docs/. The program runs on the end-to-end cases' private
desktop (tests/e2e/desktop.py), without a window manager, so that each image
is the window's own content; with fresh settings and a browser stand-in. It
is driven with the keyboard through xdotool, and the one click, on a tab,
goes where the accessibility bus places the tab. The clock stands still at
one moment (libfaketime), so the random draws of the banner and of the exit
screen's appeal come out the same on every run: two runs, of the same or of
different builds, can be compared pixel for pixel with `compare -metric AE`.

Needs xvfb, dbus, xdotool, imagemagick (import), libfaketime and
python3-pyatspi: `tools/setup.sh --tests` installs them.
"""

import argparse
import datetime
import os
import shutil
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from desktop import Failure, wait_until  # noqa: E402
from screenreader import ScreenReader  # noqa: E402
from x11session import Session  # noqa: E402

# The moment at which the clock stands still.
DAY = datetime.date(2031, 3, 20)
SCREEN = "1024x768x24"

# What is typed in the main window, field after field (a drop-down list
# picks the first entry that starts with what is typed), and what the fields
# then show to a screen reader.
TYPED = ("alex", "21", "jul", "1990", "sam", "20", "jul", "1991")
SHOWN = {"text": ["ALEX", "SAM"], "combo box": ["21", "July", "1990", "20", "July", "1991"]}
TEST_BUTTON = "Get My Compatibility With My Friend"


def fill_in_the_test(session, reader, main):
    """Fills in the test and leaves the focus on the test button."""
    for index, text in enumerate(TYPED):
        if index:
            session.keys(main, "Tab")
        session.type_text(main, text)
    session.keys(main, "Tab")

    window = reader.window("main")
    wait_until(lambda: reader.focused(window).name == TEST_BUTTON, "the focus on the test button")
    shown = {role: [] for role in SHOWN}
    for control in reader.descendants(window):
        role = control.getRoleName()
        if role in shown:
            shown[role].append(reader.text_of(control) if role == "text" else control.name)
    if shown != SHOWN:
        raise Failure(f"the test is filled in wrongly: {shown}")


def shoot(session, window, path):
    session.activate(window)
    session.grab(window, path)
    print(f"wrote {path}")


def take(session, out):
    program = session.start(today=DAY, stopped_clock=True, accessible=True)
    main = program.wait_for_kinds("main", refuse=("box",))["main"]
    reader = ScreenReader(session, program)

    fill_in_the_test(session, reader, main)
    shoot(session, main, os.path.join(out, "main-window.png"))

    # Space presses the focused test button.
    session.keys(main, "space")
    results = program.wait_for_kinds("results")["results"]
    shoot(session, results, os.path.join(out, "results-compatibility.png"))

    # A click brings the "Friendship Profile" tab to the front; then the
    # pointer goes to a corner of the screen, out of every window, so that
    # nothing is drawn as hovered.
    reader.click("results", "page tab", "Friendship Profile")
    reader.shown(reader.window("results"), "text", "Your friendship profile")
    session.tool("xdotool", "mousemove", "--sync", "0", "0")
    shoot(session, results, os.path.join(out, "results-profile.png"))

    # Help, About Software.
    session.keys(results, "alt+h", "a")
    about = program.wait_for_kinds("results", "about")["about"]
    shoot(session, about, os.path.join(out, "about-window.png"))
    session.keys(about, "Escape")
    program.wait_for_kinds("results")

    # Exit in the results window leads to the exit screen.
    session.keys(results, "alt+e")
    exit_screen = program.wait_for_kinds("exit")["exit"]
    shoot(session, exit_screen, os.path.join(out, "exit-screen.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "bin", "QXFreeFriendshipCompatibilityTest"))
    parser.add_argument("folder", nargs="?", default=os.path.join(ROOT, "docs"))
    arguments = parser.parse_args()
    program = os.path.abspath(arguments.program)
    for tool in ("Xvfb", "dbus-daemon", "xdotool", "import"):
        if not shutil.which(tool):
            sys.exit(f"screenshots: {tool} is missing (tools/setup.sh --tests installs it)")
    if not os.access(program, os.X_OK):
        sys.exit(f"screenshots: build the program first ({program})")
    out = os.path.abspath(arguments.folder)
    os.makedirs(out, exist_ok=True)

    session = Session(program, window_manager=False, screen=SCREEN)
    try:
        take(session, out)
    except Failure as failure:
        print(f"screenshots: {failure}", file=sys.stderr)
        session.dump_logs(sys.stderr)
        return 1
    finally:
        session.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
