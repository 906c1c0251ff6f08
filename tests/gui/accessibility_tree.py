"""What a screen reader finds in the game, read from the AT-SPI tree while the game runs.

Started by run-accessibility-tree.sh with the game already running. Drives the game through the
tree alone (menu items and buttons pressed by their actions, as a screen reader's user would):
checks the role and name of every control of the match form before a match, opens Select Teams
and checks its controls, picks both predefined elevens, answers the toss and the other dialogs,
bowls one over and checks the figure boxes, the bowler buttons and the announcement of the new
score, then opens the Charts window and checks its summary and place. Exit 0 passes, 1 fails,
77 skips (the accessibility bus answered nothing).
"""

import re
import signal
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []
# What the game told a screen reader through notifications appearing (their names).
announced = []


def on_showing(event):
    try:
        if event.detail1 == 1 and event.source.getRoleName() == "notification":
            announced.append(event.source.name)
    except Exception:
        pass


pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")


def fail(text):
    failures.append(text)
    print("FAIL: " + text)


def expect(condition, text):
    if not condition:
        fail(text)
    return condition


def give_up(signum, frame):
    print("FAIL: the run took too long")
    sys.exit(1)


signal.signal(signal.SIGALRM, give_up)
signal.alarm(240)


def wait_for(find, seconds=30.0, what="something", quiet=False):
    end = time.time() + seconds
    while time.time() < end:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            return found
        # Lets the accessibility events that arrived reach their listeners.
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.2)
    if not quiet:
        fail("waited in vain for " + what)
    return None


def descendants(node):
    out = []
    try:
        count = node.childCount
    except Exception:
        return out
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is None:
            continue
        out.append(child)
        out.extend(descendants(child))
    return out


def has_state(node, state):
    try:
        return node.getState().contains(state)
    except Exception:
        return False


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def press(node):
    node.queryAction().doAction(0)


def game():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "quorvel":
            return app
    return None


def window(app, role, name_pattern):
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is not None and w.getRoleName() == role and re.fullmatch(name_pattern, w.name):
            return w
    return None


def find(node, role, name_pattern=".*"):
    for one in descendants(node):
        if one.getRoleName() == role and re.fullmatch(name_pattern, one.name):
            return one
    return None


def named(node, role, name):
    found = find(node, role, re.escape(name))
    expect(found is not None, "no %s named %r" % (role, name))
    return found


# -- the main window before a match --------------------------------------------------------------

app = wait_for(game, 60, "the game on the accessibility bus")
if app is None:
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None]
    if not apps:
        print("SKIPPED: no application answers on the accessibility bus")
        sys.exit(77)
    sys.exit(1)
main = wait_for(lambda: window(app, "frame", r".* - Quorvel"), what="the main window")
form = wait_for(lambda: find(main, "panel", "Match"), what="the form's page named Match")
if form is None:
    sys.exit(1)

boxes = ["Batting side", "Runs 0", "Wickets 0", "Overs 0", "Run rate 0", "Target 0",
         "Target rate 0", "Required rate 0", "Fielding side"]
for slot in (1, 2):
    boxes += ["Batsman %d" % slot] + ["Batsman %d %s 0" % (slot, w)
                                       for w in ("runs", "balls", "strike rate")]
for row in range(1, 11):
    boxes += ["Bowler %d" % row] + ["Bowler %d %s 0" % (row, w)
                                     for w in ("overs", "maidens", "runs", "wickets")]
for name in boxes:
    named(form, "label", name)
for name in ("Bowl Over", "Scoresheet...", "Details"):
    named(form, "push button", name)
for row in range(1, 11):
    named(form, "toggle button", "Choose bowler %d" % row)
named(form, "progress bar", "Chase progress")
named(main, "status bar", "For Help, press F1")
sliders = {"Running": "Running", "Batsman 1 aggression": "Batsman 1",
           "Batsman 2 aggression": "Batsman 2", "Bowling aggression": "Fielding side",
           "Fielding": "Fielding"}
for name, label in sliders.items():
    slider = named(form, "slider", name)
    if slider is not None:
        expect(labelled_by(slider) == [label],
               "slider %r is labelled by %r, not %r" % (name, labelled_by(slider), label))
        expect(slider.description == "from Defensive to Aggressive",
               "slider %r tells no range" % name)
# Nothing a user reads or acts on is left unnamed.
for one in descendants(form):
    role = one.getRoleName()
    if role in ("push button", "toggle button", "slider", "label", "progress bar"):
        expect(one.name != "" or not has_state(one, pyatspi.STATE_SHOWING),
               "an unnamed %s on the form" % role)
    expect(not (role == "panel" and has_state(one, pyatspi.STATE_FOCUSABLE) and one.name == ""),
           "an unnamed focusable panel on the form (a figure box?)")

# -- Select Teams ---------------------------------------------------------------------------------




def keys(*names):
    """Presses keys together (modifiers first) on the display, as a keyboard user does."""
    import gi
    gi.require_version("Gdk", "3.0")
    from gi.repository import Gdk
    keymap = Gdk.Keymap.get_for_display(Gdk.Display.get_default())
    codes = [keymap.get_entries_for_keyval(Gdk.keyval_from_name(name))[1][0].keycode
             for name in names]
    for code in codes:
        pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_PRESS)
    for code in reversed(codes):
        pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_RELEASE)


wait_for(lambda: has_state(main, pyatspi.STATE_ACTIVE), what="the main window to be active")
teams = None
# A key pressed while the window manager is still busy with the new window can go astray: it
# is pressed again.
for attempt in range(3):
    keys("Control_L", "n")
    teams = wait_for(lambda: window(app, "dialog", "Select Teams"), 10,
                     "Select Teams as a dialog", quiet=attempt < 2)
    if teams is not None:
        break
if teams is None:
    print("windows:", [(w.getRoleName(), w.name) for w in app if w is not None])
    sys.exit(1)
for role, name in (("combo box", "Left side name"), ("combo box", "Right side name"),
                   ("push button", "Select the left side's predefined team"),
                   ("push button", "Select the right side's predefined team"),
                   ("push button", "Hints for the left side"),
                   ("push button", "Hints for the right side"),
                   ("push button", "Move from the left side to the available players"),
                   ("push button", "Move to the left side"),
                   ("push button", "Move to the right side"),
                   ("push button", "Move from the right side to the available players"),
                   ("push button", "Filter the available players by country"),
                   ("check box", "Computer captains the left side"),
                   ("check box", "Computer captains the right side"),
                   ("push button", "OK")):
    named(teams, role, name)
for name in ("Left side players", "Available players", "Right side players"):
    expect(find(teams, "table", re.escape(name)) is not None or
           find(teams, "tree table", re.escape(name)) is not None, "no list named %r" % name)
for one in descendants(teams):
    if one.getRoleName() in ("push button", "check box", "combo box", "table") and \
            has_state(one, pyatspi.STATE_SHOWING):
        expect(one.name != "", "an unnamed %s in Select Teams" % one.getRoleName())
press(named(teams, "push button", "Select the left side's predefined team"))
press(named(teams, "push button", "Select the right side's predefined team"))
ok = named(teams, "push button", "OK")
wait_for(lambda: has_state(ok, pyatspi.STATE_SENSITIVE), what="OK enabled in Select Teams")
press(ok)

# -- the dialogs of a new match and one over ---------------------------------------------------


checked_dialogs = set()


def check_dialog(w):
    """A dialog met on the way: every control it shows is named (once per dialog title)."""
    if w.name in checked_dialogs:
        return
    checked_dialogs.add(w.name)
    for one in descendants(w):
        if one.getRoleName() in ("push button", "toggle button", "table", "text") and \
                has_state(one, pyatspi.STATE_SHOWING):
            expect(one.name != "", "an unnamed %s in %r" % (one.getRoleName(), w.name))


def answer_dialogs():
    """Answers whatever dialog is open (OK, a first row where one must be chosen); True if any."""
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is None:
            continue
        if w.getRoleName() == "frame" and w.name in ("Toss", "Bat or Bowl?", "Select Batsman"):
            fail("%r shows as a frame, not a dialog" % w.name)
        if w.getRoleName() not in ("dialog", "alert"):
            continue
        check_dialog(w)
        for heads in [find(w, "toggle button", "Heads")]:
            if heads is not None and not has_state(heads, pyatspi.STATE_CHECKED):
                press(heads)
        button = find(w, "push button", "OK")
        if button is not None and not has_state(button, pyatspi.STATE_SENSITIVE):
            rows = find(w, "table") or find(w, "tree table")
            if rows is not None:
                rows.queryTable().addRowSelection(0)
                time.sleep(0.3)
        if button is not None and has_state(button, pyatspi.STATE_SENSITIVE):
            press(button)
            time.sleep(0.3)
            return True
    return False


def ready_to_bowl():
    answer_dialogs()
    bowl = find(form, "push button", "Bowl Over")
    if bowl is not None and has_state(bowl, pyatspi.STATE_SENSITIVE):
        return bowl
    for button in descendants(form):
        if button.getRoleName() == "toggle button" and has_state(button, pyatspi.STATE_SENSITIVE) \
                and has_state(button, pyatspi.STATE_SHOWING):
            press(button)
            time.sleep(0.3)
            break
    return None




def tell_windows():
    """On a failure: what the game shows."""
    for w in app:
        print("window:", w.getRoleName(), repr(w.name),
              [(one.getRoleName(), one.name) for one in descendants(w)
               if has_state(one, pyatspi.STATE_SHOWING)][:40])


bowl = wait_for(ready_to_bowl, 60, "Bowl Over to be enabled")
if bowl is None:
    tell_windows()
    sys.exit(1)
# By the keyboard: the over runs inside the press, with its dialogs, and an action would wait
# for its end while the dialogs wait for their answers.
bowl.queryComponent().grabFocus()
wait_for(lambda: has_state(bowl, pyatspi.STATE_FOCUSED), what="Bowl Over to take the focus")
keys("space")


def over_bowled():
    answer_dialogs()
    return find(form, "label", r"Overs [1-9].*")


overs = wait_for(over_bowled, 60, "the over to be bowled")
if overs is None:
    tell_windows()
    sys.exit(1)
runs = find(form, "label", r"Runs \d+")
wickets = find(form, "label", r"Wickets \d+")
side = find(form, "label", r"Batting side .+")
if expect(overs is not None and runs is not None and wickets is not None and side is not None,
          "the score line's boxes tell their values"):
    expect(overs.name == "Overs 1", "%r after one over" % overs.name)
    team = side.name[len("Batting side "):]
    said = "%s %s for %s after 1 over" % (team, runs.name.split()[1], wickets.name.split()[1])
    notice = find(form, "notification")
    expect(notice is not None and notice.name == said,
           "the announcement reads %r, not %r" % (notice.name if notice else None, said))
    expect(notice is not None and has_state(notice, pyatspi.STATE_SHOWING),
           "the announcement is not showing")
    wait_for(lambda: said in announced, 5, "the announcement %r to appear as an event" % said)
for slot in (1, 2):
    expect(find(form, "label", r"Batsman %d .+, .+" % slot) is not None,
           "batsman %d's box does not name him" % slot)
chooser = find(form, "toggle button", r"Choose .+, .+")
expect(chooser is not None, "no bowler button is named for its bowler")

# -- the Charts window -------------------------------------------------------------------------

entry = None
for attempt in range(3):
    keys("Alt_L", "v")
    entry = wait_for(lambda: [one for one in descendants(named(main, "menu", "View"))
                              if one.name == "Charts..." and
                              has_state(one, pyatspi.STATE_SHOWING)],
                     10, "the View menu open", quiet=attempt < 2)
    if entry:
        break
if entry:
    press(entry[0])
charts = wait_for(lambda: window(app, "frame", "Charts - Quorvel"), what="the Charts window")
if charts is not None:
    picture = wait_for(lambda: find(charts, "image", "Worm, Manhattan and chances of winning"),
                       what="the charts' picture")
    if picture is not None and runs is not None and side is not None:
        expect(picture.description.startswith(
            "%s %s for %s in 1 over." % (team, runs.name.split()[1], wickets.name.split()[1])),
            "the charts' summary reads %r" % picture.description)
        expect("Last over:" in picture.description, "the summary tells no last over")
    named(charts, "menu item", "Save As...")
    named(charts, "menu item", "Close")

    def extents():
        return (main.queryComponent().getExtents(pyatspi.DESKTOP_COORDS),
                charts.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))

    def apart_now():
        a, b = extents()
        return a.x + a.width <= b.x or b.x + b.width <= a.x or \
            a.y + a.height <= b.y or b.y + b.height <= a.y

    # A new window reads as standing at the screen's corner until the window manager has
    # mapped it where the program asked: the place is read once it has settled.
    apart = wait_for(apart_now, 5, "the Charts window beside the main window", quiet=True)
    a, b = extents()
    expect(apart, "the Charts window (%s) covers the main window (%s)" % (
        (b.x, b.y, b.width, b.height), (a.x, a.y, a.width, a.height)))
    expect(b.x >= 0 and b.y >= 0 and b.x + b.width <= 1600 and b.y + b.height <= 1200,
           "the Charts window is not within the screen")

print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
