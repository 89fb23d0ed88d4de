#!/usr/bin/env python3
"""The Windows programs under Wine against the Linux ones, through Wine's COM port mapping.

    wine_test.py --tool TKV9D --sim TKV9D_SIM --windows-tool EXE --windows-sim EXE
                 --wine-folder DIR CASE

CASE is one of:
  unit      the device link's unit tests (GoogleTest programs) pass under Wine.
  prefix    only makes the Wine prefix (the first start of Wine takes a while).
  tool      tkv9d.exe against the Linux tkv9d-sim gives the output, files and frames of the
            Linux tkv9d; a silent address gives -403012 after one time-out.
  wire      the driver's end-to-end tests with the Win32 serial layer against the simulator,
            over two COM ports joined by a null-modem relay.
  texts     a parameter file named with umlauts is read and written under exactly that name,
            what the tool prints is UTF-8 (Windows' own error words too), --json is JSON.
  simulator tkv9d-sim.exe under Wine, on a COM port, serves the Linux tkv9d as the Linux
            tkv9d-sim does.
  serve     tkv9d.exe serve (Winsock) on the Linux tkv9d-sim answers SCPI over TCP from the
            Linux side: the frames of the Linux tkv9d serve, a refused value sends nothing.

Wine reaches a pseudo-terminal as COM5 and COM6 through the registry (HKLM\\Software\\Wine\\Ports)
and stable links in the Wine folder, so that a case points a port at its own line without
restarting Wine. The prefix is made once and kept in the build folder.
"""

import argparse
import fcntl
import json
import os
import pty
import re
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import termios
import threading
import time
import tty

WINE_BOUND = 120  # [s] for one Wine program run; the first start of a prefix is the slow one
WINEBOOT_BOUND = 600  # [s] to make a new prefix

TOOL_ROWS = [
    # (arguments; "FILE" stands for a parameter file in the case's folder)
    ["id"],
    ["--timeout", "0.3", "scan"],
    ["get", "strom1"],
    ["set", "strom1", "1.5"],
    ["get", "strom1"],
    ["programs-read", "FILE"],
    ["set", "strom2", "0.25"],
    ["programs-write", "FILE"],
    ["get", "strom2"],
    ["--address", "7", "--timeout", "0.3", "id"],
]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Wine:
    def __init__(self, folder):
        self.folder = folder
        self.prefix = os.path.join(folder, "prefix")
        self.loader = shutil.which("wine64", path="/usr/lib/wine:" + os.environ.get("PATH", ""))
        self.server = shutil.which("wineserver", path="/usr/lib/wine:" + os.environ.get("PATH", ""))
        check(self.loader and self.server, "wine64 or wineserver not found")
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.env.pop("DISPLAY", None)
        self.env.pop("WAYLAND_DISPLAY", None)

    def link(self, port):
        return os.path.join(self.folder, "com%d" % port)

    def prepare(self):
        """Makes the prefix and maps COM5 and COM6 to the links, once."""
        os.makedirs(self.folder, exist_ok=True)
        marker = os.path.join(self.folder, "ports-mapped")
        if os.path.exists(marker):
            return
        subprocess.run([self.loader, "wineboot", "--init"], env=self.env, timeout=WINEBOOT_BOUND,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        for port in (5, 6):
            subprocess.run([self.loader, "reg", "add", r"HKLM\Software\Wine\Ports", "/v",
                            "COM%d" % port, "/t", "REG_SZ", "/d", self.link(port), "/f"],
                           env=self.env, timeout=WINE_BOUND, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=True)
        # The ports are read when Wine starts.
        subprocess.run([self.server, "-k"], env=self.env, timeout=WINE_BOUND)
        subprocess.run([self.server, "-w"], env=self.env, timeout=WINE_BOUND)
        open(marker, "w").close()

    def point(self, port, tty_path):
        link = self.link(port)
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(tty_path, link)
        nudge(tty_path)

    def run(self, program, args, env=None):
        """The output goes through files: Wine's helper processes keep a pipe open for seconds
        after the program has ended."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run([self.loader, program] + args, env=dict(self.env, **(env or {})),
                                  timeout=WINE_BOUND, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=err)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(done.args, done.returncode, out.read(), err.read())

    def start(self, program, args, stderr=subprocess.DEVNULL):
        return subprocess.Popen([self.loader, program] + args, env=self.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=stderr)

    def stop_server(self):
        subprocess.run([self.server, "-k"], env=self.env, timeout=WINE_BOUND)


def nudge(tty_path):
    """Wine sets the line with tcsetattr, which a pseudo-terminal refuses (EINVAL) when it ignores
    the parity and data bits and nothing else changes. HUPCL on gives Wine something to change; it
    switches it off again."""
    fd = os.open(tty_path, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
    try:
        attributes = termios.tcgetattr(fd)
        attributes[2] |= termios.HUPCL
        termios.tcsetattr(fd, termios.TCSANOW, attributes)
    finally:
        os.close(fd)


def windows_path(path):
    """Wine's drive Z: is the root folder."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def read_line(process, prefix, bound):
    """The first line of the process's output that starts with prefix, waiting at most bound."""
    deadline = time.monotonic() + bound
    text = b""
    fd = process.stdout.fileno()
    while time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], max(0.0, deadline - time.monotonic()))
        if not ready:
            break
        chunk = os.read(fd, 4096)
        if not chunk:
            break
        text += chunk
        for line in text.decode(errors="replace").splitlines():
            if line.startswith(prefix) and text.endswith(b"\n"):
                return line[len(prefix):].strip()
    raise Failure("no '%s' line within %ss, got %r" % (prefix, bound, text))


class LinuxSim:
    """The Linux tkv9d-sim on a pseudo-terminal of its own."""

    def __init__(self, program, folder, log):
        self.home = tempfile.mkdtemp(dir=folder)
        env = dict(os.environ, XDG_CONFIG_HOME=self.home)
        self.process = subprocess.Popen([program, "--com", "1", "--log", log], env=env,
                                        stdout=subprocess.PIPE)
        self.device = read_line(self.process, "device ", 10)

    def close(self):
        self.process.send_signal(signal.SIGTERM)
        self.process.wait(timeout=10)


class Relay:
    """A null-modem pair of pseudo-terminals: what one side writes, the other side reads."""

    def __init__(self):
        self.masters, self.slaves, self.paths = [], [], []
        for _ in range(2):
            master, slave = pty.openpty()
            tty.setraw(slave)
            self.masters.append(master)
            self.slaves.append(slave)
            self.paths.append(os.ttyname(slave))
        self.stop_read, self.stop_write = os.pipe()
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def serve(self):
        a, b = self.masters
        while True:
            ready, _, _ = select.select([a, b, self.stop_read], [], [])
            if self.stop_read in ready:
                return
            for source, target in ((a, b), (b, a)):
                if source in ready:
                    try:
                        data = os.read(source, 4096)
                    except OSError:
                        continue
                    os.write(target, data)

    def close(self):
        os.write(self.stop_write, b"x")
        self.thread.join(timeout=10)
        for fd in self.masters + self.slaves + [self.stop_read, self.stop_write]:
            os.close(fd)


def file_argument(args, path):
    return [path if a == "FILE" else a for a in args]


def run_rows(run, file_path):
    """Each row's exit status, output and error output."""
    results = []
    for args in TOOL_ROWS:
        started = time.monotonic()
        done = run(file_argument(args, file_path))
        print("%5.2f s  %s" % (time.monotonic() - started, " ".join(args)), flush=True)
        results.append((args, done.returncode, done.stdout.replace(b"\r\n", b"\n"),
                        done.stderr.replace(b"\r\n", b"\n")))
    return results


def compare(expected, actual, what):
    for (args, *want), (_, *got) in zip(expected, actual):
        check(want == got, "%s, %s: Linux gave %r, Windows %r" % (what, " ".join(args), want, got))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def linux_reference(options, folder):
    """The Linux tool against the Linux simulator: output, parameter file and frames."""
    log = os.path.join(folder, "linux.log")
    parameters = os.path.join(folder, "linux.tkv")
    sim = LinuxSim(options.sim, folder, log)
    try:
        results = run_rows(lambda args: subprocess.run(
            [options.tool, "--device", sim.device] + args, capture_output=True,
            timeout=WINE_BOUND), parameters)
    finally:
        sim.close()
    return results, read(parameters), read(log)


def case_tool(options, wine, folder):
    expected, expected_file, expected_frames = linux_reference(options, folder)
    check(expected[0][1] == 0 and expected[-1][1] == 1, "the Linux reference run itself failed")

    log = os.path.join(folder, "windows.log")
    parameters = os.path.join(folder, "windows.tkv")
    sim = LinuxSim(options.sim, folder, log)
    try:
        def run(args):
            wine.point(5, sim.device)
            return wine.run(options.windows_tool, ["--port", "5"] + args)

        actual = run_rows(lambda args: run(args), windows_path(parameters))
        compare(expected, actual, "tkv9d.exe")
        check(read(parameters) == expected_file, "the parameter files differ")
        check(read(log) == expected_frames, "the frames differ:\n%s\n---\n%s" %
              (expected_frames.decode(), read(log).decode()))

        # One time-out, not one per byte or per retry: the trace gives the transaction's own
        # duration, free of the time Wine takes to start.
        silent = run(["--trace", "--address", "7", "--timeout", "1", "id"])
        check(b"Fehler #403012" in silent.stderr, "silent address: %r" % silent.stderr)
        match = re.search(rb"\| ([0-9.]+) ms \| Fehler #403012", silent.stderr)
        check(match, "no trace line: %r" % silent.stderr)
        took = float(match.group(1)) / 1000.0
        check(1.0 <= took < 1.5, "the silent address took %.3f s, not one time-out of 1 s" % took)
    finally:
        sim.close()


def case_simulator(options, wine, folder):
    expected, expected_file, expected_frames = linux_reference(options, folder)

    log = os.path.join(folder, "windows-sim.log")
    parameters = os.path.join(folder, "served.tkv")
    relay = Relay()
    sim = None
    try:
        wine.point(6, relay.paths[1])
        sim = wine.start(options.windows_sim,
                         ["--port", "COM6", "--log", windows_path(log)])
        read_line(sim, "device ", WINE_BOUND)
        actual = run_rows(lambda args: subprocess.run(
            [options.tool, "--device", relay.paths[0]] + args, capture_output=True,
            timeout=WINE_BOUND), parameters)
        compare(expected, actual, "tkv9d-sim.exe")
        check(read(parameters) == expected_file, "the parameter files differ")
        check(read(log).replace(b"\r\n", b"\n") == expected_frames,
              "the frames differ:\n%s\n---\n%s" % (expected_frames.decode(), read(log).decode()))
    finally:
        if sim:
            sim.kill()
            sim.wait(timeout=WINE_BOUND)
        relay.close()


def case_texts(options, wine, folder):
    """German paths and texts: a file named with umlauts is read and written under exactly that
    name; everything the tool prints, Windows' own error words included, is UTF-8; --json is
    JSON."""
    name = "Prüfung Übermaß.tkv"
    target = os.path.join(folder, name)
    log = os.path.join(folder, "texts.log")
    sim = LinuxSim(options.sim, folder, log)
    german = dict(LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
    try:
        def run(args, port=5):
            wine.point(5, sim.device)
            done = wine.run(options.windows_tool, ["--port", str(port)] + args, german)
            for stream in (done.stdout, done.stderr):
                try:
                    stream.decode("utf-8")
                except UnicodeDecodeError as error:
                    raise Failure("%s: not UTF-8 (%s): %r" % (" ".join(args), error, stream))
            return done

        done = run(["programs-read", windows_path(target)])
        check(done.returncode == 0, "programs-read: %r" % done.stderr)
        check(os.path.exists(target), "no file %r; the folder holds %r" % (name, os.listdir(folder)))
        check(read(target) == read_reference_file(options, folder), "the file read differs")
        # The file written back must be the one read: a stale file of another name would send
        # other values.
        run(["set", "strom2", "0.25"])
        done = run(["programs-write", windows_path(target)])
        check(done.returncode == 0, "programs-write: %r" % done.stderr)
        check(b"#1C2W0.000" in read(log), "programs-write did not send the file's values")

        # A port that is not there: the open fails with Windows' own words.
        done = run(["--json", "id"], port=9)
        check(done.returncode != 0, "id on a missing port succeeded")
        for line in done.stderr.decode("utf-8").splitlines():
            if line.startswith("{"):
                json.loads(line)
        print(done.stderr.decode("utf-8"))
    finally:
        sim.close()


def read_reference_file(options, folder):
    """The parameter file the Linux tool reads from a fresh simulator."""
    path = os.path.join(folder, "reference.tkv")
    sim = LinuxSim(options.sim, folder, os.path.join(folder, "reference.log"))
    try:
        subprocess.run([options.tool, "--device", sim.device, "programs-read", path],
                       capture_output=True, timeout=WINE_BOUND, check=True)
    finally:
        sim.close()
    return read(path)


class KeepHangup:
    """Wine configures a COM port anew at every open, and a pseudo-terminal that ignores the
    parity and data bits then changes nothing, which Wine reports as an invalid parameter (see
    nudge). The end-to-end tests open both ports once or twice a test, so HUPCL is switched
    back on as soon as Wine has switched it off. The read-modify-write here can still meet one of
    Wine's own settings now and then; the tests retry such an open (e2e_line.h)."""

    def __init__(self, paths):
        self.fds = [os.open(p, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK) for p in paths]
        self.stopped = threading.Event()
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def serve(self):
        while not self.stopped.wait(0.0005):
            for fd in self.fds:
                try:
                    attributes = termios.tcgetattr(fd)
                    if not attributes[2] & termios.HUPCL:
                        attributes[2] |= termios.HUPCL
                        termios.tcsetattr(fd, termios.TCSANOW, attributes)
                except termios.error:
                    pass

    def close(self):
        self.stopped.set()
        self.thread.join(timeout=10)
        for fd in self.fds:
            os.close(fd)


def case_wire(options, wine, folder):
    """The driver's end-to-end tests with the Win32 serial layer: the simulator on COM6, the
    driver on COM5, the two joined by a null-modem relay."""
    check(options.wire_test, "no end-to-end test program given")
    relay = Relay()
    keeper = None
    try:
        wine.point(5, relay.paths[0])
        wine.point(6, relay.paths[1])
        keeper = KeepHangup(relay.paths)
        # On a loaded machine the relay, a Python thread, can fall so far behind that the
        # simulator's write stalls past its bound and bytes of the longest answers are lost; a
        # fault of the serial layer fails twice, a starved relay hardly ever.
        for attempt in (1, 2):
            done = wine.run(options.wire_test, [],
                            dict(TKV9D_SIM_PORT="COM6", TKV9D_DRIVER_PORT="\\\\.\\COM5",
                                 TKV9D_E2E_TIME_SCALE="10"))
            output = done.stdout.replace(b"\r\n", b"\n")
            print(output.decode(errors="replace"))
            passed = (done.returncode == 0 and b"[  PASSED  ]" in output and
                      b"[  FAILED  ]" not in output)
            if passed:
                break
            print("attempt %d failed" % attempt, flush=True)
        check(passed, "the end-to-end tests failed under Wine, twice")
    finally:
        if keeper:
            keeper.close()
        relay.close()


def case_unit(options, wine, folder):
    check(options.unit_test, "no unit test programs given")
    for program in options.unit_test:
        done = wine.run(program, [])
        output = done.stdout.replace(b"\r\n", b"\n")
        print(output.decode(errors="replace"))
        check(done.returncode == 0 and b"[  PASSED  ]" in output and b"[  FAILED  ]" not in output,
              "%s failed under Wine" % os.path.basename(program))


def case_serve(options, wine, folder):
    """tkv9d.exe serve under Wine on the Linux tkv9d-sim, asked over TCP from the Linux side."""
    log = os.path.join(folder, "serve.log")
    sim = LinuxSim(options.sim, folder, log)
    server = None
    try:
        wine.point(5, sim.device)
        server = wine.start(options.windows_tool,
                            ["--port", "5", "serve", "--listen", "127.0.0.1:0"],
                            stderr=subprocess.STDOUT)
        port = int(read_line(server, "listening on 127.0.0.1:", WINE_BOUND))
        with socket.create_connection(("127.0.0.1", port), timeout=WINE_BOUND) as client:
            client.sendall(b'*IDN?;PAR "strom1",1.5;PAR? "strom1"\nSOUR:CURR 9\nSYST:ERR?\n')
            answers = b""
            while answers.count(b"\n") < 2:
                received = client.recv(4096)
                check(received, "the server closed after %r" % answers)
                answers += received
        check(answers.splitlines() == [
            b"VRL,TKV-9D,0,VRL-TKV9D-SIM;1.5",
            b'-222,"Data out of range;Fehler #500070: Parameter ausserhalb der Grenzwerte"'],
            "answers: %r" % answers)
        frames = [line for line in read(log).splitlines() if line.startswith(b"> ")]
        check(frames == [b"> #1IDR<CR>", b"> #1C1W1.500<CR>", b"> #1C1R<CR>"],
              "frames: %r" % frames)
    finally:
        if server:
            server.kill()
            server.wait(timeout=WINE_BOUND)
        sim.close()


CASES = {"tool": case_tool, "simulator": case_simulator, "unit": case_unit, "wire": case_wire,
         "texts": case_texts, "serve": case_serve}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True, help="the Linux tkv9d")
    parser.add_argument("--sim", required=True, help="the Linux tkv9d-sim")
    parser.add_argument("--windows-tool", required=True, help="tkv9d.exe")
    parser.add_argument("--windows-sim", required=True, help="tkv9d-sim.exe")
    parser.add_argument("--unit-test", action="append", default=[],
                        help="a GoogleTest program to run under Wine (repeatable)")
    parser.add_argument("--wire-test", help="the end-to-end test program to run under Wine")
    parser.add_argument("--wine-folder", required=True, help="where the Wine prefix is kept")
    parser.add_argument("case", choices=sorted(CASES) + ["prefix"])
    options = parser.parse_args()

    wine = Wine(options.wine_folder)
    os.makedirs(options.wine_folder, exist_ok=True)
    # One case at a time uses the prefix and its ports.
    with open(os.path.join(options.wine_folder, "lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        wine.prepare()
        if options.case == "prefix":
            print("PASS prefix")
            return 0
        folder = tempfile.mkdtemp(dir=options.wine_folder, prefix=options.case + "-")
        try:
            CASES[options.case](options, wine, folder)
        except Failure as failure:
            print("FAIL %s: %s" % (options.case, failure))
            return 1
        finally:
            # No Wine process outlives the case.
            wine.stop_server()
        shutil.rmtree(folder, ignore_errors=True)
    print("PASS %s" % options.case)
    return 0


if __name__ == "__main__":
    sys.exit(main())
