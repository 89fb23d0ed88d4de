#!/usr/bin/env python3
"""tkv9d serve --vxi11 as a bench finds and drives it: pyvisa-py through INSTR resources, raw
RPC records, and lxi discover, in a network namespace of the test's own (so that the server may
take port 111 and broadcasts stay in).

    serve_vxi11_test.py --tool TKV9D --sim TKV9D_SIM [unittest arguments]

Exits 77 (skipped) when PyVISA is missing or the machine allows no network namespace.
"""

import os
import shutil
import socket
import struct
import subprocess
import sys
import threading
import time
import unittest

import serve_visa_test as visa_test
from serve_visa_test import Bench

if os.environ.get("TKV9D_NETNS") != "1":
    if subprocess.run(["unshare", "--net", "--map-root-user", "true"],
                      stderr=subprocess.DEVNULL).returncode != 0:
        print("skipped: this machine allows no network namespace (unshare --net)")
        sys.exit(77)
    os.environ["TKV9D_NETNS"] = "1"
    os.execvp("unshare", ["unshare", "--net", "--map-root-user", sys.executable] + sys.argv)
# Inside, the loopback is down until it is brought up; discovery broadcasts on it.
subprocess.run(["ip", "link", "set", "lo", "up"], check=True)

import pyvisa  # noqa: E402  (after the namespace, as serve_visa_test skips without it)

CORE, ABORT = 0x0607AF, 0x0607B0
CREATE_LINK, DEVICE_WRITE, DEVICE_READ, DEVICE_LOCK = 10, 11, 12, 18
END, WAITLOCK = 0x08, 0x01
INSTR = "TCPIP0::127.0.0.1::inst0::INSTR"


def words(*values):
    return struct.pack(f">{len(values)}I", *values)


def call(xid, program, version, procedure, arguments=b""):
    return words(xid, 0, 2, program, version, procedure, 0, 0, 0, 0) + arguments


def opaque(data):
    return words(len(data)) + data + b"\0" * (-len(data) % 4)


class Rpc:
    """RPC over TCP as a client sends it: records, one reply read after each."""

    def __init__(self, port):
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=visa_test.BOUND)

    def ask(self, *fragments):
        """Sends a message as these fragments; the reply's accept status and results."""
        for i, fragment in enumerate(fragments):
            last = 0x80000000 if i == len(fragments) - 1 else 0
            self.socket.sendall(words(last | len(fragment)) + fragment)
        return self.answer()

    def answer(self):
        """The next reply's accept status and results; its transaction id is kept in xid."""
        reply = b""
        while True:
            mark = struct.unpack(">I", self.receive(4))[0]
            reply += self.receive(mark & 0x7FFFFFFF)
            if mark & 0x80000000:
                break
        self.xid, kind, state, _, _, status = struct.unpack(">6I", reply[:24])
        assert (kind, state) == (1, 0), reply
        return status, reply[24:]

    def receive(self, count):
        data = b""
        while len(data) < count:
            data += self.socket.recv(count - len(data)) or self.fail()
        return data

    def fail(self):
        raise AssertionError("the server closed the connection")


def core_port():
    """Where the port mapper (UDP, port 111) says the core channel is."""
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as mapper:
        mapper.settimeout(visa_test.BOUND)
        mapper.sendto(call(7, 100000, 2, 3, words(CORE, 1, 6, 0)), ("127.0.0.1", 111))
        reply = mapper.recv(100)
    return struct.unpack(">I", reply[-4:])[0]


class Instr(Bench):
    server_options = ["--vxi11"]

    def serve(self, options):
        server = super().serve(options)
        server.wait_for("port mapper on")
        return server

    def rpc(self, port):
        rpc = Rpc(port)
        self.addCleanup(rpc.socket.close)
        return rpc

    def open(self):
        return self.rm.open_resource(INSTR, read_termination="\n", write_termination="\n",
                                     timeout=2000)

    def link(self):
        """A link made with raw RPC: its channel, its id and the abort channel's port."""
        rpc = self.rpc(core_port())
        status, results = rpc.ask(call(1, CORE, 1, CREATE_LINK, words(9, 0, 0) + opaque(b"inst0")))
        error, link, abort_port = struct.unpack(">3I", results[:12])
        self.assertEqual((status, error), (0, 0))
        return rpc, link, abort_port

    # Faults caught: a command class that sends the wrong frame or none through INSTR, a message
    # the client split (1 KiB pieces) not joined or run before its END, an over-long message
    # run in part.
    def test_commands_through_instr(self):
        visa = self.open()
        self.run_rows(visa, [
            ("*IDN?", visa_test.IDN, ["#1IDR<CR>"]),
            ('PAR "zeit2",12.5', None, ["#1T2W12.5<CR>"]),
            ('PAR? "zeit2";SOUR:CURR:LEV?', "12.5;0", ["#1T2R<CR>", "#1C1R<CR>"]),
            ("OUTP ON", None, ["#1DF1<CR>"]),
            (";".join(['PAR? "zeit2"'] * 150), ";".join(["12.5"] * 150), ["#1T2R<CR>"] * 150),
            ("*OPC;" * 1000 + "*OPC", None, []),
            ("SYST:ERR?", '-363,"Input buffer overrun"', []),
        ])

    # Faults caught: a serial poll that misses the error queue or an answer waiting, a device
    # clear that leaves the error, the answer or the input behind.
    def test_status_byte_and_device_clear(self):
        visa = self.open()
        visa.write("FOO")
        self.assertEqual(visa.read_stb(), 0x04)
        visa.write("*IDN?")
        self.assertEqual(visa.read_stb(), 0x14)
        visa.clear()
        self.assertEqual(visa.read_stb(), 0)
        self.assertEqual(self.error(visa), '0,"No error"')

    # Faults caught: another link acting while one holds the lock, a lock wait that never ends
    # or does not wait, a lock not freed by unlock.
    def test_lock_makes_another_link_wait_and_time_out(self):
        holder, other = self.open(), self.open()
        holder.lock_excl()
        rpc, link, _ = self.link()
        begin = time.monotonic()
        status, results = rpc.ask(call(2, CORE, 1, DEVICE_LOCK, words(link, WAITLOCK, 300)))
        self.assertEqual((status, results), (0, words(11)))
        self.assertGreater(time.monotonic() - begin, 0.25)
        before = len(self.frames())
        with self.assertRaises(pyvisa.errors.VisaIOError):
            other.write("OUTP ON")
        self.assertEqual(self.frames()[before:], [])
        holder.unlock()
        self.assertEqual(other.query("*OPC?"), "1")

    # Faults caught: an abort that does not end a pending read, or ends another link's.
    def test_abort_ends_a_pending_read(self):
        rpc, link, abort_port = self.link()
        result = {}

        def read():
            result["reply"] = rpc.ask(call(3, CORE, 1, DEVICE_READ, words(link, 100, 8000, 0, 0, 0)))

        reader = threading.Thread(target=read)
        begin = time.monotonic()
        reader.start()
        abort = self.rpc(abort_port)
        # The abort must find the read waiting: it is repeated until the read is answered.
        while reader.is_alive() and time.monotonic() - begin < visa_test.BOUND:
            self.assertEqual(abort.ask(call(4, ABORT, 1, 1, words(link))), (0, words(0)))
            reader.join(0.05)
        self.assertEqual(result["reply"], (0, words(23, 0, 0)))
        self.assertLess(time.monotonic() - begin, 4)

    # Faults caught: a read answered twice (once by the worker, then at its time-out); a call
    # that comes while a read waits stalled until the read's time-out; a read shorter than the
    # answer, or ended by a termination character, losing or reordering bytes.
    def test_reads_are_answered_once_and_in_order(self):
        rpc, link, _ = self.link()

        def write(xid, line):
            return call(xid, CORE, 1, DEVICE_WRITE, words(link, 1000, 0, END) + opaque(line))

        def read(xid, size, timeout=3000, flags=0, term=0):
            return call(xid, CORE, 1, DEVICE_READ, words(link, size, timeout, 0, flags, term))

        idn = visa_test.IDN.encode() + b"\n"
        rpc.ask(write(10, b"*IDN?"))
        self.assertEqual(rpc.ask(read(11, 100, timeout=200)), (0, words(0, 4) + opaque(idn)))
        time.sleep(0.4)
        self.assertEqual((rpc.ask(write(12, b"*IDN?")), rpc.xid), ((0, words(0, 5)), 12))
        rows = [  # (size, flags, term): the piece and why the read ended
            ((2, 0, 0), idn[:2], 1),                  # request count
            ((100, 0x80, ord(",")), idn[2:4], 2),     # termination character
            ((100, 0, 0), idn[4:], 4),                # END
        ]
        for (size, flags, term), piece, reason in rows:
            self.assertEqual(rpc.ask(read(13, size, flags=flags, term=term)),
                             (0, words(0, reason) + opaque(piece)))
        # Two lines in one message, the second of 50 frames: their answers in order, whichever
        # of them is ready when the read comes.
        rpc.ask(write(17, b"*IDN?\n" + b';'.join([b'PAR? "zeit2"'] * 50)))
        self.assertEqual(rpc.ask(read(18, 4096)), (0, words(0, 4) + opaque(idn)))
        status, results = rpc.ask(read(19, 4096))
        self.assertEqual((status, results[:8], results.count(b";")), (0, words(0, 4), 49))
        # 50 frames: the read and the call behind it come while they are on the line.
        rpc.ask(write(14, b';'.join([b'PAR? "zeit2"'] * 50)))
        begin = time.monotonic()
        rpc.socket.sendall(b"".join(words(0x80000000 | len(message)) + message
                                    for message in (read(15, 4096), write(16, b"*OPC?"))))
        status, results = rpc.answer()
        self.assertEqual((status, results[:8], rpc.xid), (0, words(0, 4), 15))
        self.assertEqual((rpc.answer(), rpc.xid), ((0, words(0, 5)), 16))
        self.assertLess(time.monotonic() - begin, 1.5)

    # Faults caught: a malformed or unknown call left unanswered, answered wrongly, closing the
    # channel, or reaching the device.
    def test_malformed_records_are_answered(self):
        rpc = self.rpc(core_port())
        header = call(5, CORE, 1, CREATE_LINK)
        rows = [
            ((words(5, 0, 2),), 4, b""),                                   # short
            ((header + b"x" * 3000, b"x" * 3000), 4, b""),                 # over-long, in two
            ((call(5, 0x0607B1, 1, 25),), 1, b""),                         # wrong program
            ((call(5, CORE, 2, CREATE_LINK),), 2, words(1, 1)),            # wrong version
            ((header + words(9, 7),), 4, b""),                             # garbage arguments
            ((call(5, CORE, 1, 99),), 3, b""),                             # unknown procedure
            ((call(5, CORE, 1, DEVICE_WRITE, words(99, 0, 0, END) + opaque(b"OUTP ON")),),
             0, words(4, 0)),                                              # unknown link
        ]
        for fragments, status, results in rows:
            self.assertEqual(rpc.ask(*fragments), (status, results), fragments[0][:24])
        self.assertEqual(self.frames(), [])


class Discovery(Bench):
    """The server on every address, as a bench's instrument is, for lxi discover's broadcast."""

    allow = []

    def serve(self, options):
        server = visa_test.Program([visa_test.PROGRAMS["tool"], "--port", "6", "serve", "--vxi11",
                                    "--listen", "0.0.0.0:0"] + self.allow, self.env)
        server.wait_for("port mapper on")
        return server

    # Faults caught: discovery that finds nothing, or a name without the device's *IDN?; a
    # broadcast from beyond --allow answered.
    @unittest.skipUnless(shutil.which("lxi"), "lxi-tools is not installed")
    def test_lxi_discover_lists_the_instrument(self):
        for allow, found in [(["--allow", "127.0.0.0/8"], True), (["--allow", "10.1.0.0/16"], False)]:
            self.server.stop()
            self.allow = allow
            self.server = self.serve([])
            listed = subprocess.run(["lxi", "discover", "-t", "1"], capture_output=True, text=True,
                                    timeout=30).stdout
            self.assertEqual(f'Found "{visa_test.IDN}"' in listed, found, listed)


if __name__ == "__main__":
    visa_test.main()
