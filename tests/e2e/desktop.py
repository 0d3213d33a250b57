"""A private X desktop, shared by the end-to-end cases, the screenshots and
the start-up benchmark.

Desktop starts its own Xvfb on a display number the server picks itself
(-displayfd), a session bus of its own (dbus-daemon --session) and, unless
told not to, the openbox window manager. It has its own home, configuration,
cache, data and runtime folders, and whatever runs on it gets those and
nothing of the caller's desktop. Everything it starts runs in a process
group of its own and is ended by close(), the bus with whatever it started.
Every wait polls a condition with a deadline; nothing sleeps for a set time.
"""

import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

# Variables of the caller's desktop that would lead a program to another
# browser launcher, session bus, display, scale or set of logging rules.
FOREIGN_VARIABLES = (
    "BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP",
    "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
    "DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER",
    "LD_PRELOAD", "FAKETIME", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
    "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI",
    "QT_LOGGING_RULES", "QT_DEBUG_PLUGINS",
)

DEFAULT_TIMEOUT = 20.0
DEFAULT_SCREEN = "1280x1024x24"
FOLDERS = ("home", "config", "cache", "data", "runtime", "bin", "logs")

_PR_SET_PDEATHSIG = 1


def _die_with_driver():
    """Runs in each child before it starts: a new process group, so that close()
    can end the child with all of its own children, and SIGKILL should the
    driver die without cleaning up (killed by a timeout, say)."""
    os.setsid()
    ctypes.CDLL(None, use_errno=True).prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


class Failure(Exception):
    """Something did not happen on the desktop as it should have."""


def wait_until(condition, what, timeout=DEFAULT_TIMEOUT, interval=0.05):
    """Polls condition() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class Desktop:
    """The desktop: openbox runs on it when window_manager is true; screen
    is Xvfb's screen, WIDTHxHEIGHTxDEPTH; its folders lie in a fresh
    temporary folder whose name starts with prefix."""

    def __init__(self, window_manager=True, screen=DEFAULT_SCREEN, prefix="qx-desktop-"):
        self.window_manager = window_manager
        self.root = tempfile.mkdtemp(prefix=prefix)
        self.processes = []
        self.xvfb = None
        self.display = None
        self.bus_address = None
        self._bound_characters = set()
        for name in FOLDERS:
            os.makedirs(self.path(name))
        os.chmod(self.path("runtime"), 0o700)
        try:
            self._start(screen)
        except BaseException:
            self.close()
            raise

    def path(self, *parts):
        return os.path.join(self.root, *parts)

    def spawn(self, command, log_name, env=None):
        """Starts a process on the desktop, its output in the log of that name."""
        log = open(self.path("logs", log_name), "ab")
        popen = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                 env=self.environment() if env is None else env,
                                 preexec_fn=_die_with_driver)
        log.close()
        self.processes.append(popen)
        return popen

    def _start_printing(self, command, log_name, what):
        """Starts a server that prints one line through a pipe when it is
        ready (command has "{fd}" where the pipe goes); returns the line."""
        reader, writer = os.pipe()
        log = open(self.path("logs", log_name), "ab")
        popen = subprocess.Popen(
            [part.format(fd=writer) for part in command], stdin=subprocess.DEVNULL,
            stdout=log, stderr=log, pass_fds=(writer,), env=self.environment(),
            preexec_fn=_die_with_driver)
        log.close()
        os.close(writer)
        line = b""
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        while not line.endswith(b"\n"):
            ready, _, _ = select.select([reader], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(reader, 256) if ready else b""
            if not chunk:
                os.close(reader)
                raise Failure(f"{what} did not start:\n" + self.read_log(log_name))
            line += chunk
        os.close(reader)
        return popen, line.decode().strip()

    def _start(self, screen):
        self.xvfb, number = self._start_printing(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"],
            "xvfb.log", "Xvfb")
        self.display = ":" + number
        # Without a bus of its own, every program start would launch one that
        # outlives the desktop (D-Bus autolaunch on X11).
        bus, self.bus_address = self._start_printing(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address={fd}"],
            "dbus.log", "the session bus")
        self.processes.append(bus)
        if not self.window_manager:
            return
        # Openbox runs the startup command once it manages windows; a window
        # mapped before then may never be managed, nor shown.
        ready = self.path("window-manager-ready")
        self.spawn(["openbox", "--sm-disable", "--startup", "touch " + ready], "openbox.log")
        wait_until(lambda: os.path.exists(ready), "the window manager")
        # The first key sent through XTEST switches the server to the XTEST
        # keyboard's map, and the window manager then grabs its key bindings
        # anew; a key pressed meanwhile would miss them. Switch now, while no
        # program runs yet.
        self.tool("xdotool", "key", "shift")

    def read_log(self, name):
        with open(self.path("logs", name), errors="replace") as log:
            return log.read()

    def dump_logs(self, stream):
        """What the desktop and its programs printed, for a failed run."""
        for name in sorted(os.listdir(self.path("logs"))):
            text = self.read_log(name).strip()
            if text:
                print(f"---- {name}\n{text}", file=stream)

    def environment(self):
        """The environment of whatever runs on this desktop: its display, bus,
        home and folders, and nothing of the caller's desktop."""
        env = {key: value for key, value in os.environ.items() if key not in FOREIGN_VARIABLES}
        env.update(HOME=self.path("home"), XDG_CONFIG_HOME=self.path("config"),
                   XDG_CACHE_HOME=self.path("cache"), XDG_DATA_HOME=self.path("data"),
                   XDG_RUNTIME_DIR=self.path("runtime"))
        if self.display:
            env.update(DISPLAY=self.display)
        if self.bus_address:
            env.update(DBUS_SESSION_BUS_ADDRESS=self.bus_address)
        return env

    def close(self):
        for popen in reversed(self.processes + ([self.xvfb] if self.xvfb else [])):
            if popen.poll() is None:
                try:
                    os.killpg(popen.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            try:
                popen.wait(10)
            except subprocess.TimeoutExpired:
                pass
        shutil.rmtree(self.root, ignore_errors=True)

    # --- X tools ---------------------------------------------------------

    def tool(self, *command, check=True, timeout=10):
        try:
            result = subprocess.run(command, env=self.environment(), capture_output=True,
                                    text=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"{' '.join(command)} did not finish within {timeout} s") from None
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result

    def search(self, *criteria):
        result = self.tool("xdotool", "search", "--all", "--onlyvisible", *criteria, check=False)
        return result.stdout.split()

    def window_name(self, window):
        return self.tool("xdotool", "getwindowname", window, check=False).stdout.rstrip("\n")

    def geometry(self, window):
        """X, Y (on the screen), WIDTH and HEIGHT of the window's client area."""
        output = self.tool("xwininfo", "-id", window, check=False).stdout
        fields = {"X": "Absolute upper-left X", "Y": "Absolute upper-left Y",
                  "WIDTH": "Width", "HEIGHT": "Height"}
        geometry = {}
        for key, label in fields.items():
            found = re.search(r"^\s*" + label + r":\s*(-?\d+)$", output, re.MULTILINE)
            geometry[key] = int(found.group(1)) if found else 0
        return geometry

    def focused_window(self):
        return self.tool("xdotool", "getwindowfocus", "-f", check=False).stdout.strip()

    def activate(self, window):
        """Gives the window the keyboard and waits until it has it; with a
        window manager, also until the manager counts it as the active
        window (its key bindings act on the active window)."""
        def focused():
            if self.focused_window() == window and (
                    not self.window_manager
                    or self.tool("xdotool", "getactivewindow", check=False).stdout.strip() == window):
                return True
            self.tool("xdotool", "windowactivate" if self.window_manager else "windowfocus", window,
                      check=False)
            return False

        wait_until(focused, f"the keyboard focus in window {window}", interval=0.1)

    def keys(self, window, *keys, delay=25):
        """Presses keys (xdotool key syntax, options first) in the window."""
        self.activate(window)
        self.tool("xdotool", "key", "--clearmodifiers", "--delay", str(delay), *keys)

    def type_text(self, window, text):
        """Types text. A character outside ASCII is first bound to a spare key
        of its own, for good: xdotool would bind it for the one key press and
        unbind it right after, and a program that reads the new keyboard map
        only after that would find nothing on the key."""
        self.activate(window)
        self._bind_keys({character for character in text if not character.isascii()})
        self.tool("xdotool", "type", "--clearmodifiers", "--delay", "25", "--", text)

    def _bind_keys(self, characters):
        missing = sorted(characters - self._bound_characters)
        if not missing:
            return
        spare = [line.split()[1] for line in self.tool("xmodmap", "-pke").stdout.splitlines()
                 if line.rstrip().endswith("=")]
        if len(spare) < len(missing):
            raise Failure(f"no spare keys for {missing}")
        expressions = []
        for keycode, character in zip(reversed(spare), missing):
            expressions += ["-e", f"keycode {keycode} = U{ord(character):04X}"]
        self.tool("xmodmap", *expressions)
        self._bound_characters.update(missing)

    def click_at(self, window, x, y):
        """Clicks at a point of the screen, once the window has the keyboard."""
        self.activate(window)
        self.tool("xdotool", "mousemove", "--sync", str(x), str(y))
        self.tool("xdotool", "click", "1")

    def grab(self, window, path):
        """Writes what the window shows to an image file, once it has stopped
        changing: two grabs in a row alike."""
        previous = [None]

        def settled():
            image = subprocess.run(["import", "-window", window, "png:-"], env=self.environment(),
                                   capture_output=True, timeout=20).stdout
            alike = bool(image) and image == previous[0]
            previous[0] = image
            return alike

        wait_until(settled, f"window {window} to stop changing", interval=0)
        with open(path, "wb") as out:
            out.write(previous[0])
