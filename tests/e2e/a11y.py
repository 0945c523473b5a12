"""ZENTIL as a screen reader sees it: walks the AT-SPI tree of the running
program, presses a cell through the action interface, and does the typical use
from the keyboard alone. Run by a11y.sh, which starts the program."""
import re
import subprocess
import sys
import time

import pyatspi

failures = 0
checks = 0


def check(what, ok, detail=""):
    global failures, checks
    checks += 1
    if ok:
        print("ok:", what)
    else:
        failures += 1
        print("FAILED:", what, detail)


def wait_for(condition, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def find_app(name):
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    return None


def walk(acc):
    yield acc
    for child in acc:
        if child is not None:
            yield from walk(child)


def states(acc):
    return acc.getState()


def heard(acc):
    """What a screen reader announces: name, role, and the states that matter."""
    s = states(acc)
    extra = [n for n, st in (("checkable", pyatspi.STATE_CHECKABLE), ("checked", pyatspi.STATE_CHECKED),
                             ("focused", pyatspi.STATE_FOCUSED)) if s.contains(st)]
    return f"{acc.name!r}, {acc.getRoleName()}" + (", " + ", ".join(extra) if extra else "")


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "20", *keys], check=True)


def focus_on(target, tries=200):
    """Tab through the window until target has the focus, as a user would:
    each press once the last one has moved the focus."""
    for presses in range(tries):
        if states(target).contains(pyatspi.STATE_FOCUSED):
            print(f"   {presses} Tab presses to {target.name!r}")
            return True
        before = next((a for a in focusable if states(a).contains(pyatspi.STATE_FOCUSED)), None)
        key("Tab")
        if before is not None:
            wait_for(lambda: not states(before).contains(pyatspi.STATE_FOCUSED), 2.0)
    return False


app = find_app("ZENTIL")
if app is None:
    print("FAILED: ZENTIL is not on the accessibility bus")
    sys.exit(1)
main = app[0]
everything = list(walk(main))
focusable = [a for a in everything if states(a).contains(pyatspi.STATE_FOCUSABLE)]
by_name = {}
for acc in everything:
    by_name.setdefault(acc.name, []).append(acc)

# The 64 cells: check boxes named by row and column as a person counts them.
cells = {}
for acc in everything:
    m = re.fullmatch(r"Row ([1-8]), column ([1-8]), (on|off)", acc.name or "")
    if m:
        cells[(int(m.group(1)), int(m.group(2)))] = acc
check("64 cells, named Row 1..8, column 1..8", len(cells) == 64, f"found {len(cells)}")


def cells_heard_as(lit):
    """Every cell a check box, checked exactly where lit; None where they are."""
    wrong = [heard(c) for rc, c in sorted(cells.items())
             if c.getRoleName() != "check box" or states(c).contains(pyatspi.STATE_CHECKED) != (rc in lit)]
    return wrong or None


check("every cell is a check box, unchecked at start", wait_for(lambda: not cells_heard_as(set())),
      cells_heard_as(set()))

# The 32 boxes: which side, which row or column, and the value shown.
boxes = {}
for acc in everything:
    m = re.fullmatch(r"(Left|Right) value of row ([1-8]): (.*)|(Top|Bottom) value of column ([1-8]): (.*)",
                     acc.name or "")
    if m and acc.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL):
        side = m.group(1) or m.group(4)
        boxes[(side, int(m.group(2) or m.group(5)))] = acc
check("32 edge boxes named by side, row or column, and value", len(boxes) == 32, f"found {len(boxes)}")
check("only the top boxes are editable",
      all(states(b).contains(pyatspi.STATE_EDITABLE) == (side == "Top") for (side, _), b in boxes.items()))

wanted = ["About ZENTIL", "Reset the grid", "Exit", "Copy the pane to the clipboard", "Clear the pane"]
for side in ("top", "left", "right", "bottom"):
    wanted += [f"Hide {side} values", f"Copy {side} values to the pane"]
buttons = [a for a in everything if a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a not in cells.values()]
names = sorted(b.name for b in buttons)
check("every button named by caption and what it acts on", names == sorted(wanted), f"{names}")
controls = [a.name for a in everything
            if a.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_LIST, pyatspi.ROLE_TEXT)]
check("no two controls share a name", len(controls) == len(set(controls)),
      f"{sorted(n for n in set(controls) if controls.count(n) > 1)}")
for name, role in (("Prefix", pyatspi.ROLE_LIST), ("Delimter", pyatspi.ROLE_LIST),
                   ("8x8", pyatspi.ROLE_RADIO_BUTTON), ("5x7", pyatspi.ROLE_RADIO_BUTTON)):
    check(f"{name} is named on its control", any(a.getRole() == role for a in by_name.get(name, [])))
check("the pane is named by its caption",
      any(a.getRole() == pyatspi.ROLE_TEXT and "Copy Output Clipboard" in a.name for a in everything))

# One cell pressed through the action interface.
cell = cells.get((1, 1))
if cell is not None:
    print("before:", heard(cell))
    actions = cell.queryAction()
    press = [i for i in range(actions.nActions) if actions.getName(i) in ("Press", "press", "Toggle", "toggle")]
    check("the cell offers a press action", bool(press))
    if press:
        actions.doAction(press[0])
        check("pressed, the cell is checked", wait_for(lambda: states(cell).contains(pyatspi.STATE_CHECKED)))
        print("after: ", heard(cell))
        check("it alone of the 64 is checked", wait_for(lambda: not cells_heard_as({(1, 1)})),
              cells_heard_as({(1, 1)}))
        expect = {("Left", 1): "1", ("Right", 1): "80", ("Top", 1): "1", ("Bottom", 1): "80"}
        for (side, n), value in expect.items():
            b = boxes.get((side, n))
            check(f"{side} box {n} now says {value}",
                  b is not None and wait_for(lambda: b.name.endswith(": " + value)), b.name if b else "")
        actions.doAction(press[0])
        check("pressed again, none of the 64 is checked", wait_for(lambda: not cells_heard_as(set())),
              cells_heard_as(set()))

# The About window, opened through its button.
about_button = by_name.get("About ZENTIL", [None])[0]
if about_button is not None:
    about_button.queryAction().doAction(0)
    check("About opens a window of its own", wait_for(lambda: any(w.name == "About" for w in app)))
    about = next((w for w in app if w.name == "About"), None)
    if about is not None:
        inside = [a.name for a in walk(about)]
        check("the About window names its drawing and its Close button",
              any("Drawing" in n for n in inside) and "Close" in inside, f"{inside}")
        close = next(a for a in walk(about) if a.name == "Close")
        close.queryAction().doAction(0)
        check("its Close button hides it", wait_for(lambda: not states(about).contains(pyatspi.STATE_SHOWING)))

# The typical use from the keyboard alone.
window_id = sys.argv[1] if len(sys.argv) > 1 else None
if window_id:
    subprocess.run(["xdotool", "windowactivate", "--sync", window_id], check=False)
    first = cells[(1, 1)]
    check("Tab reaches the first cell", focus_on(first))
    key("space")
    check("Space turns it on", wait_for(lambda: states(first).contains(pyatspi.STATE_CHECKED)))
    prefix = by_name["Prefix"][-1]
    check("Tab reaches the prefix list", focus_on(prefix))
    key("Down", "Down")  # from the first entry, which the focus makes current
    check("arrow keys choose 0xff", wait_for(
        lambda: [i.name for i in prefix if states(i).contains(pyatspi.STATE_SELECTED)] == ["0xff"]))
    copy_left = by_name["Copy left values to the pane"][0]
    check("Tab reaches Copy beside the left values", focus_on(copy_left))
    key("space")
    # Another program's values pasted onto the bottom panel through its menu: 1 there is row 8 of column 1.
    subprocess.run(["xclip", "-selection", "clipboard"], input=b"1 0 0 0 0 0 0 0", check=False)
    check("Tab reaches Copy beside the bottom values", focus_on(by_name["Copy bottom values to the pane"][0]))
    key("Menu")  # the menu, a popup, is no child of the application: heard by its focus, not walked
    key("p")
    check("the paste is heard on the cells it changed", wait_for(lambda: not cells_heard_as({(8, 1)})),
          cells_heard_as({(8, 1)}))
    pane_copy = by_name["Copy the pane to the clipboard"][0]
    check("Tab reaches the pane's Copy", focus_on(pane_copy))
    key("space")
    # The confirmation, answered once its box is up.
    answered = subprocess.run(["bash", "-c", 'source "$0" && x_answer "$1" Return', sys.argv[2], window_id])
    check("the pane's Copy confirms in a box", answered.returncode == 0)
    clip = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, timeout=5).stdout
    check("the clipboard holds the listing", clip == b"0x1,0x0,0x0,0x0,0x0,0x0,0x0,0x0\r\n", repr(clip))
print(f"a11y: {checks - failures} passed, {failures} failed")
sys.exit(1 if failures else 0)
