#!/usr/bin/env python3
"""Plays the far end of a serial port for the SerialPeer tests.

Creates a pty pair and publishes its slave as COM port PORT: under wine as
$WINEPREFIX/dosdevices/com<PORT> (a Windows program opening \\\\.\\comPORT
then reaches the pty), natively as PONDRACOM<PORT>. Makes sure port ABSENT
names no device. Runs the test command with TAVREL_TEST_COMPORT and
TAVREL_TEST_ABSENTPORT set (and TAVREL_TEST_UNDER_WINE with --wine), and meanwhile echoes every byte that arrives,
except that the sequence HANGUP makes it close its end of the pty for good.
Exits with the test command's status.

  wine_serial_harness.py --port 37 --absent 38 [--wine] -- command args...
"""
import argparse
import errno
import os
import pty
import select
import subprocess
import sys
import threading
import tty

HANGUP = b"\x04HANGUP\x04"

# Opens the pty (taking it as controlling terminal of its new session),
# ignores the hang-up, and waits until its standard input closes.
HOLDER = """
import os, signal, sys
signal.signal(signal.SIGHUP, signal.SIG_IGN)
fd = os.open(sys.argv[1], os.O_RDWR)
sys.stdout.write("ready\\n")
sys.stdout.flush()
sys.stdin.buffer.read()
"""


def peer(master, stop, closed):
    pending = b""
    while not stop.is_set():
        ready, _, _ = select.select([master], [], [], 0.05)
        if not ready:
            continue
        try:
            data = os.read(master, 4096)
        except OSError as error:
            if error.errno == errno.EIO:  # no one has the port open now
                stop.wait(0.01)
                continue
            raise
        if not data:
            stop.wait(0.01)
            continue
        pending += data
        at = pending.find(HANGUP)
        if at >= 0:
            os.write(master, pending[:at])
            os.close(master)
            closed.set()
            return
        # Hold back a tail that may be the start of the sequence.
        keep = 0
        for n in range(min(len(HANGUP) - 1, len(pending)), 0, -1):
            if HANGUP.startswith(pending[-n:]):
                keep = n
                break
        out, pending = pending[: len(pending) - keep], pending[len(pending) - keep:]
        while out:
            out = out[os.write(master, out):]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--absent", type=int, required=True)
    parser.add_argument("--wine", action="store_true")
    parser.add_argument("--timeout", type=float, default=600)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no test command")

    master, slave = pty.openpty()
    tty.setraw(slave)
    slave_name = os.ttyname(slave)
    os.close(slave)

    env = dict(os.environ)
    env["TAVREL_TEST_COMPORT"] = str(args.port)
    env["TAVREL_TEST_ABSENTPORT"] = str(args.absent)
    links = []
    if args.wine:
        prefix = env.get("WINEPREFIX")
        if not prefix:
            sys.exit("harness: WINEPREFIX is not set")
        env["TAVREL_TEST_UNDER_WINE"] = "1"
        devices = os.path.join(prefix, "dosdevices")
        os.makedirs(devices, exist_ok=True)
        for number, target in ((args.port, slave_name), (args.absent, None)):
            link = os.path.join(devices, "com%d" % number)
            if os.path.lexists(link):
                os.remove(link)
            if target:
                os.symlink(target, link)
                links.append(link)
    else:
        env["PONDRACOM%d" % args.port] = slave_name
        env["PONDRACOM%d" % args.absent] = "/nonexistent/ttyPondra%d" % args.absent

    # A pty that a session leader opens becomes its controlling terminal, and
    # wineserver is one: it would get SIGHUP (and dump its state) when the
    # peer hangs up. A holder process claims the pty for a session of its own
    # first, so that no one else can take it as controlling terminal.
    holder = subprocess.Popen([sys.executable, "-c", HOLDER, slave_name], stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, start_new_session=True)
    if holder.stdout.readline() != b"ready\n":
        sys.exit("harness: the pty holder did not start")

    stop = threading.Event()
    closed = threading.Event()
    thread = threading.Thread(target=peer, args=(master, stop, closed), daemon=True)
    thread.start()
    try:
        status = subprocess.run(command, env=env, timeout=args.timeout).returncode
    except subprocess.TimeoutExpired:
        print("harness: the test command did not end in time", file=sys.stderr)
        status = 1
    finally:
        stop.set()
        thread.join(2)
        if not closed.is_set():
            try:
                os.close(master)
            except OSError:
                pass
        holder.stdin.close()
        try:
            holder.wait(5)
        except subprocess.TimeoutExpired:
            holder.kill()
        for link in links:
            if os.path.islink(link):
                os.remove(link)
    sys.exit(status)


if __name__ == "__main__":
    main()
