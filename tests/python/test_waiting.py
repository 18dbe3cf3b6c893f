"""While a call waits on the wire: other Python threads go on, and Ctrl-C
stops a long operation between two exchanges."""

import os
import signal
import threading
import time

import orvelin
import pytest


def test_other_threads_go_on_during_a_scan(start_servo):
    servo = start_servo("--ids", "1,2", "--pace", "115200")
    ticks = []
    done = threading.Event()

    def tick():
        while not done.is_set():
            ticks.append(time.monotonic())
            time.sleep(0.001)

    with orvelin.Bus(servo.port, 115200) as bus:
        ticker = threading.Thread(target=tick)
        ticker.start()
        try:
            start = time.monotonic()
            assert [s.id for s in bus.scan(baud="all")] == [1, 2] * len(orvelin.BAUD_RATES)
            end = time.monotonic()
        finally:
            done.set()
            ticker.join()
    # Away from the call's two ends, where the GIL changes hands anyway.
    during = [t for t in ticks if start + 0.05 < t < end - 0.05]
    assert end - start > 0.3
    assert len(during) >= 10


def test_ctrl_c_stops_an_update_between_two_chunks(start_servo, tmp_path):
    servo = start_servo("--ids", "1", "--pace", "115200")
    image = tmp_path / "firmware.upd"
    image.write_bytes(bytes(k & 0x7F for k in range(12288)))  # 768 chunks, 1.5 s on the wire
    told = []
    interrupt = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    with orvelin.Bus(servo.port, 115200) as bus:
        interrupt.start()
        with pytest.raises(KeyboardInterrupt):
            bus.update(1, image, progress=lambda sent, total: told.append(sent))
        interrupt.join()
        assert 0 < told[-1] < 12288
        # The bus is usable again at once.
        assert bus.read(1, "SYS_PN")[1]["SYS_PN"] > 0


def test_an_exception_in_progress_stops_the_update(start_servo, tmp_path):
    servo = start_servo("--ids", "1")
    image = tmp_path / "firmware.upd"
    image.write_bytes(b"\x01" * 160)
    told = []

    def progress(sent, total):
        told.append(sent)
        if sent == 48:
            raise RuntimeError("enough")

    with orvelin.Bus(servo.port, 115200) as bus:
        with pytest.raises(RuntimeError, match="enough"):
            bus.update(1, image, progress=progress)
    assert told == [16, 32, 48]
    chunks = [p for p in servo.packets() if len(p) == 21]
    assert len(chunks) == 3
