// orvelin.Bus's reads: the scan, a round of named registers, and sampling
// rounds one after another (watch), each result judged before Python sees it.
#pragma once

#include "orvelin/reads.h"
#include "python/session.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <optional>
#include <vector>

namespace orvelin::python {

namespace py = pybind11;

// Bus.scan: the servos that answer, garbled answers included (not ok).
py::list scan(Session& session, const py::object& ids, const py::object& baud);

// Bus.read: {id: {name: value}} from one round.
py::dict read(Session& session, const py::object& ids, const py::object& names);

// Bus.watch's iterator. A round is given to Python only once the next
// round's requests found the line empty, or, after the last round, once the
// line stayed quiet: so rounds follow each other without a wait for quiet
// after each, as orvelin watch takes them.
class Sampling {
public:
    Sampling(py::object bus, std::vector<int> ids, std::vector<int> rows, unsigned long long count, double interval);
    py::dict next();

private:
    struct Round {
        std::vector<Outcome> outcomes;
        std::vector<ServoImage> images;
    };
    Round readRound(Bus& bus);
    py::dict valuesOf(const Round& round) const;

    py::object owner_;  // the orvelin.Bus, kept open while this samples it
    Session& session_;
    std::vector<int> ids_;
    std::vector<int> rows_;
    std::vector<py::str> names_;
    BlockSet blocks_;
    unsigned long long count_;  // 0: for ever
    std::chrono::duration<double> interval_;
    std::chrono::steady_clock::time_point due_;
    unsigned long long taken_ = 0;
    std::optional<Round> pending_;
    bool ended_ = false;
};

}  // namespace orvelin::python
