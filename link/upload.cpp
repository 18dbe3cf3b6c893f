#include "link/upload.h"

#include "link/lasterror.h"
#include "link/term.h"
#include "link/trace.h"

#include <cstdio>

namespace {

upload_progress progressObserver = nullptr;

// The path starts one character after the first word and runs to the end of the line.
const char* pathOf(const char* line)
{
    const char* p = firstWordEnd(line);
    return *p == '\0' ? p : p + 1;
}

int fail(uint32_t code)
{
    SetLastError(code);
    return -1;
}

// One "." for every piece read from the file, the empty one at its end included.
void traceDot()
{
    traceChar('.');
    std::fflush(traceOut);
}

// The trace and the last-error value follow each event as it happens, so a
// chunk that needed a retry leaves its code behind even when it got through.
UploadObserver traceObserver()
{
    UploadObserver observer;
    observer.chunk = [](int, int) { traceDot(); };
    observer.emptyRead = [](int k) {
        tracef("ReadFile retry #%d\n", k);
        SetLastError(kUploadNoAck);
    };
    observer.notAccepted = [](int attempt, const AckReply& reply) {
        if (reply.status == ReplyStatus::Refused) {
            tracef("WriteFile retry #%d\n", attempt);
            SetLastError(kUploadRejected);
        }
    };
    return observer;
}

bool tellProgress(long sent, long total)
{
    return progressObserver == nullptr || progressObserver(sent, total);
}

}  // namespace

void set_upload_progress(upload_progress progress)
{
    progressObserver = progress;
}

int uploadFirmware(serial_handle h, int id, const char* line)
{
    const UpdateFile file = readUpdateFile(pathOf(line));
    if (file.status != UpdateFileStatus::Read)
        return fail(kUploadOpenFailed);
    const UploadResult result = uploadImage(h, id, file.image, tellProgress, traceObserver());
    switch (result.status) {
    case UploadStatus::Done:
        traceDot();
        return 0;
    case UploadStatus::TooLong:
        tracef("too long\n");
        return fail(kUploadNot7Bit);
    case UploadStatus::NotSevenBit:
        tracef("not 7bit\n");
        return fail(kUploadNot7Bit);
    case UploadStatus::NoAcknowledge:
    case UploadStatus::Refused:
        tracef("retry failed\n");
        return -1;
    case UploadStatus::Stopped:
    case UploadStatus::Followed:  // the window's upload does not check for it
        return -1;
    }
    return -1;
}
