"""Each exception kind, from the faults a line shows, with its evidence."""

import orvelin
import pytest


@pytest.fixture
def servo(start_servo):
    return start_servo("--ids", "1")


@pytest.fixture
def bus(servo):
    with orvelin.Bus(servo.port, 115200) as bus:
        yield bus


@pytest.mark.parametrize("fault, kind, evidence", [
    ("silent 1", orvelin.NoAnswer, {"status": "no_reply", "received": 0}),
    ("short 5", orvelin.ShortReply, {"status": "short_reply", "received": 5, "expected": 16}),
    ("stray 3", orvelin.Garbled, {"status": "stray_bytes", "stray": 3}),
])
def test_a_read_that_is_not_whole_and_alone_raises(bus, servo, fault, kind, evidence):
    servo.control(fault)
    with pytest.raises(kind) as raised:
        bus.read(1, "M_POS")
    assert raised.value.id == 1
    assert {name: getattr(raised.value.outcome, name) for name in evidence} == evidence


def test_a_refused_flash_write_raises_refused(bus, servo):
    servo.control("refuse 1")
    with pytest.raises(orvelin.Refused) as raised:
        bus.flash(1, {"FB_PG": 0x21})
    assert raised.value.outcome.register == "FB_PG"
    assert raised.value.outcome.ack & 0x40


def test_a_value_that_does_not_read_back_raises_not_written(bus, servo):
    servo.control("locked 1")
    with pytest.raises(orvelin.NotWritten) as raised:
        bus.write(1, "FB_PG", 0x21)
    outcome = raised.value.outcome
    assert (outcome.status, outcome.register, outcome.wanted, outcome.got) == ("read_back_differs", "FB_PG", 0x21, 0x20)


def test_a_refused_chunk_raises_upload_failed(bus, servo, tmp_path):
    image = tmp_path / "firmware.upd"
    image.write_bytes(b"\x01" * 32)
    servo.control("reject 5")
    with pytest.raises(orvelin.UploadFailed) as raised:
        bus.update(1, image)
    assert (raised.value.outcome.upload, raised.value.outcome.chunk_address) == ("chunk_refused", 0x1000)
    image.write_bytes(b"\x80")
    with pytest.raises(orvelin.UploadFailed, match="nothing was sent") as raised:
        bus.update(1, image)
    assert raised.value.outcome.upload == "image_invalid"


def test_no_backup_means_no_clear(bus, servo, tmp_path):
    (tmp_path / "file").write_text("where the folder would be")
    with pytest.raises(orvelin.BackupFailed, match="nothing was cleared") as raised:
        bus.clear(1, backup_folder=tmp_path / "file" / "backups")
    assert raised.value.reason
    servo.control("silent 1")
    with pytest.raises(orvelin.NoAnswer, match="nothing was cleared"):
        bus.clear(1, backup_folder=tmp_path / "backups")
    assert all(packet[1] == 0x30 for packet in servo.packets())  # reads only


def test_a_port_that_does_not_open_or_is_closed_raises_port_error(bus, tmp_path):
    with pytest.raises(orvelin.PortError) as raised:
        orvelin.Bus(str(tmp_path / "no-such-port"))
    assert (raised.value.reason, raised.value.errno) == ("no_such_device", 2)
    bus.close()
    with pytest.raises(orvelin.PortError) as raised:
        bus.read(1, "M_POS")
    assert raised.value.reason == "closed"


def test_a_bad_value_file_raises_with_its_line(bus, servo, tmp_path):
    path = tmp_path / "arm.txt"
    path.write_text("26 0x22\n26 0x23\n")
    with pytest.raises(orvelin.ValueFileError) as raised:
        bus.flash(1, path)
    assert (raised.value.line, raised.value.problem) == (2, "row_twice")
    assert isinstance(raised.value, ValueError)
    assert servo.packets() == []
