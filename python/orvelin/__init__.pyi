"""ORVELIN smart servos over a serial port, from Python (stub for editors)."""

import os
from typing import Callable, Iterable, Iterator, Literal, Mapping, Optional, Union

__version__: str
BAUD_RATES: tuple[int, ...]

Path = Union[str, os.PathLike[str]]
Ids = Union[int, Iterable[int]]
Names = Union[str, Iterable[str]]
Readings = dict[int, dict[str, int]]

class Outcome:
    """How one servo's part of an operation ended, with the evidence."""

    status: Literal[
        "ok",
        "port_failed",
        "no_reply",
        "short_reply",
        "stray_bytes",
        "refused",
        "echo_differs",
        "read_back_differs",
        "upload_failed",
        "stopped",
    ]
    ok: bool
    id: int
    register: Optional[str]
    """The register concerned, or None."""
    received: int
    """Reply bytes that came, of expected."""
    expected: int
    stray: int
    """Bytes that came after the reply."""
    ack: int
    """A FLASH write's or an upload chunk's acknowledge byte."""
    wanted: int
    """The value sent (echo_differs, read_back_differs)."""
    got: int
    """The value that came back instead."""
    upload: Optional[Literal["file_unreadable", "image_invalid", "no_acknowledge", "chunk_refused"]]
    chunk_address: Optional[int]

class Servo:
    """A servo that answered a scan; ok is False for an answer not to be
    trusted (its outcome says why; part_number and version are then None)."""

    id: int
    ok: bool
    part_number: Optional[int]
    """SYS_PN."""
    version: Optional[int]
    """SYS_VER."""
    baud: int
    outcome: Outcome
    late: bool
    named_id: Optional[int]

class Register:
    """A register: its name, the address of its first byte, its size in bytes."""

    name: str
    address: int
    size: int
    max: int
    """The largest value it holds."""

class Sampling(Iterator[Readings]):
    """Rounds of readings, as Bus.watch gives them."""

    def __iter__(self) -> "Sampling": ...
    def __next__(self) -> Readings: ...

class Bus:
    """A bus session: one serial port held open at one baud rate.

    Opening failure raises PortError with the reason. Each call waits on the
    wire with the GIL released; threads that share a Bus take turns.
    """

    port: str
    baud: int
    closed: bool
    echoes: bool
    """The adapter returns every byte it sends (one-wire); its echo is skipped."""
    latency_us: Optional[int]
    """How long after crossing the wire bytes reach this program, once known."""

    def __init__(self, port: str, baud: int = 115200) -> None: ...
    def __enter__(self) -> "Bus": ...
    def __exit__(self, *exc: object) -> None: ...
    def close(self) -> None:
        """Closes the port; every operation after it raises PortError."""
    def scan(
        self, ids: Optional[Ids] = None, baud: Union[None, int, Iterable[int], Literal["all"]] = None
    ) -> list[Servo]:
        """The servos that answer. ids: all by default; baud: the bus's own
        rate by default, a rate, a list of rates, or "all"."""
    def read(self, ids: Ids, registers: Names) -> Readings:
        """The registers of each servo, from one round: {id: {name: value}};
        the line must stay quiet after it for as long as a reply takes to
        follow. To sample, watch is faster still."""
    def watch(
        self, ids: Ids, registers: Names, count: Optional[int] = None, interval: float = 0.0
    ) -> Sampling:
        """Rounds of read one after another, as orvelin watch takes them: the
        fastest way to sample. count rounds (for ever without it), one every
        interval seconds."""
    def write(self, id: int, register: str, value: int) -> int:
        """A RAM write, its echo checked, then read back: returns the value read back."""
    def flash(
        self, id: int, values: Union[Mapping[str, int], Path], *, wait: float = 2.0, allow_id_change: bool = False
    ) -> int:
        """Writes values ({name: value} or a FLASH value file) into FLASH,
        restarts the servo and reads each back; returns the ID it answers on now."""
    def clear(self, id: int, *, backup_folder: Optional[Path] = None) -> str:
        """Saves a backup of every register, then clears the settings; no
        backup, no clear. Returns the backup's path."""
    def update(self, id: int, path: Path, *, progress: Optional[Callable[[int, int], object]] = None) -> None:
        """Uploads a firmware image, then the restart request. progress(sent,
        total) after each chunk; an exception it raises, or Ctrl-C, stops it."""
    def save(self, id: int, path: Path, registers: Optional[Names] = None) -> dict[str, int]:
        """Saves the servo's values (all registers by default) as a FLASH value file."""
    def diff(
        self, reference: Union[int, Path], ids: Ids, registers: Optional[Names] = None
    ) -> dict[str, dict[Union[int, str], int]]:
        """The registers whose values differ: {name: {side: value}}; a side is
        a servo's ID, or "file" for a FLASH value file given as reference."""

def registers() -> list[Register]:
    """Every register, in the order orvelin table lists them."""

def load_values(path: Path) -> dict[str, int]:
    """A FLASH value file's values, checked whole (ValueFileError otherwise)."""

class Error(Exception):
    """A servo, the port or a file failed an operation."""

    id: Optional[int]
    outcome: Optional[Outcome]
    def __init__(self, message: str, id: Optional[int] = None, outcome: Optional[Outcome] = None) -> None: ...

class NoAnswer(Error):
    """Nothing came from the servo."""

class Garbled(Error):
    """Bytes came after the reply: no reply of it is trusted."""

class ShortReply(Error):
    """Bytes of the reply did not come."""

class Refused(Error):
    """The servo refused a FLASH write."""

class NotWritten(Error):
    """A RAM write echoed another value, or a value does not read back."""

class UploadFailed(Error):
    """The firmware update gave up: outcome.upload says why."""

class BackupFailed(Error):
    """The backup before a clear could not be saved: nothing was cleared."""

    reason: str
    path: Optional[str]

class PortError(Error):
    """The port does not open, or is closed."""

    port: str
    baud: int
    reason: str
    """no_such_device, permission_denied, busy, not_serial_port, not_device_path,
    setting_refused, other; closed for a bus closed before the call."""
    errno: int

class ValueFileError(Error, ValueError):
    """A FLASH value file was refused whole."""

    path: str
    line: int
    problem: str
