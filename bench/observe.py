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
    elif mode == "table":
        table(args[0])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    main()
