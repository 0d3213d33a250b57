#!/usr/bin/env python3
"""End-to-end cases of the desktop program, one per run:

    run_case.py --program PATH --site-host HOST --version VERSION CASE
    run_case.py --list

Each case gets a private X desktop (x11session.Session): Xvfb, openbox, fresh
per-user directories and a stand-in xdg-open that records addresses. The
program is driven with real key presses and clicks through xdotool; the
windows are told apart by their size (they share one caption), the message
boxes by their caption. A control to click is found as a screen reader finds
it, by its role and name on the accessibility bus, which also tells where it
is on the screen; a case that clicks starts the program with accessible=True.
"""

import argparse
import datetime
import os
import signal
import stat
import sys
import time
import traceback
import urllib.parse

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from desktop import Failure, wait_until  # noqa: E402
from x11session import BOX_CAPTION, FIRST_FRAME_MARK, Session  # noqa: E402

CASE_TIME_LIMIT = 100  # seconds; CTest allows a little more

# A day on which the reminder date is first stored.
REMINDER_DAY = datetime.date(2031, 3, 20)

# Controls to click: role and name, as a screen reader finds them.
TEST_BUTTON = ("push button", "Get My Compatibility With My Friend")
EXIT_BUTTON = ("push button", "Exit")
BACK_BUTTON = ("push button", "Back")
FILE_MENU = ("menu item", "File")
TOP_BANNER = ("label", "Free Astrology and Psychic Discussion Board - Visit Now!")
PROFILE_TAB = ("page tab", "Friendship Profile")
PROFILE_BOXES = ("Your friendship profile", "Your friend's friendship profile")
REFER_BUTTON = ("push button", "Refer A Friend Now")
REFERRAL_BOXES = ("Your name", "Your e-mail address", "Your friend's name", "Your friend's e-mail address")

CASES = {}


def case(function):
    CASES[function.__name__] = function
    return function


def check(condition, message):
    if not condition:
        raise Failure(message)


# --- steps shared by the cases -------------------------------------------


def click(session, program, kind, role, name):
    """Clicks the middle of the control of that role and name in the
    program's window of that kind."""
    from screenreader import ScreenReader
    ScreenReader(session, program).click(kind, role, name)


def click_bottom_banner(session, program, kind):
    """Clicks the banner at the foot of the window: the co-branding one and
    the fully branded one share its place, and the one on top takes the click."""
    from screenreader import ScreenReader
    ScreenReader(session, program).click(kind, "label", "Co-brand this software", prefix=True)


def start_main(session, **options):
    """Starts a copy and waits for its main window, with no message box first,
    and for the window's first frame (what the start stored is on the disk by then)."""
    program = session.start(**options)
    windows = program.wait_for_kinds("main", refuse=("box",))
    program.wait_for_first_frame()
    return program, windows["main"]


def pick(session, window, steps):
    """Moves the selection of the focused drop-down list by arrow keys."""
    if steps:
        session.keys(window, "--repeat", str(abs(steps)), "Down" if steps > 0 else "Up", delay=10)


def fill_entries(session, main, you=("alex", 21, 7, 1990), friend=("sam", 20, 7, 1985)):
    """Types both names and picks both dates with the arrow keys, starting from
    a freshly opened main window (focus in the user's name box, every list on
    its first entry), and leaves the focus on the test button."""
    for index, (name, day, month, year) in enumerate((you, friend)):
        if index:
            session.keys(main, "Tab")
        session.type_text(main, name)
        session.keys(main, "Tab")
        pick(session, main, day - 1)
        session.keys(main, "Tab")
        pick(session, main, month - 1)
        session.keys(main, "Tab")
        pick(session, main, year - 1900)
    session.keys(main, "Tab")


def answer_message(session, program):
    """A message box is up over the main window: OK, and the main window is
    left alone on the screen."""
    box = program.wait_for_kinds("main", "box")["box"]
    session.keys(box, "Return")
    program.wait_for_kinds("main")


def run_test(session, program, main):
    """A whole valid test by keyboard; returns the results window."""
    fill_entries(session, main)
    session.keys(main, "space")
    return program.wait_for_kinds("results")["results"]


def end_at_exit_screen(session, program, how):
    """The exit screen is up: closes it in the given way and checks that the
    process ends normally with no window left."""
    exit_screen = program.window("exit")
    check(exit_screen is not None, f"no exit screen; visible: {program.kinds()}")
    if how == "button":
        click(session, program, "exit", *EXIT_BUTTON)
    elif how == "close box":
        session.tool("wmctrl", "-i", "-c", exit_screen)
    elif how == "keyboard":
        session.keys(exit_screen, "Return")
    elif how == "access key":
        session.keys(exit_screen, "alt+x")
    elif how == "window manager key":
        session.keys(exit_screen, "alt+F4")
    status = program.wait_for_end()
    check(status == 0, f"the program ended with status {status}:\n{program.log()}")
    check(not session.search("--pid", str(program.window_pid()), "--name", "^QX Friendship"),
          "a window of the program is left")


def check_centred(session, window, what, slack=1):
    """The window, frame and title bar included, is centred on the screen's
    work area, give or take slack pixels (the window may take its place only
    once the window manager has framed it)."""
    area = session.work_area()

    def offset():
        frame = session.frame_geometry(window)
        return [frame[axis] + frame[size] / 2 - area[axis] - area[size] / 2
                for axis, size in (("X", "WIDTH"), ("Y", "HEIGHT"))]

    try:
        wait_until(lambda: all(abs(d) <= slack for d in offset()), f"{what} centred", timeout=5)
    except Failure:
        raise Failure(f"{what} is off the screen's centre by {offset()}: "
                         f"{session.frame_geometry(window)}") from None


def check_whole_title(session, box):
    """The title bar of the message box shows the whole title, as wide as
    the window manager draws it in another program's window wide enough."""
    session.spawn(["xmessage", "-title", BOX_CAPTION, "-geometry", "700x60", "a window as wide as its title"],
                  "xmessage.log")
    def wide_window():
        return [window for window in session.search("--class", "^Xmessage$")
                if session.window_name(window) == BOX_CAPTION]
    found = wait_until(wide_window, "the wide window")[0]
    session.activate(found)
    whole = wait_until(lambda: session.title_width(found), "the title drawn in the wide window")
    session.tool("wmctrl", "-i", "-c", found)
    wait_until(lambda: not wide_window(), "the wide window closed")
    session.activate(box)
    try:
        wait_until(lambda: session.title_width(box) == whole, "the box's whole title", timeout=5)
    except Failure:
        raise Failure(f"the box's title is drawn {session.title_width(box)} pixels wide, "
                         f"the whole title {whole}: the box is {session.frame_geometry(box)['WIDTH']} "
                         f"pixels wide") from None


def leave_normally(session, program):
    """Escape in the main window, then Exit on the exit screen."""
    program.wait_for_kinds("main")
    session.keys(program.window("main"), "Escape")
    program.wait_for_kinds("exit")
    end_at_exit_screen(session, program, "keyboard")


# --- start-up and the single-instance guard ------------------------------


@case
def first_start(session):
    program, main = start_main(session, today=REMINDER_DAY)
    geometry = session.geometry(main)
    check(geometry["WIDTH"] == 524, f"main window width {geometry['WIDTH']}, not 524")
    check(geometry["HEIGHT"] - 409 in range(0, 41), f"main window height {geometry['HEIGHT']}")
    check_centred(session, main, "the main window")
    check("Icon (16 x 16)" in session.tool("xprop", "-id", main, "_NET_WM_ICON", check=False).stdout,
          "the main window has no icon of the program's")
    check(session.stored_reminder_date() == REMINDER_DAY.isoformat(),
          f"stored reminder date {session.stored_reminder_date()!r}")
    check(program.holds_lock() and not session.lock_is_free(), "the program does not hold its lock")
    check(session.opened() == [], f"pages opened at start: {session.opened()}")
    leave_normally(session, program)


@case
def second_copy_refused(session):
    first, main = start_main(session)
    geometry_before = session.geometry(main)
    second = session.start()
    box = second.wait_for_kinds("box", refuse=("main",))["box"]
    check(first.kinds() == ["main"], f"first copy shows {first.kinds()}")
    check(session.geometry(main) == geometry_before, "the first copy's window moved")
    session.keys(box, "Return")
    status = second.wait_for_end()
    check(status == 0, f"the refused copy ended with status {status}")
    check(first.running() and first.kinds() == ["main"], "the first copy did not keep running")
    leave_normally(session, first)


@case
def killed_copy_then_normal_start(session):
    first, _ = start_main(session)
    first.kill(signal.SIGKILL)
    check(session.lock_is_free(), "the killed copy still holds its lock")
    second, _ = start_main(session)
    leave_normally(session, second)


def as_root_of(namespaces):
    """unshare's options for new namespaces; an unprivileged user maps itself to root first."""
    return ["unshare", *([] if os.geteuid() == 0 else ["--map-root-user"]), *namespaces]


@case
def copies_in_sandboxes_and_on_shared_homes(session):
    """A copy killed in a PID namespace (a sandbox, a container) does not keep
    the next one, which has the same small PID, out; a lock file that names a
    copy on another host is nobody's and stays as it is; two machines that
    share a home folder run a copy each, and copies on one machine meet."""
    sandbox = as_root_of(["--pid", "--fork", "--mount-proc"])
    first, _ = start_main(session, wrapper=sandbox)
    first.kill()
    second, _ = start_main(session, wrapper=sandbox)
    check(second.window_pid() == first.window_pid(), "the sandboxed copies had different PIDs")
    leave_normally(session, second)

    lock = session.lock_file()
    with open(lock, "w") as foreign:
        foreign.write(f"1\n{os.path.basename(session.program_path)}\nelsewhere\n")
    os.utime(lock, (time.time() - 3600,) * 2)
    before = (os.stat(lock).st_mtime, open(lock).read())
    here, _ = start_main(session)
    check((os.stat(lock).st_mtime, open(lock).read()) == before, "the lock file was changed")

    machine_id = session.path("elsewhere-machine-id")
    with open(machine_id, "w") as machine:
        machine.write("0123456789abcdef0123456789abcdef\n")
    elsewhere = as_root_of(["--mount", "--uts"]) + [
        "sh", "-c", f"hostname elsewhere && mount --bind '{machine_id}' /etc/machine-id && exec \"$0\""]
    there, _ = start_main(session, wrapper=elsewhere)
    locks = os.listdir(os.path.dirname(lock))
    check(len(locks) == 2, f"the two machines' copies do not have a lock each: {locks}")
    check(not any("0123456789abcdef" in name or open("/etc/machine-id").read().strip() in name
                  for name in locks), f"a lock is named with a machine id: {locks}")
    refused = session.start(wrapper=elsewhere)
    box = refused.wait_for_kinds("box", refuse=("main",))["box"]
    session.keys(box, "Return")
    check(refused.wait_for_end() == 0, "the refused copy did not end normally")
    leave_normally(session, there)
    leave_normally(session, here)


@case
def a_copy_that_stalls_while_taking_its_lock(session):
    """A copy that stalls right after creating its lock file (a slow disk)
    is never taken for dead: of two copies, exactly one runs."""
    first, _ = start_main(session)
    first.kill()
    lock = session.lock_file()
    os.remove(lock)  # the stalling copy makes it anew
    # The stalling copy waits 10 s once its lock file exists, before it goes on.
    slow = session.start(wrapper=["strace", "-f", "-qq", "-o", "/dev/null", "-P", lock,
                                  "-e", "trace=openat", "-e", "inject=openat:delay_exit=10000000:when=1"])
    wait_until(lambda: os.path.exists(lock), "the stalling copy's lock file")
    os.utime(lock, (time.time() - 3600,) * 2)  # as if it had stalled for an hour
    fast, _ = start_main(session)
    check(slow.running() and not slow.kinds(), "the stalling copy went on before the other had started")
    box = slow.wait_for_kinds("box", refuse=("main",), timeout=40)["box"]
    session.keys(box, "Return")
    check(slow.wait_for_end() == 0, "the refused copy did not end normally")
    leave_normally(session, fast)


@case
def a_browser_left_running_holds_no_lock(session):
    """A page opened in a browser that goes on running after the program has
    ended: the next start runs."""
    lingering = session.path("lingering-bin")
    os.makedirs(lingering)
    session.write_launcher(lingering, lingers=True)
    program, _ = start_main(session, path=lingering + ":/usr/bin:/bin", accessible=True)
    click(session, program, "main", *TOP_BANNER)
    session.wait_for_opened(1)
    leave_normally(session, program)
    browser = int(open(session.path("lingering-browser.pid")).read())
    try:
        check(os.path.exists(f"/proc/{browser}"), "the stand-in browser did not linger")
        program, _ = start_main(session)
        leave_normally(session, program)
    finally:
        os.kill(browser, signal.SIGKILL)


@case
def nothing_reaches_the_disk_before_the_first_frame(session):
    """No fsync, fdatasync or sync_file_range before the end of the main
    window's first paint, at a first start or a later one; right after it,
    the first start's date is on the disk."""
    syncs = ("fsync", "fdatasync", "sync_file_range", "sync", "syncfs", "msync")
    for start in ("first", "later"):
        trace = session.path(f"{start}-start.trace")
        program, _ = start_main(session, today=REMINDER_DAY, wrapper=[
            "strace", "-f", "-qq", "-o", trace, "-e", "trace=write," + ",".join(syncs)])
        check(session.stored_reminder_date() == REMINDER_DAY.isoformat(), f"{start} start: no date stored")
        program.kill()
        with open(trace, errors="replace") as traced:
            calls = traced.read().splitlines()
        painted = next((index for index, call in enumerate(calls) if FIRST_FRAME_MARK in call), None)
        check(painted is not None, f"{start} start: the first frame was never marked")
        early = [call for call in calls[:painted] if call.split(None, 1)[-1].startswith(tuple(s + "(" for s in syncs))]
        check(not early, f"{start} start: synced before the first frame: {early}")


# --- the test by keyboard, Back ------------------------------------------


@case
def keyboard_test(session):
    program, main = start_main(session)
    # 31 April is refused with a message, its title whole; the main window stays.
    fill_entries(session, main, you=("alex", 31, 4, 1990))
    session.keys(main, "space")
    check_whole_title(session, program.wait_for_kinds("main", "box")["box"])
    answer_message(session, program)
    # Back to the user's day (seven fields before the button): 21 July.
    session.keys(main, "--repeat", "7", "shift+Tab")
    pick(session, main, -10)
    session.keys(main, "Tab")
    pick(session, main, 3)
    session.keys(main, "--repeat", "6", "Tab")
    session.keys(main, "space")
    results = program.wait_for_kinds("results")["results"]
    check(session.geometry(results)["WIDTH"] == 625, "results window of the wrong size")
    check_centred(session, results, "the results window")
    # Alt+H, A: the about window.
    session.keys(results, "alt+h", "a")
    about = program.wait_for_kinds("results", "about")["about"]
    check_centred(session, about, "the about window")
    session.keys(about, "Escape")
    program.wait_for_kinds("results")
    # Alt+E is the results window's Exit button.
    session.keys(results, "alt+e")
    check_centred(session, program.wait_for_kinds("exit")["exit"], "the exit screen")
    end_at_exit_screen(session, program, "keyboard")

    # At twice the size (QT_SCALE_FACTOR=2) the results window is taller than
    # this 1280 x 1024 screen: it keeps its title bar and left edge on it.
    program, main = start_main(session, QT_SCALE_FACTOR="2")
    check_centred(session, main, "the main window at twice the size", slack=2)
    results = run_test(session, program, main)
    area, frame = session.work_area(), session.frame_geometry(results)
    check(frame["Y"] == area["Y"] and frame["X"] >= area["X"] and frame["HEIGHT"] > area["HEIGHT"],
          f"the results window at twice the size is at {frame}, the screen's work area {area}")
    check(abs(frame["X"] + frame["WIDTH"] / 2 - area["X"] - area["WIDTH"] / 2) <= 2,
          f"the results window at twice the size is not centred across: {frame}")
    session.keys(results, "Escape")
    program.wait_for_kinds("exit")
    end_at_exit_screen(session, program, "keyboard")


@case
def back_keeps_the_entries(session):
    program, main = start_main(session, accessible=True)
    run_test(session, program, main)
    click(session, program, "results", *BACK_BUTTON)
    main_again = program.wait_for_kinds("main")["main"]
    check(main_again == main, "Back showed another main window")
    # The entries are as they were: the same test passes again at once.
    click(session, program, "main", *TEST_BUTTON)
    results = program.wait_for_kinds("results")["results"]
    session.keys(results, "alt+b")
    program.wait_for_kinds("main")
    leave_normally(session, program)


# --- the ways out ----------------------------------------------------------


@case
def ways_out(session):
    """Each way from the main window or the results to the exit screen, and
    each way to end it (Enter for Escape, as Exit has the focus); the main
    window stays hidden behind the exit screen."""
    def close_box(program, window):
        session.tool("wmctrl", "-i", "-c", window)

    def file_menu(program, window):
        # By mouse (alt_f_opens_the_file_menu takes the keyboard), the item by its access key.
        click(session, program, "main", *FILE_MENU)
        session.keys(window, "x")

    ways = (  # (from the results, the way to the exit screen, how it is ended)
        (False, lambda program, window: click(session, program, "main", *EXIT_BUTTON), "button"),
        (False, file_menu, "access key"),
        (False, close_box, "close box"),
        (False, lambda program, window: session.keys(window, "alt+F4"), "window manager key"),
        (False, lambda program, window: session.keys(window, "Escape"), "keyboard"),
        (True, lambda program, window: click(session, program, "results", *EXIT_BUTTON), "button"),
        (True, close_box, "close box"),
    )
    for from_results, leave, how in ways:
        program, main = start_main(session, accessible=True)
        leave(program, run_test(session, program, main) if from_results else main)
        program.wait_for_kinds("exit")
        end_at_exit_screen(session, program, how)


# --- web pages ---------------------------------------------------------------


@case
def pages_from_menus(session):
    program, main = start_main(session)
    expected = []
    for keys, page in ((["alt+h", "o"], "help-web-page"), (["alt+h", "v"], "home-page"),
                       (["alt+h", "u"], "download-web-page"), (["alt+d"], "donate")):
        for key in keys:
            session.keys(main, key)
        expected.append(session.page(page))
        opened = session.wait_for_opened(len(expected))
        check(opened == expected, f"opened {opened}, expected {expected}")
        program.wait_for_kinds("main")
    leave_normally(session, program)


@case
def pages_from_banners(session):
    program, main = start_main(session, accessible=True)
    click(session, program, "main", *TOP_BANNER)
    check(session.wait_for_opened(1) == [session.page("home-page")],
          f"top banner opened {session.opened()}")
    click_bottom_banner(session, program, "main")
    bottom = session.wait_for_opened(2)[1]
    check(bottom in (session.page("co-brand"), session.page("fully-branded")),
          f"bottom banner opened {bottom}")
    results = run_test(session, program, main)
    click_bottom_banner(session, program, "results")
    check(session.wait_for_opened(3)[2] == session.page("co-brand"),
          f"results banner opened {session.opened()[2:]}")
    check(program.kinds() == ["results"], f"visible after the links: {program.kinds()}")
    session.keys(results, "alt+b")
    leave_normally(session, program)


def check_referral_address(session, address, fields):
    """The address is ASCII, names taf1 to taf6 in order, hides every
    delimiter inside the values and decodes to the trimmed fields."""
    check(all(32 < ord(c) < 127 for c in address), f"not printable ASCII: {address!r}")
    prefix = session.page("qxos-refer-a-friend") + "&"
    check(address.startswith(prefix), f"not the refer-a-friend page: {address}")
    pairs = address[len(prefix):].split("&")
    names = [pair.split("=", 1)[0] for pair in pairs]
    check(names == [f"taf{i}" for i in range(1, 7)], f"query names {names}")
    values = [pair.split("=", 1)[1] for pair in pairs]
    for value in values:
        check(not any(c in value for c in "&#=+ \r\n"), f"raw delimiter in value {value!r}")
    decoded = [urllib.parse.unquote(value, errors="strict") for value in values]
    expected = [field.strip(" ") for field in fields]
    expected.append(f"http://{session.site_host}/qx-free-friendship-compatibility-test/")
    check(decoded == expected, f"decoded values {decoded!r}, expected {expected!r}")


@case
def refer_a_friend(session):
    program, main = start_main(session, accessible=True)
    session.keys(main, "Escape")
    exit_screen = program.wait_for_kinds("exit")["exit"]
    name = "  Ann & Bob = #1+2%  "
    email = "ann+tag@example.com"
    # (xdotool types capitals outside ASCII as small letters.)
    friend_name = "Jos\u00e9 Zo\u00eb/50%"
    friend_email = "bob&co=1#x@exa.mple"
    for box, text in zip(REFERRAL_BOXES, (name, email, friend_name, friend_email)):
        click(session, program, "exit", "text", box)
        session.type_text(exit_screen, text)
    click(session, program, "exit", *REFER_BUTTON)
    address = session.wait_for_opened(1)[0]
    # The message box lies out of sight and keeps its first text.
    check_referral_address(session, address,
                           [name, email, "Your Message\r\n", friend_name, friend_email])
    # Pressing again opens the same address again; nothing was reset.
    session.keys(exit_screen, "alt+n")
    check(session.wait_for_opened(2) == [address, address], f"second press: {session.opened()}")
    check(program.kinds() == ["exit"], f"visible after submitting: {program.kinds()}")
    end_at_exit_screen(session, program, "button")


# --- the update reminder -------------------------------------------------------


@case
def reminder_after_fourteen_and_fifteen_days(session):
    day = REMINDER_DAY
    program, _ = start_main(session, today=day)
    program.kill()
    check(session.stored_reminder_date() == day.isoformat(), "first start stored no date")

    later = day + datetime.timedelta(days=14)
    program, _ = start_main(session, today=later)
    program.kill()
    check(session.stored_reminder_date() == day.isoformat(), "the date changed without a question")

    # The answer is on the disk before the page opens: a browser that kills
    # the program as it opens loses nothing. It inherits no signal blocked.
    later = day + datetime.timedelta(days=15)
    program = session.start(today=later)
    box = program.wait_for_kinds("box", refuse=("main",))["box"]
    check(session.stored_reminder_date() == day.isoformat(), "stored before the answer")
    session.kill_on_open(program)
    session.keys(box, "alt+y")
    check(program.wait_for_end() == -signal.SIGKILL, "the stand-in browser did not kill the program")
    session.kill_on_open(None)
    check(session.opened() == [session.page("download-web-page")], f"after Yes: {session.opened()}")
    check(session.stored_reminder_date() == later.isoformat(), "the answer was lost with the program")
    blocked = session.launcher_blocked_signals()
    check(blocked and not blocked[0] & {signal.SIGTERM, signal.SIGINT, signal.SIGHUP},
          f"the browser inherited signals blocked: {blocked}")

    # Answered on day + 15: quiet again 14 days on.
    program, _ = start_main(session, today=later + datetime.timedelta(days=14))
    leave_normally(session, program)


# --- faults the program survives ----------------------------------------------


@case
def stale_locks_and_another_programs_clipboard(session):
    """Nobody holds a lock an hour-old copy left, and a FIFO at the lock's
    path cannot be locked: the program starts either way. A test leaves
    another program's clipboard and mouse selection alone, and still wipes
    what was copied from a profile."""
    program, _ = start_main(session)
    program.kill()
    lock = session.lock_file()
    os.utime(lock, (time.time() - 3600,) * 2)
    program, _ = start_main(session)
    program.kill()
    os.remove(lock)
    os.mkfifo(lock)
    program, main = start_main(session, accessible=True)
    check(stat.S_ISFIFO(os.lstat(lock).st_mode), "the FIFO at the lock's path was replaced")

    editor_text = session.path("editor-text")
    with open(editor_text, "w") as text:
        text.write("copied in an editor")
    for selection in ("clipboard", "primary"):
        session.spawn(["xclip", "-quiet", "-selection", selection, editor_text], f"xclip-{selection}.log")
    wait_until(lambda: session.selection("primary") == "copied in an editor", "the editor's selection")
    results = run_test(session, program, main)
    click(session, program, "results", *PROFILE_TAB)
    from screenreader import ScreenReader
    reader = ScreenReader(session, program)
    boxes = [reader.extents(reader.shown(reader.window("results"), "text", name)) for name in PROFILE_BOXES]
    # Down the middle of both profile boxes.
    for x, top, width, height in boxes:
        for y in range(top, top + height, 20):
            session.tool("xdotool", "mousemove", str(x + width // 2), str(y))
    for selection in ("clipboard", "primary"):
        check(session.selection(selection) == "copied in an editor", f"the editor's {selection} was wiped")

    # Selecting and copying a profile makes it this program's: the next move wipes it.
    x, top, width, height = boxes[0]
    middle = top + height // 2
    for step in (["mousemove", str(x + width // 6), str(middle)], ["mousedown", "1"],
                 ["mousemove", str(x + width * 2 // 5), str(middle)],
                 ["mousemove", str(x + width * 2 // 3), str(middle)], ["mouseup", "1"]):
        session.tool("xdotool", *step)
    wait_until(lambda: session.selection("primary"), "the profile's text selected")
    session.keys(results, "ctrl+c")
    wait_until(lambda: session.selection("clipboard"), "the profile's text copied")
    session.tool("xdotool", "mousemove", str(x + width // 2), str(middle + 10))
    wait_until(lambda: not session.selection("clipboard") and not session.selection("primary"),
               "the profile's text wiped from the clipboard")
    session.keys(results, "alt+e")
    program.wait_for_kinds("exit")
    end_at_exit_screen(session, program, "button")


@case
def browser_launcher_missing(session):
    empty = session.path("empty-bin")
    os.makedirs(empty)
    program, main = start_main(session, today=REMINDER_DAY, path=empty)
    program.kill()
    program = session.start(today=REMINDER_DAY + datetime.timedelta(days=15), path=empty, accessible=True)
    box = program.wait_for_kinds("box", refuse=("main",))["box"]
    session.keys(box, "alt+y")
    main = program.wait_for_kinds("main")["main"]
    click(session, program, "main", *TOP_BANNER)
    session.keys(main, "alt+h")
    session.keys(main, "v")
    click_bottom_banner(session, program, "main")
    program.wait_for_kinds("main")
    check(session.opened() == [], "an address reached the stand-in launcher")
    leave_normally(session, program)


# --- the keyboard, a screen reader and the desktop session -----------------------

# The pair text of a user born 21 July (Leo) and a friend born 20 July (Cancer).
LEO_CANCER_TEXT = "This can be a sincere relationship if both of you strive to make it work out."


def focus_another_program(session):
    """Opens another program's window, or finds it open, and gives it the
    keyboard focus; returns the window."""
    def found():
        return session.search("--name", "^another program$")
    if not found():
        session.spawn(["xmessage", "-title", "another program", "another program"], "xmessage.log")
    window = wait_until(found, "another program's window")[0]
    session.activate(window)
    return window


def check_box_belongs_to(session, box, window, what):
    """The message box is modal to the window and centred over it, frame and
    title bar included; it stays above other programs' windows only if the
    window does; it carries the program's icon, as it has none of its own."""
    check(session.transient_for(box) == window, f"{what}: the box belongs to {session.transient_for(box)}")
    icon = session.tool("xprop", "-id", box, "_NET_WM_ICON", check=False).stdout
    check("Icon (16 x 16)" in icon, f"{what}: the box has no icon of the program's")
    above = "ABOVE" in session.window_states(window)
    check(("ABOVE" in session.window_states(box)) == above,
          f"{what}: the box is {'not ' if above else ''}kept above other programs")
    outer, inner = session.frame_geometry(window), session.frame_geometry(box)
    offset = [inner[axis] + inner[size] / 2 - outer[axis] - outer[size] / 2
              for axis, size in (("X", "WIDTH"), ("Y", "HEIGHT"))]
    check(all(abs(d) <= 2 for d in offset), f"{what}: the box is off the window's centre by {offset}")


def hear_tab_stops(session, reader, window, accessible, key, stops):
    """Presses the key once for each stop and checks that a screen reader
    hears the focus arrive at the stops in turn."""
    for index, stop in enumerate(stops):
        session.keys(window, key)
        try:
            wait_until(lambda: reader.focused(accessible).name == stop, f"the focus on {stop!r}", timeout=5)
        except Failure:
            heard = reader.announcement(reader.focused(accessible))
            raise Failure(f"{key} {index + 1}: heard {heard}, not {stop!r}") from None


@case
def screen_reader_test(session):
    """A whole test as a screen reader user makes it: no two controls that take
    the focus are announced alike; moving through them with Tab, the user
    hears which one has the focus, types the names and picks the dates with
    the arrow keys; the test button is pressed through its accessibility
    action, and the report is read back from the results window, where Tab
    goes round the controls. Pressed while another program has the focus,
    buttons bring up messages that belong to the window under them."""
    from screenreader import ScreenReader
    program, main = start_main(session, accessible=True)
    reader = ScreenReader(session, program)
    window = reader.window("main")
    said = [reader.announcement(control) for control in reader.focusable_controls(window)]
    check(len(set(said)) == len(said), f"controls announced alike: {said}")
    check(all(name or labels for _, name, _, labels in said), f"a control without a name: {said}")

    # Pressed through the accessibility bus while another program has the
    # focus, the test finds no names: its message belongs to the main window.
    focus_another_program(session)
    reader.press(reader.control(window, *TEST_BUTTON))
    box = program.wait_for_kinds("main", "box")["box"]
    check_box_belongs_to(session, box, main, "no names")
    session.keys(box, "Return")
    program.wait_for_kinds("main")

    # What is heard at each Tab stop, and what the user does there.
    steps = [("Your name", "alex"), ("Day of your birth", 20), ("Month of your birth", 6),
             ("Year of your birth", 90), ("Your friend's name", "sam"),
             ("Day of your friend's birth", 19), ("Month of your friend's birth", 6),
             ("Year of your friend's birth", 85)]
    for index, (heard, entry) in enumerate(steps):
        if index:
            session.keys(main, "Tab")
        focused = reader.focused(window)
        check(heard in (focused.name, focused.description),
              f"Tab stop {index + 1}: heard {reader.announcement(focused)}, not {heard!r}")
        if isinstance(entry, str):
            session.type_text(main, entry)
            check(reader.text_of(focused) == entry.upper(), f"{heard} reads {reader.text_of(focused)!r}")
        else:
            pick(session, main, entry)
    session.keys(main, "Tab")
    button = reader.focused(window)
    check(button.name == "Get My Compatibility With My Friend", f"then {reader.announcement(button)}")

    reader.press(button)
    program.wait_for_kinds("results")
    results = reader.window("results")
    shown = reader.texts(results)
    for text in ("You both Could Be Better Friends", LEO_CANCER_TEXT, "You are an extrovert"):
        check(text in shown, f"{text!r} is not read on the compatibility tab: {shown}")
    profiles_tab = reader.texts(results, on_screen=False)
    for text in ("Your Sun Sign", "Leo", "Your Friend's Sun Sign", "Cancer"):
        check(text in profiles_tab, f"{text!r} is not read in the results window: {profiles_tab}")
    profile = reader.text_of(reader.control(results, "text", "Your friendship profile", on_screen=False))
    check(profile.startswith("These people are in an elated mood"), f"profile read: {profile[:60]!r}")

    # Tab and Shift+Tab go round the controls of the tab in front, then Exit and Back.
    results_window = program.window("results")
    for tab, stops in (("Friendship Compatibility", []),
                       ("Friendship Profile", ["Your friendship profile", "Your friend's friendship profile"])):
        if tab == "Friendship Profile":
            reader.click("results", *PROFILE_TAB)
        stops = stops + ["Exit", "Back", tab]
        hear_tab_stops(session, reader, results_window, results, "Tab", stops)
        hear_tab_stops(session, reader, results_window, results, "shift+Tab", stops[-2::-1] + [tab])

    reader.press(reader.control(results, *EXIT_BUTTON))
    program.wait_for_kinds("exit")
    exit_window = reader.window("exit")
    said = [reader.announcement(control) for control in reader.focusable_controls(exit_window)]
    check(len(set(said)) == len(said), f"exit screen controls announced alike: {said}")
    check(all(name for _, name, _, _ in said), f"an exit screen control without a name: {said}")
    # The exit screen's messages stay above it, which stays above others.
    focus_another_program(session)
    reader.press(reader.control(exit_window, *REFER_BUTTON))
    exit_screen = program.window("exit")
    box = program.wait_for_kinds("exit", "box")["box"]
    check_box_belongs_to(session, box, exit_screen, "refer a friend")
    stacking = session.stacking()
    check(stacking.index(box) > stacking.index(exit_screen), "the message lies under the exit screen")
    session.keys(box, "Return")
    program.wait_for_kinds("exit")
    reader.press(reader.control(exit_window, *EXIT_BUTTON))
    status = program.wait_for_end()
    check(status == 0, f"the program ended with status {status}")


@case
def alt_f_opens_the_file_menu(session):
    program, main = start_main(session, accessible=True)
    # Alt+F opens the menu at once: F runs its first item, the test, which
    # finds no names.
    session.keys(main, "alt+f", "f")
    answer_message(session, program)
    session.keys(main, "alt+f", "x")
    program.wait_for_kinds("exit")
    end_at_exit_screen(session, program, "button")


@case
def name_box_keys(session):
    """Alt combinations type nothing; Ctrl+[ and pasting by keyboard are
    refused with the message; a middle click pastes the mouse selection cut
    down to a name; Ctrl+M is Enter."""
    from screenreader import ScreenReader
    program, main = start_main(session, accessible=True)
    reader = ScreenReader(session, program)
    name_box = reader.control(reader.window("main"), "text", "Your name")
    session.type_text(main, "ann")
    session.keys(main, "alt+q", "alt+1", "alt+j")
    for keys in (["ctrl+bracketleft"], ["shift+Home", "ctrl+Insert", "End", "shift+Insert"]):
        session.keys(main, *keys)
        answer_message(session, program)
    text = reader.text_of(name_box)
    check(text == "ANN", f"the name box holds {text!r}")
    selected = session.path("selected-text")
    with open(selected, "w") as text:
        text.write("o'hara 2")
    session.spawn(["xclip", "-quiet", "-selection", "primary", selected], "xclip-primary.log")
    wait_until(lambda: session.selection("primary") == "o'hara 2", "the mouse selection")
    # A click puts the cursor at the end; the middle click pastes there.
    x, y, width, height = reader.extents(name_box)
    session.activate(main)
    session.tool("xdotool", "mousemove", "--sync", str(x + width - 4), str(y + height // 2), "click", "1")
    session.tool("xdotool", "click", "2")
    wait_until(lambda: reader.text_of(name_box) == "ANNOHARA ", "the mouse selection pasted as a name")
    # A double click selects a word, which becomes the mouse selection.
    session.tool("xdotool", "mousemove", "--sync", str(x + 10), str(y + height // 2), "click", "--repeat", "2", "1")
    wait_until(lambda: session.selection("primary") == "ANNOHARA", "the name box's word as the mouse selection")
    session.keys(main, "ctrl+m")
    program.wait_for_kinds("exit")
    end_at_exit_screen(session, program, "button")


@case
def second_copy_over_the_exit_screen(session):
    first, main = start_main(session, accessible=True)
    session.keys(main, "Escape")
    exit_screen = first.wait_for_kinds("exit")["exit"]
    second = session.start()
    box = second.wait_for_kinds("box", refuse=("main",))["box"]
    stacking = session.stacking()
    check(stacking.index(box) > stacking.index(exit_screen),
          "the refused copy's message lies under the running copy's exit screen")
    wait_until(lambda: session.focused_window() == box, "the keyboard focus in the message")
    session.tool("xdotool", "key", "Return")
    check(second.wait_for_end() == 0, "the refused copy did not end normally")
    check(first.kinds() == ["exit"], f"the running copy shows {first.kinds()}")
    end_at_exit_screen(session, first, "button")


@case
def exit_screen_minimised_and_restored(session):
    """What was typed stays, and the focus stays where the user left it."""
    program, main = start_main(session, accessible=True)
    session.keys(main, "Escape")
    exit_screen = program.wait_for_kinds("exit")["exit"]
    name, email, friend_name, friend_email = REFERRAL_BOXES
    click(session, program, "exit", "text", name)
    session.type_text(exit_screen, "Ann")
    click(session, program, "exit", "text", email)
    session.type_text(exit_screen, "ann@example")
    session.tool("xdotool", "windowminimize", "--sync", exit_screen)
    wait_until(lambda: not program.kinds(), "the exit screen minimised")
    session.activate(exit_screen)
    session.type_text(exit_screen, ".org")
    for box, text in ((friend_name, "Bob"), (friend_email, "bob@example.org")):
        click(session, program, "exit", "text", box)
        session.type_text(exit_screen, text)
    click(session, program, "exit", *REFER_BUTTON)
    address = session.wait_for_opened(1)[0]
    check_referral_address(session, address,
                           ["Ann", "ann@example.org", "Your Message\r\n", "Bob", "bob@example.org"])
    end_at_exit_screen(session, program, "button")


@case
def termination_signals_end_the_program_like_exit(session):
    """SIGTERM, SIGINT and SIGHUP run the normal shutdown: no window left,
    the lock released, exit status 0; also while the results window or the
    reminder's question is up, and while the program starts."""

    def end_by(sig, program, what):
        os.kill(program.pid, sig)
        status = program.wait_for_end()
        check(status == 0, f"{what}: exit status {status}:\n{program.log()}")
        check(not session.search("--pid", str(program.pid)), f"{what}: a window is left")
        check(session.lock_is_free(), f"{what}: the lock was not released")

    program, _ = start_main(session, today=REMINDER_DAY)
    end_by(signal.SIGTERM, program, "SIGTERM in the main window")

    program, main = start_main(session, today=REMINDER_DAY)
    run_test(session, program, main)
    end_by(signal.SIGINT, program, "SIGINT in the results window")

    program = session.start(today=REMINDER_DAY + datetime.timedelta(days=15))
    program.wait_for_kinds("box", refuse=("main",))
    end_by(signal.SIGHUP, program, "SIGHUP during the reminder's question")
    check(session.stored_reminder_date() == REMINDER_DAY.isoformat(),
          "the date changed though the question was not answered")

    # One that comes while a first start starts, sent by strace at the first
    # call of the start's: while the signals are held back for the handler to
    # be put in place (the handler's socket pair), and later, before the
    # program has made anything of its own (the display's connection). The
    # program ends by itself before any window, and stores nothing: its
    # configuration folder is not even made.
    for call in ("socketpair", "connect"):
        config = session.path(f"config-{call}")
        program = session.start(today=REMINDER_DAY, XDG_CONFIG_HOME=config, wrapper=[
            "strace", "-qq", "-o", "/dev/null", "-e", f"trace={call}", "-e", f"inject={call}:signal=TERM:when=1"])
        status = program.wait_for_end()
        check(status == 0, f"SIGTERM at the first {call}: exit status {status}:\n{program.log()}")
        check(FIRST_FRAME_MARK not in program.log(), f"SIGTERM at the first {call}: the main window was painted")
        check(not os.path.exists(config), f"SIGTERM at the first {call}: settings stored")


# --- running a case --------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", help="the built QXFreeFriendshipCompatibilityTest")
    parser.add_argument("--site-host", default="www.orvanesoftwares.com")
    parser.add_argument("--version", help="the program's version, as its window captions show it")
    parser.add_argument("--list", action="store_true", help="print the case names")
    parser.add_argument("case", nargs="?", choices=sorted(CASES))
    arguments = parser.parse_args()
    if arguments.list:
        print("\n".join(CASES))
        return 0
    if not arguments.case or not arguments.program or not arguments.version:
        parser.error("a case, --program and --version are needed")
    if not os.access(arguments.program, os.X_OK):
        print(f"{arguments.case}: no program at {arguments.program}", file=sys.stderr)
        return 1

    def out_of_time(signum, frame):
        raise Failure(f"the case took longer than {CASE_TIME_LIMIT} s")

    def stopped(signum, frame):
        raise Failure(f"stopped by signal {signum}")

    signal.signal(signal.SIGALRM, out_of_time)
    for stop in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(stop, stopped)
    signal.alarm(CASE_TIME_LIMIT)
    session = None
    passed = False
    try:
        session = Session(arguments.program, arguments.site_host, arguments.version)
        CASES[arguments.case](session)
        passed = True
    except Failure as failure:
        print(f"{arguments.case}: FAILED: {failure}", file=sys.stderr)
    except Exception:  # a broken step fails the case too, with its trace
        traceback.print_exc()
        print(f"{arguments.case}: FAILED", file=sys.stderr)
    finally:
        signal.alarm(0)
        if session is not None:
            try:
                if not passed:
                    session.dump_logs(sys.stderr)
            finally:
                session.close()
    if passed:
        print(f"{arguments.case}: passed")
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
