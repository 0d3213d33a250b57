"""What a screen reader sees of the program: its windows and controls on the
accessibility bus (AT-SPI), read with Debian's pyatspi; and where the
controls are on the screen, to click them.

The program must have been started with Session.start(accessible=True). The
accessibility bus is found through the session's own bus, so pyatspi is
imported only once the session exists.
"""

import os

from desktop import Failure, wait_until

# A control that only one window of the program has tells that window apart
# on the accessibility bus, which knows nothing of X11 window roles.
WINDOW_MARKS = {
    "main": ("push button", "Get My Compatibility With My Friend"),
    "results": ("push button", "Back"),
    "exit": ("push button", "Refer A Friend Now"),
    "about": ("push button", "OK"),
}


class ScreenReader:
    def __init__(self, session, program):
        os.environ.update(DISPLAY=session.display, DBUS_SESSION_BUS_ADDRESS=session.bus_address)
        import pyatspi  # noqa: E402 (needs the variables above)
        self.atspi = pyatspi
        self.session = session
        self.program = program

    def application(self):
        def found():
            if not self.program.running():
                raise Failure("the program ended")
            for application in self.atspi.Registry.getDesktop(0):
                if application is not None and application.get_process_id() == self.program.pid:
                    return application
            return None
        return wait_until(found, "the program on the accessibility bus")

    def showing(self, accessible):
        return accessible.getState().contains(self.atspi.STATE_SHOWING)

    def window(self, kind):
        """The program's window of that kind (a key of WINDOW_MARKS) on screen."""
        role, name = WINDOW_MARKS[kind]

        def found():
            for window in self.application():
                if window is None or not self.showing(window):
                    continue
                if any(control.getRoleName() == role and control.name == name
                       for control in self.descendants(window)):
                    return window
            return None
        return wait_until(found, f"the {kind} window on the accessibility bus")

    def labelled_by(self, accessible):
        names = []
        for relation in accessible.getRelationSet():
            if relation.getRelationType() == self.atspi.RELATION_LABELLED_BY:
                names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
        return tuple(names)

    def announcement(self, accessible):
        """What a screen reader says of a control: its role, name, description
        and the labels it is tied to (its label and its group)."""
        return (accessible.getRoleName(), accessible.name, accessible.description,
                self.labelled_by(accessible))

    def descendants(self, accessible):
        """Every accessible below, but not the entries of drop-down lists."""
        for child in accessible:
            if child is None:
                continue
            yield child
            if child.getRole() != self.atspi.ROLE_COMBO_BOX:
                yield from self.descendants(child)

    def focusable_controls(self, window):
        """The controls on screen that take the focus, in the tree's order."""
        return [control for control in self.descendants(window)
                if self.showing(control)
                and control.getState().contains(self.atspi.STATE_FOCUSABLE)]

    def texts(self, window, on_screen=True):
        """The labels' texts; on_screen=False reads the tab not in front too."""
        return [control.name for control in self.descendants(window)
                if control.getRoleName() == "label" and (self.showing(control) or not on_screen)]

    def control(self, window, role, name, on_screen=True, prefix=False):
        """The control of that role and name (or whose name starts so, with
        prefix=True); on_screen=False finds it on a tab that is not in front,
        too."""
        for control in self.descendants(window):
            if (control.getRoleName() == role
                    and (control.name.startswith(name) if prefix else control.name == name)
                    and (self.showing(control) or not on_screen)):
                return control
        raise Failure(f"no {role} {name!r} in the window")

    def shown(self, window, role, name):
        """The control of that role and name, once it is on the screen."""
        def found():
            try:
                return self.control(window, role, name)
            except Failure:
                return None
        return wait_until(found, f"the {role} {name!r} on the screen")

    def extents(self, accessible):
        """X, Y (on the screen), WIDTH and HEIGHT of the accessible."""
        box = accessible.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def placed(self, kind):
        """The window of that kind, once the program has it where the X
        server has it: a window the window manager has just framed may still
        be on its way there, and its controls with it."""
        window = self.window(kind)

        def in_place():
            window_id = self.program.window(kind)
            if window_id is None:
                return False
            geometry = self.session.geometry(window_id)
            return self.extents(window)[:2] == (geometry["X"], geometry["Y"]) and window_id

        return window, wait_until(in_place, f"the {kind} window in its place")

    def click(self, kind, role, name, prefix=False):
        """Clicks the middle of the control of that role and name in the
        window of that kind."""
        window, window_id = self.placed(kind)
        x, y, width, height = self.extents(self.control(window, role, name, prefix=prefix))
        self.session.click_at(window_id, x + width // 2, y + height // 2)

    def focused(self, window):
        """The control that has the keyboard focus, once there is one. Qt says
        of the tab in front of a tab strip that it is focused whatever has the
        focus: it is heard only while its strip has the focus."""
        def found():
            controls = [control for control in self.focusable_controls(window)
                        if control.getState().contains(self.atspi.STATE_FOCUSED)]
            roles = [control.getRole() for control in controls]
            if self.atspi.ROLE_PAGE_TAB_LIST in roles:
                wanted = self.atspi.ROLE_PAGE_TAB
                return next((c for c, role in zip(controls, roles) if role == wanted), None)
            return next((c for c, role in zip(controls, roles) if role != self.atspi.ROLE_PAGE_TAB), None)
        return wait_until(found, "a control with the focus")

    def text_of(self, control):
        return control.queryText().getText(0, -1)

    def press(self, button):
        """Presses a button through its accessibility action, as a screen reader does."""
        action = button.queryAction()
        for index in range(action.nActions):
            if action.getName(index) == "Press":
                action.doAction(index)
                return
        raise Failure(f"{button.name!r} has no Press action")
