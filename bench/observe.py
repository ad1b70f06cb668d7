#!/usr/bin/python3
"""Watches programs from outside, the way the screen and the speakers show them, for bench/run.sh.

  observe.py lag SECONDS NAME:KIND:WID ...   KIND is title (_NET_WM_NAME, the shown time parsed
                                             from it) or damage (X Damage on the window)
  observe.py launch NAME -- COMMAND ...      launch to mapped window, then peak RSS 2 s on
  observe.py sound TRIES "NAME|POINTS|COMMAND" ...
                                             launch to the first sound on the PulseAudio
                                             monitor $MONITOR, the programs taking turns; with
                                             POINTS ("X,Y X,Y ..."), the program (started in
                                             $MUSIC) is clicked at each client point in turn
                                             and the time runs from the last click
  observe.py idle SECONDS NAME:PID ...       CPU time and context switches of every thread
  observe.py rss SECONDS STEP NAME:PID       resident size over a long idle
  observe.py files FOLDER "NAME|POINTS|COMMAND" ...
                                             the program, started in FOLDER, is clicked at
                                             each client point in turn (opening its file
                                             list): CPU time and resident size the listing
                                             adds, and the slowest answer of the window
                                             meanwhile to a _NET_WM_PING sent every 50 ms
  observe.py slow ROOT DELAY "NAME|POINTS|COMMAND" ...
                                             the program, started in ROOT (a share whose every
                                             call takes DELAY ms), is clicked at each client
                                             point in turn as soon as its window is mapped
                                             (opening the player): start to both lists showing
                                             ROOT; then album1 opened and album2 right after,
                                             to album2 listed, and the message boxes meanwhile;
                                             the window's slowest answer to a ping in each.
                                             Lists are read through AT-SPI.
  observe.py table RESULTS                   the table of every figure

Every measuring mode appends "figure<TAB>program<TAB>value" lines to $RESULTS.
Times are taken with time.time() when the observer receives the event.
"""

import array
import fcntl
import os
import re
import select
import shlex
import signal
import statistics
import subprocess
import sys
import termios
import threading
import time

RESULTS = os.environ.get("RESULTS", "/dev/stdout")


def record(figure, program, value):
    with open(RESULTS, "a") as f:
        f.write(f"{figure}\t{program}\t{value}\n")


def display():
    from Xlib import display as xdisplay
    return xdisplay.Display()


# --- lag of the shown second -------------------------------------------------------------------

TITLE = re.compile(r"(\d\d):(\d\d):(\d\d) \((\d{4})-(\d\d)-(\d\d)\)")


def shown_second(text):
    """The start of the second a title shows, in seconds since the epoch (the clock runs in UTC)."""
    m = TITLE.search(text)
    if not m:
        return None
    h, mi, s, y, mo, d = map(int, m.groups())
    import calendar
    return calendar.timegm((y, mo, d, h, mi, s, 0, 0, 0))


def lag(seconds, watches):
    from Xlib import X, Xatom
    from Xlib.ext import damage
    d = display()
    d.damage_query_version()
    net_wm_name = d.intern_atom("_NET_WM_NAME")
    utf8 = d.intern_atom("UTF8_STRING")
    by_window = {}
    for w in watches:
        name, kind, wid = w.split(":")
        win = d.create_resource_object("window", int(wid, 0))
        if kind == "title":
            win.change_attributes(event_mask=X.PropertyChangeMask)
        else:
            win.damage_create(damage.DamageReportRawRectangles)
        by_window[(win.id, kind)] = name
    d.sync()
    last_change = {}
    previous_text = {}
    end = time.time() + seconds
    while time.time() < end:
        if not d.pending_events():
            select.select([d], [], [], max(0.0, end - time.time()))
        while d.pending_events():
            e = d.next_event()
            t = time.time()
            if e.__class__.__name__ == "DamageNotify":
                name = by_window.get((e.drawable.id, "damage"))
                if name is None:
                    continue
                # One repaint arrives as several rectangles: take the first of a burst. The
                # first burst tells the whole window as it was when the watch began.
                first = name not in last_change
                if t - last_change.get(name, 0) < 0.1:
                    last_change[name] = t
                    continue
                last_change[name] = t
                if first:
                    continue
                # 2 ticks a second: a change 0.9 s or more after a second began is taken as
                # coming early for the next one.
                frac = (t + 0.1) % 1.0 - 0.1
                record("lag-label", name, f"{frac * 1000:.2f}")
            elif e.type == X.PropertyNotify and e.atom == net_wm_name:
                name = by_window.get((e.window.id, "title"))
                if name is None:
                    continue
                prop = e.window.get_full_property(net_wm_name, utf8)
                text = prop.value.decode() if prop else ""
                if text == previous_text.get(name):
                    continue
                previous_text[name] = text
                second = shown_second(text)
                if second is None:
                    continue
                record("lag-title", name, f"{(t - second) * 1000:.2f}")


def changes(results, figure, program):
    return [float(v) for f, p, v in results if f == figure and p == program]


# --- start: launch to mapped window, peak RSS ------------------------------------------------


def vm(pid, field):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def end(p):
    """Asks a program to end, and ends it if it has not within 5 s."""
    p.terminate()
    try:
        p.wait(5)
    except subprocess.TimeoutExpired:
        p.kill()
        p.wait()


def launch(name, command):
    from Xlib import X
    d = display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    t0 = time.time()
    p = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    deadline = t0 + 10
    while mapped is None and time.time() < deadline:
        if not d.pending_events():
            select.select([d], [], [], 0.5)
        while d.pending_events():
            e = d.next_event()
            t = time.time()
            if e.type == X.CreateNotify and not e.override:
                e.window.change_attributes(event_mask=X.StructureNotifyMask)
                d.sync()
                try:
                    if e.window.get_attributes().map_state != X.IsUnmapped and mapped is None:
                        mapped = time.time()
                except Exception:
                    pass
            elif e.type == X.MapNotify and mapped is None and not e.override:
                mapped = t
    if mapped is not None:
        record("launch-ms", name, f"{(mapped - t0) * 1000:.1f}")
    time.sleep(max(0.0, t0 + 2.0 - time.time()))
    hwm = vm(p.pid, "VmHWM")
    if hwm is not None:
        record("rss-peak-kb", name, hwm)
    end(p)


# --- first sound -------------------------------------------------------------------------------


class Monitor:
    """Reads the sink's monitor all along; tells when sound first comes after a given moment."""

    RATE = 44100

    def __init__(self, device):
        self.p = subprocess.Popen(
            ["parec", f"--device={device}", "--format=s16le", f"--rate={self.RATE}",
             "--channels=1", "--raw", "--latency-msec=5"], stdout=subprocess.PIPE)
        self.lock = threading.Lock()
        self.loud_at = None
        self.armed_after = None
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        fd = self.p.stdout.fileno()
        waiting = array.array("i", [0])
        while True:
            data = os.read(fd, 4096)
            t = time.time()
            if not data:
                return
            # What the recorder has written ends about now: the samples read, then those still
            # waiting in the pipe.
            fcntl.ioctl(fd, termios.FIONREAD, waiting)
            samples = memoryview(data[: len(data) // 2 * 2]).cast("h")
            with self.lock:
                if self.armed_after is None or self.loud_at is not None:
                    continue
                for i, s in enumerate(samples):
                    if abs(s) > 300:
                        at = t - (len(samples) - i + waiting[0] // 2) / self.RATE
                        if at >= self.armed_after:
                            self.loud_at = at
                        break

    def arm(self, after):
        with self.lock:
            self.armed_after = after
            self.loud_at = None

    def wait(self, limit):
        deadline = time.time() + limit
        while time.time() < deadline:
            with self.lock:
                if self.loud_at is not None:
                    return self.loud_at
            time.sleep(0.002)
        return None

    def quiet(self, limit=5):
        """Waits until a quarter second passes without sound."""
        deadline = time.time() + limit
        while time.time() < deadline:
            self.arm(time.time())
            if self.wait(0.25) is None:
                return True
        return False


def window_of(pid, title_re, limit=10):
    from Xlib import X
    d = display()
    root = d.screen().root
    pid_atom = d.intern_atom("_NET_WM_PID")
    name_atom = d.intern_atom("_NET_WM_NAME")
    deadline = time.time() + limit
    while time.time() < deadline:
        for w in root.query_tree().children:
            for c in [w] + w.query_tree().children:
                try:
                    p = c.get_full_property(pid_atom, X.AnyPropertyType)
                    n = c.get_full_property(name_atom, 0)
                    if p and p.value[0] == pid and n and re.search(title_re, n.value.decode()) \
                            and c.get_attributes().map_state == X.IsViewable:
                        return d, c
                except Exception:
                    pass
        time.sleep(0.05)
    return d, None


def click(d, win, x, y):
    from Xlib import X
    from Xlib.ext import xtest
    origin = win.translate_coords(d.screen().root, 0, 0)
    root = d.screen().root
    root.warp_pointer(-origin.x + x, -origin.y + y)
    d.sync()
    time.sleep(0.15)
    xtest.fake_input(d, X.ButtonPress, 1)
    d.sync()
    time.sleep(0.03)
    xtest.fake_input(d, X.ButtonRelease, 1)
    d.sync()
    return time.time()


def sound(tries, programs):
    """For each program in turn, TRIES times: launch it to its first sound, or, for a program with
    points to click, launch it, click the points and time the last click to the first sound."""
    mon = Monitor(os.environ["MONITOR"])
    # The sink takes up the monitor's short latency only after the block it is playing, which
    # lasts up to its longest latency (2 s).
    time.sleep(3)
    for _ in range(tries):
        for entry in programs:
            name, points, command = entry.split("|", 2)
            ui = [tuple(int(v) for v in xy.split(",")) for xy in points.split()]
            one_sound(mon, name, shlex.split(command), ui)
    mon.p.terminate()


def one_sound(mon, name, command, ui):
    mon.quiet()
    if ui:
        p = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             cwd=os.environ["MUSIC"])
        d, win = window_of(p.pid, r"^Tesmora")
        if win is None:
            p.kill()
            p.wait()
            return
        time.sleep(0.5)
        for x, y in ui[:-1]:
            click(d, win, x, y)
            time.sleep(0.5)
        time.sleep(1.0)  # a user takes a moment between picking the song and pressing play
        mon.arm(time.time())
        t0 = click(d, win, *ui[-1])
    else:
        mon.arm(time.time())
        t0 = time.time()
        p = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    heard = mon.wait(10)
    if heard is not None:
        record("sound-ms", name, f"{(heard - t0) * 1000:.1f}")
    end(p)


# --- idle cost ---------------------------------------------------------------------------------


def counters(pid):
    """Name, context switches and CPU nanoseconds of each thread."""
    threads = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            switches, name = 0, "?"
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith("Name:"):
                        name = line.split(None, 1)[1].strip()
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                ns = int(f.read().split()[0])
            threads[tid] = (name, switches, ns)
        except OSError:
            pass
    return threads


def idle(seconds, programs):
    pids = [p.split(":") for p in programs]
    before = {n: counters(int(pid)) for n, pid in pids}
    for n, _ in pids:
        record("threads at start", n, ",".join(sorted(v[0] for v in before[n].values())))
    time.sleep(seconds)
    for n, pid in pids:
        threads = counters(int(pid))
        # A thread that ended meanwhile is not counted; one that began is counted from 0.
        was = before[n]
        switches = sum(v[1] - was.get(tid, ("", 0, 0))[1] for tid, v in threads.items())
        ns = sum(v[2] - was.get(tid, ("", 0, 0))[2] for tid, v in threads.items())
        record("idle-cpu-ms-per-min", n, f"{ns / 1e6 * 60 / seconds:.1f}")
        record("idle-wakeups-per-s", n, f"{switches / seconds:.2f}")
        record("threads at end", n, ",".join(sorted(v[0] for v in threads.values())))


def rss(seconds, step, program):
    """Resident size every STEP seconds; the growth counts from the first minute on (or from
    half-way in a shorter watch), after the start has settled."""
    name, pid = program.split(":")
    start = time.time()
    settled = min(60.0, seconds / 2)
    reference = None
    while True:
        kb = vm(int(pid), "VmRSS")
        if kb is None:
            return
        elapsed = time.time() - start
        record("rss-kb", name, f"{elapsed:.0f}:{kb}")
        if reference is None and elapsed >= settled:
            reference = kb
        if elapsed >= seconds:
            break
        time.sleep(max(0.0, min(step, start + seconds - time.time())))
    record("rss-growth-kb", name, kb - reference)


# --- listing a big folder ----------------------------------------------------------------------


def cpu_ms(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000 / os.sysconf("SC_CLK_TCK")


def pinger(win_id, stop, answers):
    """Every 50 ms, unless the last ping is still unanswered, asks the window for a
    _NET_WM_PING answer (the toolkit gives it from the window's event loop) and keeps how long
    each took."""
    from Xlib import X
    from Xlib.protocol import event
    d = display()
    root = d.screen().root
    root.change_attributes(event_mask=X.StructureNotifyMask)
    protocols, ping = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("_NET_WM_PING")
    win = d.create_resource_object("window", win_id)
    stamp = 0
    while not stop.is_set():
        stamp += 1
        sent = time.time()
        win.send_event(event.ClientMessage(window=win, client_type=protocols,
                                           data=(32, [ping, stamp, win_id, 0, 0])), event_mask=0)
        d.flush()
        while True:
            while d.pending_events():
                e = d.next_event()
                if e.type == X.ClientMessage and e.client_type == protocols \
                        and e.data[1][0] == ping and e.data[1][1] == stamp:
                    answers.append(time.time() - sent)
                    break
            else:
                if stop.is_set():
                    answers.append(time.time() - sent)  # still unanswered at the end
                    return
                select.select([d.fileno()], [], [], 0.005)
                continue
            break
        time.sleep(max(0.0, sent + 0.05 - time.time()))


def files(folder, programs):
    count = sum(1 for _ in os.scandir(folder))
    for entry in programs:
        name, points, command = entry.split("|", 2)
        ui = [tuple(int(v) for v in xy.split(",")) for xy in points.split()]
        p = subprocess.Popen(shlex.split(command), stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, cwd=folder)
        d, win = window_of(p.pid, r"^Tesmora")
        if win is None:
            end(p)
            continue
        time.sleep(2)  # the start settles
        cpu0, rss0 = cpu_ms(p.pid), vm(p.pid, "VmRSS")
        stop, answers = threading.Event(), []
        t = threading.Thread(target=pinger, args=(win.id, stop, answers))
        t.start()
        for x, y in ui:
            click(d, win, x, y)
            time.sleep(0.5)
        # Listed once the program has used no CPU for a second.
        last, still = cpu_ms(p.pid), time.time()
        deadline = time.time() + 60
        while time.time() < deadline and time.time() - still < 1.0:
            time.sleep(0.1)
            now = cpu_ms(p.pid)
            if now != last:
                last, still = now, time.time()
        stop.set()
        t.join()
        record(f"files-{count}-cpu-ms", name, f"{cpu_ms(p.pid) - cpu0:.0f}")
        record(f"files-{count}-answer-ms", name, f"{max(answers) * 1000:.1f}")
        record(f"files-{count}-rss-kb", name, vm(p.pid, "VmRSS"))
        record(f"files-{count}-rss-growth-kb", name, vm(p.pid, "VmRSS") - rss0)
        end(p)


def close_window(d, win):
    """Asks the window to close, as its title bar's close button does."""
    from Xlib.protocol import event
    protocols, delete = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("WM_DELETE_WINDOW")
    win.send_event(event.ClientMessage(window=win, client_type=protocols,
                                       data=(32, [delete, 0, 0, 0, 0])), event_mask=0)
    d.flush()


def share(root, gate, programs):
    """With the share at ROOT shut (the file GATE exists): the player opened, its drive list
    dropped down and its last drive (the share) picked, the message answered, the window
    closed. Keeps the window's slowest answer to a ping meanwhile and how long the close took
    to end the process."""
    for entry in programs:
        name, points, command = entry.split("|", 2)
        ui = [tuple(int(v) for v in xy.split(",")) for xy in points.split()]
        p = subprocess.Popen(shlex.split(command), stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, cwd=os.path.dirname(gate))
        d, win = window_of(p.pid, r"^Tesmora")
        if win is None:
            end(p)
            continue
        time.sleep(2)  # the start settles
        stop, answers = threading.Event(), []
        t = threading.Thread(target=pinger, args=(win.id, stop, answers))
        t.start()
        open(gate, "w").close()
        for x, y in ui:  # the bulb, the player, the drive list
            click(d, win, x, y)
            time.sleep(0.5)
        for keys in ("End", "Return", "Return"):  # the last drive; OK on the message
            subprocess.run(["xdotool", "key", keys], check=False)
            time.sleep(0.5)
        stop.set()  # a closed window answers no ping
        t.join()
        close_window(d, win)
        closing = time.time()
        try:
            p.wait(30)
            closed = time.time() - closing
        except subprocess.TimeoutExpired:
            closed = None
        os.remove(gate)
        if closed is None:
            end(p)
        record("share-answer-ms", name, f"{max(answers) * 1000:.1f}")
        record("share-close-ms", name, f"{closed * 1000:.0f}" if closed is not None else "30000")


# --- a slow share: the start folder, and a second folder opened while the first is read --------

BOUND = 30.0  # seconds; a figure not reached by then is recorded as the bound, and "never"


class Lists:
    """The program's folder and file lists as a screen reader reads them."""

    def __init__(self, pid):
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                        "..", "tests", "e2e"))
        import atspi
        self.atspi, self.pid, self.objs = atspi, pid, {}

    def obj(self, name):
        o = self.objs.get(name)
        if o is None:
            o = self.objs[name] = self.atspi.find(self.pid, name)
        if o is not None:
            o.clearCache()  # each read asks the program afresh
        return o

    def rows(self, name):
        """(row names, selected row numbers), or None while the list cannot be read."""
        try:
            o = self.obj(name)
            if o is None:
                return None
            names, picked = [], []
            for i in range(o.childCount):
                row = o.getChildAtIndex(i)
                names.append(row.name)
                if row.getState().contains(self.atspi.pyatspi.STATE_SELECTED):
                    picked.append(i)
            return names, picked
        except Exception:
            self.objs.pop(name, None)  # gone with the view it belonged to: found again
            return None

    def shown(self, name):
        try:
            return self.atspi.find(self.pid, name) is not None
        except Exception:
            return False

    def points(self, name, rows):
        """The screen points at the middle of the given rows, once they are all wholly in view
        (the list is scrolled with the wheel until they are); None when one is missing."""
        from Xlib import X
        from Xlib.ext import xtest
        pyatspi = self.atspi.pyatspi
        for _ in range(8):
            o = self.obj(name)
            if o is None or max(rows) >= o.childCount:
                return None
            view = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            boxes = [o.getChildAtIndex(r).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                     for r in rows]
            top, bottom = min(b.y for b in boxes), max(b.y + b.height for b in boxes)
            if top >= view.y and bottom <= view.y + view.height:
                return [(b.x + b.width // 2, b.y + b.height // 2) for b in boxes]
            d = display()
            d.screen().root.warp_pointer(view.x + view.width // 2, view.y + view.height // 2)
            wheel = 5 if bottom > view.y + view.height else 4
            xtest.fake_input(d, X.ButtonPress, wheel)
            xtest.fake_input(d, X.ButtonRelease, wheel)
            d.sync()
            time.sleep(0.2)
        return None

    def messages(self):
        """The text of each message box shown."""
        pyatspi = self.atspi.pyatspi
        texts = []
        try:
            app = self.atspi.app_of(self.pid)
            for i in range(app.childCount):
                w = app.getChildAtIndex(i)
                if w is None or not self.atspi.showing(w) \
                        or w.getRole() not in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
                    continue
                said = [o.name for o, _ in self.atspi.walk(w)
                        if o.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) and o.name]
                texts.append(" ".join(said) or w.name)
        except Exception:
            pass
        return texts


def chain_of(folder):
    """The names the folder list shows down to `folder`: "/", then each part of the path."""
    return ["/"] + [part for part in os.path.realpath(folder).split("/") if part]


def double_click(d, x, y):
    """A double click at a screen point, quick enough that the next one can follow within a
    slow share's single call; gives the time of the second press, which opens the row. The
    toolkit can drop a press that follows a release at once (3 double clicks in 10 lost, none
    in 90 with 2 ms or more between), so each press and release waits 5 ms."""
    from Xlib import X
    from Xlib.ext import xtest
    d.screen().root.warp_pointer(x, y)
    d.sync()
    for _ in range(2):
        time.sleep(0.005)
        xtest.fake_input(d, X.ButtonPress, 1)
        d.sync()
        pressed = time.time()
        time.sleep(0.005)
        xtest.fake_input(d, X.ButtonRelease, 1)
        d.sync()
    return pressed


def boxes(pid, main, stop, shown):
    """Keeps the id of each window of process `pid` other than `main` that is created or mapped
    until `stop` is set: a message box, seen even if a click closes it at once."""
    from Xlib import X
    d = display()
    d.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    pid_atom = d.intern_atom("_NET_WM_PID")

    def note(w):
        try:
            p = w.get_full_property(pid_atom, X.AnyPropertyType)
        except Exception:
            return
        if p and p.value[0] == pid and w.id != main and w.id not in shown:
            shown.append(w.id)

    while not stop.is_set():
        if not d.pending_events():
            select.select([d], [], [], 0.05)
        while d.pending_events():
            e = d.next_event()
            if e.type == X.CreateNotify and not e.override:
                try:  # its map, should its pid come later than its creation
                    e.window.change_attributes(event_mask=X.StructureNotifyMask)
                except Exception:
                    pass
                note(e.window)
            elif e.type == X.MapNotify and not e.override:
                note(e.window)


def watch(win, pid, act, until, limit):
    """Pings the window and watches for message boxes while it does `act()` (which gives the
    moment it counts from) and then polls `until()` for at most `limit` seconds from that
    moment; gives that moment, the time `until()` first held (None if never), the slowest answer
    to a ping and the number of message boxes meanwhile."""
    stop, answers, shown = threading.Event(), [], []
    threads = [threading.Thread(target=pinger, args=(win.id, stop, answers)),
               threading.Thread(target=boxes, args=(pid, win.id, stop, shown))]
    for t in threads:
        t.start()
    start = act()
    reached = None
    while time.time() < start + limit:
        if until():
            reached = time.time()
            break
        time.sleep(0.02)
    stop.set()
    for t in threads:
        t.join()
    return start, reached, max(answers) if answers else 0.0, len(shown)


def slow(root, delay_ms, programs):
    """On a share whose every call takes DELAY ms: the player opened at once in its root (the
    start folder), and once the root shows, album1 opened and album2 right after."""
    base = chain_of(root)
    albums = ["album1", "album2", "album3"]
    tracks = [f"track{n:02}.mp3" for n in range(1, 9)]
    fig = f"slow-{delay_ms}"
    for entry in programs:
        name, points, command = entry.split("|", 2)
        ui = [tuple(int(v) for v in xy.split(",")) for xy in points.split()]
        t0 = time.time()
        p = subprocess.Popen(shlex.split(command), stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, cwd=root)
        d, win = window_of(p.pid, r"^Tesmora", limit=BOUND)
        if win is None:
            end(p)
            continue
        lists = Lists(p.pid)
        said, seen = [], []

        def showing(folders_want, selected, files_want):
            texts = lists.messages()
            for text in texts:
                if text not in seen:
                    seen.append(text)
                    print(f"bench: {name}, {delay_ms} ms: message '{text}'", file=sys.stderr)
            if texts:  # answered with its default button, the box given the keyboard first
                for box in subprocess.run(
                        ["xdotool", "search", "--onlyvisible", "--pid", str(p.pid)],
                        capture_output=True, text=True).stdout.split():
                    if int(box) != win.id:
                        subprocess.run(["xdotool", "windowactivate", "--sync", box, "key",
                                        "Return"], check=False)
            folders, files = lists.rows("Folders"), lists.rows("Music files")
            said[:] = [folders, files]
            return (folders is not None and files is not None and folders[0] == folders_want
                    and (selected is None or folders[1] == [selected])
                    and (files_want is None or files[0] == files_want))

        def open_player():
            # The bulb, clicked again if the window took the first click before it was ready;
            # the player's button once the bulb's menu shows it.
            deadline = time.time() + 10
            while time.time() < deadline:
                shown = click(d, win, *ui[0]) + 2
                while time.time() < shown and not lists.shown("MP3 player"):
                    time.sleep(0.02)
                if time.time() < shown:
                    break
            for x, y in ui[1:]:
                click(d, win, x, y)
            return t0

        at_root = (base + albums, len(base) - 1, ["intro.mp3"])
        _, reached, answer, shown = watch(win, p.pid, open_player, lambda: showing(*at_root),
                                          BOUND)
        record(f"{fig}-start-ms", name,
               f"{(reached - t0) * 1000:.0f}" if reached else f"{BOUND * 1000:.0f}")
        record(f"{fig}-start-never", name, 0 if reached else 1)
        record(f"{fig}-start-message", name, 1 if shown else 0)
        record(f"{fig}-start-answer-ms", name, f"{answer * 1000:.1f}")
        if not reached:
            print(f"bench: {name}, {delay_ms} ms: the start never showed the share's root; "
                  f"folders (rows, selected) {said[0]}, files {said[1]}", file=sys.stderr)
            # As a user would: the share's root opened from the folder list, if it is there;
            # then both lists given the time to show it.
            folders = said[0]
            if folders and folders[0] != base + albums and base[-1] in folders[0]:
                at = lists.points("Folders", [folders[0].index(base[-1])])
                if at is not None:
                    watch(win, p.pid, lambda: double_click(d, *at[0]),
                          lambda: showing(base + albums, None, None), BOUND)
            watch(win, p.pid, time.time, lambda: showing(*at_root), BOUND)
        if not showing(base + albums, None, None):
            print(f"bench: {name}, {delay_ms} ms: the share's root could not be opened; album2 "
                  "not tried", file=sys.stderr)
            end(p)
            continue
        # What was asked of the share on the way has been answered by then.
        time.sleep(max(1.0, 10 * int(delay_ms) / 1000))

        # album1 opened, and album2 at its row as it was, before album1 can have listed (that
        # takes more than one call); both rows brought into view first. A message box that
        # comes up over the list in between takes album2's first click.
        at = lists.points("Folders", [len(base), len(base) + 1])
        if at is None:
            print(f"bench: {name}, {delay_ms} ms: album1 and album2 not in view", file=sys.stderr)
            end(p)
            continue
        one, two = at
        first = []

        def open_both():
            first.append(double_click(d, *one))
            return double_click(d, *two)

        second, reached, answer, shown = watch(
            win, p.pid, open_both, lambda: showing(base + ["album2"], len(base), tracks), BOUND)
        record(f"{fig}-second-ms", name,
               f"{(reached - second) * 1000:.0f}" if reached else f"{BOUND * 1000:.0f}")
        record(f"{fig}-second-never", name, 0 if reached else 1)
        record(f"{fig}-second-message", name, 1 if shown else 0)
        record(f"{fig}-second-gap-ms", name, f"{(second - first[0]) * 1000:.1f}")
        record(f"{fig}-second-answer-ms", name, f"{answer * 1000:.1f}")
        if not reached:
            print(f"bench: {name}, {delay_ms} ms: album2 never listed; folders (rows, "
                  f"selected) {said[0]}, files {said[1]}", file=sys.stderr)
        end(p)


# --- the table ---------------------------------------------------------------------------------


def pct(values, p):
    s = sorted(values)
    k = (len(s) - 1) * p / 100
    lo, hi = int(k), min(int(k) + 1, len(s) - 1)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def table(path):
    results = []
    with open(path) as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) == 3:
                results.append(parts)
    programs = []
    for _, p, _ in results:
        if p not in programs:
            programs.append(p)

    def lagcell(figure, p):
        v = changes(results, figure, p)
        if not v:
            return "–"
        early = sum(1 for x in v if x < 0)
        return (f"{pct(v, 50):.1f} / {pct(v, 99):.1f} / {max(v):.1f}, "
                f"{early} early (n={len(v)})")

    def median(figure, p, scale=1.0, digits=0):
        v = changes(results, figure, p)
        if not v:
            return "–"
        return (f"{statistics.median(v) * scale:.{digits}f} "
                f"({min(v) * scale:.{digits}f}–{max(v) * scale:.{digits}f}, n={len(v)})")

    def single(figure, p):
        v = changes(results, figure, p)
        return f"{v[-1]:g}" if v else "–"

    rows = [
        ("shown second after the boundary, title: p50 / p99 / max ms",
         lambda p: lagcell("lag-title", p)),
        ("same, time label (X Damage): p50 / p99 / max ms", lambda p: lagcell("lag-label", p)),
        ("launch to mapped window, median ms (min–max)", lambda p: median("launch-ms", p)),
        ("peak RSS 2 s after launch, median MB", lambda p: median("rss-peak-kb", p, 1 / 1024, 1)),
        ("click on play (Tesmora) or launch (others) to first sound, median ms",
         lambda p: median("sound-ms", p)),
        ("idle CPU time, ms per minute", lambda p: single("idle-cpu-ms-per-min", p)),
        ("idle wakeups per second (all threads)", lambda p: single("idle-wakeups-per-s", p)),
        ("RSS growth over the long idle, kB", lambda p: single("rss-growth-kb", p)),
    ]
    rows += [
        ("a share that stops answering: the window's slowest answer, ms",
         lambda p: median("share-answer-ms", p, 1, 1)),
        ("same, closing the window to the end of the process, ms",
         lambda p: median("share-close-ms", p)),
    ]
    for count in sorted({int(f.split("-")[1]) for f, _, _ in results if f.startswith("files-")}):
        rows += [
            (f"opening the player on {count} files: CPU ms, median (min–max)",
             lambda p, c=count: median(f"files-{c}-cpu-ms", p)),
            (f"same, the window's slowest answer meanwhile, ms",
             lambda p, c=count: median(f"files-{c}-answer-ms", p, 1, 1)),
            (f"same, resident size after, MB",
             lambda p, c=count: median(f"files-{c}-rss-kb", p, 1 / 1024, 1)),
        ]

    def never(figure, p):
        v = changes(results, figure + "-ms", p)
        if not v:
            return "–"
        missed = sum(changes(results, figure + "-never", p))
        return f"{median(figure + '-ms', p)}, never {missed:.0f}"

    def count(figure, p):
        v = changes(results, figure, p)
        return f"{sum(v):.0f} of {len(v)}" if v else "–"

    for delay in sorted({int(f.split("-")[1]) for f, _, _ in results if f.startswith("slow-")}):
        f = f"slow-{delay}"
        rows += [
            (f"a share of {delay} ms a call: start to both lists on its root, ms",
             lambda p, f=f: never(f"{f}-start", p)),
            ("same, rounds with a message box", lambda p, f=f: count(f"{f}-start-message", p)),
            ("same, the window's slowest answer meanwhile, ms",
             lambda p, f=f: median(f"{f}-start-answer-ms", p, 1, 1)),
            ("same, album2 opened while album1 is read: to album2 listed, ms",
             lambda p, f=f: never(f"{f}-second", p)),
            ("same, rounds with a message box", lambda p, f=f: count(f"{f}-second-message", p)),
            ("same, album1 opened to album2 opened, ms",
             lambda p, f=f: median(f"{f}-second-gap-ms", p, 1, 1)),
            ("same, the window's slowest answer meanwhile, ms",
             lambda p, f=f: median(f"{f}-second-answer-ms", p, 1, 1)),
        ]
    shown = [r for r in rows if any(r[1](p) != "–" for p in programs)]
    print("| figure | " + " | ".join(programs) + " |")
    print("|---|" + "---|" * len(programs))
    for label, cell in shown:
        print(f"| {label} | " + " | ".join(cell(p) for p in programs) + " |")
    print()
    for f, p, v in results:
        if f.startswith("threads"):
            print(f"{f} of the idle watch, {p}: {v}")


def main():
    mode, args = sys.argv[1], sys.argv[2:]
    if mode == "lag":
        lag(float(args[0]), args[1:])
    elif mode == "launch":
        launch(args[0], args[2:])
    elif mode == "sound":
        sound(int(args[0]), args[1:])
    elif mode == "idle":
        idle(float(args[0]), args[1:])
    elif mode == "rss":
        rss(float(args[0]), float(args[1]), args[2])
    elif mode == "files":
        files(args[0], args[1:])
    elif mode == "share":
        share(args[0], args[1], args[2:])
    elif mode == "slow":
        slow(args[0], args[1], args[2:])
    elif mode == "table":
        table(args[0])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    main()
