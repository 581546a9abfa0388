#!/usr/bin/python3
# Walks Tavro's windows the way a screen reader does, over AT-SPI, and prints one line per
# finding; exits 1 when there is any. Clicks go through the X server (xdotool), as a person's do.
#   accessibility-walk.py preferences   the Preferences window, every section
#   accessibility-walk.py onboarding    the Welcome window, every step
#   accessibility-walk.py picker        a link's picker while the private-window key is held and let go
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# Texts that would stand in for a role, read aloud untranslated.
ROLE_WORDS = {"link", "heading", "button", "checkbox", "check box", "tab"}
# The rows whose control is a pop-up, by the pane or step that shows them.
POP_UPS = {"Appearance": {"Image position"},
           "Shortcuts": {"Modifier key", "What to open", "Private window key", "Prefix"},
           "bypass": {"Bypass with", "What to open"}}
findings = []
# What a screen reader hears, as (event type, source name, detail); filled while events are pumped.
heard = []


def find(message):
    findings.append(message)


def listen(event):
    try:
        name = event.source.name if event.source is not None else ""
    except Exception:
        name = ""
    heard.append((event.type, name, event.detail1, event.any_data if event.type.startswith("object:announcement") else None))


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


def click(element):
    x, y, w, h = element.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
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


{"preferences": preferences, "onboarding": onboarding, "picker": picker}[sys.argv[1]]()
for finding in findings:
    print(finding)
sys.exit(1 if findings else 0)
