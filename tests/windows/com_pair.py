#!/usr/bin/env python3
"""Runs a command with two COM ports of a wine prefix joined back to back.

Usage: com_pair.py PORT_A PORT_B -- COMMAND...

Two pseudo-terminals are linked as PORT_A and PORT_B in the prefix's dosdevices; what a program
writes to one it reads from the other. The command gets ZELTERM_TEST_COM_PAIR=PORT_A:PORT_B and
ZELTERM_TEST_HANGUP, a Windows path: creating that file closes PORT_A's far end, as unplugging an
adapter does. Exits with the command's status."""
import os
import select
import subprocess
import sys
import threading
import time
import tty

WINE_RUN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine-run")


def main():
    port_a, port_b = sys.argv[1], sys.argv[2]
    command = sys.argv[sys.argv.index("--") + 1:]
    prefix = os.environ.setdefault("WINEPREFIX", os.path.join(os.environ.get("TMPDIR", "/tmp"),
                                                             "zelterm-wineprefix"))
    dosdevices = os.path.join(prefix, "dosdevices")
    if not os.path.isdir(dosdevices):
        subprocess.run([WINE_RUN, "wineboot", "-i"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
    # The wine server takes a pseudo-terminal as its controlling terminal and reports on its
    # standard output when one closes: started here, away from the test's output.
    subprocess.run(["wineserver", "-p30"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=False)

    masters, slaves, links = [], [], []
    for port in (port_a, port_b):
        master, slave = os.openpty()
        tty.setraw(master)
        tty.setraw(slave)
        link = os.path.join(dosdevices, port.lower())
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(os.ttyname(slave), link)
        masters.append(master)
        links.append(link)
        # Kept open, so that the far end never sees the port closed between two openings.
        slaves.append(slave)

    hangup = os.path.join(prefix, "drive_c", "hangup-" + port_a.lower())
    if os.path.exists(hangup):
        os.unlink(hangup)
    env = dict(os.environ, ZELTERM_TEST_COM_PAIR=port_a + ":" + port_b,
               ZELTERM_TEST_HANGUP="C:\\hangup-" + port_a.lower())
    child = subprocess.Popen(command, env=env)

    def relay():
        open_masters = list(masters)
        while child.poll() is None:
            if os.path.exists(hangup) and masters[0] in open_masters:
                os.close(masters[0])
                open_masters.remove(masters[0])
            ready, _, _ = select.select(open_masters, [], [], 0.05)
            for source in ready:
                other = masters[1] if source == masters[0] else masters[0]
                try:
                    data = os.read(source, 65536)
                    if other in open_masters:
                        os.write(other, data)
                except OSError:
                    # No program holds one of the ports at the moment: what it sent is lost, as
                    # on a cable with nothing at its far end.
                    time.sleep(0.01)

    thread = threading.Thread(target=relay, daemon=True)
    thread.start()
    status = child.wait()
    thread.join()
    for link in links:
        os.unlink(link)
    if os.path.exists(hangup):
        os.unlink(hangup)
    sys.exit(status)


if __name__ == "__main__":
    main()
