"""Each method of orvelin.Bus against a bus of virtual servos."""

import orvelin
import pytest


@pytest.fixture
def servo(start_servo):
    # Servo 1 stands at 0x03E8 and has FB_PG 0x22; 2 and 5 are as made.
    return start_servo("--ids", "1,2,5", "--set", "20=68,07", "--set", "32=22")


@pytest.fixture
def bus(servo):
    with orvelin.Bus(servo.port, 115200) as bus:
        yield bus


def test_scan_lists_each_servo_with_its_part_number_version_and_rate(bus):
    servos = bus.scan()
    assert [(s.id, s.ok, s.baud) for s in servos] == [(1, True, 115200), (2, True, 115200), (5, True, 115200)]
    assert servos[0].part_number == bus.read(1, "SYS_PN")[1]["SYS_PN"]
    assert bus.scan(ids=[2, 3], baud=[57600, 115200])[0].id == 2
    assert bus.baud == 115200


def test_read_gives_each_servo_its_registers_from_one_round(bus, servo):
    values = bus.read([1, 2], ["M_POS", "FB_PG"])
    assert values == {1: {"M_POS": 0x3E8, "FB_PG": 0x22}, 2: {"M_POS": values[2]["M_POS"], "FB_PG": 0x20}}
    # Only the blocks of M_POS (0x20) and FB_PG (0x30), for each servo.
    assert [(p[0], p[2]) for p in servo.packets()] == [(0x81, 0x20), (0x81, 0x30), (0x82, 0x20), (0x82, 0x30)]


def test_watch_gives_count_rounds(bus):
    rounds = list(bus.watch([1, 5], "FB_PG", count=3))
    assert rounds == [{1: {"FB_PG": 0x22}, 5: {"FB_PG": 0x20}}] * 3


def test_write_reads_the_value_back(bus):
    assert bus.write(2, "FB_PG", 0x11) == 0x11
    assert bus.read(2, "FB_PG") == {2: {"FB_PG": 0x11}}


def test_save_load_flash_and_diff_go_through_one_file(bus, tmp_path):
    path = tmp_path / "arm.txt"
    assert bus.save(1, path, ["FB_PG", "FB_DG"]) == {"FB_PG": 0x22, "FB_DG": 0x10}
    assert path.read_text() == "26 0x22\n27 0x10\n"
    assert orvelin.load_values(path) == {"FB_PG": 0x22, "FB_DG": 0x10}
    assert bus.diff(path, [1, 2]) == {"FB_PG": {"file": 0x22, 1: 0x22, 2: 0x20}}
    assert bus.flash(2, path) == 2
    assert bus.diff(1, 2, ["FB_PG", "FB_DG"]) == {}
    assert bus.flash(5, {"FB_DG": 0x33}) == 5
    assert bus.read(5, "FB_DG") == {5: {"FB_DG": 0x33}}


def test_clear_backs_up_first(bus, tmp_path):
    backup = bus.clear(1, backup_folder=tmp_path / "backups")
    assert orvelin.load_values(backup)["FB_PG"] == 0x22
    assert bus.read(1, "FB_PG") == {1: {"FB_PG": 0x20}}  # factory settings once restarted


def test_update_tells_its_progress(bus, tmp_path):
    image = tmp_path / "firmware.upd"
    image.write_bytes(bytes(k & 0x7F for k in range(100)))
    told = []
    bus.update(5, image, progress=lambda sent, total: told.append((sent, total)))
    assert told[-1] == (100, 100) and len(told) == 7


def test_flash_will_not_give_a_servo_another_id_unasked(bus, servo):
    with pytest.raises(ValueError, match="SYS_SID"):
        bus.flash(2, {"SYS_SID": 1})
    with pytest.raises(KeyError):
        bus.read(1, ["M_POS", "M_PSO"])
    with pytest.raises(ValueError):
        bus.write(1, "FB_PG", 0x80)
    assert servo.packets() == []
