#include "link/upload.h"

#include "link/lasterror.h"
#include "link/term.h"
#include "link/trace.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

upload_progress progressObserver = nullptr;

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

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

// One chunk: up to five sends, each followed by up to five one-byte reads for the acknowledge.
bool sendChunk(serial_handle h, const unsigned char* packet, int length)
{
    for (int attempt = 1; attempt <= kChunkAttempts; ++attempt) {
        AckReply reply = uploadChunkExchange(h, packet, length, [](int empty) {
            tracef("ReadFile retry #%d\n", empty);
            SetLastError(kUploadNoAck);
        });
        if (reply.status == ReplyStatus::Whole)
            return true;
        if (reply.status == ReplyStatus::Refused) {
            tracef("WriteFile retry #%d\n", attempt);
            SetLastError(kUploadRejected);
        }
        if (attempt == kChunkAttempts)
            tracef("retry failed\n");
    }
    return false;
}

}  // namespace

void set_upload_progress(upload_progress progress)
{
    progressObserver = progress;
}

int uploadFirmware(serial_handle h, int id, const char* line, unsigned char* buf)
{
    char path[kUploadPathMax + 1];
    const char* from = pathOf(line);
    if (std::strlen(from) > static_cast<std::size_t>(kUploadPathMax))
        return fail(kUploadOpenFailed);
    std::strcpy(path, from);

    // Only a plain file is an update file: opening a FIFO would wait for a
    // writer for ever, and a device never ends.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return fail(kUploadOpenFailed);
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return fail(kUploadOpenFailed);

    // The whole image is checked before the first chunk goes out: a corrupt or
    // oversized file must not be half-written into the servo.
    unsigned char image[kUploadMaxBytes + 1];
    std::size_t size = std::fread(image, 1, sizeof image, file.get());
    if (std::ferror(file.get()))
        return fail(kUploadOpenFailed);
    if (size > static_cast<std::size_t>(kUploadMaxBytes)) {
        tracef("too long\n");
        return fail(kUploadNot7Bit);
    }
    for (std::size_t k = 0; k < size; ++k) {
        if (image[k] & kHeaderBit) {
            tracef("not 7bit\n");
            return fail(kUploadNot7Bit);
        }
    }

    int address = kFirstChunkAddress;
    for (std::size_t offset = 0;; offset += kChunkBytes) {
        std::size_t left = offset < size ? size - offset : 0;
        int n = static_cast<int>(left < kChunkBytes ? left : kChunkBytes);
        traceChar('.');
        std::fflush(traceOut);
        if (n == 0)
            break;
        int length = buildUploadChunk(buf, id, address, image + offset, n);
        if (!sendChunk(h, buf, length))
            return -1;
        address += kChunkBytes;
        if (progressObserver != nullptr && !progressObserver(static_cast<long>(offset) + n, static_cast<long>(size)))
            return -1;
    }
    return 0;
}
