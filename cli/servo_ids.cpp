#include "servo_ids.h"

#include "exit_codes.h"
#include "id_lists.h"
#include "messages.h"
#include "port_setup.h"
#include "registers.h"
#include "servo_probe.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kHighestId = 0x3F;

std::vector<int> everyId()
{
    std::vector<int> ids;
    for (int id = 0; id <= kHighestId; ++id)
        ids.push_back(id);
    return ids;
}

}  // namespace

std::optional<ServoIds> prepareServos(const ParsedArgs& args, int& status)
{
    if (status = preparePort(args, IdForm::List); status != kExitOk)
        return std::nullopt;
    const std::string* text = args.value("--id");
    if (text == nullptr)
        return ServoIds{{SendID}, false};
    if (*text == "all") {
        auto none = [](int, std::size_t) {};
        auto quiet = [](int, const unsigned char*) {};
        std::vector<int> ids = probeServos(everyId(), none, quiet, [] { return false; });
        if (ids.empty()) {
            complain(Msg::ScanNone, portDisplayName().c_str());
            status = kExitNoReply;
            return std::nullopt;
        }
        return ServoIds{ids, true};
    }
    auto ids = parseIdList(*text);
    if (!ids) {
        complain(Msg::BadIdList, text->c_str());
        status = kExitUsage;
        return std::nullopt;
    }
    bool listed = text->find_first_of(",-") != std::string::npos;
    return ServoIds{*ids, listed};
}

int forEachServo(const ServoIds& servos, bool keepGoing, const std::function<int(int id)>& run, bool report,
                 const std::function<bool()>& stop)
{
    report = report && servos.listed;
    int first = kExitOk;
    std::vector<int> failed;
    std::size_t done = 0;
    for (int id : servos.ids) {
        if (stop && stop())
            break;
        SendID = id;
        int status = run(id);
        if (status == kExitOk) {
            ++done;
        } else {
            failed.push_back(id);
            if (first == kExitOk)
                first = status;
        }
        if (report) {
            std::fflush(stdout);
            std::fprintf(stderr, "%s\n",
                         status == kExitOk ? format(Msg::ServoDone, id).c_str()
                                           : format(Msg::ServoFailed, id, status).c_str());
        }
        if (status != kExitOk && !keepGoing)
            break;
    }
    if (report) {
        std::string ids;
        for (int id : failed)
            ids += (ids.empty() ? "" : ", ") + format(Msg::ServoId, id);
        std::size_t skipped = servos.ids.size() - done - failed.size();
        if (failed.empty())
            std::fprintf(stderr, "%s\n", format(Msg::ServosAllDone, servos.ids.size()).c_str());
        else
            std::fprintf(stderr, "%s\n",
                         format(Msg::ServosSummary, done, servos.ids.size(), ids.c_str(), skipped).c_str());
    }
    return first;
}
