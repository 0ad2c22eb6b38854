#!/usr/bin/env python3
"""One undo step in GIMP's own window puts the layer back as it was, and
the effect's dialog, opened from GIMP, applies what it shows.

    xvfb-run -a gimp-window-test.py BUILD DAPPLE COMPARE_PNG_PIXELS WORK

GIMP 2.10's procedures cannot undo, so this runs GIMP with its window (on
the display xvfb-run gives) in a private profile with the plug-in
installed, drives it through the Script-Fu server, applies Edges to a
photograph with a soft selection, and presses Ctrl+Z once through the X
test extension, as a user does. The layer must come back pixel for pixel
and the selection as it was. Then it runs Edges as the menu does, twice:
the dialog opens on the last values; a click on Cancel leaves the layer as
it is, a click on OK gives the same pixels as the run before.
"""
import ctypes
import json
import os
import re
import socket
import struct
import subprocess
import sys
import time

from gimp_script import chosen_values, prepare_gimp, run, scheme_arguments

# How long GIMP may take to start, to show the undone layer, and to open
# the effect's dialog.
START_SECONDS = 90
UNDO_SECONDS = 30
DIALOG_SECONDS = 60


class ScriptFuServer:
    """Script-Fu's server protocol: 'G', a 16-bit length and the command;
    the answer 'G', an error flag, a 16-bit length and the text."""

    def __init__(self, port):
        deadline = time.monotonic() + START_SECONDS
        while True:
            try:
                self.sock = socket.create_connection(('127.0.0.1', port))
                return
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)

    def _read(self, count):
        data = b''
        while len(data) < count:
            more = self.sock.recv(count - len(data))
            if not more:
                raise ConnectionError('GIMP closed the Script-Fu server')
            data += more
        return data

    def send(self, command):
        data = command.encode()
        self.sock.sendall(b'G' + struct.pack('>H', len(data)) + data)

    def call(self, command):
        self.send(command)
        return self.receive()

    def receive(self):
        head = self._read(4)
        text = self._read(struct.unpack('>H', head[2:4])[0]).decode()
        if head[1] != 0:
            raise RuntimeError(text)
        return text


class FakeInput:
    """The X test extension on the display xvfb-run gives: the pointer
    moved to (x, y), then keys or a click, as a user makes them. Without
    a window manager the window under the pointer has the keyboard."""

    def __init__(self, x, y):
        self.x11 = ctypes.cdll.LoadLibrary('libX11.so.6')
        self.xtst = ctypes.cdll.LoadLibrary('libXtst.so.6')
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        for name in ('XTestFakeKeyEvent', 'XTestFakeButtonEvent'):
            getattr(self.xtst, name).argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError('no X display (run under xvfb-run)')
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.x11.XFlush(self.display)
        self.x11.XCloseDisplay(self.display)

    def keys(self, keysyms):
        """Pressed together, let go in reverse order."""
        codes = [self.x11.XKeysymToKeycode(self.display, key) for key in keysyms]
        for code in codes:
            self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        for code in reversed(codes):
            self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)

    def click(self):
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 50)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 50)


def press_undo():
    """Ctrl+Z over the middle of GIMP's window."""
    with FakeInput(640, 512) as user:
        user.keys([0xffe3, ord('z')])


def window_area(title):
    """(x, y, width, height) of the shown window whose title holds `title`,
    or None."""
    tree = run(['xwininfo', '-root', '-tree']).stdout
    for line in tree.splitlines():
        shown = re.search(r'"([^"]*)".*\s(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)\s*$', line)
        if shown and title in shown.group(1):
            width, height, x, y = (int(v) for v in shown.group(2, 3, 4, 5))
            if width > 100 and height > 100:
                return x, y, width, height
    return None


SESSION = '''(session-info "toplevel"
    (factory-entry "gimp-single-image-window")
    (position 0 0)
    (size 1280 1024))
(single-window-mode yes)
'''


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


# The selection's coverage along the image's diagonal, as one text.
SELECTION_LINE = '''(define (selection-line)
  (let loop ((i 0) (text ""))
    (if (= i 100) text
        (loop (+ i 1) (string-append text " " (number->string (car (gimp-selection-value image (+ 20 i) i))))))))'''


def press_in_dialog(server, call, from_right):
    """Sends `call`, which opens an effect's dialog, and clicks the button
    `from_right` pixels left of the dialog's right edge in its row of
    buttons. GIMP's answer: None on success, else its error."""
    server.send(call)
    deadline = time.monotonic() + DIALOG_SECONDS
    while window_area('Mornebrook Dapple!') is None and time.monotonic() < deadline:
        time.sleep(0.3)
    area = window_area('Mornebrook Dapple!')
    if area is None:
        return 'the dialog did not open'
    time.sleep(1.0)  # the preview's first render; the buttons do not wait for it
    x, y, width, height = area
    with FakeInput(x + width - from_right, y + height - 25) as user:
        user.click()
    server.sock.settimeout(DIALOG_SECONDS)
    try:
        server.receive()
    except RuntimeError as error:
        return str(error)
    finally:
        server.sock.settimeout(None)
    deadline = time.monotonic() + DIALOG_SECONDS
    while window_area('Mornebrook Dapple!') is not None and time.monotonic() < deadline:
        time.sleep(0.2)
    return None


def main():
    build, dapple, compare, work = (os.path.abspath(a) for a in sys.argv[1:5])
    # One window over the whole screen (there is no window manager to place
    # it), so that the canvas is under the pointer.
    env, photo = prepare_gimp(build, work, sessionrc=SESSION)
    parameters = json.loads(run([dapple, 'params', 'Edge', '--json'], env=env, check=True).stdout)['parameters']
    edge = scheme_arguments(parameters, chosen_values(parameters))

    port = free_port()
    log = open(os.path.join(work, 'gimp.log'), 'w')
    gimp = subprocess.Popen(['gimp', '-n', '-d', '-f', '-s', '-b',
                             f'(plug-in-script-fu-server RUN-NONINTERACTIVE "127.0.0.1" {port} "")'],
                            cwd=work, env=env, stdout=log, stderr=subprocess.STDOUT)
    failures = []
    try:
        server = ScriptFuServer(port)
        save = '(file-png-save2 RUN-NONINTERACTIVE image layer "{0}" "{0}" 0 9 0 0 0 0 0 0 1)'
        server.call(f'''(begin
          (define image (car (gimp-file-load RUN-NONINTERACTIVE "{photo}" "{photo}")))
          (gimp-image-scale image 150 100)
          (define layer (car (gimp-image-get-active-drawable image)))
          (gimp-context-set-feather TRUE)
          (gimp-context-set-feather-radius 12 12)
          (gimp-image-select-ellipse image CHANNEL-OP-REPLACE 20 10 90 70)
          (gimp-display-new image)
          (gimp-displays-flush))''')
        server.call(save.format(os.path.join(work, 'before.png')))
        server.call(SELECTION_LINE)
        selection_before = server.call('(selection-line)')
        server.call(f'(plug-in-dapple-edge RUN-NONINTERACTIVE image layer {edge})')
        server.call('(gimp-displays-flush)')
        server.call(save.format(os.path.join(work, 'after.png')))
        if run(['perl', compare, 'before.png', 'after.png'], cwd=work).returncode == 0:
            failures.append('Edges changed nothing')
        press_undo()
        deadline = time.monotonic() + UNDO_SECONDS
        while True:
            server.call(save.format(os.path.join(work, 'undone.png')))
            compared = run(['perl', compare, 'before.png', 'undone.png'], cwd=work)
            if compared.returncode == 0:
                break
            if time.monotonic() > deadline:
                failures.append('one undo did not bring the layer back: ' + compared.stdout.strip())
                break
            time.sleep(0.3)
        if server.call('(selection-line)') != selection_before:
            failures.append('the selection after the undo is not the one before the effect')
        # As from the menu: the dialog starts from the last values (the run
        # above). Cancel leaves the layer as it is; OK gives the last run's
        # pixels.
        server.call(save.format(os.path.join(work, 'undone.png')))
        for button, from_right, wanted in (('Cancel', 130, 'undone.png'), ('OK', 45, 'after.png')):
            problem = press_in_dialog(server, f'(plug-in-dapple-edge RUN-INTERACTIVE image layer {edge})', from_right)
            if problem and button == 'OK':
                failures.append(problem)
                continue
            server.call('(gimp-displays-flush)')
            server.call(save.format(os.path.join(work, 'dialog.png')))
            compared = run(['perl', compare, wanted, 'dialog.png'], cwd=work)
            if compared.returncode != 0:
                failures.append(f'{button} in the Edges dialog did not leave {wanted}: ' + compared.stdout.strip())
        server.send('(gimp-quit 1)')  # GIMP ends before it answers
    except (OSError, RuntimeError, ConnectionError) as error:
        failures.append(str(error))
    finally:
        try:
            gimp.wait(timeout=20)
        except subprocess.TimeoutExpired:
            gimp.kill()
            gimp.wait()
        log.close()
    if failures:
        with open(os.path.join(work, 'gimp.log')) as text:
            print(text.read())
        for failure in failures:
            print('FAIL:', failure)
        return 1
    print('one undo in GIMP brings back the layer and the selection as they were before Edges, '
          'and OK in the Edges dialog gives the same pixels again')
    return 0


if __name__ == '__main__':
    sys.exit(main())
