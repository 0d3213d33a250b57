"""The desktop program on a private X desktop (desktop.Desktop), as the
end-to-end cases and the screenshots run it.

Session gives the program fresh per-user folders, puts a stand-in
`xdg-open` first on PATH that appends each address it is handed to a file,
and knows the program's windows, lock and settings.
"""

import fcntl
import glob
import os
import re
import signal
import subprocess
import xml.etree.ElementTree

from desktop import DEFAULT_SCREEN, DEFAULT_TIMEOUT, Desktop, Failure, wait_until

PROGRAM_NAME = "QXFreeFriendshipCompatibilityTest"
# Message boxes carry the program's title; its windows the title and the
# version, which Session takes from the build.
BOX_CAPTION = "QX Friendship Compatibility Test"

# The X11 window role (WM_WINDOW_ROLE) that each window of the program
# sets, which tells the windows apart, as they all share one caption.
WINDOW_ROLES = {"main-window": "main", "results-window": "results", "exit-screen": "exit",
                "about-window": "about", "message-box": "box"}
# What the program prints on standard error, with QT_LOGGING_RULES asking for
# it, once its main window has painted its first frame, and once what the
# start-up stored is on the disk, right after.
STARTUP_LOGGING = "qx.startup.debug=true"
FIRST_FRAME_MARK = "main window painted"
SETTLED_MARK = "start-up settled"

# The window manager's settings and themes: openbox reads the system's
# settings, as each case's home is a fresh one.
OPENBOX_SETTINGS = "/etc/xdg/openbox/rc.xml"
THEMES = "/usr/share/themes"

def faketime_library():
    found = sorted(glob.glob("/usr/lib/*/faketime/libfaketimeMT.so.1"))
    if not found:
        raise Failure("libfaketime is not installed (package libfaketime)")
    return found[0]


class Program:
    """One running copy of the desktop program."""

    def __init__(self, session, popen, log_path):
        self.session = session
        self.popen = popen
        self.log_path = log_path
        self._window_pid = None

    @property
    def pid(self):
        return self.popen.pid

    def program_pid(self):
        """The program's own process, which may run under a wrapper (strace,
        unshare); None until it has started."""
        pending = [self.popen.pid]
        while pending:
            pid = pending.pop()
            try:
                if os.path.samefile(f"/proc/{pid}/exe", self.session.program_path):
                    return pid
                with open(f"/proc/{pid}/task/{pid}/children") as children:
                    pending.extend(int(child) for child in children.read().split())
            except OSError:
                pass
        return None

    def window_pid(self):
        """The PID the program's windows carry: its own, as its PID namespace
        numbers it."""
        if self._window_pid is None:
            pid = self.program_pid()
            if pid is not None:
                with open(f"/proc/{pid}/status") as status:
                    for line in status:
                        if line.startswith("NSpid:"):
                            self._window_pid = int(line.split()[-1])
        return self._window_pid

    def holds_lock(self):
        """Whether the program holds the one-copy lock file open."""
        pid = self.program_pid()
        if pid is None:
            return False
        folder = self.session.path("cache", PROGRAM_NAME) + "/"
        try:
            descriptors = os.listdir(f"/proc/{pid}/fd")
        except OSError:
            return False
        for descriptor in descriptors:
            try:
                target = os.readlink(f"/proc/{pid}/fd/{descriptor}")
            except OSError:
                continue
            if target.startswith(folder) and target.endswith(".lock"):
                return True
        return False

    def wait_for_first_frame(self, timeout=DEFAULT_TIMEOUT):
        """Waits until the main window has painted its first frame and what
        the start-up stored is on the disk (the program marks it on standard
        error)."""
        wait_until(lambda: SETTLED_MARK in self.log(), "the main window's first frame", timeout)

    def running(self):
        return self.popen.poll() is None

    def log(self):
        with open(self.log_path, errors="replace") as log:
            return log.read()

    def windows(self):
        """The visible windows of this copy as (kind, id) pairs: kind is
        "main", "results", "exit", "about" or "box" (a message box), each
        with its caption."""
        found = []
        pid = self.window_pid()
        if pid is None:
            return []
        for window in self.session.search("--pid", str(pid), "--name", "^QX Friendship"):
            kind = self.session.kind_of(window)
            name = self.session.window_name(window)
            if name == BOX_CAPTION if kind == "box" else self.session.is_window_caption(name):
                found.append((kind, window))
        return found

    def kinds(self):
        return sorted(kind for kind, _ in self.windows())

    def window(self, kind):
        for found_kind, window in self.windows():
            if found_kind == kind:
                return window
        return None

    def wait_for_kinds(self, *kinds, refuse=(), timeout=DEFAULT_TIMEOUT):
        """Waits until exactly these windows are visible; returns them by kind.
        Fails at once when a window of a kind in refuse shows up."""
        expected = sorted(kinds)

        def shown():
            if not self.running():
                raise Failure(f"the program ended while waiting for {expected}:\n{self.log()}")
            windows = self.windows()
            unwanted = [kind for kind, _ in windows if kind in refuse]
            if unwanted:
                raise Failure(f"a {unwanted[0]} window showed up while waiting for {expected}")
            return dict(windows) if sorted(kind for kind, _ in windows) == expected else None

        try:
            return wait_until(shown, f"the windows {expected}", timeout)
        except Failure as failure:
            raise Failure(f"{failure}; visible: {self.kinds() if self.running() else 'none'}")

    def wait_for_end(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout:.0f} s; "
                             f"visible: {self.kinds()}") from None

    def kill(self, sig=signal.SIGKILL):
        if self.running():
            os.killpg(self.popen.pid, sig)
        try:
            self.popen.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end on signal {sig}") from None


class Session(Desktop):
    """A private desktop for the program at program_path. Its windows are
    told apart by their caption, which holds the version (any version when
    version is None), and by their size."""

    def __init__(self, program_path, site_host=None, version=None, window_manager=True,
                 screen=DEFAULT_SCREEN):
        self.program_path = program_path
        self.site_host = site_host
        self.version = version
        super().__init__(window_manager, screen, prefix="qx-e2e-")
        self.opened_file = self.path("opened-addresses")
        self.write_launcher(self.path("bin"))

    def is_window_caption(self, name):
        if self.version is None:
            return name.startswith(BOX_CAPTION + " v")
        return name == f"{BOX_CAPTION} v{self.version}"

    def write_launcher(self, directory, lingers=False):
        """The stand-in xdg-open: records its argument and the signals it
        inherited blocked, opens nothing, and kills the copy named by
        kill_on_open(); one that lingers goes on running, as a browser does,
        and leaves its PID in lingering-browser.pid."""
        launcher = os.path.join(directory, "xdg-open")
        kill_file = self.path("kill-on-open.pid")
        with open(launcher, "w") as script:
            script.write("#!/bin/sh\n"
                         f"printf '%s\\n' \"$1\" >> '{self.opened_file}'\n"
                         # Read by the shell itself: a shell blocks signals
                         # while it starts another program.
                         "while read -r field value; do [ \"$field\" = SigBlk: ] && "
                         f"printf '%s\\n' \"$value\" >> '{self.path('launcher-blocked-signals')}'; "
                         "done < /proc/$$/status\n"
                         f"if [ -f '{kill_file}' ]; then kill -KILL \"$(cat '{kill_file}')\"; fi\n")
            if lingers:
                script.write(f"echo $$ > '{self.path('lingering-browser.pid')}'\nexec sleep 600\n")
        os.chmod(launcher, 0o755)

    def dump_logs(self, stream):
        """What the desktop and the program printed, for a failed case."""
        super().dump_logs(stream)
        print(f"---- addresses handed to xdg-open: {self.opened()}", file=stream)

    # --- the program -----------------------------------------------------

    def program_environment(self, today=None, path=None, accessible=False, stopped_clock=False,
                            **changes):
        env = self.environment()
        env.update(
            PATH=path if path is not None else self.path("bin") + ":/usr/bin:/bin",
            QT_QPA_PLATFORM="xcb",
            QT_LOGGING_RULES=STARTUP_LOGGING,
        )
        if accessible:
            # What a screen reader sees, through the accessibility bus.
            env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        if today is not None:
            # The wall clock starts at 10:00 on that day, or stands still
            # there; timers keep real time.
            env.update(LD_PRELOAD=faketime_library(),
                       FAKETIME=("" if stopped_clock else "@") + today.isoformat() + " 10:00:00",
                       FAKETIME_DONT_FAKE_MONOTONIC="1")
        for key, value in changes.items():
            if value is None:
                env.pop(key, None)
            else:
                env[key] = value
        return env

    def start(self, today=None, path=None, accessible=False, stopped_clock=False, wrapper=(), **changes):
        """Starts a copy, under the wrapper command if one is given."""
        log_name = f"program-{len(self.processes)}.log"
        popen = self.spawn([*wrapper, self.program_path], log_name,
                           self.program_environment(today, path, accessible, stopped_clock, **changes))
        return Program(self, popen, self.path("logs", log_name))

    def lock_file(self):
        """The one-copy lock: the one lock file in the program's cache folder,
        once a copy has run."""
        found = glob.glob(self.path("cache", PROGRAM_NAME, "*.lock"))
        if len(found) != 1:
            raise Failure(f"not one lock file but {found}")
        return found[0]

    def lock_is_free(self, path=None):
        """Whether nobody holds the lock: the lock can be taken, and is let go at once."""
        with open(path or self.lock_file(), "rb") as lock:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
            except BlockingIOError:
                return False
            fcntl.flock(lock, fcntl.LOCK_UN)
            return True

    def settings_file(self):
        return self.path("config", PROGRAM_NAME, PROGRAM_NAME + ".conf")

    def stored_reminder_date(self):
        """The reminder date as the program stored it, decoded; None when absent."""
        try:
            with open(self.settings_file(), "rb") as settings:
                lines = settings.read().decode("utf-8").split("\n")  # not splitlines(): "0" encodes to U+0085
        except FileNotFoundError:
            return None
        key = "".join("%%%02X" % (ord(c) + 85) for c in "Duration")
        for line in lines:
            if line.startswith(key + "="):
                return "".join(chr(ord(c) - 85) for c in line[len(key) + 1:])
        return None

    def kill_on_open(self, program):
        """The stand-in xdg-open kills the program with SIGKILL when it is
        handed an address (None: it kills nothing)."""
        kill_file = self.path("kill-on-open.pid")
        if program is None:
            os.remove(kill_file)
        else:
            with open(kill_file, "w") as pid:
                pid.write(str(program.program_pid()))

    def launcher_blocked_signals(self):
        """The signals each call of the stand-in xdg-open found blocked, as sets of numbers."""
        try:
            with open(self.path("launcher-blocked-signals")) as lines:
                masks = [int(line, 16) for line in lines]
        except FileNotFoundError:
            return []
        return [{number for number in range(1, 65) if mask >> (number - 1) & 1} for mask in masks]

    def opened(self):
        try:
            with open(self.opened_file) as opened:
                return opened.read().splitlines()
        except FileNotFoundError:
            return []

    def wait_for_opened(self, count, timeout=DEFAULT_TIMEOUT):
        return wait_until(lambda: len(self.opened()) >= count and self.opened(),
                          f"{count} address(es) handed to xdg-open", timeout)

    def page(self, key):
        return f"http://{self.site_host}/qx-free-friendship-compatibility-test/ssd.php?page={key}"

    # --- what the window manager shows -----------------------------------

    def work_area(self):
        """X, Y, WIDTH and HEIGHT of the screen's area for windows (_NET_WORKAREA)."""
        output = self.tool("xprop", "-root", "_NET_WORKAREA").stdout
        x, y, width, height = (int(n) for n in re.findall(r"\d+", output.partition("=")[2])[:4])
        return {"X": x, "Y": y, "WIDTH": width, "HEIGHT": height}

    def frame_extents(self, window):
        """Left, right, top and bottom of the window manager's frame around
        the window (_NET_FRAME_EXTENTS), zeros while it has none."""
        output = self.tool("xprop", "-id", window, "_NET_FRAME_EXTENTS", check=False).stdout
        numbers = [int(n) for n in re.findall(r"\d+", output.partition("=")[2])]
        return tuple(numbers) if len(numbers) == 4 else (0, 0, 0, 0)

    def frame_geometry(self, window):
        """X, Y, WIDTH and HEIGHT of the window as the user sees it, with the
        window manager's frame and title bar."""
        client = self.geometry(window)
        left, right, top, bottom = self.frame_extents(window)
        return {"X": client["X"] - left, "Y": client["Y"] - top,
                "WIDTH": client["WIDTH"] + left + right, "HEIGHT": client["HEIGHT"] + top + bottom}

    def transient_for(self, window):
        """The window this one is transient for (a dialog's owner), or None."""
        output = self.tool("xprop", "-id", window, "WM_TRANSIENT_FOR", check=False).stdout
        found = re.search(r"window id # (0x[0-9a-fA-F]+)", output)
        return str(int(found.group(1), 16)) if found else None

    def window_states(self, window):
        """The window's _NET_WM_STATE atoms, without their prefix."""
        output = self.tool("xprop", "-id", window, "_NET_WM_STATE", check=False).stdout
        return set(re.findall(r"_NET_WM_STATE_(\w+)", output))

    def active_title_colour(self):
        """The colour in which the window manager writes the title of the
        active window, as (red, green, blue), from its theme."""
        settings = xml.etree.ElementTree.parse(OPENBOX_SETTINGS)
        theme = settings.findtext("{http://openbox.org/3.4/rc}theme/{http://openbox.org/3.4/rc}name")
        with open(os.path.join(THEMES, theme, "openbox-3", "themerc")) as themerc:
            found = re.search(r"^window\.active\.label\.text\.color:\s*#([0-9a-fA-F]{6})", themerc.read(),
                              re.MULTILINE)
        return tuple(bytes.fromhex(found.group(1)))

    def title_width(self, window):
        """How wide the window manager draws the window's title, in pixels:
        the run of columns in the middle of the title bar that hold the
        active title's colour (the title's words, not the icon or the
        buttons at the ends). 0 while the window is not the active one."""
        frame = self.frame_geometry(window)
        height = self.frame_extents(window)[2]
        crop = f"{frame['WIDTH']}x{height}+{frame['X']}+{frame['Y']}"
        pixels = subprocess.run(["import", "-window", "root", "-crop", crop, "-depth", "8", "rgb:-"],
                                env=self.environment(), capture_output=True, timeout=10).stdout
        colour = bytes(self.active_title_colour())
        columns = sorted({(offset // 3) % frame["WIDTH"] for offset in range(0, len(pixels) - 2, 3)
                          if pixels[offset:offset + 3] == colour})
        # The words of the title lie a few pixels apart; the icon and the
        # buttons lie well away from them.
        runs = []
        for column in columns:
            if runs and column - runs[-1][1] <= height // 2:
                runs[-1][1] = column
            else:
                runs.append([column, column])
        middle = frame["WIDTH"] // 2
        title = [run for run in runs if run[0] <= middle <= run[1]]
        return title[0][1] - title[0][0] + 1 if title else 0

    def kind_of(self, window):
        """The kind of the program's window, from the role it sets."""
        output = self.tool("xprop", "-id", window, "WM_WINDOW_ROLE", check=False).stdout
        role = re.search(r'= "(.*)"', output)
        return WINDOW_ROLES.get(role.group(1), f"unknown({role.group(1)})") if role else "unknown"

    def selection(self, name):
        """What the X selection ("clipboard" or "primary") holds, "" when nobody owns it."""
        result = self.tool("xclip", "-o", "-selection", name, check=False)
        return result.stdout if result.returncode == 0 else ""

    def stacking(self):
        """The managed windows from the bottom to the top of the stack."""
        output = self.tool("xprop", "-root", "_NET_CLIENT_LIST_STACKING").stdout
        return [str(int(window, 16)) for window in re.findall(r"0x[0-9a-fA-F]+", output)]
