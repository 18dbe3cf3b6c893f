// orvelin.Bus's reads: the scan, a round of named registers, and sampling
// rounds one after another (watch), each result judged before Python sees it.
#pragma once

#include "orvelin/reads.h"
#include "orvelin/sampling.h"
#include "python/session.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <deque>
#include <optional>
#include <vector>

namespace orvelin::python {

namespace py = pybind11;

// Bus.scan: the servos that answer, garbled answers included (not ok).
py::list scan(Session& session, const py::object& ids, const py::object& baud);

// Bus.read: {id: {name: value}} from one round.
py::dict read(Session& session, const py::object& ids, const py::object& names);

// Bus.watch's iterator over orvelin::Sampler: rounds follow each other
// without a wait for quiet after each, as orvelin watch takes them, and a
// round is given to Python only once the line has shown that nothing
// followed it.
class Sampling {
public:
    Sampling(py::object bus, std::vector<int> ids, std::vector<int> rows, unsigned long long count, double interval);
    py::dict next();

private:
    // Reads rounds until one is trusted or the sampling ends.
    void takeRounds();
    py::dict valuesOf(const Sampler::Round& round) const;

    py::object owner_;  // the orvelin.Bus, kept open while this samples it
    Session& session_;
    std::vector<int> ids_;
    std::vector<int> rows_;
    std::vector<py::str> names_;
    std::optional<Sampler> sampler_;
    unsigned long long count_;  // 0: for ever
    std::chrono::duration<double> interval_;
    std::chrono::steady_clock::time_point due_;
    unsigned long long taken_ = 0;
    std::deque<Sampler::Round> trusted_;
    bool ended_ = false;
};

}  // namespace orvelin::python
