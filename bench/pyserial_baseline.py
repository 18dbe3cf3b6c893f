#!/usr/bin/env python3
"""The same exchanges as the link benchmark, written the plain way with
pyserial: a baseline for what a hand-written script would achieve.
Prints one "name seconds" line per case (median of the runs)."""
import argparse
import os
import statistics
import time

import serial

BAUD = 115200


def open_port(port):
    # The time-outs of the programmer's port: 10 ms between bytes, and a
    # total of 10 + 10 x N ms set per read below.
    return serial.Serial(port, BAUD, timeout=0.02, inter_byte_timeout=0.01, exclusive=True)


def read_all(port):
    with open_port(port) as s:
        for a in range(0, 0x60, 0x10):
            s.write(bytes([0xBF, 0x30, a]) + bytes(16))
            s.timeout = 0.01 + 0.01 * 16
            s.read(16)
        s.timeout = 0.02
        while s.read(1):
            pass


def upload(port, image):
    address = 0x1000
    with open_port(port) as s:
        s.timeout = 0.02
        for offset in range(0, len(image), 16):
            chunk = image[offset:offset + 16]
            body = bytes([len(chunk), address & 0x7F, (address >> 7) & 0x7F]) + chunk
            checksum = -sum(body[1:]) & 0x7F
            packet = bytes([0xBF]) + body + bytes([checksum])
            for _ in range(5):
                s.write(packet)
                ack = s.read(1)
                if ack and not ack[0] & 0x40:
                    break
            address += 16


def median(run, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--port", required=True)
    parser.add_argument("--image", action="append", default=[])
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    print("read_all %.6f" % median(lambda: read_all(args.port), args.runs), flush=True)
    for path in args.image:
        with open(path, "rb") as f:
            image = f.read()
        name = "upload_%d" % os.path.getsize(path)
        print("%s %.6f" % (name, median(lambda: upload(args.port, image), args.runs)), flush=True)


if __name__ == "__main__":
    main()
