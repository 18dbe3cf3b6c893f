"""ORVELIN smart servos over a serial port, from Python.

    import orvelin

    with orvelin.Bus("/dev/ttyUSB0", 115200) as bus:
        ids = [servo.id for servo in bus.scan() if servo.ok]
        print(bus.read(ids, ["M_POS", "M_TEMP"]))

Every answer is judged before it is used: a failure raises a subclass of
orvelin.Error that carries the servo's ID and the outcome with its evidence.
Arguments are checked before anything is sent (KeyError for a register name
that is none, ValueError for a value that does not fit).
"""


class Error(Exception):
    """A servo, the port or a file failed an operation.

    id: the servo concerned (None for none); outcome: how its part ended, with
    the evidence (an orvelin.Outcome, or None).
    """

    def __init__(self, message, id=None, outcome=None):
        super().__init__(message)
        self.id = id
        self.outcome = outcome


class NoAnswer(Error):
    """Nothing came from the servo."""


class Garbled(Error):
    """Bytes came after the reply (two servos on one ID, a wrong baud rate,
    noise): no reply of it is trusted. outcome.stray counts them."""


class ShortReply(Error):
    """Bytes of the reply did not come: outcome.received of outcome.expected."""


class Refused(Error):
    """The servo refused a FLASH write (its acknowledge, outcome.ack, has bit 6 set)."""


class NotWritten(Error):
    """A RAM write echoed another value, or a value written does not read
    back: outcome.wanted, outcome.got, outcome.register."""


class UploadFailed(Error):
    """The firmware update gave up: outcome.upload says why."""


class BackupFailed(Error):
    """The backup before a clear has no folder or could not be written, so
    nothing was cleared. reason: the system's words; path: the file, if any."""


class PortError(Error):
    """The port does not open, or is closed: port, baud, reason (such as
    "no_such_device", "busy"; "closed"), errno."""


class ValueFileError(Error, ValueError):
    """A FLASH value file was refused whole: path, line, problem."""


from ._orvelin import (  # noqa: E402  (the extension raises the classes above)
    BAUD_RATES,
    Bus,
    Outcome,
    Register,
    Sampling,
    Servo,
    __version__,
    load_values,
    registers,
)

__all__ = [
    "BAUD_RATES",
    "BackupFailed",
    "Bus",
    "Error",
    "Garbled",
    "NoAnswer",
    "NotWritten",
    "Outcome",
    "PortError",
    "Refused",
    "Register",
    "Sampling",
    "Servo",
    "ShortReply",
    "UploadFailed",
    "ValueFileError",
    "load_values",
    "registers",
]
