// The printer check's rules with a scripted print dialog and spooler.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "setup/devnames_reader.h"
#include "setup/printer_check.h"

namespace {

const uint32_t kBothChecks = kCheckPortIsFile | kCheckPrinterNotAvailable;

class ScriptedPrinterQuery : public PrinterQuery {
public:
    bool hasDefault = true;
    std::string device = "Office";
    std::string port = "LPT1:";
    PrinterReadResult readResult = PrinterReadResult::Read;
    uint32_t status = 0;

    int defaultCalls = 0;
    std::vector<std::string> readDevices;

    bool DefaultPrinter(DefaultPrinterNames& names) override
    {
        ++defaultCalls;
        if (!hasDefault)
            return false;
        std::strcpy(names.device, device.c_str());
        std::strcpy(names.port, port.c_str());
        return true;
    }
    PrinterReadResult ReadStatus(const char* name, uint32_t& out) override
    {
        readDevices.push_back(name);
        out = status;
        return readResult;
    }
};

TEST(PrinterCheck, FlagsZeroAsksNothing)
{
    ScriptedPrinterQuery query;
    query.hasDefault = false;
    EXPECT_EQ(RunPrinterCheck(0, query), 0);
    EXPECT_EQ(query.defaultCalls, 0);
    EXPECT_TRUE(query.readDevices.empty());
}

TEST(PrinterCheck, NoDefaultPrinterIsRefusedForEveryCheck)
{
    for (uint32_t flags : {kCheckPortIsFile, kCheckPrinterNotAvailable, kBothChecks, 1u}) {
        ScriptedPrinterQuery query;
        query.hasDefault = false;
        EXPECT_EQ(RunPrinterCheck(flags, query), kErrorNoDefaultPrinter) << flags;
        EXPECT_TRUE(query.readDevices.empty());
    }
}

TEST(PrinterCheck, FilePortIsRefusedBeforeThePrinterIsOpened)
{
    ScriptedPrinterQuery query;
    query.port = "FILE:";
    query.status = kPrinterStatusNotAvailable;
    EXPECT_EQ(RunPrinterCheck(kBothChecks, query), kErrorPortIsFile);
    EXPECT_TRUE(query.readDevices.empty());
}

TEST(PrinterCheck, PortTestIsExactAndNeedsItsFlag)
{
    // Only value 4: the port is not looked at and the printer is read.
    ScriptedPrinterQuery fileOnly;
    fileOnly.port = "FILE:";
    EXPECT_EQ(RunPrinterCheck(kCheckPrinterNotAvailable, fileOnly), 0);
    EXPECT_EQ(fileOnly.readDevices, std::vector<std::string>{"Office"});

    for (const char* port : {"file:", "FILE", "FILE: ", "FILE:x", "Ne00:", ""}) {
        ScriptedPrinterQuery query;
        query.port = port;
        EXPECT_EQ(RunPrinterCheck(kBothChecks, query), 0) << '"' << port << '"';
    }
}

TEST(PrinterCheck, EachReadFailureGivesItsNumberWhateverTheFlags)
{
    const struct {
        PrinterReadResult result;
        int32_t error;
    } cases[] = {
        {PrinterReadResult::OpenFailed, kErrorPrinterNotOpened},
        {PrinterReadResult::NoDataSize, kErrorPrinterNotOpened},
        {PrinterReadResult::AllocFailed, kErrorPrinterBlockAlloc},
        {PrinterReadResult::LockFailed, kErrorPrinterBlockLock},
        {PrinterReadResult::ReadFailed, kErrorPrinterNotAvailable},
    };
    for (const auto& c : cases) {
        for (uint32_t flags : {kCheckPortIsFile, kCheckPrinterNotAvailable}) {
            ScriptedPrinterQuery query;
            query.readResult = c.result;
            EXPECT_EQ(RunPrinterCheck(flags, query), c.error)
                << static_cast<int>(c.result) << " flags " << flags;
        }
    }
}

TEST(PrinterCheck, OnlyTheExactNotAvailableStatusIsRefusedAndOnlyWithItsFlag)
{
    const struct {
        uint32_t flags;
        uint32_t status;
        int32_t error;
    } cases[] = {
        {kCheckPrinterNotAvailable, kPrinterStatusNotAvailable, kErrorPrinterNotAvailable},
        {kBothChecks, kPrinterStatusNotAvailable, kErrorPrinterNotAvailable},
        {kCheckPortIsFile, kPrinterStatusNotAvailable, 0},
        {kBothChecks, kPrinterStatusNotAvailable | 0x80, 0},  // with "offline"
        {kBothChecks, 0x1, 0},                                // paused
        {kBothChecks, 0, 0},
    };
    for (const auto& c : cases) {
        ScriptedPrinterQuery query;
        query.status = c.status;
        EXPECT_EQ(RunPrinterCheck(c.flags, query), c.error) << c.flags << " " << c.status;
    }
}

// A DEVNAMES block: header, then the driver, device and port names.
std::vector<unsigned char> DevNames(const std::string& driver, const std::string& device,
                                    const std::string& port)
{
    std::vector<unsigned char> block(8);
    auto put = [&block](size_t field, size_t value) {
        block[2 * field] = static_cast<unsigned char>(value & 0xFF);
        block[2 * field + 1] = static_cast<unsigned char>(value >> 8);
    };
    for (size_t field = 0; field < 3; ++field) {
        const std::string& text = field == 0 ? driver : field == 1 ? device : port;
        put(field, block.size());
        block.insert(block.end(), text.begin(), text.end());
        block.push_back('\0');
    }
    return block;
}

TEST(DevNamesReader, ReadsDeviceAndPortAtTheirOffsets)
{
    const std::vector<unsigned char> block = DevNames("wineps.drv", "Front desk", "/tmp/out.ps");
    DefaultPrinterNames names;
    ASSERT_TRUE(ReadDevNames(block.data(), block.size(), names));
    EXPECT_STREQ(names.device, "Front desk");
    EXPECT_STREQ(names.port, "/tmp/out.ps");
}

TEST(DevNamesReader, RefusesBlocksWhoseNamesLeaveTheBlockOrTheirBuffers)
{
    DefaultPrinterNames names;
    std::vector<unsigned char> block = DevNames("d", "Printer", "FILE:");

    EXPECT_FALSE(ReadDevNames(block.data(), 7, names));  // header cut short
    EXPECT_FALSE(ReadDevNames(nullptr, 100, names));

    // The port's terminator lies outside the block.
    EXPECT_FALSE(ReadDevNames(block.data(), block.size() - 1, names));
    EXPECT_STREQ(names.device, "");

    // An offset past the end, and one into the header.
    std::vector<unsigned char> bad = block;
    bad[4] = 0xFF;
    EXPECT_FALSE(ReadDevNames(bad.data(), bad.size(), names));
    bad = block;
    bad[2] = 2;
    EXPECT_FALSE(ReadDevNames(bad.data(), bad.size(), names));

    // A name of 259 characters fits the 260-byte buffer; 260 do not.
    block = DevNames("d", std::string(kPathBufferSize - 1, 'p'), "LPT1:");
    EXPECT_TRUE(ReadDevNames(block.data(), block.size(), names));
    block = DevNames("d", std::string(kPathBufferSize, 'p'), "LPT1:");
    EXPECT_FALSE(ReadDevNames(block.data(), block.size(), names));
}

}  // namespace
