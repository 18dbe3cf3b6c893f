#include "cli/servo_ids.h"

#include "cli/exit_codes.h"
#include "cli/outcomes.h"
#include "cli/port_setup.h"
#include "cli/texts/messages.h"
#include "link/wire_format.h"
#include "link/registers.h"
#include "ops/bus/servo_scan.h"

#include <string>

std::optional<ServoIds> prepareServos(const CommonArgs& args, int& status)
{
    if (status = preparePort(args, IdForm::List); status != kExitOk)
        return std::nullopt;
    if (!args.id)
        return ServoIds{{SendID}, false};
    const std::string& text = *args.id;
    if (text == "all") {
        std::vector<int> every;
        for (int id = 0; id <= kHighestId; ++id)
            every.push_back(id);
        BusPort port;
        if (!portOpened(port, status))
            return std::nullopt;
        // A servo whose answer came garbled is on the bus all the same: a
        // command over "all" that left it out would not be over all.
        std::vector<int> ids;
        for (const ScanFind& find : scanIds(port, every)) {
            if (int untrusted = reportScanFind(find); untrusted != kExitOk)
                status = untrusted;
            else
                ids.push_back(find.outcome.id);
        }
        if (status != kExitOk)
            return std::nullopt;
        if (ids.empty()) {
            complain(Msg::ScanNone, portDisplayName().c_str());
            status = kExitNoReply;
            return std::nullopt;
        }
        return ServoIds{ids, true};
    }
    auto ids = parseIdList(text);
    if (!ids) {
        complain(Msg::BadIdList, text.c_str());
        status = kExitUsage;
        return std::nullopt;
    }
    bool listed = text.find_first_of(",-") != std::string::npos;
    return ServoIds{*ids, listed};
}
