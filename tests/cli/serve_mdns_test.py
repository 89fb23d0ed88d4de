#!/usr/bin/env python3
"""tkv9d serve announced by multicast DNS, as avahi-browse on the bench's network sees it: in a
network and mount namespace of the test's own, with a D-Bus system bus and an avahi-daemon
there and a veth pair as the network.

    serve_mdns_test.py --tool TKV9D --sim TKV9D_SIM [unittest arguments]

Exits 77 (skipped) when avahi-daemon, avahi-browse or dbus-daemon is missing, or the machine
allows no such namespace (the daemon needs its own /run, which a user namespace cannot give it).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import serve_visa_test as visa_test

NEEDED = ["avahi-daemon", "avahi-browse", "dbus-daemon", "ip"]
BUS = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>system</type><listen>unix:path=/run/dbus/system_bus_socket</listen>
<auth>EXTERNAL</auth><policy context="default"><allow user="*"/><allow own="*"/>
<allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/></policy></busconfig>
"""
AVAHI = """[server]
use-ipv6=no
allow-interfaces=bench0
[wide-area]
enable-wide-area=no
[publish]
publish-workstation=no
"""

if os.environ.get("TKV9D_NETNS") != "1":
    missing = [program for program in NEEDED if not shutil.which(program)]
    if missing:
        print("skipped: not installed: " + ", ".join(missing))
        sys.exit(77)
    if subprocess.run(["unshare", "--net", "--mount", "true"],
                      stderr=subprocess.DEVNULL).returncode != 0:
        print("skipped: this machine allows no network and mount namespace (unshare)")
        sys.exit(77)
    os.environ["TKV9D_NETNS"] = "1"
    os.execvp("unshare", ["unshare", "--net", "--mount", sys.executable] + sys.argv)

CONFIG = tempfile.mkdtemp()
for command in ["mount -t tmpfs tmpfs /run", "mkdir -p /run/dbus /run/avahi-daemon",
                "ip link set lo up", "ip link add bench0 type veth peer name bench1",
                "ip link set bench1 up", "ip addr add 10.99.0.1/24 dev bench0",
                "ip link set bench0 multicast on up"]:
    subprocess.run(command.split(), check=True)
for name, text in [("bus.conf", BUS), ("avahi.conf", AVAHI)]:
    with open(os.path.join(CONFIG, name), "w") as file:
        file.write(text)


def browse(kind):
    """The announcements of `kind` that resolve: (name, address, port) each."""
    lines = subprocess.run(["avahi-browse", "-r", "-t", "-p", kind], capture_output=True,
                           text=True, timeout=30).stdout.splitlines()
    return sorted((f[3], f[7], f[8]) for f in (line.split(";") for line in lines) if f[0] == "=")


class Announced(visa_test.Bench):
    def setUp(self):
        self.bus = self.daemon_process(["dbus-daemon", "--nofork", "--nopidfile",
                                        "--config-file", os.path.join(CONFIG, "bus.conf")])
        time.sleep(0.5)
        self.daemon = self.daemon_process(["avahi-daemon", "--no-drop-root", "--no-chroot",
                                           "--no-rlimits",
                                           "-f", os.path.join(CONFIG, "avahi.conf")])
        deadline = time.monotonic() + visa_test.BOUND
        while subprocess.run(["avahi-browse", "-a", "-t"], capture_output=True).returncode != 0:
            self.assertLess(time.monotonic(), deadline, "avahi-daemon did not start")
            time.sleep(0.2)
        super().setUp()

    def daemon_process(self, args):
        """Started, and ended after the test even when the set-up fails."""
        process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def end():
            process.terminate()
            process.wait(visa_test.BOUND)

        self.addCleanup(end)
        return process

    def start(self, listen, options=()):
        self.server.stop()
        self.server = visa_test.Program([visa_test.PROGRAMS["tool"], "--port", "6", "serve",
                                         "--listen", listen] + list(options), self.env)
        self.server.wait_for("listening on")

    # Faults caught: nothing announced, a wrong port or type, VXI-11 announced without its port
    # mapper; the announcement left behind when the server stops; a loopback server announced
    # to a network that cannot reach it.
    def test_found_where_it_listens_and_gone_when_it_stops(self):
        name = r"TKV-9D\032COM6\0471\032on\032"
        self.start("0.0.0.0:5025", ["--vxi11"])
        self.server.wait_for("mDNS: announced")
        for kind, port in [("_scpi-raw._tcp", "5025"), ("_vxi-11._tcp", "111")]:
            found = browse(kind)
            self.assertEqual(len(found), 1, found)
            self.assertTrue(found[0][0].startswith(name), found)
            self.assertEqual(found[0][1:], ("10.99.0.1", port))
        self.server.stop()
        # The goodbye leaves the daemon's cache within its one-second time to live.
        deadline = time.monotonic() + visa_test.BOUND
        while browse("_scpi-raw._tcp") and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertEqual(browse("_scpi-raw._tcp"), [])
        self.start("127.0.0.1:5025")
        self.assertEqual(browse("_scpi-raw._tcp"), [])
        self.assertFalse(any("mDNS" in line for line in self.server.lines), self.server.lines)

    # Fault caught: a machine without the daemon refused, or left without a word.
    def test_without_the_daemon_one_line_and_served_all_the_same(self):
        self.daemon.terminate()
        self.daemon.wait(visa_test.BOUND)
        self.start("0.0.0.0:0")
        self.server.wait_for("mDNS: not announced: .*avahi-daemon")
        port = int(self.server.wait_for(r"listening on 0\.0\.0\.0:(\d+)").group(1))
        with self.rm.open_resource(f"TCPIP0::127.0.0.1::{port}::SOCKET", read_termination="\n",
                                   write_termination="\n", timeout=2000) as visa:
            self.assertEqual(visa.query("*OPC?"), "1")


if __name__ == "__main__":
    visa_test.main()
