#!/usr/bin/env python3
"""A bench meter on a pseudo-terminal, for the Windows tool's serial port under Wine (which maps a COM
port to it): prints the terminal's path, then answers SCPI queries line by line, every reading VOLTS,
until its stdin closes."""
import os
import select
import sys
import termios
import tty

volts = sys.argv[1] if len(sys.argv) > 1 else "+4.000000E+00"
master, slave = os.openpty()
tty.setraw(slave)
attributes = termios.tcgetattr(slave)
attributes[3] &= ~termios.ECHO
termios.tcsetattr(slave, termios.TCSANOW, attributes)
print(os.ttyname(slave), flush=True)
answers = {b"*IDN?": b"VCM7310-TEST,SERIAL-METER,0,1.0", b"SYST:ERR?": b'+0,"No error"', b"READ?": volts.encode()}
pending = b""
while True:
    ready, _, _ = select.select([master, sys.stdin], [], [])
    if sys.stdin in ready and not os.read(sys.stdin.fileno(), 1024):
        break
    if master in ready:
        pending += os.read(master, 1024)
        while b"\n" in pending:
            line, pending = pending.split(b"\n", 1)
            line = line.strip()
            if line.endswith(b"?"):
                os.write(master, answers.get(line, b"0") + b"\n")
