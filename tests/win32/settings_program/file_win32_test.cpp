// Whole-file reads and writes on a real file system: exact bytes, and each
// failure reported with its cause, the full path and the program's text.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/file_win32.h"
#include "installation.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const char kFolder[] = "C:\\tessary-file-test";

struct Failure {
    CFileException::Cause cause = CFileException::generic;
    std::string path;
    std::string text;
};

template <typename Action>
Failure FailureOf(Action action)
{
    Failure failure;
    try {
        action();
        ADD_FAILURE() << "no file error";
    } catch (CFileException* e) {
        failure.cause = e->m_cause;
        failure.path = e->m_strFileName;
        char text[512] = {};
        if (e->GetErrorText(text, sizeof text))
            failure.text = text;
        e->Delete();
    }
    return failure;
}

TEST(FileWin32, WritesAndReadsExactlyTheBytesGiven)
{
    ScopedFolder folder(kFolder);
    ASSERT_TRUE(folder.Created());
    const std::string path = folder.Path() + "\\devmode0.bin";

    std::vector<uint8_t> bytes(70000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7);
    WriteWholeFile(path, bytes.data(), bytes.size());
    EXPECT_EQ(ReadWholeFile(path), bytes);
    // A bounded read takes a file up to its bound and nothing of a larger one.
    std::vector<uint8_t> bounded = {1};
    EXPECT_TRUE(ReadFileUpTo(path, bytes.size(), bounded));
    EXPECT_EQ(bounded, bytes);
    EXPECT_FALSE(ReadFileUpTo(path, bytes.size() - 1, bounded));
    EXPECT_TRUE(bounded.empty());

    // A shorter write leaves nothing of the longer file behind.
    WriteWholeFile(path, bytes.data(), 3);
    EXPECT_EQ(ReadWholeFile(path), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 3));
    WriteWholeFile(path, nullptr, 0);
    EXPECT_TRUE(PathExists(path));
    EXPECT_TRUE(ReadWholeFile(path).empty());

    // Others may read while the file is read.
    const std::string shared = "shared";
    WriteWhole(path, shared);
    KernelHandle reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    EXPECT_EQ(ReadWholeFile(path), std::vector<uint8_t>(shared.begin(), shared.end()));
}

TEST(FileWin32, FailuresCarryTheirCauseAndTheFullPath)
{
    ScopedFolder folder(kFolder);
    ASSERT_TRUE(folder.Created());
    const std::string missing = folder.Path() + "\\devmode7.bin";
    Failure failure = FailureOf([&] { ReadWholeFile(missing); });
    EXPECT_EQ(failure.cause, CFileException::fileNotFound);
    EXPECT_EQ(failure.path, missing);
    EXPECT_EQ(failure.text, missing + " was not found.");

    const std::string noFolder = folder.Path() + "\\no folder\\devmode0.bin";
    const uint8_t byte = 1;
    failure = FailureOf([&] { WriteWholeFile(noFolder, &byte, 1); });
    EXPECT_EQ(failure.cause, CFileException::badPath);
    EXPECT_EQ(failure.text, noFolder + " contains an invalid path.");

    // A file another program holds without sharing can be neither read
    // nor replaced.
    const std::string held = folder.Path() + "\\held %s.bin";
    WriteWhole(held, "held");
    {
        KernelHandle holder(CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        failure = FailureOf([&] { ReadWholeFile(held); });
        EXPECT_EQ(failure.cause, CFileException::sharingViolation);
        EXPECT_EQ(failure.text,
                  held + " could not be accessed because it is in use by another program.");
        failure = FailureOf([&] { WriteWholeFile(held, &byte, 1); });
        EXPECT_EQ(failure.cause, CFileException::sharingViolation);
    }
    EXPECT_EQ(ReadShared(held), "held");

    // A folder is no file: it can be neither read nor replaced as one.
    failure = FailureOf([&] { WriteWholeFile(folder.Path(), &byte, 1); });
    EXPECT_EQ(failure.cause, CFileException::accessDenied);
    EXPECT_EQ(failure.text, "Access to " + folder.Path() + " was denied.");
    failure = FailureOf([&] { ReadWholeFile(folder.Path()); });
    EXPECT_EQ(failure.cause, CFileException::accessDenied);
}

}  // namespace
