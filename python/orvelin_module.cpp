// The extension orvelin._orvelin: the library's bus session and operations
// as the Python package orvelin presents them (orvelin/__init__.py defines
// the exceptions and imports these).
#include "orvelin/registers.h"
#include "orvelin/scan.h"
#include "orvelin_version.h"
#include "python/arguments.h"
#include "python/errors.h"
#include "python/files.h"
#include "python/reading.h"
#include "python/session.h"
#include "python/writing.h"

#include <pybind11/pybind11.h>

#include <cstdio>
#include <string>

namespace py = pybind11;
using namespace py::literals;
using namespace orvelin;
using namespace orvelin::python;

namespace {

py::object optional(bool present, py::object value)
{
    return present ? std::move(value) : py::object(py::none());
}

std::string hex(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

void bindOutcome(py::module_& m)
{
    py::class_<Outcome>(m, "Outcome", R"(How one servo's part of an operation ended, with the evidence.

status is one of "ok", "port_failed", "no_reply", "short_reply", "stray_bytes",
"refused", "echo_differs", "read_back_differs", "upload_failed", "stopped".)")
        .def_property_readonly("status", [](const Outcome& o) { return statusName(o.status); })
        .def_property_readonly("ok", &Outcome::ok)
        .def_readonly("id", &Outcome::id, "the servo")
        .def_property_readonly(
            "register",
            [](const Outcome& o) {
                return optional(o.row >= 0, py::str(std::string(registers()[static_cast<std::size_t>(o.row)].name)));
            },
            "the register concerned, or None")
        .def_readonly("received", &Outcome::received, "reply bytes that came, of expected")
        .def_readonly("expected", &Outcome::expected)
        .def_readonly("stray", &Outcome::stray, "bytes that came after the reply")
        .def_readonly("ack", &Outcome::ack, "a FLASH write's or an upload chunk's acknowledge byte")
        .def_readonly("wanted", &Outcome::wanted, "the value sent (echo_differs, read_back_differs)")
        .def_readonly("got", &Outcome::got, "the value that came back instead")
        .def_property_readonly(
            "upload",
            [](const Outcome& o) {
                return optional(o.upload != UploadFailure::None, py::str(uploadFailureName(o.upload)));
            },
            "why an update gave up: \"file_unreadable\", \"image_invalid\", \"no_acknowledge\", \"chunk_refused\"")
        .def_property_readonly(
            "chunk_address", [](const Outcome& o) { return optional(o.chunkAddress >= 0, py::int_(o.chunkAddress)); },
            "the upload chunk that failed")
        .def("__repr__", [](const Outcome& o) {
            return "<Outcome " + std::string(statusName(o.status)) + " of servo " + hex(o.id, 2) + ">";
        });
}

void bindServo(py::module_& m)
{
    py::class_<ScanFind>(m, "Servo", R"(A servo that answered a scan.

ok is False for an answer not to be trusted (bytes after it, missing bytes, a
reply that came late or named another ID): its outcome says why, and its
part_number and version are None.)")
        .def_property_readonly("id", [](const ScanFind& f) { return f.outcome.id; })
        .def_property_readonly("ok", [](const ScanFind& f) { return f.outcome.ok(); })
        .def_property_readonly(
            "part_number", [](const ScanFind& f) { return optional(f.outcome.ok(), py::int_(f.partNumber)); }, "SYS_PN")
        .def_property_readonly(
            "version", [](const ScanFind& f) { return optional(f.outcome.ok(), py::int_(f.version)); }, "SYS_VER")
        .def_readonly("baud", &ScanFind::baud, "the rate it answered at")
        .def_readonly("outcome", &ScanFind::outcome)
        .def_readonly("late", &ScanFind::late, "its reply came after its time")
        .def_property_readonly(
            "named_id", [](const ScanFind& f) { return optional(f.namedId >= 0, py::int_(f.namedId)); },
            "the ID a reply named instead of this one")
        .def("__repr__", [](const ScanFind& f) {
            if (!f.outcome.ok())
                return "Servo(id=" + hex(f.outcome.id, 2) + ", baud=" + std::to_string(f.baud) + ", ok=False)";
            return "Servo(id=" + hex(f.outcome.id, 2) + ", part_number=" + hex(f.partNumber, 4) +
                   ", version=" + hex(f.version, 4) + ", baud=" + std::to_string(f.baud) + ")";
        });
}

void bindRegisters(py::module_& m)
{
    py::class_<Register>(m, "Register", "A register: its name, the address of its first byte, its size in bytes.")
        .def_property_readonly("name", [](const Register& r) { return std::string(r.name); })
        .def_readonly("address", &Register::address)
        .def_readonly("size", &Register::size)
        .def_property_readonly(
            "max", [](const Register& r) { return maxValue(r.size); }, "the largest value it holds")
        .def("__repr__", [](const Register& r) {
            return "Register(" + std::string(r.name) + ", address=" + hex(static_cast<unsigned>(r.address), 2) +
                   ", size=" + std::to_string(r.size) + ")";
        });
    m.def(
        "registers",
        [] {
            py::list all;
            for (const Register& r : registers())
                all.append(py::cast(r));
            return all;
        },
        "Every register, in the order orvelin table lists them.");
}

void bindSampling(py::module_& m)
{
    py::class_<Sampling>(m, "Sampling", "Rounds of readings, as Bus.watch gives them.")
        .def("__iter__", [](py::object self) { return self; })
        .def("__next__", &Sampling::next);
}

void bindBus(py::module_& m)
{
    py::class_<Session>(m, "Bus", R"(A bus session: one serial port held open at one baud rate.

    with orvelin.Bus("/dev/ttyUSB0", 115200) as bus:
        print(bus.read([1, 2], ["M_POS", "M_TEMP"]))

The port opens exclusively; PortError says why it does not. Each call waits
on the wire with the GIL released; threads that share a Bus take turns.)")
        .def(py::init<const std::string&, int>(), "port"_a, "baud"_a = 115200)
        .def("__enter__", [](py::object self) { return self; })
        .def("__exit__", [](Session& session, const py::args&) { session.close(); })
        .def("close", &Session::close, "Closes the port; every operation after it raises PortError.")
        .def_property_readonly("port", [](Session& s) { return s.run([](Bus& bus) { return bus.port(); }); })
        .def_property_readonly("baud", [](Session& s) { return s.run([](Bus& bus) { return bus.baud(); }); })
        .def_property_readonly("closed", [](Session& s) { return s.run([](Bus& bus) { return !bus.isOpen(); }); })
        .def_property_readonly(
            "echoes", [](Session& s) { return s.run([](Bus& bus) { return bus.echoes(); }); },
            "the adapter returns every byte it sends (one-wire); its echo is skipped")
        .def_property_readonly(
            "latency_us",
            [](Session& s) {
                int us = s.run([](Bus& bus) { return bus.latencyUs(); });
                return optional(us >= 0, py::int_(us));
            },
            "how long after crossing the wire bytes reach this program, once known")
        .def("scan", &python::scan, "ids"_a = py::none(), "baud"_a = py::none(),
             R"(The servos that answer: a list of Servo.

ids: the IDs to look for (all, 0x00 to 0x3F, by default). baud: the bus's own
rate by default, a rate, a list of rates, or "all" (the six the windows offer).
Every find is confirmed with a whole exchange before it is listed.)")
        .def("read", &python::read, "ids"_a, "registers"_a,
             R"(The registers of each servo, from one round: {id: {name: value}}.

Only the blocks that hold the registers are read, and the line must stay
quiet after the round for as long as a reply takes to follow at its rate: a
reply with bytes missing or extra raises. To sample, watch is faster still.)")
        .def(
            "watch",
            [](py::object self, const py::object& ids, const py::object& names, const py::object& count,
               double interval) {
                std::vector<int> servos = idsFrom(ids);
                std::vector<int> rows = rowsFrom(names);
                long rounds = count.is_none() ? 0 : count.cast<long>();
                if (!count.is_none() && rounds < 1)
                    throw py::value_error("count is at least 1");
                if (interval < 0)
                    throw py::value_error("interval is a number of seconds, not negative");
                return Sampling(std::move(self), std::move(servos), std::move(rows),
                                static_cast<unsigned long long>(rounds), interval);
            },
            "ids"_a, "registers"_a, "count"_a = py::none(), "interval"_a = 0.0,
            R"(Rounds of bus.read one after another, as orvelin watch takes them.

An iterator of {id: {name: value}}, count rounds (for ever without it), one
every interval seconds (as fast as the wire allows with 0). A round is given
only once the next one's requests found the line empty, so the rounds need no
wait for quiet each: the fastest way to sample.)")
        .def("write", &python::write, "id"_a, "register"_a, "value"_a,
             "A RAM write, taken when its echo is the value sent, then read back: returns the value read back.")
        .def("flash", &python::flash, "id"_a, "values"_a, py::kw_only(), "wait"_a = 2.0, "allow_id_change"_a = false,
             R"(Writes values into FLASH, restarts the servo and reads each one back.

values: {name: value}, or the path of a FLASH value file (checked whole before
anything is sent). Nothing is cleared first. wait: how long the restarted
servo may take to answer. Values that change SYS_SID are written only with
allow_id_change. Returns the ID the servo answers on now.)")
        .def("clear", &python::clear, "id"_a, py::kw_only(), "backup_folder"_a = py::none(),
             R"(Saves every register of the servo as a backup, then clears its settings.

The servo takes its factory settings once restarted. No backup, no clear:
BackupFailed, or the read's own exception when the servo did not answer it.
backup_folder: where (the folder orvelin backups lists, by default). Returns
the backup's path, from which flash writes the values back.)")
        .def("update", &python::update, "id"_a, "path"_a, py::kw_only(), "progress"_a = py::none(),
             R"(Uploads a firmware image and sends the restart request.

The file is checked whole first (1 to 12288 bytes, each below 0x80).
progress(sent, total) is called after each chunk; an exception it raises, or
Ctrl-C, stops the update between two chunks.)")
        .def("save", &python::save, "id"_a, "path"_a, "registers"_a = py::none(),
             R"(Reads the servo and saves its values as a FLASH value file.

registers: the ones to save (all by default). The file is replaced whole or
not at all. Returns {name: value} as saved.)")
        .def("diff", &python::diff, "reference"_a, "ids"_a, "registers"_a = py::none(),
             R"(The registers whose values differ: {name: {side: value}}.

reference: a servo's ID, or the path of a FLASH value file (compared only
where it stages a value, its side named "file"). ids: the servos held against
it, read with it in one round.)")
        .def("__repr__", [](Session& s) {
            return s.run([](Bus& bus) {
                return "<orvelin.Bus " + bus.port() + " at " + std::to_string(bus.baud()) + " baud" +
                       (bus.isOpen() ? "" : ", closed") + ">";
            });
        });
}

}  // namespace

PYBIND11_MODULE(_orvelin, m)
{
    m.doc() = "The library behind the orvelin package; use the package.";
    m.attr("__version__") = kOrvelinVersion;
    py::list rates;
    for (int rate : everyBaudRate())
        rates.append(rate);
    m.attr("BAUD_RATES") = py::tuple(rates);
    bindOutcome(m);
    bindServo(m);
    bindRegisters(m);
    bindSampling(m);
    bindBus(m);
    m.def("load_values", &python::loadValues, "path"_a,
          R"(A FLASH value file's values, {name: value}, checked whole: ValueFileError with
the line at fault otherwise.)");
}
