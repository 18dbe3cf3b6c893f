#include "python/reading.h"

#include "orvelin/scan.h"
#include "python/arguments.h"
#include "python/errors.h"
#include "python/interruption.h"

#include <algorithm>
#include <iterator>

namespace orvelin::python {

namespace {

// The rates a scan tries: the bus's own (none), "all", one or several.
std::optional<std::vector<int>> ratesFrom(const py::object& baud)
{
    if (baud.is_none())
        return std::nullopt;
    if (py::isinstance<py::str>(baud)) {
        if (baud.cast<std::string>() != "all")
            throw py::value_error("baud is a rate, a list of rates, or \"all\"");
        return everyBaudRate();
    }
    std::vector<int> rates;
    auto rate = [](const py::handle& item) {
        if (!py::isinstance<py::int_>(item) || item.cast<long>() <= 0)
            throw py::value_error("a baud rate is a positive int, not " + std::string(py::repr(item)));
        return item.cast<int>();
    };
    if (py::isinstance<py::int_>(baud))
        rates.push_back(rate(baud));
    else
        for (py::handle item : baud)
            rates.push_back(rate(item));
    if (rates.empty())
        throw py::value_error("no baud rate given");
    return rates;
}

}  // namespace

py::list scan(Session& session, const py::object& ids, const py::object& baud)
{
    const std::vector<int> asked = ids.is_none() ? everyId() : idsFrom(ids);
    const std::optional<std::vector<int>> rates = ratesFrom(baud);
    Interruption interruption;
    std::vector<int> refused;
    ScanCalls calls;
    calls.stop = [&] { return interruption.stop(); };
    calls.rateRefused = [&](int rate) { refused.push_back(rate); };
    bool open = true;
    std::vector<ScanFind> finds = session.run([&](Bus& bus) {
        open = bus.isOpen();
        return rates ? scanRates(bus, *rates, asked, calls) : scanIds(bus, asked, calls);
    });
    interruption.raiseIfStopped();
    if (!open)
        raiseFailure({.status = Status::PortFailed}, session.bus());
    for (int rate : refused) {
        std::string words =
            "the driver refuses " + std::to_string(rate) + " baud: no servo was looked for at that rate";
        if (PyErr_WarnEx(PyExc_RuntimeWarning, words.c_str(), 1) != 0)
            throw py::error_already_set();
    }
    py::list servos;
    for (const ScanFind& find : finds)
        servos.append(py::cast(find));
    return servos;
}

py::dict read(Session& session, const py::object& ids, const py::object& names)
{
    const std::vector<int> asked = idsFrom(ids);
    const std::vector<int> rows = rowsFrom(names);
    std::vector<Reading> readings =
        session.run([&](Bus& bus) { return readRegisters(bus, asked, rows, Quiet::Paced); });
    py::dict values;
    for (const Reading& reading : readings) {
        if (!reading.outcome.ok())
            raiseFailure(reading.outcome, session.bus());
        py::dict own;
        for (int row : rows)
            own[py::str(std::string(registers()[static_cast<std::size_t>(row)].name))] = reading.image.value(row);
        values[py::int_(reading.outcome.id)] = own;
    }
    return values;
}

Sampling::Sampling(py::object bus, std::vector<int> ids, std::vector<int> rows, unsigned long long count,
                   double interval)
    : owner_(std::move(bus)),
      session_(owner_.cast<Session&>()),
      ids_(std::move(ids)),
      rows_(std::move(rows)),
      count_(count),
      interval_(interval)
{
    for (int row : rows_)
        names_.emplace_back(std::string(registers()[static_cast<std::size_t>(row)].name));
}

void Sampling::takeRounds()
{
    while (trusted_.empty() && !ended_) {
        std::vector<Sampler::Round> rounds;
        if (count_ != 0 && taken_ >= count_) {
            rounds = session_.run([&](Bus&) { return sampler_->finish(); });
            ended_ = true;
        } else {
            if (taken_ > 0 && interval_.count() > 0) {
                // The rounds keep to their grid of intervals; time.sleep lets Ctrl-C through.
                due_ += std::chrono::duration_cast<std::chrono::steady_clock::duration>(interval_);
                auto wait = std::chrono::duration<double>(due_ - std::chrono::steady_clock::now());
                if (wait.count() > 0)
                    py::module_::import("time").attr("sleep")(wait.count());
                else
                    due_ = std::chrono::steady_clock::now();
            }
            rounds = session_.run([&](Bus& bus) {
                if (!sampler_)
                    sampler_.emplace(bus, ids_, BlockSet::forRows(rows_));
                return sampler_->sample();
            });
            if (taken_++ == 0)
                due_ = std::chrono::steady_clock::now();
        }
        std::ranges::move(rounds, std::back_inserter(trusted_));
        if (sampler_ && sampler_->failure()) {
            ended_ = true;
            trusted_.clear();
            for (const Outcome& outcome : sampler_->failure()->outcomes)
                if (!outcome.ok())
                    raiseFailure(outcome, session_.bus());
        }
    }
}

py::dict Sampling::next()
{
    takeRounds();
    if (trusted_.empty())
        throw py::stop_iteration();
    Sampler::Round round = std::move(trusted_.front());
    trusted_.pop_front();
    return valuesOf(round);
}

py::dict Sampling::valuesOf(const Sampler::Round& round) const
{
    py::dict values;
    for (std::size_t k = 0; k < ids_.size(); ++k) {
        py::dict own;
        for (std::size_t r = 0; r < rows_.size(); ++r)
            own[names_[r]] = round.images[k].value(rows_[r]);
        values[py::int_(ids_[k])] = own;
    }
    return values;
}

}  // namespace orvelin::python
