#include "ops/command_lines.h"

#include "link/lasterror.h"
#include "link/term.h"

#include <algorithm>
#include <vector>

int sendLine(const LineSender& send, std::string_view text)
{
    // term builds its packets in the line, so the buffer is never smaller
    // than the largest packet.
    std::vector<char> line(std::max(text.size() + 1, static_cast<std::size_t>(kCommandBufferMin)), '\0');
    std::copy(text.begin(), text.end(), line.begin());
    return send(line.data());
}

bool portFailed(int result)
{
    return result != 0 && GetLastError() == kPortOpenFailed;
}
