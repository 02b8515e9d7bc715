#!/usr/bin/env python3
"""Window check of the terminal: runs the demonstration program in a real
window on a private Xvfb display, takes screenshots and types keys.

It checks that
  - the known cells show the expected colours (both palettes, the 256-colour
    table, reverse video, the lines that came through standard output and
    standard error),
  - the title is the one the program set,
  - keys typed with xdotool reach the program as the terminal's bytes
    (Delete 1B 5B 33 7E, Escape 1B 5B 39 39 7E 1B, Up 1B 5B 41, ...),
  - Ctrl+S turns the screen to inverted colours and back,
  - a block selected with the mouse is copied to the clipboard (Ctrl+C or
    the right button) one byte per cell, CR LF after every line,
  - one wheel notch scrolls the view two lines,
  - Ctrl+Break ends the program with exit status 1.

Usage: check_window.py --program PATH [--wine] [--display N] [--work DIR]
Screenshots are left in the work folder (shot.png, paused.png).
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

# Colours as the terminal stores them (0x00BBGGRR).
NORMAL = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x204080, 0x909090,
          0x606060, 0x804040, 0x408040, 0x808040, 0x404080, 0x804080, 0x008080, 0xC0C0C0]
BRIGHT = [0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x4080FF, 0xE0E0E0,
          0xA0A0A0, 0xFF8080, 0x80FF80, 0xFFFF80, 0x8080FF, 0xFF80FF, 0x00FFFF, 0xFFFFFF]
SGR_INDEX = [0, 4, 2, 14, 1, 5, 3, 15]  # colour index of SGR 30+n / 40+n
SYSTEM16 = [0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
            0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF]
LEVELS = [0, 95, 135, 175, 215, 255]


def rgb(colour):
    """0x00BBGGRR to an (r, g, b) tuple."""
    return (colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF)


def palette256(i):
    if i < 16:
        return rgb(SYSTEM16[i])
    if i < 232:
        i -= 16
        return (LEVELS[i // 36], LEVELS[(i // 6) % 6], LEVELS[i % 6])
    g = 8 + 10 * (i - 232)
    return (g, g, g)


class Failure(Exception):
    pass


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    # P6 header: magic, width, height, maxval, each separated by whitespace.
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            while data[pos:pos + 1] != b'\n':
                pos += 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    if fields[0] != b'P6' or int(fields[3]) != 255:
        raise Failure('unexpected screenshot format')
    return int(fields[1]), int(fields[2]), data[pos:]


class Screen:
    def __init__(self, path):
        self.width, self.height, self.pixels = read_ppm(path)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def find_marker(self):
        """The magenta block of rows 1-2, columns 1-10: origin and cell size."""
        target = (255, 0, 255)
        for y in range(0, self.height, 2):
            row = self.pixels[3 * y * self.width:3 * (y + 1) * self.width]
            x = row.find(bytes(target))
            while x >= 0 and x % 3 != 0:
                x = row.find(bytes(target), x + 1)
            if x < 0:
                continue
            x //= 3
            # Walk back to the block's top-left corner, then measure it.
            while y > 0 and self.at(x, y - 1) == target:
                y -= 1
            while x > 0 and self.at(x - 1, y) == target:
                x -= 1
            right = x
            while right + 1 < self.width and self.at(right + 1, y) == target:
                right += 1
            bottom = y
            while bottom + 1 < self.height and self.at(x, bottom + 1) == target:
                bottom += 1
            width, height = right - x + 1, bottom - y + 1
            if width % 10 or height % 2:
                raise Failure('marker of %dx%d pixels is not 10x2 cells' % (width, height))
            return x, y, width // 10, height // 2
        raise Failure('marker not found on the screen')


def close(a, b, tolerance=12):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


class Check:
    def __init__(self, args):
        self.args = args
        self.work = os.path.abspath(args.work)
        os.makedirs(self.work, exist_ok=True)
        self.display = ':%d' % args.display
        self.env = dict(os.environ, DISPLAY=self.display)
        self.keylog = os.path.join(self.work, 'keys.log')
        self.env['TERMDEMO_KEYLOG'] = self.keylog
        self.xvfb = None
        self.program = None
        self.errors = []
        self.passed = 0
        self.deadline = time.monotonic() + args.timeout

    def remaining(self):
        return max(self.deadline - time.monotonic(), 1)

    def run(self, *command, timeout=20):
        return subprocess.run(command, env=self.env, capture_output=True, text=True,
                              timeout=min(timeout, self.remaining()))

    def expect(self, condition, text):
        print(('ok    ' if condition else 'FAIL  ') + text, flush=True)
        if condition:
            self.passed += 1
        else:
            self.errors.append(text)

    def start_display(self):
        lock = '/tmp/.X%d-lock' % self.args.display
        if os.path.exists(lock):
            # A display left behind by an earlier, killed check.
            try:
                with open(lock) as f:
                    pid = int(f.read().strip())
                os.kill(pid, 0)
                raise Failure('display %s is in use by process %d' % (self.display, pid))
            except (ValueError, ProcessLookupError):
                os.remove(lock)
        self.xvfb = subprocess.Popen(['Xvfb', self.display, '-screen', '0', '1280x1024x24',
                                      '-nolisten', 'tcp'],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        socket = '/tmp/.X11-unix/X%d' % self.args.display
        for _ in range(100):
            if os.path.exists(socket):
                return
            time.sleep(0.1)
        raise Failure('Xvfb did not start')

    def start_program(self):
        if os.path.exists(self.keylog):
            os.remove(self.keylog)
        if self.args.wine:
            wine = shutil.which('wine64') or shutil.which('wine')
            prefix = self.env.get('WINEPREFIX')
            if prefix and not os.path.isdir(os.path.join(prefix, 'drive_c')):
                print('creating the wine prefix', flush=True)
                self.run('wineboot', '-i', timeout=240)
            self.env['WINEDEBUG'] = '-all'
            # Wine has no Lucida Console: let it use a monospace face of the
            # system instead of a proportional one.
            self.run(wine, 'reg', 'add', 'HKCU\\Software\\Wine\\Fonts\\Replacements', '/v',
                     'Lucida Console', '/d', 'DejaVu Sans Mono', '/f', timeout=60)
            command = [wine, self.args.program]
        else:
            command = [self.args.program]
        self.program = subprocess.Popen(command, env=self.env, cwd=self.work,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def keys_logged(self):
        try:
            with open(self.keylog) as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return None
        if not lines or lines[0] != 'ready':
            return None
        return ' '.join(lines[1:]).split()

    def wait_ready(self):
        limit = time.monotonic() + min(self.args.start_timeout, self.remaining())
        while time.monotonic() < limit:
            if self.program.poll() is not None:
                raise Failure('the program ended early with status %d' % self.program.returncode)
            if self.keys_logged() is not None:
                time.sleep(1.0)  # the window thread paints on its next passes
                return
            time.sleep(0.2)
        raise Failure('the program did not become ready')

    def window_id(self):
        for _ in range(50):
            found = self.run('xdotool', 'search', '--name', '^termdemo$').stdout.split()
            if found:
                return found[0]
            time.sleep(0.2)
        raise Failure('no window named termdemo')

    def screenshot(self, name):
        ppm = os.path.join(self.work, name + '.ppm')
        result = self.run('import', '-window', 'root', '-depth', '8', ppm)
        if result.returncode != 0:
            raise Failure('screenshot failed: ' + result.stderr.strip())
        convert = '/usr/bin/convert'
        if os.path.exists(convert):
            self.run(convert, ppm, os.path.join(self.work, name + '.png'))
        return Screen(ppm)

    def cell(self, screen, marker, row, column, dx=None, dy=None):
        ox, oy, cw, ch = marker
        x = ox + column * cw + (cw // 2 if dx is None else dx)
        y = oy + row * ch + (ch // 2 if dy is None else dy)
        return screen.at(x, y)

    def count_near(self, screen, marker, rows, columns, colour, tolerance=40):
        ox, oy, cw, ch = marker
        n = 0
        for y in range(oy + rows[0] * ch, oy + rows[1] * ch):
            for x in range(ox + columns[0] * cw, ox + columns[1] * cw):
                if close(screen.at(x, y), colour, tolerance):
                    n += 1
        return n

    def check_colours(self, screen):
        marker = screen.find_marker()
        ox, oy, cw, ch = marker
        print('marker at %d,%d, cell %dx%d pixels' % marker, flush=True)
        for i in range(8):
            got = self.cell(screen, marker, 3, 4 * i + 1)
            want = rgb(NORMAL[SGR_INDEX[i]])
            self.expect(close(got, want), 'normal palette ESC[4%dm: %s, want %s' % (i, got, want))
            got = self.cell(screen, marker, 4, 4 * i + 1)
            want = rgb(BRIGHT[SGR_INDEX[i]])
            self.expect(close(got, want), 'bright palette ESC[1;4%dm: %s, want %s' % (i, got, want))
        samples = [(7, i, i) for i in (0, 1, 4, 9, 12, 15)]
        samples += [(8 + r, c, 16 + 36 * r + c) for r, c in ((0, 0), (1, 7), (3, 20), (5, 35), (2, 29))]
        samples += [(14, k, 232 + k) for k in (0, 11, 23)]
        for row, slot, index in samples:
            got = self.cell(screen, marker, row, 2 * slot)
            want = palette256(index)
            self.expect(close(got, want), '256 colours ESC[48;5;%dm: %s, want %s' % (index, got, want))
        # Text: the title line has light pixels on black after the marker.
        light = self.count_near(screen, marker, (0, 1), (11, 31), (255, 255, 255), 60)
        self.expect(light > 40, 'title text drawn (%d light pixels)' % light)
        self.expect(close(self.cell(screen, marker, 0, 40), (0, 0, 0)), 'black beside the text')
        # Reverse video: "reverse" on row 18 has the text colour as background.
        got = self.cell(screen, marker, 17, 22, dx=0, dy=0)
        self.expect(close(got, rgb(0xC0C0C0)), 'reverse cell background %s' % (got,))
        # The standard streams: cyan and dark red text on rows 22-24.
        cyan = self.count_near(screen, marker, (21, 24), (0, 30), rgb(NORMAL[3]))
        red = self.count_near(screen, marker, (21, 24), (0, 30), rgb(NORMAL[4]))
        self.expect(cyan > 20, 'standard output line shown (%d cyan pixels)' % cyan)
        self.expect(red > 20, 'standard error line shown (%d red pixels)' % red)
        return marker

    def focus(self, window, marker):
        ox, oy, cw, ch = marker
        self.run('xdotool', 'mousemove', str(ox + 60 * cw), str(oy + 32 * ch))
        self.run('xdotool', 'windowfocus', '--sync', window)
        time.sleep(0.3)

    def type_keys(self, keys, want):
        before = len(self.keys_logged() or [])
        for key in keys:
            self.run('xdotool', 'key', '--delay', '80', key)
            time.sleep(0.15)
        limit = time.monotonic() + 5
        got = []
        while time.monotonic() < limit:
            got = (self.keys_logged() or [])[before:]
            if len(got) >= len(want):
                break
            time.sleep(0.1)
        self.expect(got == want, 'keys %s gave %s, want %s' % (' '.join(keys), ' '.join(got), ' '.join(want)))

    def check_copy(self, window, marker):
        """A block selected with the left button, copied with Ctrl+C and with
        the right button: one byte per cell, CR LF after every line."""
        if not shutil.which('xclip'):
            self.expect(False, 'xclip is not installed: the copy cannot be checked')
            return
        ox, oy, cw, ch = marker

        def at(row, column):
            return str(ox + column * cw + cw // 2), str(oy + row * ch + ch // 2)

        def select(top, left, bottom, right):
            self.run('xdotool', 'mousemove', *at(top, left))
            self.run('xdotool', 'mousedown', '1')
            time.sleep(0.2)
            self.run('xdotool', 'mousemove', *at(bottom, right))
            time.sleep(0.2)
            self.run('xdotool', 'mouseup', '1')
            time.sleep(0.3)

        def clipboard():
            # As bytes: the line ends must come through as they are.
            try:
                result = subprocess.run(['xclip', '-o', '-selection', 'clipboard'], env=self.env,
                                        capture_output=True, timeout=5)
            except subprocess.TimeoutExpired:
                return None
            if result.returncode != 0:
                return None
            # Wine hands CF_TEXT to X applications with its CR LF turned
            # into LF: compare what the program put there.
            return result.stdout.replace(b'\n', b'\r\n') if self.args.wine else result.stdout

        # The title after the marker, with Ctrl+C.
        select(0, 11, 0, 30)
        self.run('xdotool', 'key', 'ctrl+c')
        time.sleep(0.5)
        got = clipboard()
        want = b'Tavrel terminal demo\r\n'
        self.expect(got == want, 'Ctrl+C copies the title: %r, want %r' % (got, want))
        # A block of two lines (the standard streams), with the right button.
        select(22, 0, 23, 5)
        self.screenshot('selection')
        self.run('xdotool', 'click', '3')
        time.sleep(0.5)
        got = clipboard()
        want = b'stdout\r\nstderr\r\n'
        self.expect(got == want, 'the right button copies a block: %r, want %r' % (got, want))
        # A click without a drag ends the selection; the mouse goes back.
        self.run('xdotool', 'click', '1')
        self.focus(window, marker)

    def check_pause(self, marker):
        self.run('xdotool', 'key', 'ctrl+s')
        time.sleep(0.6)
        paused = self.screenshot('paused')
        got = self.cell(paused, marker, 30, 50)
        self.expect(close(got, (255, 255, 255)), 'paused: empty area inverted to white (%s)' % (got,))
        got = self.cell(paused, marker, 0, 2)
        self.expect(close(got, (255, 255, 255)), 'paused: marker cell shows its foreground (%s)' % (got,))
        self.run('xdotool', 'key', 'ctrl+s')
        time.sleep(0.6)
        resumed = self.screenshot('resumed')
        got = self.cell(resumed, marker, 30, 50)
        self.expect(close(got, (0, 0, 0)), 'resumed: empty area black again (%s)' % (got,))

    def row_pixels(self, screen, marker, row, columns=90):
        ox, oy, cw, ch = marker
        band = b''
        for y in range(oy + row * ch, oy + (row + 1) * ch):
            start = 3 * (y * screen.width + ox)
            band += screen.pixels[start:start + 3 * columns * cw]
        return band

    def check_wheel(self, marker):
        """60 more lines fill the view; one wheel notch up moves it 2 lines."""
        self.type_keys(['n'], ['6E'])
        time.sleep(0.6)
        before = self.screenshot('lines')
        self.run('xdotool', 'click', '4')
        time.sleep(0.6)
        after = self.screenshot('wheel')
        rows = range(0, 36)
        moved = sum(self.row_pixels(after, marker, k + 2) == self.row_pixels(before, marker, k) for k in rows)
        still = sum(self.row_pixels(after, marker, k) == self.row_pixels(before, marker, k) for k in rows)
        self.expect(moved >= len(rows) - 2 and still < len(rows) - 2,
                    'wheel notch up: %d of %d rows moved down by two (%d unchanged)' % (moved, len(rows), still))

    def check_break(self):
        self.run('xdotool', 'key', 'ctrl+Break')
        try:
            status = self.program.wait(timeout=min(30, self.remaining()))
        except subprocess.TimeoutExpired:
            self.expect(False, 'Ctrl+Break ended the program')
            return
        self.expect(status == 1, 'Ctrl+Break: exit status %d, want 1' % status)

    def main(self):
        try:
            self.start_display()
            self.start_program()
            self.wait_ready()
            window = self.window_id()
            name = self.run('xdotool', 'getwindowname', window).stdout.strip()
            self.expect(name == 'termdemo', 'window title "%s"' % name)
            screen = self.screenshot('shot')
            marker = self.check_colours(screen)
            self.focus(window, marker)
            self.type_keys(['Delete'], ['1B', '5B', '33', '7E'])
            self.type_keys(['Escape'], ['1B', '5B', '39', '39', '7E', '1B'])
            self.type_keys(['Up'], ['1B', '5B', '41'])
            self.type_keys(['a', 'Return', 'ctrl+h', 'F1', 'F12', 'shift+Up', 'ctrl+s', 'ctrl+s', 'ctrl+c'],
                           ['61', '0D', '08', '1B', '5B', '31', '31', '7E', '1B', '5B', '32', '34', '7E'])
            self.screenshot('keys')
            self.check_copy(window, marker)
            self.check_pause(marker)
            self.check_wheel(marker)
            self.check_break()
        except (Failure, subprocess.TimeoutExpired, OSError) as e:
            self.errors.append(str(e))
            print('FAIL  ' + str(e), flush=True)
        finally:
            self.stop()
        print('screenshots in ' + self.work)
        print('window check: %d passed, %d failed' % (self.passed, len(self.errors)))
        return 1 if self.errors else 0

    def stop(self):
        for process in (self.program, self.xvfb):
            if process and process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--program', required=True)
    parser.add_argument('--wine', action='store_true')
    parser.add_argument('--display', type=int, default=92)
    parser.add_argument('--work', default='window_check')
    parser.add_argument('--timeout', type=float, default=240, help='the whole check, seconds')
    parser.add_argument('--start-timeout', type=float, default=90, help='until the program is ready')
    args = parser.parse_args()
    args.program = os.path.abspath(args.program)
    return Check(args).main()


if __name__ == '__main__':
    sys.exit(main())
