// An update file read into an image for uploadImage, with the checks the
// "u" command makes before it sends anything.
#pragma once

#include <string_view>
#include <vector>

// Longest path the upload takes.
inline constexpr int kUploadPathMax = 255;

enum class UpdateFileStatus {
    Read,
    PathTooLong,   // more than kUploadPathMax characters
    Missing,       // nothing by that name
    NotPlainFile,  // a folder, a FIFO, a device: opening a FIFO would wait for a
                   // writer for ever, and a device never ends
    Unreadable,    // it cannot be examined, opened or read
};

struct UpdateFile {
    UpdateFileStatus status = UpdateFileStatus::Read;
    // Read: the file's bytes, at most kUploadMaxBytes + 1 of them; that is
    // enough for uploadImage to refuse a longer file as too long.
    std::vector<unsigned char> image;
};

UpdateFile readUpdateFile(std::string_view path);
