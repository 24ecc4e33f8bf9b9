// A HandoffFileSystem for native tests: files kept in memory byte for byte,
// profile writes recorded in order, reports recorded, and failures on demand.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "jobs/handoff_file_system.h"

namespace handoff_test {

struct ProfileWrite {
    std::string path, section, key, value;
};

struct Report {
    int32_t errorNumber;
    uint32_t jobId;
    bool operator==(const Report& o) const
    {
        return errorNumber == o.errorNumber && jobId == o.jobId;
    }
};

class FakeHandoffFiles : public HandoffFileSystem {
public:
    class File : public HandoffFile {
    public:
        File(FakeHandoffFiles& owner, std::string& bytes) : m_owner(owner), m_bytes(bytes)
        {
            ++m_owner.openFiles;
        }
        ~File() override { Close(); }
        bool Write(const char* bytes, size_t size) override
        {
            if (!m_open || ++m_owner.writes == m_owner.failWriteNumber)
                return false;
            m_bytes.append(bytes, size);
            return true;
        }
        bool Close() override
        {
            if (!m_open)
                return true;
            m_open = false;
            --m_owner.openFiles;
            return !m_owner.failClose;
        }

    private:
        FakeHandoffFiles& m_owner;
        std::string& m_bytes;
        bool m_open = true;
    };

    std::unique_ptr<HandoffFile> OpenForWriting(const char* path, bool append) override
    {
        opens.push_back(path);
        if (static_cast<int>(opens.size()) == failOpenNumber)
            return nullptr;
        std::string& bytes = files[path];
        if (!append)
            bytes.clear();
        return std::unique_ptr<HandoffFile>(new File(*this, bytes));
    }

    bool WriteProfileValue(const char* path, const char* section, const char* key,
                           const char* value, uint32_t* error) override
    {
        profileWrites.push_back({path, section, key, value});
        const auto failure = profileFailures.find(key);
        if (failure == profileFailures.end()) {
            *error = 0;
            return true;
        }
        *error = failure->second;
        return false;
    }

    bool RemoveFile(const char* path) override
    {
        removed.push_back(path);
        return files.erase(path) == 1;
    }

    void ReportError(int32_t errorNumber, uint32_t jobId) override
    {
        reports.push_back({errorNumber, jobId});
    }

    std::map<std::string, std::string> files;
    std::vector<std::string> opens;
    std::vector<ProfileWrite> profileWrites;
    std::vector<std::string> removed;
    std::vector<Report> reports;
    int openFiles = 0;
    int writes = 0;

    int failOpenNumber = 0;                       // the n-th open fails (1-based)
    int failWriteNumber = 0;                      // the n-th write fails (1-based)
    bool failClose = false;                       // every close fails
    std::map<std::string, uint32_t> profileFailures;  // key -> last error of its failure
};

}  // namespace handoff_test
