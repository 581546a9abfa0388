#!/usr/bin/python3
# Walks Tavro's windows the way a screen reader does, over AT-SPI, and prints one line per
# finding; exits 1 when there is any. Clicks go through the X server (xdotool), as a person's do.
#   accessibility-walk.py preferences   the Preferences window, every section
#   accessibility-walk.py onboarding    the Welcome window, every step
#   accessibility-walk.py picker        a link's picker while the private-window key is held and let go
#   accessibility-walk.py keyboard-preferences   Preferences with keys alone: every pane, the popovers, a row change
#   accessibility-walk.py keyboard-onboarding    the Welcome window with keys alone: every step and choice
# With keys alone, every stop is also looked at on the screen for a focus ring of 3:1 around the control.
import collections
import functools
import os
import subprocess
import sys
import time

import gi
import pyatspi
from gi.repository import GLib

gi.require_version("Gdk", "3.0")
from gi.repository import Gdk  # noqa: E402  (after the version it needs)

# Texts that would stand in for a role, read aloud untranslated.
ROLE_WORDS = {"link", "heading", "button", "checkbox", "check box", "tab"}
# The rows whose control is a pop-up, by the pane or step that shows them.
POP_UPS = {"Appearance": {"Image position"},
           "Shortcuts": {"Modifier key", "What to open", "Private window key", "Prefix"},
           "bypass": {"Bypass with", "What to open"}}
findings = []
# What a screen reader hears, as (event type, source name, detail); filled while events are pumped.
heard = []
# The elements a screen reader was told have the focus, the newest last.
focused = []


def find(message):
    findings.append(message)


def listen(event):
    try:
        name = event.source.name if event.source is not None else ""
    except Exception:
        name = ""
    heard.append((event.type, name, event.detail1, event.any_data if event.type.startswith("object:announcement") else None))
    if event.type == "object:state-changed:focused" and event.detail1 == 1:
        focused.append(event.source)


def start_listening():
    pyatspi.Registry.registerEventListener(listen, "object:state-changed", "object:announcement")


def wait_for(predicate, timeout=5):
    """Pumps the events in until `predicate` holds; False when it never did."""
    context = GLib.MainContext.default()
    deadline = time.time() + timeout
    while time.time() < deadline:
        while context.pending():
            context.iteration(False)
        if predicate():
            return True
        time.sleep(0.05)
    return False


def announced(text):
    return any(t.startswith("object:announcement") and a == text for t, n, d, a in heard)


def heard_state(state, name, value):
    return any(t == "object:state-changed:" + state and n == name and d == value for t, n, d, _ in heard)


def check_heard(where, state, name, value):
    if not wait_for(lambda: heard_state(state, name, value)):
        find(f"{where}: no {state}={value} from {name!r}; heard {[h[:3] for h in heard if h[1] == name]}")


def application():
    deadline = time.time() + 20
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            # Named after the program it was started as: `tavro`, which becomes the app.
            if app is not None and app.name in ("tavro", "tavro-app"):
                return app
        time.sleep(0.2)
    names = [app.name for app in pyatspi.Registry.getDesktop(0) if app is not None]
    sys.exit(f"no tavro-app on the accessibility bus, only {names}")


def window(app, title):
    """The window named `title`, or whose name starts with it and a space (the picker names its link's host)."""
    deadline = time.time() + 20
    while time.time() < deadline:
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and (child.name == title or child.name.startswith(title + " ")):
                return child
        time.sleep(0.2)
    sys.exit("no window " + title)


def elements(root):
    stack = [root]
    while stack:
        element = stack.pop()
        if element is None:
            continue
        yield element
        stack.extend(element.getChildAtIndex(i) for i in range(element.childCount))


def showing(element):
    return element.getState().contains(pyatspi.STATE_SHOWING)


def value(element):
    if "Text" not in pyatspi.listInterfaces(element):
        return None
    return element.queryText().getText(0, -1)


def extents(element):
    return element.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def click(element):
    x, y, w, h = extents(element)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1"], check=True)


def press(element):
    action = element.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def settle():
    # The bridge reports a new pane's elements once Qt has built them; give the events a moment.
    time.sleep(0.6)


def check(root, where):
    shown = [e for e in elements(root) if showing(e)]
    for e in shown:
        role = e.getRoleName()
        state = e.getState()
        if state.contains(pyatspi.STATE_FOCUSABLE) and not e.name:
            find(f"{where}: a focusable {role} has no name")
        if e.description.strip().lower() in ROLE_WORDS:
            find(f"{where}: {role} {e.name!r} is described as {e.description!r}")
        if role == "combo box":
            if e.name not in POP_UPS.get(where, set()):
                find(f"{where}: a pop-up is named {e.name!r}, not by its row")
            shown_choice = value(e)
            if not shown_choice or shown_choice == e.name:
                find(f"{where}: pop-up {e.name!r} has the value {shown_choice!r}")
        if e.name == "Re-check" and role != "link":
            find(f"{where}: \"Re-check\" is a {role}, not the link it is elsewhere")
        for prefix in ("Hotkey for", "Emoji for", "Petal color for"):
            if e.name.startswith(prefix) and value(e) is None:
                find(f"{where}: {e.name!r} exposes no value")
    named = {e.name for e in shown if e.getRoleName() == "combo box"}
    for label in POP_UPS.get(where, set()) - named:
        find(f"{where}: no pop-up named {label!r}")
    return shown


def role_of(element):
    return element.getRole() if element is not None else None


def preferences():
    app = application()
    win = window(app, "Tavro Preferences")
    start_listening()
    tabs = [e for e in elements(win) if e.getRoleName() == "page tab"]
    if len(tabs) != 10:
        find(f"the sidebar has {len(tabs)} page tabs")
    if {role_of(t.parent) for t in tabs} != {pyatspi.ROLE_PAGE_TAB_LIST}:
        find(f"the sidebar's tabs are not in one page-tab list but in {[t.parent.getRoleName() for t in tabs]}")
    for tab in tabs:
        del heard[:]
        click(tab)
        settle()
        selected = [t.name for t in tabs if t.getState().contains(pyatspi.STATE_SELECTED)]
        if selected != [tab.name]:
            find(f"{tab.name}: the selected tabs are {selected}")
        if tab.name != "Browsers":
            check_heard(tab.name, "selected", tab.name, 1)
        checked = [n for t, n, d, _ in heard if t == "object:state-changed:checked" and n in {t.name for t in tabs}]
        if checked:
            find(f"{tab.name}: the sidebar sends checked for {checked}")
        shown = check(win, tab.name)
        if not any(e.getRoleName() == "heading" and e.name == tab.name for e in shown):
            find(f"{tab.name}: the pane's title is no heading")
        if tab.name == "Browsers":
            values = {e.name: value(e) for e in shown}
            for control, expected in (("Hotkey", "K"), ("Emoji", "🦊"), ("Petal color", "Soft Ice")):
                name = f"{control} for Brave (Work)"
                if values.get(name) != expected:
                    find(f"Browsers: {name!r} has the value {values.get(name)!r}, not {expected!r}")
        if tab.name == "Browsers":
            # A recording started with the mouse: the keyboard goes with it, and its prompt is heard.
            cap = next((e for e in shown if e.name == "Hotkey for Brave (Work)"), None)
            if cap is None:
                find("Browsers: no 'Hotkey for Brave (Work)' to click")
            else:
                del heard[:]
                click(cap)
                prompt = "Press a key… (Esc cancels, Delete resets to default)"
                if not wait_for(lambda: announced(prompt)):
                    find(f"Browsers: a recording started with the mouse announced no prompt; heard {heard}")
                if not focused or focused[-1].name != cap.name:
                    find(f"Browsers: a recording started with the mouse left the keyboard on "
                         f"{focused[-1].name if focused else None!r}")
                key("Escape")
            rows = [e for e in shown if e.getRole() == pyatspi.ROLE_LIST_ITEM]
            if not rows or {role_of(r.parent) for r in rows} != {pyatspi.ROLE_LIST}:
                find(f"Browsers: the rows are not list items of one list: {[r.parent.getRoleName() for r in rows]}")
        if tab.name == "Appearance":
            segments = [e for e in shown if e.name in ("System", "Light", "Dark") and e.getRole() != pyatspi.ROLE_PAGE_TAB]
            if [e.getRole() for e in segments] != [pyatspi.ROLE_RADIO_BUTTON] * 3:
                find(f"Appearance: the segments are {[e.getRoleName() for e in segments]}")
            elif {(role_of(e.parent), e.parent.name) for e in segments} != {(pyatspi.ROLE_PANEL, "Appearance")}:
                find(f"Appearance: the segments are not in one group named Appearance")
        if tab.name == "Help":
            questions = [e for e in shown if e.getState().contains(pyatspi.STATE_EXPANDABLE)]
            if not questions:
                find("Help: no question reads as expandable")
            elif not all(q.getState().contains(pyatspi.STATE_COLLAPSED) for q in questions):
                find("Help: a closed question is not collapsed")
            else:
                # Pressed as a screen reader presses it: the first question may lie below the fold.
                del heard[:]
                press(questions[0])
                check_heard("Help", "expanded", questions[0].name, 1)
                if not questions[0].getState().contains(pyatspi.STATE_EXPANDED):
                    find("Help: an open question is not expanded")
                press(questions[0])
                check_heard("Help", "expanded", questions[0].name, 0)
                if any(t == "object:state-changed:checked" for t, *_ in heard):
                    find("Help: a question sends checked")
            links = [e for e in shown if e.getRoleName() == "link"]
            if not any(e.name == "Open the Full Guide" for e in links):
                find("Help: the guide is no link")
        if tab.name == "Other Projects":
            intro = [e for e in shown if e.name.startswith("Tavro is one of several products")]
            if [(e.getRoleName(), e.getState().contains(pyatspi.STATE_FOCUSABLE)) for e in intro] != [("label", False)]:
                find(f"Other Projects: the intro is {[e.getRoleName() for e in intro]}, not one paragraph off the Tab chain")
            else:
                names = [(c.getRoleName(), c.name) for c in intro[0]]
                if names != [("link", "Vask Haldor"), ("link", "Mirovanta")]:
                    find(f"Other Projects: the intro's names come through as {names}")
        if not any(e.getRoleName() == "link" and e.name == "Vask Haldor" for e in shown):
            find(f"{tab.name}: the developer's name is no link")
        if tab.name == "About":
            copy = [e for e in shown if e.getRole() == pyatspi.ROLE_PUSH_BUTTON and e.name == "Copy Version Info"]
            if not copy:
                find("About: no Copy Version Info button")
            else:
                del heard[:]
                click(copy[0])
                if not wait_for(lambda: announced("Copied")):
                    find(f"About: \"Copied\" was not announced; heard {heard}")


def onboarding():
    app = application()
    win = window(app, "Welcome to Tavro")
    seen = set()
    for step in range(8):
        shown = [e for e in elements(win) if showing(e)]
        dots = [e.name for e in shown if e.name.startswith("Step ")]
        where = "bypass" if any(e.name == "Set up your bypass" for e in shown) else (dots[0] if dots else "?")
        seen.update(dots)
        check(win, where)
        forward = [e for e in shown if e.getRoleName() == "push button" and e.name == "Continue"]
        if not forward:
            break
        click(forward[0])
        settle()
    if "Step 1 of 4" not in seen and "Step 1 of 3" not in seen:
        find(f"no \"Step 1 of …\" among {sorted(seen)}")
    if not any(e.name == "Set up your bypass" for e in elements(win)):
        find("the bypass step was not reached")


def picker():
    app = application()
    win = window(app, "Choose where to open")
    start_listening()
    petals = [e for e in elements(win) if e.name.startswith("🦊 Brave, Work")]
    if not petals:
        find(f"picker: no petal for Brave (Work) among {[e.name for e in elements(win)]}")
        return
    # Held and let go through the X server, as a person holds Shift.
    for action, announcement, private in (("keydown", "Private window", True), ("keyup", "Normal window", False)):
        del heard[:]
        subprocess.run(["xdotool", action, "shift"], check=True)
        if not wait_for(lambda: announced(announcement)):
            find(f"picker: {action} shift announced no {announcement!r}; heard {heard}")
        if not wait_for(lambda: all(p.name.endswith(", Private window") == private for p in petals)):
            find(f"picker: after {action} shift the petals read {[p.name for p in petals]}")
    subprocess.run(["xdotool", "key", "Escape"], check=True)


# The keyboard alone, through the X server as a person types.


@functools.cache
def screen():
    width, height = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True, check=True).stdout.split()
    return 0, 0, int(width), int(height)


def inside(rect, area):
    x, y, w, h = rect
    ax, ay, aw, ah = area
    return w > 0 and h > 0 and ax <= x + w // 2 < ax + aw and ay <= y + h // 2 < ay + ah


def top_level(element):
    while element.parent is not None and element.parent.getRole() != pyatspi.ROLE_APPLICATION:
        element = element.parent
    return element


def key(name):
    """Types `name` on the X server and waits for the focus it moves to settle."""
    before = len(focused)
    subprocess.run(["xdotool", "key", name], check=True)
    wait_for(lambda: len(focused) > before, 0.3)
    if name in ("Tab", "shift+Tab"):
        return
    # What a key changes may be built again, and the new control takes the focus a moment later.
    seen = len(focused)
    while wait_for(lambda: len(focused) > seen, 0.1):
        seen = len(focused)


def stop(where):
    """The element with the keyboard, once checked to be a control of Tavro in sight with its ring; None if not."""
    element = focused[-1] if focused else None
    if element is None:
        find(f"{where}: nothing has the focus")
        return None
    try:
        state = element.getState()
        rect = extents(element)
        window = extents(top_level(element))
        label = f"{element.getRoleName()} {element.name!r}"
        app = element.getApplication().name
    except Exception:
        find(f"{where}: the focus went with an element that is gone")
        return None
    if app not in ("tavro", "tavro-app"):
        find(f"{where}: the focus is in {app!r}")
    elif not state.contains(pyatspi.STATE_FOCUSED) or not state.contains(pyatspi.STATE_SHOWING):
        find(f"{where}: {label} lost the focus and nothing took it")
    elif not inside(rect, window) or not inside(rect, screen()):
        find(f"{where}: {label} has the focus out of sight at {rect}, its window at {window}")
    else:
        check_ring(where, element)
    return element


# The focus ring: looked for on each side of the control, over the middle half (clear of rounded
# corners), from this far outside its edge (a link's ring goes round its text) to this far inside it,
# against the colour two pixels further out (still short of the next row of the sidebar).
RING_OUTSIDE = 2
RING_DEPTH = 5
# The share of each side's middle half that must show the ring.
RING_COVER = 0.8
# The ring's own colour, where the check names it; a pixel within this much of it in each channel
# is the ring (its inner edge is smoothed into what it surrounds).
RING_COLOUR = os.environ.get("TAVRO_RING_COLOUR")
RING_TOLERANCE = 24


def is_ring(pixel):
    want = tuple(int(RING_COLOUR[i:i + 2], 16) for i in (1, 3, 5))
    return all(abs(a - b) <= RING_TOLERANCE for a, b in zip(pixel, want))


@functools.cache
def luminance(pixel):
    """WCAG's relative luminance of an (r, g, b) of bytes."""
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in pixel)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def grab(rect):
    """The screen's pixels in `rect` as a function of desktop (x, y), grown to take in what is around it."""
    x, y, w, h = rect
    margin = RING_OUTSIDE + 3
    left, top = max(0, x - margin), max(0, y - margin)
    right, bottom = min(screen()[2], x + w + margin), min(screen()[3], y + h + margin)
    shot = Gdk.pixbuf_get_from_window(Gdk.get_default_root_window(), left, top, right - left, bottom - top)
    data, stride, channels = shot.get_pixels(), shot.get_rowstride(), shot.get_n_channels()

    def pixel(px, py):
        px, py = min(max(px, left), right - 1) - left, min(max(py, top), bottom - 1) - top
        at = py * stride + px * channels
        return tuple(data[at:at + 3])
    return pixel


def ring_sides(rect, own_colour):
    """The sides of `rect` along which the screen shows no ring of 3:1 against the colour just outside
    it; with `own_colour`, the ring must be drawn in the ring's colour (a filled button's own edge
    stands out of the window as much)."""
    x, y, w, h = rect
    pixel = grab(rect)
    # Each side as: the way out of the control, and its edge pixels over its middle half.
    sides = {"top": ((0, -1), [(x + t, y) for t in range(w // 4, w - w // 4)]),
             "bottom": ((0, 1), [(x + t, y + h - 1) for t in range(w // 4, w - w // 4)]),
             "left": ((-1, 0), [(x, y + t) for t in range(h // 4, h - h // 4)]),
             "right": ((1, 0), [(x + w - 1, y + t) for t in range(h // 4, h - h // 4)])}
    # What lies around the control: the colour most of the line just outside it has (a link's ring
    # has the paragraph's letters beside it).
    beyond = RING_OUTSIDE + 2
    line = collections.Counter(pixel(ex + dx * beyond, ey + dy * beyond)
                               for (dx, dy), edge in sides.values() for ex, ey in edge)
    if not line:
        return list(sides)
    outside = line.most_common(1)[0][0]
    bare = []
    for side, ((dx, dy), edge) in sides.items():
        def shows_ring(p):
            return contrast(p, outside) >= 3 and (not own_colour or is_ring(p))
        ringed = sum(any(shows_ring(pixel(ex - dx * d, ey - dy * d))
                         for d in range(-RING_OUTSIDE, RING_DEPTH)) for ex, ey in edge)
        if ringed < RING_COVER * len(edge):
            bare.append(side)
    return bare


def visible_extents(element):
    """The part of a list's row that the list shows: a pop-up's rows are as wide as their text."""
    x, y, w, h = extents(element)
    if element.getRole() != pyatspi.ROLE_LIST_ITEM:
        return x, y, w, h
    px, py, pw, ph = extents(element.parent)
    left, top, right, bottom = max(x, px), max(y, py), min(x + w, px + pw), min(y + h, py + ph)
    return left, top, right - left, bottom - top


def ringed_part(element):
    """What shows that `element` has the keyboard: an open pop-up's list shows it on its chosen row."""
    if element.getRole() == pyatspi.ROLE_LIST:
        chosen = [c for c in element if c is not None and c.getState().contains(pyatspi.STATE_SELECTED)]
        if chosen:
            return chosen[0]
    return element


def check_ring(where, element):
    """Finds it when the focused `element` shows no ring of 3:1 all round."""
    part = ringed_part(element)
    rect = visible_extents(part)
    # An open pop-up's chosen row shows the keyboard by its highlight; everything else by the ring.
    own_colour = RING_COLOUR is not None and part.getRole() not in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_ITEM)
    # Qt draws the ring on the next frame after the focus moved; the bridge may speak first.
    if not wait_for(lambda: not ring_sides(rect, own_colour), 0.5):
        find(f"{where}: {element.getRoleName()} {element.name!r} at {tuple(rect)} shows no focus ring of 3:1 "
             f"along its {', '.join(ring_sides(rect, own_colour))}")


def name_at(where):
    element = stop(where)
    return element.name if element is not None else None


def focus_window(win, title):
    # A desktop gives the keyboard to the window that comes up; a bare X server is told to.
    subprocess.run(["xdotool", "search", "--name", f"^{title}$", "windowfocus", "--sync"], check=True)
    if not wait_for(lambda: focused, 2):
        focused.extend(e for e in elements(win) if e.getState().contains(pyatspi.STATE_FOCUSED))


def tab_to(where, name, limit=40):
    for _ in range(limit):
        if name_at(where) == name:
            return True
        key("Tab")
    find(f"{where}: Tab never reached {name!r}")
    return False


def walk_emoji_popover(row):
    control = f"Emoji for {row}"
    key("space")
    if name_at("emoji popover") != "Search by name, or paste an emoji":
        find("emoji popover: the keyboard is not in the search field")
    key("Tab")
    first = stop("emoji grid")
    key("Right")
    after = stop("emoji grid, Right")
    if first is None or after is None or first.getRole() != pyatspi.ROLE_PUSH_BUTTON or first.name == after.name:
        find("emoji popover: the grid is not reached with Tab and walked with the arrows")
    key("Tab")
    left = stop("emoji popover, after the grid")
    if left is not None and after is not None and left.parent == after.parent:
        find(f"emoji popover: Tab from the grid stays in it, on {left.name!r}")
    key("Escape")
    if name_at("emoji popover closed") != control:
        find(f"emoji popover: Escape does not give the keyboard back to {control!r}")


def walk_colour_popover(row):
    control = f"Petal color for {row}"
    key("space")
    swatch = name_at("colour popover")
    key("Tab")
    name_at("colour popover, Tab")
    # The next swatch: a choice that builds the row anew.
    key("space")
    if name_at("colour chosen") != control:
        find(f"colour popover: after a choice the keyboard is not on {control!r} (first swatch {swatch!r})")


def walk_hot_key(row):
    control = f"Hotkey for {row}"
    key("space")
    key("Escape")
    if name_at("hot key recording cancelled") != control:
        find(f"hot key: after a cancelled recording the keyboard is not on {control!r}")


def rows_in_tab_order(win, start):
    """The rows' check boxes met by Tab from `start` to the end of the pane, against their order on screen."""
    met = []
    for _ in range(80):
        key("Tab")
        element = stop("Browsers, after the change")
        if element is None or element.getRole() == pyatspi.ROLE_PAGE_TAB:
            break
        if element.getRole() == pyatspi.ROLE_CHECK_BOX and element.name.startswith("Show "):
            met.append(element.name)
    boxes = [e for e in elements(win) if e.getRole() == pyatspi.ROLE_CHECK_BOX and e.name.startswith("Show ")]
    on_screen = [e.name for e in sorted(boxes, key=lambda e: extents(e)[1])]
    if start not in on_screen:
        find(f"Browsers: no row {start!r} among {on_screen}")
    elif met != on_screen[on_screen.index(start) + 1:]:
        find(f"Browsers: after the change Tab meets the rows {met}, the screen shows {on_screen}")
    # A screen reader reads the list's rows by their index: the same order as the screen's.
    lists = [e for e in elements(win) if e.getRole() == pyatspi.ROLE_LIST and showing(e)]
    rows = [lists[0].getChildAtIndex(i) for i in range(lists[0].childCount)] if len(lists) == 1 else []
    tops = [extents(row)[1] for row in rows]
    if not rows or tops != sorted(tops):
        find(f"Browsers: after the change the list's {len(rows)} rows come at the heights {tops}, not top to bottom")


def keyboard_preferences():
    app = application()
    win = window(app, "Tavro Preferences")
    start_listening()
    focus_window(win, "Tavro Preferences")
    tabs = [t.name for t in sorted((t for t in elements(win) if t.getRoleName() == "page tab"), key=lambda t: extents(t)[1])]
    # The window came up with the focus where nobody's key put it, so with no ring: a person's first
    # key moves it, and from there on the ring shows.
    key("shift+Tab")
    key("Tab")
    if not tab_to("sidebar", tabs[0], 60):
        return
    for index, tab in enumerate(tabs):
        key("space")
        if name_at(tab) != tab:
            find(f"{tab}: Space on its tab left the keyboard elsewhere")
        row = "Brave (Work)"
        for _ in range(80):
            key("Tab")
            element = stop(tab)
            if element is None or element.name == tabs[0]:
                break
            if tab == "Browsers" and element.name == f"Hotkey for {row}":
                walk_hot_key(row)
            if tab == "Browsers" and element.name == f"Emoji for {row}":
                walk_emoji_popover(row)
            if tab == "Browsers" and element.name == f"Petal color for {row}":
                walk_colour_popover(row)
                rows_in_tab_order(win, f"Show {row} in picker")
                break
        else:
            find(f"{tab}: Tab never came back to the sidebar")
        if index + 1 < len(tabs):
            tab_to(tab, tabs[index + 1], index + 3)


def choose_every_row(where, menu):
    """Opens the pop-up `menu` from the keyboard and takes each of its rows in turn."""
    key("Down")
    element = stop(f"{where}: {menu} open")
    if element is not None and element.getRole() == pyatspi.ROLE_LIST_ITEM:
        element = element.parent
    rows = element.childCount if element is not None and element.getRole() == pyatspi.ROLE_LIST else 0
    if rows < 2:
        find(f"{where}: Down on {menu!r} opened no list of choices")
    key("Escape")
    for row in range(rows):
        key("Down")
        key("Home")
        for _ in range(row):
            key("Down")
        stop(f"{where}: {menu}, row {row + 1}")
        key("Return")
        if name_at(f"{where}: {menu}, row {row + 1}") != menu:
            find(f"{where}: after row {row + 1} of {menu!r} the keyboard is not on it")


def keyboard_onboarding():
    app = application()
    win = window(app, "Welcome to Tavro")
    start_listening()
    focus_window(win, "Welcome to Tavro")
    # As in Preferences: the window's first focus shows no ring until a person's key moves it.
    key("shift+Tab")
    key("Tab")
    for step in range(6):
        shown = [e for e in elements(win) if showing(e)]
        dots = [e.name for e in shown if e.name.startswith("Step ")]
        where = dots[0] if dots else f"step {step + 1}"
        names = {e.name for e in shown if e.getState().contains(pyatspi.STATE_FOCUSABLE)}
        # Each step's own choices first, then once round its Tab order.
        if "Set Tavro as Default Browser" in names and tab_to(where, "Set Tavro as Default Browser"):
            key("space")
            stop(f"{where}: made default")
        for rescan in ("Rescan", "Scan"):
            if rescan in names and tab_to(where, rescan):
                key("space")
                if not wait_for(lambda: focused and focused[-1].name == rescan, 15):
                    find(f"{where}: the keyboard did not come back to {rescan!r} when the scan ended")
        for menu in ("Bypass with", "What to open"):
            if menu in names and tab_to(where, menu):
                choose_every_row(where, menu)
        if "Notify me when there is an update" in names and tab_to(where, "Notify me when there is an update"):
            key("space")
            stop(f"{where}: update box")
        first = name_at(where)
        for _ in range(20):
            key("Tab")
            if name_at(where) == first:
                break
        else:
            find(f"{where}: Tab never came round")
        forward = "Finish" if "Finish" in names else "Continue"
        if not tab_to(where, forward):
            return
        if forward == "Finish":
            break
        key("space")
        if where == "Step 2 of 4" or where == "Step 2 of 3":
            # Back and forward again, from the keyboard.
            tab_to(where, "Back")
            key("space")
            tab_to(where, "Continue")
            key("space")
    if not any(e.name == "Set up your bypass" for e in elements(win)):
        find("the keyboard did not reach the bypass step")


{"preferences": preferences, "onboarding": onboarding, "picker": picker,
 "keyboard-preferences": keyboard_preferences, "keyboard-onboarding": keyboard_onboarding}[sys.argv[1]]()
for finding in findings:
    print(finding)
sys.exit(1 if findings else 0)
