#!/usr/bin/env python3
"""tkv9d serve as a bench drives it: PyVISA (pyvisa-py) over TCP against tkv9d-sim.

    serve_visa_test.py --tool TKV9D --sim TKV9D_SIM [unittest arguments]

Every check of the line reads the simulator's frame log; a refusal must leave it unchanged.
Exits 77 (skipped) when PyVISA is not installed.
"""

import argparse
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest

try:
    import pyvisa
except ImportError:
    print("skipped: python3-pyvisa and python3-pyvisa-py are not installed")
    sys.exit(77)

BOUND = 10  # [s] for a program to say it is ready or to end
PROGRAMS = {}
IDN = None  # *IDN?'s answer: the simulator's serial number, SIM, and the tool's version


class Program:
    """A program whose stdout and stderr are collected line by line."""

    def __init__(self, args, env):
        self.process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        env=env, text=True)
        self.lines = []
        self.changed = threading.Condition()
        threading.Thread(target=self._collect, daemon=True).start()

    def _collect(self):
        for line in self.process.stdout:
            with self.changed:
                self.lines.append(line)
                self.changed.notify_all()

    def wait_for(self, pattern):
        with self.changed:
            found = []
            self.changed.wait_for(
                lambda: found.extend(m for m in map(re.compile(pattern).search, self.lines) if m)
                or found, BOUND)
            assert found, f"no line {pattern!r} in {self.lines}"
            return found[0]

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        return self.process.wait(BOUND)


class Bench(unittest.TestCase):
    """A simulator with devices at 1..8 as COM 6 and a server on a free port."""

    server_options = []
    sim_options = []

    def setUp(self):
        self.home = tempfile.TemporaryDirectory()
        self.env = dict(os.environ, XDG_CONFIG_HOME=self.home.name)
        self.log = os.path.join(self.home.name, "frames.log")
        self.sim = self.simulate(self.sim_options)
        self.server = self.serve(self.server_options)
        self.rm = pyvisa.ResourceManager("@py")

    def simulate(self, options, devices="12345678"):
        addresses = [word for a in devices for word in ("--address", a)]
        sim = Program([PROGRAMS["sim"], "--com", "6", "--log", self.log] + addresses + options,
                      self.env)
        sim.wait_for("port COM6")
        return sim

    def tearDown(self):
        self.rm.close()
        for program in (self.server, self.sim):
            if program.process.poll() is None:
                program.stop()
        self.home.cleanup()

    def serve(self, options):
        server = Program([PROGRAMS["tool"], "--port", "6", "--timeout", "0.3", "serve",
                          "--listen", "127.0.0.1:0"] + options, self.env)
        self.port = int(server.wait_for(r"listening on 127\.0\.0\.1:(\d+)").group(1))
        return server

    def open(self):
        return self.rm.open_resource(f"TCPIP0::127.0.0.1::{self.port}::SOCKET",
                                     read_termination="\n", write_termination="\n", timeout=2000)

    def frames(self):
        with open(self.log, encoding="latin-1") as log:
            return [line[2:].rstrip("\n") for line in log if line.startswith("> ")]

    def closed_at_once(self, sent):
        """Connects, sends `sent`; what the server said before it closed the connection."""
        with socket.create_connection(("127.0.0.1", self.port)) as raw:
            raw.sendall(sent)
            raw.settimeout(BOUND)
            said = b""
            try:
                while chunk := raw.recv(100):
                    said += chunk
            except ConnectionResetError:  # closed with our bytes unread
                pass
            return said

    def run_rows(self, visa, rows):
        """Each row: a line, its answer (None: a command, then *OPC?), the frames it sends."""
        for command, answer, frames in rows:
            before = len(self.frames())
            if answer is None:
                visa.write(command)
                self.assertEqual(visa.query("*OPC?"), "1")
            else:
                self.assertEqual(visa.query(command), answer, command)
            self.assertEqual(self.frames()[before:], frames, command)

    def error(self, visa):
        return visa.query("SYST:ERR?")


class Protocol(Bench):
    # Faults caught: a command that sends the wrong frame or none through a real VISA client,
    # answers without their LF, a query in one line answered in two.
    def test_commands_through_visa(self):
        visa = self.open()
        rows = [
            ("*IDN?", IDN, ["#1IDR<CR>"]),
            ("PAR \"zeit2\",12.5", None, ["#1T2W12.5<CR>"]),
            ("PAR? \"zeit2\";SOUR:CURR:LEV?", "12.5;0", ["#1T2R<CR>", "#1C1R<CR>"]),
            ("SOUR:CURR 0.25;:MEAS:VOLT?;:STAT:DEV?", "0;0", ["#1C1W0.250<CR>", "#1V0R<CR>",
                                                           "#1S1R<CR>"]),
            ("*CLS;*ESE 60;*ESE?;*OPC;*ESR?;*STB?;*WAI;*TST?", "60;1;0;0", []),
            ("OUTP ON", None, ["#1DF1<CR>"]),
            ("OUTP?", "1", ["#1S1R<CR>"]),
            ("*RST;OUTP:STAT?", "0", ["#1DF2<CR>", "#1S1R<CR>"]),
            ("*SAV 2;*RCL 2", None, ["#1PNP2<CR>", "#1PNS2<CR>"]),
        ]
        self.run_rows(visa, rows)
        self.assertEqual(self.error(visa), '0,"No error"')
        names = visa.query("PAR:CAT?").split(",")
        self.assertEqual((len(names), names[7]), (60, '"strom1"'))

    # Faults caught: a driver's start-up line refused; a limit that ignores the measuring range;
    # a suffix scaled wrongly or taken for another unit; a mask or boolean not rounded; a
    # status bit that does not reach *STB?; a value the wire cannot carry rounded and sent.
    def test_what_generic_drivers_send(self):
        visa = self.open()
        rows = [
            ("*RST;*CLS;*SRE 0;STAT:PRES;*OPT?", "0", ["#1DF2<CR>"]),
            ("CURR? MAX;CURR? MIN", "4.095;0", ["#1M1R<CR>"]),
            ('PAR "messbereich",1;CURR MAX;CURR?', "0.409", ["#1M1W1<CR>", "#1M1R<CR>",
                                                             "#1C1W0.409<CR>", "#1C1R<CR>"]),
            ("CURR 250 mA;SOUR:CURR 0.25A", None, ["#1C1W0.250<CR>"] * 2),
            ('PAR "zeit1",1.5 s;PAR "zeit2",1500 ms;PAR "zeit3",DEF', None,
             ["#1T1W1500.0<CR>", "#1T2W1500.0<CR>", "#1T3W0.0<CR>"]),
            ("*ESE 1.5;*ESE?;*SRE 255;*SRE?", "2;191", []),
            ("*ESE MAX;*ESE?;*ESE DEF;*ESE?;*SAV MAX", "255;0", ["#1PNP16<CR>"]),
            ("STAT:OPER:ENAB 8;OUTP 1.0;STAT:OPER:COND?;*STB?", "8;192",
             ["#1DF1<CR>", "#1S1R<CR>"]),
            ("STAT:OPER?;STAT:OPER?;STAT:QUES?;STAT:PRES;STAT:OPER:ENAB?", "8;0;0;0",
             ["#1S1R<CR>"] * 3),
        ]
        self.run_rows(visa, rows)
        refused = [
            ("CURR 250 mV", '-131,"Invalid suffix"'),
            ('PAR "zyklen",3 s', '-138,"Suffix not allowed"'),
            ("CURR 1.5 mA", '-224,"Illegal parameter value"'),
            ("*ESE 255.5", '-222,"Data out of range"'),
        ]
        for command, error in refused:
            before = len(self.frames())
            visa.write(command)
            self.assertEqual(visa.query("SYST:ERR:COUN?;SYST:ERR:ALL?"), f"1;{error}", command)
            self.assertEqual(self.frames()[before:], [], command)

    # Faults caught: a refusal that reaches the line; an over-long line carried out in part or
    # taken as a new command after its cut; a half line carried out when its client leaves.
    def test_refusals_send_nothing(self):
        visa = self.open()
        rows = [
            ("SOUR:CURR 4.1", '-222,"Data out of range;Fehler #500070: '),
            ("OUTP 2", '-224,"Illegal parameter value"'),
            ("PAR \"status\",1", '-224,"Illegal parameter value;Fehler #401097: '),
            ("*SAV", '-109,"Missing parameter"'),
            ("*RST 1", '-108,"Parameter not allowed"'),
            ("PAR\"strom1\",1", '-102,"Syntax error"'),
            ("SOUR:CURR 1,5", '-108,"Parameter not allowed"'),
            ("SOUR:CURR abc", '-104,"Data type error"'),
            (";".join(["*CLS"] * 1000) + ";OUTP ON", '-363,"Input buffer overrun"'),
        ]
        for command, error in rows:
            before = len(self.frames())
            visa.write(command)
            self.assertTrue(self.error(visa).startswith(error), command[:40])
            self.assertEqual(self.frames()[before:], [], command[:40])
        with socket.create_connection(("127.0.0.1", self.port)) as raw:
            raw.sendall(b"OUTP ON")
        self.server.wait_for("disconnected")
        self.assertEqual(visa.query("*IDN?").split(",")[1], "TKV-9D")
        self.assertNotIn("#1DF1<CR>", self.frames())

    # Faults caught: a silent device answered with made-up data; the program's own line lost;
    # a vanished port reported as any hardware error; the server not ending with 0 on SIGTERM.
    def test_device_faults_and_the_end(self):
        visa = self.open()
        visa.write("SYST:ADDR 9")
        self.assertRaises(pyvisa.errors.VisaIOError, visa.query, "MEAS:CURR?")
        self.assertEqual(self.error(visa),
                         '-240,"Hardware error;Fehler #403165: Keine Antwort vom Geraet"')
        visa.write("SYST:ADDR 1")
        for _ in range(20):
            visa.write("NO:SUCH")
        errors = [self.error(visa) for _ in range(17)]
        self.assertEqual(errors[14:], ['-113,"Undefined header"', '-350,"Queue overflow"',
                                       '0,"No error"'])
        self.sim.stop()
        self.assertRaises(pyvisa.errors.VisaIOError, visa.query, "MEAS:CURR?")
        self.assertTrue(self.error(visa).startswith('-241,"Hardware missing;Fehler #'))
        self.assertEqual(self.server.stop(), 0)


class Replugged(Bench):
    # Faults caught: a port that went away never reopened (every query -241 until a restart);
    # a reopened port that leads to another device driven; a command sent while it is away.
    def test_port_is_reopened_when_the_device_is_back(self):
        visa = self.open()
        self.assertEqual(visa.query("MEAS:CURR?"), "0")
        self.sim.stop()
        self.assertRaises(pyvisa.errors.VisaIOError, visa.query, "MEAS:CURR?")
        self.server.wait_for(r"COM 6 is gone")
        visa.write("*CLS;OUTP ON")
        self.assertTrue(self.error(visa).startswith('-241,"Hardware missing;COM 6: '))
        self.sim = self.simulate(["--dlq3", "1"], devices="2")
        self.server.wait_for(r"COM 6 is back, but leads to another device")
        self.sim.stop()
        self.sim = self.simulate([])
        self.server.wait_for(r"COM 6 is back: VRL-TKV9D-SIM")
        self.assertEqual(visa.query("MEAS:CURR?"), "0")
        self.assertEqual(self.open().query("*IDN?"), IDN)
        self.assertNotIn("#1DF1<CR>", self.frames())


class ReadOnly(Bench):
    server_options = ["--read-only"]

    # Fault caught: read-only mode that lets a change reach the device or refuses a query.
    def test_changes_are_protected(self):
        visa = self.open()
        for command in ("OUTP ON", "*RST", "PAR \"strom1\",1", "*RCL 1"):
            visa.write(command)
            self.assertEqual(self.error(visa), '-203,"Command protected"', command)
        self.assertEqual(visa.query("OUTP?;MEAS:CURR?"), "0;0")
        self.assertEqual(self.frames(), ["#1S1R<CR>", "#1C0R<CR>"])


class Allowed(Bench):
    server_options = ["--allow", "10.0.0.0/8", "--allow", "127.0.0.1"]

    # Fault caught: --allow that takes only its last value, or serves every client.
    def test_only_allowed_clients(self):
        self.assertEqual(self.open().query("SYST:VERS?"), "1999.0")
        self.server.stop()
        self.server = self.serve(["--allow", "10.0.0.0/8"])
        self.assertEqual(self.closed_at_once(b"OUTP ON\n"), b"")
        self.server.wait_for(r"refused 127\.0\.0\.1:\d+: not in --allow")
        self.assertEqual(self.frames(), [])


class SlowDevice(Bench):
    sim_options = ["--fault", "slow:command=IDR,byte-ms=20,count=1"]
    server_options = ["--trace"]

    # Fault caught: a transaction cut off when its client leaves, its answer then left on the
    # line or the device left half-asked.
    def test_a_client_that_leaves_does_not_cut_its_transaction(self):
        with socket.create_connection(("127.0.0.1", self.port)) as raw:
            raw.sendall(b"*IDN?\n")
        self.server.wait_for(r"#1IDR.*\| Antwort #1VRL-TKV9D-SIM.* \| 0$")
        lines = self.server.lines
        left = next(i for i, line in enumerate(lines) if "disconnected" in line)
        self.assertLess(left, next(i for i, line in enumerate(lines) if "#1IDR" in line), lines)
        self.assertEqual(self.open().query("*IDN?;MEAS:CURR?"), IDN + ";0")


class Lines(Bench):
    server_options = ["--idle-timeout", "2"]

    def exchange(self, sent, lines):
        with socket.create_connection(("127.0.0.1", self.port)) as raw:
            raw.sendall(sent)
            with raw.makefile("rb") as answers:
                return [answers.readline() for _ in range(lines)]

    # Faults caught: a NUL that cuts a text instead of refusing it; a line counted with its CR;
    # a line over the limit carried out.
    def test_line_rules(self):
        rows = [
            (b'PAR "programmname","a\x00b"\nSYST:ERR?\n',
             b'-224,"Illegal parameter value;Fehler #510229: '),
            (b"*OPC?" + b" " * 4091 + b"\r\n", b"1\n"),
            (b"*OPC?" + b" " * 4092 + b"\n*OPC?;SYST:ERR?\n", b'1;-363,"Input buffer overrun"'),
        ]
        for sent, answer in rows:
            before = len(self.frames())
            self.assertTrue(self.exchange(sent, 1)[0].startswith(answer), sent[:30])
            self.assertEqual(self.frames()[before:], [], sent[:30])

    # Fault caught: a silent client that keeps its slot for good.
    def test_idle_client_is_closed(self):
        self.assertEqual(self.closed_at_once(b""), b"")
        self.server.wait_for(r"idle 127\.0\.0\.1:\d+: nothing for 2 s")

    # Faults caught: --allow ::ffff:127.0.0.1 refusing that client; no warning for a server open
    # to every host; serve --help printing the tool's help.
    def test_options(self):
        self.server.stop()
        self.server = self.serve(["--allow", "::ffff:127.0.0.1"])
        self.assertEqual(self.open().query("*OPC?"), "1")
        self.server.stop()
        self.server = Program([PROGRAMS["tool"], "--port", "6", "serve", "--listen", "0.0.0.0:0"],
                              self.env)
        self.server.wait_for(r"warning: every host that reaches 0\.0\.0\.0:0 may drive")
        help = subprocess.run([PROGRAMS["tool"], "serve", "--help"], capture_output=True,
                              text=True, check=True).stdout
        self.assertTrue(help.startswith("usage: tkv9d [OPTIONS] serve [--listen"), help)


class Paced(Bench):
    sim_options = ["--pace"]

    # Fault caught: one client's long line holding every other client out until it ends.
    def test_clients_take_turns_within_a_long_line(self):
        with socket.create_connection(("127.0.0.1", self.port)) as long:
            long.sendall(b";".join([b"MEAS:CURR?"] * 40) + b"\n")
            deadline = time.monotonic() + BOUND
            while "#1C0R<CR>" not in self.frames() and time.monotonic() < deadline:
                time.sleep(0.01)
            self.assertEqual(self.open().query("*IDN?"), IDN)
            with long.makefile("rb") as answer:
                self.assertEqual(answer.readline(), b";".join([b"0"] * 40) + b"\n")
        frames = self.frames()
        self.assertLess(frames.index("#1IDR<CR>"), len(frames) - 1, frames)
        self.assertEqual(frames.count("#1C0R<CR>"), 40)


class ManyClients(Bench):
    # Faults caught: one client's answer delivered to another; transactions of two clients
    # overlapping on the line (answers from the wrong device); a ninth client served.
    def test_eight_clients_get_their_own_answers(self):
        clients = [self.open() for _ in range(8)]
        failures = []

        def drive(number, visa):
            visa.write(f"SYST:ADDR {number}")
            for step in range(15):
                value = f"{number}{step}.5"
                answer = visa.query(f"PAR \"zeit3\",{value};PAR? \"zeit3\";SYST:ADDR?")
                if answer != f"{float(value):g};{number}":
                    failures.append((number, step, answer))

        threads = [threading.Thread(target=drive, args=(n + 1, c)) for n, c in enumerate(clients)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(BOUND * 3)
        self.assertEqual(failures, [])
        self.assertEqual(self.closed_at_once(b"*IDN?\n"),
                         b"tkv9d serve: refused: already 8 clients (--max-clients)\n")
        self.server.wait_for(r"refused 127\.0\.0\.1:\d+: already 8 clients")

    # Faults caught: a client whose reads were paused by a full queue dropped without freeing
    # its slot; answers lost or out of order when reading goes on.
    def test_pipelined_lines_all_answered_in_order(self):
        clients = [self.open() for _ in range(8)]
        failures = []

        def drive(visa):
            for n in range(1000):
                visa.write(f"*ESE {n % 256};*ESE?")
            answers = [visa.read() for _ in range(1000)]
            if answers != [str(n % 256) for n in range(1000)]:
                failures.append(answers[:5])

        threads = [threading.Thread(target=drive, args=(c,)) for c in clients]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(BOUND * 6)
        self.assertEqual(failures, [])
        for visa in clients:
            visa.close()
        for _ in range(8):
            self.server.wait_for("disconnected")
        self.assertEqual([self.open().query("*OPC?") for _ in range(8)], ["1"] * 8)


def main():
    """Takes the programs' paths, then runs the tests of the calling script."""
    global IDN
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--sim", required=True)
    options, rest = parser.parse_known_args()
    PROGRAMS.update(tool=options.tool, sim=options.sim)
    version = subprocess.run([options.tool, "--version"], capture_output=True, text=True,
                             check=True)
    IDN = "VRL,TKV-9D,SIM," + version.stdout.split()[1]
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
