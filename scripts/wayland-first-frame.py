#!/usr/bin/python3
"""Starts a Wayland client and watches it from outside for the first frame of its window:
   wayland-first-frame.py [--settle S] [--deadline S] [--log FILE] [--any-exit] TITLE -- PROGRAM...
The client runs with WAYLAND_DEBUG=client, which makes libwayland print every request it sends
on stderr. The first frame is the first wl_surface.commit, after an attach of a buffer, of a
surface whose xdg_toplevel carries TITLE: the client hands the compositor the window's picture.
Then the client runs SETTLE more seconds, its resident memory is read from /proc, and it is
ended with SIGTERM. Prints "frame_ms=<ms from exec> rss_kb=<kB> exit=<status>" and exits 0 only
when the frame came before the deadline and the client ended on SIGTERM with status 0 (with
--any-exit, however it ended: a program without a handler dies of the signal).
The client's output, its Wayland requests included, goes to FILE."""
import argparse
import os
import re
import selectors
import signal
import subprocess
import sys
import time

# "[1116138.204]  -> xdg_toplevel@27.set_title("Morvane")": a request the client sent.
REQUEST = re.compile(r"^\[\s*[0-9.]+\]\s+-> (\w+)@(\d+)\.(\w+)\((.*)\)$")
NEW_ID = re.compile(r"new id (\w+)@(\d+)")
OBJECT = re.compile(r"(\w+)@(\d+)")


class FrameWatch:
    """Follows the client's requests: which surfaces are toplevels with the title, which have a
    buffer attached since their last commit."""

    def __init__(self, title):
        self.title = title
        self.role = {}  # xdg_surface or xdg_toplevel id -> its wl_surface id
        self.titled = set()
        self.attached = set()

    def request(self, line):
        """Takes one stderr line; True when it is the first frame."""
        match = REQUEST.match(line)
        if not match:
            return False
        interface, oid, name, args = match.groups()
        if interface == "xdg_wm_base" and name == "get_xdg_surface":
            new = NEW_ID.search(args)
            surface = OBJECT.findall(args)[-1]
            if new and surface[0] == "wl_surface":
                self.role[new.group(2)] = surface[1]
        elif interface == "xdg_surface" and name == "get_toplevel":
            new = NEW_ID.search(args)
            if new and oid in self.role:
                self.role[new.group(2)] = self.role[oid]
        elif interface == "xdg_toplevel" and name == "set_title" and oid in self.role:
            if args == '"%s"' % self.title:
                self.titled.add(self.role[oid])
            else:
                self.titled.discard(self.role[oid])
        elif interface == "wl_surface" and name == "attach":
            if args.startswith("nil"):
                self.attached.discard(oid)
            else:
                self.attached.add(oid)
        elif interface == "wl_surface" and name == "commit":
            frame = oid in self.titled and oid in self.attached
            self.attached.discard(oid)
            return frame
        elif interface == "wl_surface" and name == "destroy":
            self.titled.discard(oid)
            self.attached.discard(oid)
        return False


def resident_kb(pid):
    try:
        with open("/proc/%d/status" % pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass  # It has ended: the exit status says more.
    return -1


class Client:
    """The program under watch, its stderr read line by line as it comes."""

    def __init__(self, argv, log):
        env = dict(os.environ, WAYLAND_DEBUG="client")
        self.start = time.monotonic()
        self.process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL,
                                        stdout=log, stderr=subprocess.PIPE)
        os.set_blocking(self.process.stderr.fileno(), False)
        self.selector = selectors.DefaultSelector()
        self.selector.register(self.process.stderr, selectors.EVENT_READ)
        self.log = log
        self.pending = b""
        self.open = True

    def lines_until(self, deadline):
        """Yields stderr lines until the deadline passes or stderr closes."""
        while self.open:
            left = deadline - time.monotonic()
            if left <= 0:
                return
            if not self.selector.select(left):
                continue
            chunk = os.read(self.process.stderr.fileno(), 65536)
            if not chunk:
                self.open = False
                self.selector.unregister(self.process.stderr)
                return
            self.log.write(chunk)
            self.log.flush()
            *lines, self.pending = (self.pending + chunk).split(b"\n")
            for line in lines:
                yield line.decode("utf-8", "replace")

    def drain(self, seconds):
        for _ in self.lines_until(time.monotonic() + seconds):
            pass

    def terminate(self, seconds):
        """SIGTERM, then the exit status; None when it did not end in time (it is killed)."""
        self.process.send_signal(signal.SIGTERM)
        deadline = time.monotonic() + seconds
        self.drain(seconds)
        try:
            return self.process.wait(max(0.0, deadline - time.monotonic()))
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--settle", type=float, default=0.0)
    parser.add_argument("--deadline", type=float, default=20.0)
    parser.add_argument("--log", default=os.devnull)
    parser.add_argument("--any-exit", action="store_true")
    parser.add_argument("title")
    parser.add_argument("program", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    argv = args.program[1:] if args.program[:1] == ["--"] else args.program
    if not argv:
        parser.error("no program")

    with open(args.log, "wb") as log:
        client = Client(argv, log)
        watch = FrameWatch(args.title)
        frame_ms = None
        for line in client.lines_until(client.start + args.deadline):
            if watch.request(line):
                frame_ms = round((time.monotonic() - client.start) * 1000)
                break
        if frame_ms is None:
            ended = client.process.poll()
            reason = "it ended with status %s" % ended if ended is not None else "deadline"
            print("wayland-first-frame: no frame of a window titled %r within %g s (%s)"
                  % (args.title, args.deadline, reason), file=sys.stderr)
            client.terminate(5)
            print("frame_ms=timeout")
            return 1
        client.drain(args.settle)
        rss = resident_kb(client.process.pid)
        status = client.terminate(20)
        print("frame_ms=%d rss_kb=%d exit=%s" % (frame_ms, rss, status), flush=True)
        if status is None or (status != 0 and not args.any_exit):
            print("wayland-first-frame: after SIGTERM the client %s"
                  % ("did not end within 20 s" if status is None else "ended with status %d"
                     % status), file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
