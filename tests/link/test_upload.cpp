// The "u" command and the typed upload beneath it: chunks, acknowledges,
// retries and refusals.
#include "link/firmware_upload.h"
#include "link/lasterror.h"
#include "link/update_file.h"
#include "tests/link/link_test.h"
#include "link/upload.h"

#include <utility>

using Bytes = std::vector<uint8_t>;
using Packets = std::vector<std::string>;

namespace {

Bytes counting(std::size_t n)
{
    Bytes b(n);
    for (std::size_t k = 0; k < n; ++k)
        b[k] = static_cast<uint8_t>(k & 0x7F);
    return b;
}

}  // namespace

TEST_F(LinkTest, UploadOfThreeBytesIsOneChecksummedPacket)
{
    TempFile file({0x01, 0x02, 0x03});
    auto r = runTerm("u " + file.path());
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.trace, "..");
    EXPECT_EQ(servo.packets(1), Packets{"BF 03 00 20 01 02 03 5A"});
}

TEST_F(LinkTest, UploadOfSeventeenBytesEndsWithAOneByteChunk)
{
    TempFile file(counting(17));
    auto r = runTerm("U " + file.path());
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.trace, "...");
    auto sent = servo.packets(2);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].size(), 21u * 3 - 1);
    EXPECT_EQ(sent[0].substr(0, 12), "BF 10 00 20 ");
    EXPECT_EQ(sent[1], "BF 01 10 20 10 40");
}

TEST_F(LinkTest, EmptyUpdateFileSendsNothing)
{
    TempFile file({});
    auto r = runTerm("u " + file.path());
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.trace, ".");
    runTerm("s");
    EXPECT_EQ(servo.packets(1), Packets{"BF 41 4F 01"});
}

TEST_F(LinkTest, PathMayContainSpaces)
{
    TempFile file({0x01, 0x02, 0x03}, " with space.upd");
    EXPECT_EQ(runTerm("upload " + file.path()).result, 0);
    EXPECT_EQ(servo.packets(1), Packets{"BF 03 00 20 01 02 03 5A"});
}

TEST_F(LinkTest, RejectingServoGetsFiveAttemptsThenTheUploadFails)
{
    servo.control("reject 100");
    TempFile file({0x01, 0x02, 0x03});
    auto r = runTerm("u " + file.path());
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.lastError, kUploadRejected);
    EXPECT_EQ(r.trace, ".WriteFile retry #1\nWriteFile retry #2\nWriteFile retry #3\nWriteFile retry #4\n"
                       "WriteFile retry #5\nretry failed\n");
    EXPECT_EQ(servo.packets(5), Packets(5, "BF 03 00 20 01 02 03 5A"));
}

TEST_F(LinkTest, SilentServoGetsFiveReadsPerAttempt)
{
    servo.control("silent 1");
    TempFile file({0x01, 0x02, 0x03});
    auto r = runTerm("u " + file.path());
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.lastError, kUploadNoAck);
    EXPECT_EQ(countOf(r.trace, "ReadFile retry #"), 25);
    EXPECT_EQ(countOf(r.trace, "ReadFile retry #5\n"), 5);
    EXPECT_TRUE(r.trace.ends_with("retry failed\n")) << r.trace;
}

TEST_F(LinkTest, RetriedChunkThatGetsThroughSucceeds)
{
    servo.control("reject 2");
    TempFile file(counting(20));
    auto r = runTerm("u " + file.path());
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(countOf(r.trace, "WriteFile retry #"), 2);
    // The code of the retry stays behind; it means something only with -1.
    EXPECT_EQ(r.lastError, kUploadRejected);
}

TEST_F(LinkTest, AcknowledgeWithBitSixClearIsAcceptance)
{
    servo.control("ack 3F");
    TempFile file({0x01, 0x02, 0x03});
    EXPECT_EQ(runTerm("u " + file.path()).result, 0);
}

TEST_F(LinkTest, RefusedFilesSendNothing)
{
    Bytes first = counting(40);
    first[0] = 0x80;
    Bytes last = counting(40);
    last[39] = 0xFF;
    TempFile notSevenBitFirst(first);
    TempFile notSevenBitLast(last);
    TempFile tooLong(counting(kUploadMaxBytes + 1));
    struct Case {
        std::string line;
        uint32_t code;
        std::string trace;
    } cases[] = {
        {"u " + notSevenBitFirst.path(), kUploadNot7Bit, "not 7bit\n"},
        {"u " + notSevenBitLast.path(), kUploadNot7Bit, "not 7bit\n"},
        {"u " + tooLong.path(), kUploadNot7Bit, "too long\n"},
        {"u " + tooLong.path() + ".missing", kUploadOpenFailed, ""},
        {"u", kUploadOpenFailed, ""},
        {"u " + std::string(300, 'a'), kUploadOpenFailed, ""},
    };
    for (const auto& c : cases) {
        auto r = runTerm(c.line);
        EXPECT_EQ(r.result, -1) << c.line;
        EXPECT_EQ(r.lastError, c.code) << c.line;
        EXPECT_EQ(r.trace, c.trace) << c.line;
    }
    runTerm("s");
    EXPECT_EQ(servo.packets(1), Packets{"BF 41 4F 01"});
}

TEST_F(LinkTest, LargestImageFillsTheChunkAddressSpace)
{
    TempFile file(counting(kUploadMaxBytes));
    auto r = runTerm("u " + file.path());
    EXPECT_EQ(r.result, 0);
    auto sent = servo.packets(768);
    ASSERT_EQ(sent.size(), 768u);
    // The last chunk goes to 0x3FF0: groups 70 7F.
    EXPECT_EQ(sent.back().substr(0, 12), "BF 10 70 7F ");
}

// The typed exchange under the interpreter: what it returns.
namespace {

UploadResult uploadOnce(const Bytes& image, const UploadProgress& progress = {})
{
    serial_handle h = openPortInForce();
    UploadResult result = uploadImage(h, SendID, image, progress);
    serial_close(h);
    return result;
}

// The packets the servo got, checked to end where the upload ended: a fixed
// packet sent afterwards comes next.
Packets packetsUpTo(ServoLink& servo, std::size_t count)
{
    runTerm("s");
    Packets sent = servo.packets(count + 1);
    EXPECT_EQ(sent.size(), count + 1);
    EXPECT_EQ(sent.back(), "BF 41 4F 01");
    sent.pop_back();
    return sent;
}

}  // namespace

TEST_F(LinkTest, ImageUploadIsDoneWithProgressAfterEveryChunk)
{
    std::vector<std::pair<long, long>> told;
    UploadResult r = uploadOnce(counting(20), [&](long sent, long total) {
        told.emplace_back(sent, total);
        return true;
    });
    EXPECT_EQ(r.status, UploadStatus::Done);
    EXPECT_EQ(r.sent, 20);
    EXPECT_EQ(r.total, 20);
    EXPECT_EQ(told, (std::vector<std::pair<long, long>>{{16, 20}, {20, 20}}));
    Packets sent = packetsUpTo(servo, 2);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].substr(0, 12), "BF 04 10 20 ");
}

TEST_F(LinkTest, ImageUploadNamesTheChunkItGaveUpOnByItsLastAttempt)
{
    struct Case {
        std::vector<std::string> faults;
        UploadStatus status;
        unsigned char ack;
    } cases[] = {
        {{"ignore 5"}, UploadStatus::NoAcknowledge, 0x00},
        {{"reject 5"}, UploadStatus::Refused, kAckRefused},
        {{"ignore 4", "reject 1"}, UploadStatus::Refused, kAckRefused},
    };
    for (const auto& c : cases) {
        servo.mark();
        // The faults begin with the second chunk.
        UploadResult r = uploadOnce(counting(40), [&](long, long) {
            for (const auto& fault : c.faults)
                servo.control(fault);
            return true;
        });
        EXPECT_EQ(r.status, c.status) << c.faults[0];
        EXPECT_EQ(r.address, 0x1010) << c.faults[0];
        EXPECT_EQ(r.ack, c.ack) << c.faults[0];
        EXPECT_EQ(r.sent, 16) << c.faults[0];
        EXPECT_EQ(packetsUpTo(servo, 1 + kChunkAttempts).size(), 1u + kChunkAttempts) << c.faults[0];
    }
}

TEST_F(LinkTest, ImageUploadStopsWhereTheProgressCallbackSaysSo)
{
    UploadResult r = uploadOnce(counting(40), [](long, long) { return false; });
    EXPECT_EQ(r.status, UploadStatus::Stopped);
    EXPECT_EQ(r.sent, 16);
    EXPECT_EQ(r.total, 40);
    EXPECT_EQ(packetsUpTo(servo, 1).size(), 1u);
}

TEST_F(LinkTest, RefusedImagesSendNothing)
{
    Bytes high = counting(40);
    high[39] = 0xFF;
    UploadResult notSevenBit = uploadOnce(high);
    EXPECT_EQ(notSevenBit.status, UploadStatus::NotSevenBit);
    EXPECT_EQ(notSevenBit.offset, 39);
    EXPECT_EQ(notSevenBit.byte, 0xFF);
    UploadResult tooLong = uploadOnce(counting(kUploadMaxBytes + 1));
    EXPECT_EQ(tooLong.status, UploadStatus::TooLong);
    EXPECT_EQ(tooLong.total, kUploadMaxBytes + 1);
    UploadResult empty = uploadOnce({});
    EXPECT_EQ(empty.status, UploadStatus::Done);
    EXPECT_EQ(empty.sent, 0);
    EXPECT_TRUE(packetsUpTo(servo, 0).empty());
}

TEST(LinkUpdateFile, ReadsAPlainFileAndRefusesAnythingElse)
{
    TempFile file({0x01, 0x02, 0x03});
    TempFile huge(counting(kUploadMaxBytes + 100));
    EXPECT_EQ(readUpdateFile(file.path()).image, (Bytes{0x01, 0x02, 0x03}));
    EXPECT_EQ(readUpdateFile(huge.path()).image.size(), static_cast<std::size_t>(kUploadMaxBytes) + 1);
    TempFolder folder;
    EXPECT_EQ(readUpdateFile(folder.path()).status, UpdateFileStatus::NotPlainFile);
    EXPECT_EQ(readUpdateFile(folder.file("missing")).status, UpdateFileStatus::Missing);
    EXPECT_EQ(readUpdateFile(std::string(kUploadPathMax + 1, 'a')).status, UpdateFileStatus::PathTooLong);
}
