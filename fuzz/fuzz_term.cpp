// The command interpreter on any command line and any reply bytes.
// Input: the command line up to the first NUL; the rest is what the servo
// answers, and also the content of the update file "fw".
#include "fuzz/loopback_serial.h"
#include "link/registers.h"
#include "link/term.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Update files live in a folder of our own; "fw" holds the reply bytes.
std::string folder;

void setUp()
{
    char dir[] = "/tmp/orvelin-fuzz-term.XXXXXX";
    if (mkdtemp(dir) == nullptr)
        std::abort();
    folder = dir;
    traceOut = std::fopen("/dev/null", "w");
}

// Puts an upload's path inside the folder: a path elsewhere could name a
// device that blocks. False for paths that would leave it.
bool confineUploadPath(char* line, std::size_t size)
{
    if (line[0] != 'u' && line[0] != 'U')
        return true;
    std::size_t word = std::strcspn(line, " \t\n\v\f\r");
    std::size_t pathAt = line[word] == '\0' ? word : word + 1;
    std::string path = line + pathAt;
    if (path.find('/') != std::string::npos || path.find("..") != std::string::npos)
        return false;
    std::string rewritten = std::string(line, pathAt) + folder + "/" + path;
    if (rewritten.size() >= size)
        return false;
    std::memcpy(line, rewritten.c_str(), rewritten.size() + 1);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static bool ready = (setUp(), true);
    (void)ready;
    const auto* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    std::size_t lineLength = nul != nullptr ? static_cast<std::size_t>(nul - data) : size;
    if (lineLength > 1023)
        return -1;
    char line[1100] = {};
    std::memcpy(line, data, lineLength);
    if (!confineUploadPath(line, sizeof line))
        return -1;
    const uint8_t* rest = nul != nullptr ? nul + 1 : data + size;
    std::size_t restSize = static_cast<std::size_t>(data + size - rest);
    if (FILE* fw = std::fopen((folder + "/fw").c_str(), "wb")) {
        std::fwrite(rest, 1, restSize, fw);
        std::fclose(fw);
    }
    loopback_set_replies(rest, restSize);
    SendID = 0x3F;
    int result = term(line);
    if (loopback_is_open() || (result != 0 && result != -1))
        std::abort();
    return 0;
}
