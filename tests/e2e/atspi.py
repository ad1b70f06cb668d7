#!/usr/bin/python3
"""Reads and drives the program's window the way a screen reader does, through AT-SPI.

Usage: atspi.py <command> <pid> [arguments]
  wait-ready <pid> <seconds>          wait until the program's window is on the accessibility bus
  text <pid> <name>                   print the text of the shown control called <name>
  wait-text <pid> <name> <regex> <s>  wait until that text matches the regex (whole text)
  press <pid> <name>                  press the shown control called <name> (its first action)
  where <pid> <name> [row|right|top]  print the screen point at the middle of that control, of
                                      its row number `row` (from 0) for a list or the drop-down
                                      list of a combo box, near its right end, or in its top row
  focused <pid>                       print the name of the control with the keyboard focus
  wait-focus <pid> <name> <seconds>   wait until the control called <name> has the focus
  wait-shown <pid> <name> <seconds>   wait until a control called <name> is shown
  wait-gone <pid> <name> <seconds>    wait until no control called <name> is shown
  selected <pid> <name>               print "<row> <text>" for each selected row of a list
  rows <pid> <name>                   print the text of each row of a list
  windows <pid>                       print the title of each shown window of the program
  origin <pid>                        print where the program puts its first shown window's
                                      client area on the screen (x y)
  unnamed <pid>                       list every shown control a user can operate that has no
                                      name; exits with 1 when there is one
  tree <pid>                          print every shown control: role, name, description

A control is found by its accessible name; a label that has none is found by its description
(the tooltip), which is what a screen reader reads after it. A name given as "role:NAME" also
matches the role, for names that two controls share.
"""

import re
import sys
import time

import pyatspi

# Roles whose objects a user operates: they must say what they are for.
OPERABLE = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_SCROLL_BAR,
    pyatspi.ROLE_LINK,
    pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_PAGE_TAB,
}


CELLS = {pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_ROW_HEADER,
         pyatspi.ROLE_TABLE_COLUMN_HEADER, pyatspi.ROLE_TABLE_ROW_HEADER, pyatspi.ROLE_LIST_ITEM}


def app_of(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        try:
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def showing(obj):
    states = obj.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def walk(obj, depth=0):
    """Every shown object under obj, depth first. Hidden subtrees are left out."""
    try:
        count = obj.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = obj.getChildAtIndex(i)
        except Exception:
            continue
        if child is None or not showing(child):
            continue
        if obj.getRole() == pyatspi.ROLE_TABLE and child.getRole() in CELLS:
            continue
        yield child, depth
        # A list's rows are its content, not controls of their own. A table (the month
        # calendar) holds controls besides its cells.
        if child.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TREE,
                               pyatspi.ROLE_TREE_TABLE):
            continue
        yield from walk(child, depth + 1)


def matches(obj, wanted):
    role = None
    if ":" in wanted and wanted.split(":", 1)[0] in ("button", "label", "text", "combo", "list"):
        role, wanted = wanted.split(":", 1)
    if role:
        roles = {
            "button": (pyatspi.ROLE_PUSH_BUTTON,),
            "label": (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC),
            "text": (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY),
            "combo": (pyatspi.ROLE_COMBO_BOX,),
            "list": (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX),
        }[role]
        if obj.getRole() not in roles:
            return False
    if obj.name == wanted:
        return True
    if obj.getRole() == pyatspi.ROLE_COMBO_BOX and labelled_by(obj) == wanted:
        return True
    return obj.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) and obj.description == wanted


def labelled_by(obj):
    """The name of the label that names obj, as a screen reader reads it for a combo box."""
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                if target is not None and target.name:
                    return target.name
    return ""


def find(pid, name):
    """The shown control called `name`; a control a user operates before a label of that name."""
    app = app_of(pid)
    if app is None:
        return None
    label = None
    for obj, _ in walk(app):
        if matches(obj, name):
            if obj.getRole() not in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC):
                return obj
            label = label or obj
    return label


def combo_of(obj):
    """The combo box that holds an editable combo box's text field, or obj itself."""
    parent = obj.parent
    if parent is not None and parent.getRole() == pyatspi.ROLE_COMBO_BOX:
        return parent
    return obj


def text_of(obj):
    """What a screen reader reads as the control's content."""
    role = obj.getRole()
    if role in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC):
        return obj.name
    if role == pyatspi.ROLE_COMBO_BOX:
        for i in range(obj.childCount):
            child = obj.getChildAtIndex(i)
            if child.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
                return text_of(child)
    try:
        t = obj.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return obj.name


def until(seconds, what, probe, quiet=False):
    """Calls probe until it gives something other than None, for at most `seconds`. Then it
    ends the program naming `what`, or, quiet, gives None."""
    deadline = time.monotonic() + seconds
    last = None
    while True:
        try:
            last = probe()
        except Exception as e:  # the bus can be busy while the window changes
            last = None
            error = e
        else:
            error = None
        if last is not None:
            return last
        if time.monotonic() > deadline:
            if quiet:
                return None
            sys.exit("atspi: %s within %ss%s" % (what, seconds, " (%s)" % error if error else ""))
        time.sleep(0.05)


def focused(pid):
    app = app_of(pid)
    if app is None:
        return None
    for obj, _ in walk(app):
        if obj.getState().contains(pyatspi.STATE_FOCUSED):
            return obj
    return None


def focused_name(pid):
    obj = focused(pid)
    return None if obj is None else obj.name


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    command, pid, args = argv[1], int(argv[2]), argv[3:]
    if command == "wait-ready":
        until(float(args[0]), "no window of process %d on the accessibility bus" % pid,
              lambda: True if (a := app_of(pid)) is not None and any(
                  showing(c) for c in (a.getChildAtIndex(i) for i in range(a.childCount)))
              else None)
    elif command == "text":
        obj = find(pid, args[0])
        if obj is None:
            sys.exit("atspi: no shown control called '%s'" % args[0])
        print(text_of(obj))
    elif command == "wait-text":
        name, pattern, seconds = args[0], re.compile(args[1]), float(args[2])
        seen = []

        def probe():
            obj = find(pid, name)
            if obj is None:
                return None
            t = text_of(obj)
            seen[:] = [t]
            return t if pattern.fullmatch(t) else None
        print(until(seconds, "'%s' does not read like '%s' (it reads %r)"
                    % (name, args[1], seen[0] if seen else None), probe))
    elif command == "press":
        obj = until(5, "no shown control called '%s'" % args[0], lambda: find(pid, args[0]))
        obj.queryAction().doAction(0)
    elif command == "where":
        obj = until(5, "", lambda: find(pid, args[0]), quiet=True)
        if obj is None:
            # What was shown instead tells a lost click from a slow bus.
            app = app_of(pid)
            shown = [o.name for o, _ in walk(app) if o.name] if app is not None else []
            sys.exit("atspi: no shown control called '%s' within 5s; shown: %s"
                     % (args[0], ", ".join(shown[:60])))
        at_right = len(args) > 1 and args[1] == "right"
        at_top = len(args) > 1 and args[1] == "top"
        if len(args) > 1:
            obj = combo_of(obj)
        if len(args) > 1 and not at_right and not at_top:
            if obj.getRole() == pyatspi.ROLE_COMBO_BOX:  # a row of its drop-down list
                obj = next(obj.getChildAtIndex(i) for i in range(obj.childCount)
                           if obj.getChildAtIndex(i).getRole() in (pyatspi.ROLE_LIST,
                                                                   pyatspi.ROLE_LIST_BOX))
            view = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            obj = obj.getChildAtIndex(int(args[1]))
            row = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            # A click must land on the row, inside the list.
            if row.y < view.y or row.y + row.height > view.y + view.height:
                sys.exit("atspi: row %s of '%s' is not wholly in view" % (args[1], args[0]))
        box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if at_right:  # where a combo box has its arrow
            print(box.x + box.width - 8, box.y + box.height // 2)
        elif at_top:  # the top row that a list shows
            print(box.x + box.width // 2, box.y + 8)
        else:
            print(box.x + box.width // 2, box.y + box.height // 2)
    elif command == "focused":
        obj = focused(pid)
        if obj is not None:  # what a screen reader announces: name, role, description
            print("%s|%s|%s" % (obj.name, obj.getRoleName(), obj.description))
    elif command == "wait-focus":
        def on_it():
            obj = focused(pid)
            return True if obj is not None and matches(obj, args[0]) else None
        until(float(args[1]), "'%s' did not get the focus (it is on '%s')"
              % (args[0], focused_name(pid)), on_it)
    elif command == "wait-shown":
        until(float(args[1]), "no control called '%s' shown" % args[0],
              lambda: find(pid, args[0]))
    elif command == "wait-gone":
        until(float(args[1]), "'%s' is still shown" % args[0],
              lambda: True if find(pid, args[0]) is None else None)
    elif command == "unnamed":
        app = app_of(pid)
        if app is None:
            sys.exit("atspi: process %d is not on the accessibility bus" % pid)
        missing = []
        checked = 0
        for obj, _ in walk(app):
            role = obj.getRole()
            states = obj.getState()
            operable = role in OPERABLE or (states.contains(pyatspi.STATE_FOCUSABLE)
                                            and role not in (pyatspi.ROLE_FRAME,
                                                             pyatspi.ROLE_WINDOW))
            if not operable:
                continue
            checked += 1
            # A combo box reads as its value; what it is for comes from the label that names it.
            said = labelled_by(obj) if role == pyatspi.ROLE_COMBO_BOX else obj.name
            if not said.strip():
                missing.append("%s (description '%s', parent '%s')"
                               % (obj.getRoleName(), obj.description, obj.parent.name))
        print("checked %d controls" % checked)
        for m in missing:
            print("no name: " + m)
        return 1 if missing else 0
    elif command == "selected":
        obj = until(5, "no shown control called '%s'" % args[0], lambda: find(pid, args[0]))
        for i in range(obj.childCount):
            row = obj.getChildAtIndex(i)
            if row is not None and row.getState().contains(pyatspi.STATE_SELECTED):
                print(i, row.name)
    elif command == "rows":
        obj = until(5, "no shown control called '%s'" % args[0], lambda: find(pid, args[0]))
        for i in range(obj.childCount):
            print(obj.getChildAtIndex(i).name)
    elif command == "origin":
        app = until(5, "process %d is not on the accessibility bus" % pid, lambda: app_of(pid))
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is not None and showing(w):
                box = w.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(box.x, box.y)
                break
    elif command == "windows":
        app = until(5, "process %d is not on the accessibility bus" % pid, lambda: app_of(pid))
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is not None and showing(w):
                print(w.name)
    elif command == "tree":
        app = app_of(pid)
        if app is None:
            sys.exit("atspi: process %d is not on the accessibility bus" % pid)
        for obj, depth in walk(app):
            print("%s%s '%s' [%s]" % ("  " * depth, obj.getRoleName(), obj.name, obj.description))
    else:
        sys.exit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
