"""Virtual servos for the module's tests: orvelin-virtual-servo run as a
program, its terminal reached through a link in the test's own folder,
steered through its control file and watched through its packet log."""

import os
import subprocess
import time

import pytest


class VirtualServo:
    def __init__(self, folder, args):
        self.port = str(folder / "servo-port")
        self.control_file = folder / "servo-control"
        self.log_file = folder / "servo-packets"
        self.control_file.write_text("")
        self.process = subprocess.Popen(
            [os.environ["ORVELIN_VIRTUAL_SERVO"], "--link", self.port, "--control", str(self.control_file),
             "--log", str(self.log_file), *args],
            stdout=subprocess.PIPE, text=True)
        # The first line is the terminal's path, printed once the link is made.
        if not self.process.stdout.readline():
            raise RuntimeError("the virtual servo did not start")

    def control(self, line):
        """A line of the control language, applied before the next packet."""
        with open(self.control_file, "a") as control:
            control.write(line + "\n")

    def packets(self):
        """The packets received so far, as lists of bytes."""
        if not self.log_file.exists():
            return []
        return [[int(b, 16) for b in line.split()] for line in self.log_file.read_text().splitlines()]

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


@pytest.fixture
def start_servo(tmp_path):
    """start_servo("--ids", "1,2") starts a bus of virtual servos."""
    servos = []

    def start(*args):
        folder = tmp_path / f"servo{len(servos)}"
        folder.mkdir()
        servos.append(VirtualServo(folder, args))
        return servos[-1]

    yield start
    for servo in servos:
        servo.stop()


@pytest.fixture
def wait_for():
    """wait_for(condition): true once condition() is, within a generous time."""

    def wait(condition, seconds=5.0):
        end = time.monotonic() + seconds
        while not condition():
            if time.monotonic() > end:
                return False
            time.sleep(0.01)
        return True

    return wait
