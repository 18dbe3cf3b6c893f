#!/usr/bin/env python3
"""A script's loops over the module orvelin on a bus of servos 1 to 12: a
read per call (bus.read) and sampling (bus.watch), of M_POS, of one servo
and of the twelve. Prints one "name seconds" line per loop: the median time
of one read or round."""
import argparse
import statistics
import time

import orvelin

SERVOS = list(range(1, 13))


def read_loop(bus, ids, count):
    for _ in range(count):
        bus.read(ids, "M_POS")


def watch_loop(bus, ids, count):
    for _ in bus.watch(ids, "M_POS", count=count):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", required=True)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--samples", type=int, default=300, help="reads of one servo in a run")
    parser.add_argument("--rounds", type=int, default=40, help="rounds of the twelve in a run")
    args = parser.parse_args()
    loops = [
        ("read_one", read_loop, [1], args.samples),
        ("read_all", read_loop, SERVOS, args.rounds),
        ("watch_one", watch_loop, [1], args.samples),
        ("watch_all", watch_loop, SERVOS, args.rounds),
    ]
    with orvelin.Bus(args.port, 115200) as bus:
        for name, loop, ids, count in loops:
            times = []
            for _ in range(args.runs):
                start = time.perf_counter()
                loop(bus, ids, count)
                times.append((time.perf_counter() - start) / count)
            print(name, statistics.median(times), flush=True)


if __name__ == "__main__":
    main()
