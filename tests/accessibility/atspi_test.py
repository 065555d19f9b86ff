#!/usr/bin/env python3
"""The real program as assistive technology sees it, through AT-SPI.

    atspi_test.py <vexmoor> <vexmoor_make_demo>

Builds a demo game directory and settings file, starts a virtual X display
(Xvfb) and a D-Bus session of their own with the accessibility bus in it,
runs the program there with Qt's accessibility bridge switched on, and finds
its main window in the desktop tree. Checks that the fields carry their
accessible names on widgets of the right kind, that the page tabs and the
check boxes carry their captions (each page opened by its tab first), and
that controls work through AT-SPI actions alone: a page tab, a check box, the
Launch button, which starts the stand-in game with the option just set, and
File, Exit, which ends the program cleanly.

Exit status 0 when every check holds, 1 when one fails, 77 when the display
or the accessibility bus cannot be had on this machine (the reason is printed).
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

SKIP = 77
STEP_TIMEOUT = 20.0  # seconds for any one thing to appear
SESSION_TIMEOUT = 100.0  # seconds for the whole run inside the D-Bus session

BUS_LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")

# The accessible names of the main window's unlabelled fields, and the kinds
# of widget that carry them.
NAMED_FIELDS = {
    "Time limit": ("ROLE_TEXT", "ROLE_ENTRY"),
    "Frag limit": ("ROLE_TEXT", "ROLE_ENTRY"),
    "Max players": ("ROLE_TEXT", "ROLE_ENTRY"),
    "Bot count": ("ROLE_SCROLL_BAR",),
    "Bot skill": ("ROLE_SLIDER",),
    "Specific bots": ("ROLE_LIST", "ROLE_LIST_BOX"),
    "Internal maps": ("ROLE_LIST", "ROLE_LIST_BOX"),
    "External maps": ("ROLE_LIST", "ROLE_LIST_BOX"),
    "CTF maps": ("ROLE_LIST", "ROLE_LIST_BOX"),
}
# Fields named by the label the window shows beside them.
LABELLED_FIELDS = {
    "Number of Bots (0-30)": ("ROLE_TEXT", "ROLE_ENTRY"),
    "Client latency (1 to 1000)": ("ROLE_TEXT", "ROLE_ENTRY"),
    "Maximum Players Per Team Allowed": ("ROLE_TEXT", "ROLE_ENTRY"),
    "Your Team:": ("ROLE_LIST", "ROLE_LIST_BOX"),
    "Bot Teams:": ("ROLE_LIST", "ROLE_LIST_BOX"),
}
PAGE_TABS = ["Main", "Bots", "Maps", "Teamplay", "Gameplay", "Preferences"]
CHECK_BOXES = [
    "Allow Health", "Allow Armor", "Allow Powerups", "Instant Powerups", "Weapons Stay",
    "Infinite Ammo", "Quad Drop", "Viewable Weapons", "Falling Damage", "Friendly Fire",
    "Force Respawn", "Spawn Farthest", "Same Map", "Allow Exit", "Fixed FOV",
    "Close Application  on Exit", "Edit/Display command line on launch", "Dedicated Server",
    "Bot Dynamic Node Calculation", "Allow Cheats", "Show Bot Connect Info",
    "Allow Client Commands", "Time Limit", "Frag Limit", "Auto Skill", "Teamplay",
]
OPTION_BUTTONS = ["Spawn Random Bots", "Spawn Specific Bots", "Q2 Internal", "Q2 External", "Q2 CTF"]
BUTTONS = [
    "Launch!", "Browse", "Save Settings", "Edit Bot Profiles", "Edit Bot Chat", "Edit Map Cycle",
    "Edit Teams",
]


class Skip(Exception):
    """The machine cannot give this test what it needs; not the program's fault."""


def wait_for(what, probe, timeout=STEP_TIMEOUT, interval=0.05, gone=None):
    """Polls probe() until it returns something true, within a bound; gives up
    at once when gone() says that what is waited for cannot come any more."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except Exception:  # the tree may change under a probe; try again
            value = None
        if value:
            return value
        if gone and gone():
            raise AssertionError(f"{gone()} while waiting for {what}")
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f}s waiting for {what}")
        time.sleep(interval)


def end_process(process, group=False):
    """Ends a process we started (and its group when it leads one), politely first."""
    if process is None or process.poll() is not None:
        return
    try:
        if group:
            os.killpg(process.pid, signal.SIGTERM)
        else:
            process.terminate()
        process.wait(timeout=5)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            if group:
                os.killpg(process.pid, signal.SIGKILL)
            else:
                process.kill()
            process.wait(timeout=5)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            pass


# ---------------------------------------------------------------- outside


def start_display():
    """Starts Xvfb on the first free display number; returns (process, ':N')."""
    if not shutil.which("Xvfb"):
        raise Skip("Xvfb is not installed")
    read_end, write_end = os.pipe()
    process = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
        start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + STEP_TIMEOUT
    try:
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            ready, _, _ = select.select([read_end], [], [], max(remaining, 0))
            if not ready:
                raise Skip("Xvfb did not report a display within the time allowed")
            chunk = os.read(read_end, 16)
            if not chunk:
                error = process.communicate(timeout=5)[1].decode(errors="replace").strip()
                raise Skip(f"Xvfb could not start: {error}")
            number += chunk
    except Skip:
        end_process(process, group=True)
        raise
    finally:
        os.close(read_end)
    return process, ":" + number.decode().strip()


def outside(program, make_demo):
    for tool in ("dbus-run-session", "dbus-daemon"):
        if not shutil.which(tool):
            raise Skip(f"{tool} is not installed")
    if not any(os.access(path, os.X_OK) for path in BUS_LAUNCHERS):
        raise Skip("at-spi-bus-launcher is not installed")

    work = tempfile.mkdtemp(prefix="vexmoor-atspi-")
    display = None
    try:
        subprocess.run([make_demo, os.path.join(work, "game"), os.path.join(work, "config", "vexmoor.ini")],
                       check=True, stdout=subprocess.DEVNULL, timeout=60)
        display, display_name = start_display()

        env = dict(os.environ)
        env.update({
            "DISPLAY": display_name,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "XDG_CONFIG_HOME": os.path.join(work, "config"),
            "XDG_DATA_HOME": os.path.join(work, "data"),
            "LC_ALL": "C.UTF-8",
        })
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        if not env.get("XDG_RUNTIME_DIR") or not os.path.isdir(env["XDG_RUNTIME_DIR"]):
            runtime = os.path.join(work, "runtime")
            os.mkdir(runtime, 0o700)
            env["XDG_RUNTIME_DIR"] = runtime

        session = subprocess.Popen(
            ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside", program, work],
            env=env, start_new_session=True)
        try:
            return session.wait(timeout=SESSION_TIMEOUT)
        except subprocess.TimeoutExpired:
            print(f"FAIL: the run did not finish within {SESSION_TIMEOUT:.0f}s", flush=True)
            return 1
        finally:
            end_process(session, group=True)
    finally:
        end_process(display, group=True)
        shutil.rmtree(work, ignore_errors=True)


# ---------------------------------------------------------------- inside


def start_accessibility_bus():
    """Starts the accessibility bus of this D-Bus session and waits until it answers."""
    launcher_path = next(path for path in BUS_LAUNCHERS if os.access(path, os.X_OK))
    launcher = subprocess.Popen([launcher_path, "--launch-immediately"], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, start_new_session=True)
    from gi.repository import Gio, GLib

    def address():
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                              GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NONE, 2000, None)
        return reply.unpack()[0]

    def ended():
        return launcher.poll() is not None and f"at-spi-bus-launcher ended (status {launcher.returncode})"

    try:
        wait_for("the accessibility bus", address, gone=ended)
    except AssertionError as error:
        end_process(launcher, group=True)
        raise Skip(f"the accessibility bus did not start: {error}")
    return launcher


class Tree:
    """The program's main window in the desktop tree, read fresh on every look."""

    def __init__(self, pyatspi, frame):
        self.pyatspi = pyatspi
        self.frame = frame

    def fresh(self, accessible):
        accessible.clearCache()
        return accessible

    def everything(self):
        """(role, name, accessible) of every node under the frame; list items left out."""
        found = []
        pending = [self.frame]
        while pending:
            node = self.fresh(pending.pop(0))
            found.append((node.getRole(), node.name, node))
            if node.getRole() in (self.pyatspi.ROLE_LIST, self.pyatspi.ROLE_LIST_BOX):
                continue
            for index in range(node.childCount):
                child = node.getChildAtIndex(index)
                if child is not None:
                    pending.append(child)
        return found

    def states(self, accessible):
        return set(self.fresh(accessible).getState().getStates())

    def do(self, accessible, *names):
        """Runs the first of the named actions the accessible offers."""
        action = self.fresh(accessible).queryAction()
        offered = [action.getName(i) for i in range(action.nActions)]
        for name in names:
            if name in offered:
                return action.doAction(offered.index(name))
        raise AssertionError(f"{accessible.name!r} offers none of {names}, only {offered}")


def find_main_window(pyatspi, program_process):
    def ended():
        if program_process.poll() is not None:
            return f"the program ended (status {program_process.returncode})"
        return None

    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.clearCache()
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is None:
                continue
            application.clearCache()
            for window_index in range(application.childCount):
                window = application.getChildAtIndex(window_index)
                if window is not None and window.getRole() == pyatspi.ROLE_FRAME and window.name == "Vexmoor ":
                    return window
        return None

    window = wait_for('the "Vexmoor " window in the desktop tree', probe, gone=ended)
    # The frame can come before its contents.
    tree = Tree(pyatspi, window)
    wait_for("the main window's controls", lambda: any(name == "Launch!" for _, name, _ in tree.everything()),
             gone=ended)
    return tree


def recorded_start(record):
    """The first start the stand-in game wrote down, once it is complete."""
    if not os.path.exists(record):
        return None
    with open(record) as log:
        text = log.read()
    return text.split("--\n")[0].splitlines() if "--\n" in text else None


def check(failures, condition, message):
    if not condition:
        failures.append(message)


def report(failures, log_path):
    for failure in failures:
        print("FAIL:", failure, flush=True)
    if failures:
        with open(log_path, "rb") as log:
            sys.stdout.write("-- program output --\n" + log.read().decode(errors="replace"))
        return 1
    print(f"accessibility: {len(NAMED_FIELDS) + len(LABELLED_FIELDS)} fields, {len(CHECK_BOXES)} check boxes, "
          f"{len(OPTION_BUTTONS)} option buttons, {len(BUTTONS)} buttons and {len(PAGE_TABS)} page tabs found; "
          "a page tab, a check box, a text set, Launch and File, Exit worked through AT-SPI", flush=True)
    return 0


def inside(program, work):
    launcher = start_accessibility_bus()
    vexmoor = None
    log_path = os.path.join(work, "vexmoor.log")
    try:
        import pyatspi

        try:
            pyatspi.Registry.getDesktop(0).childCount
        except Exception as error:  # the registry daemon is part of the bus, not of the program
            raise Skip(f"the accessibility registry does not answer: {error}")

        with open(log_path, "wb") as log:
            vexmoor = subprocess.Popen([program], stdout=log, stderr=subprocess.STDOUT, cwd=work)
        failures = []
        try:
            tree = find_main_window(pyatspi, vexmoor)
        except AssertionError as error:
            failures.append(str(error))
            return report(failures, log_path)
        # A screen reader's user opens each page by its tab, as a page's
        # controls are made when it is first shown; then the whole tree. The
        # switch is done when the action returns (the tabs carry no state to
        # wait for); a page it left unbuilt fails the checks below.
        tabs = [node for role, _, node in tree.everything() if role == pyatspi.ROLE_PAGE_TAB]
        for tab in tabs:
            try:
                tree.do(tab, "Press", "Switch", "click")
            except AssertionError as error:
                failures.append(str(error))
        nodes = tree.everything()

        def having(name, roles):
            wanted = {getattr(pyatspi, role) for role in roles if hasattr(pyatspi, role)}
            return [node for role, node_name, node in nodes if node_name == name and role in wanted]

        def roles_named(name):
            return [node.getRoleName() for _, node_name, node in nodes if node_name == name]

        for name, roles in {**NAMED_FIELDS, **LABELLED_FIELDS}.items():
            check(failures, having(name, roles),
                  f"no {' or '.join(roles)} named {name!r}; with that name: {roles_named(name)}")
        for name in CHECK_BOXES:
            check(failures, having(name, ("ROLE_CHECK_BOX",)), f"no check box captioned {name!r}")
        for name in OPTION_BUTTONS:
            check(failures, having(name, ("ROLE_RADIO_BUTTON",)),
                  f"no option button captioned {name!r}; with that name: {roles_named(name)}")
        for name in BUTTONS:
            check(failures, having(name, ("ROLE_PUSH_BUTTON",)), f"no button captioned {name!r}")

        tab_lists = [node for role, _, node in nodes if role == pyatspi.ROLE_PAGE_TAB_LIST]
        check(failures, len(tab_lists) == 1, f"{len(tab_lists)} page tab lists")
        tabs = [node for role, _, node in nodes if role == pyatspi.ROLE_PAGE_TAB]
        check(failures, [tab.name for tab in tabs] == PAGE_TABS,
              f"page tabs {[tab.name for tab in tabs]}, not {PAGE_TABS}")

        # Work the program through AT-SPI alone: the bot count set as a screen
        # reader sets text, the Gameplay page by its tab, Allow Cheats by its
        # action, then Launch.
        cheats = having("Allow Cheats", ("ROLE_CHECK_BOX",))
        launch = having("Launch!", ("ROLE_PUSH_BUTTON",))
        gameplay = [tab for tab in tabs if tab.name == "Gameplay"]
        bots_tab = [tab for tab in tabs if tab.name == "Bots"]
        bot_count = having("Number of Bots (0-30)", LABELLED_FIELDS["Number of Bots (0-30)"])
        if not (cheats and launch and gameplay and bots_tab and bot_count):
            failures.append("cannot work the controls: Allow Cheats, Launch!, the bot count or a page tab is missing")
        else:
            cheats, launch, gameplay = cheats[0], launch[0], gameplay[0]
            tree.do(bots_tab[0], "Press", "Switch", "click")
            wait_for("the Bots page to show", lambda: pyatspi.STATE_SHOWING in tree.states(bot_count[0]))
            tree.fresh(bot_count[0]).queryEditableText().setTextContents("3")
            tree.do(gameplay, "Press", "Switch", "click")
            wait_for("the Gameplay page to show", lambda: pyatspi.STATE_SHOWING in tree.states(cheats))
            check(failures, pyatspi.STATE_CHECKED not in tree.states(cheats), "Allow Cheats starts checked")
            tree.do(cheats, "Toggle", "Press", "click")
            try:
                wait_for("Allow Cheats to read as checked", lambda: pyatspi.STATE_CHECKED in tree.states(cheats))
            except AssertionError as error:
                failures.append(str(error))

            record = os.path.join(work, "game", "quake2-starts.log")
            tree.do(launch, "Press", "click")
            try:
                lines = wait_for("the stand-in game to record its start", lambda: recorded_start(record))
                arguments = " ".join(lines[1:])
                check(failures, lines[0] == os.path.realpath(os.path.join(work, "game")),
                      f"the game started in {lines[0]!r}")
                check(failures, arguments.startswith("+set game eraser "), f"the game got {arguments!r}")
                check(failures, "+set cheats 1" in arguments,
                      f"Allow Cheats, checked through AT-SPI, did not reach the launch: {arguments!r}")
                check(failures, "+set bot_num 3 " in arguments + " ",
                      f"the bot count, set through AT-SPI, did not reach the launch: {arguments!r}")
            except AssertionError as error:
                failures.append(str(error))

        # File, Exit through its menu item's action ends the program, and cleanly.
        exit_items = having("Exit", ("ROLE_MENU_ITEM",))
        check(failures, vexmoor.poll() is None, f"the program ended early (status {vexmoor.returncode})")
        if not exit_items:
            failures.append("no menu item Exit")
        elif vexmoor.poll() is None:
            tree.do(exit_items[0], "Press", "click")
            try:
                wait_for("the program to end after File, Exit", lambda: vexmoor.poll() is not None)
                check(failures, vexmoor.returncode == 0, f"the program ended with status {vexmoor.returncode}")
            except AssertionError as error:
                failures.append(str(error))
        return report(failures, log_path)
    finally:
        end_process(vexmoor)
        end_process(launcher, group=True)


def main(argv):
    try:
        if len(argv) == 4 and argv[1] == "--inside":
            return inside(argv[2], argv[3])
        if len(argv) != 3:
            print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
            return 2
        return outside(os.path.abspath(argv[1]), os.path.abspath(argv[2]))
    except Skip as reason:
        print(f"SKIP: {reason}", flush=True)
        return SKIP
    except AssertionError as error:
        print(f"FAIL: {error}", flush=True)
        return 1
    except Exception:
        traceback.print_exc()
        return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
