// A JobEffects for native tests: records every effect in the order it
// happened, can be told to fail, and passes error reports on to the
// library's real reporter so that job ids close as they do in the product.
// EngineTest is the fixture the job engine's tests share.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fake_diagnostics.h"
#include "jobs/job_counter.h"
#include "jobs/job_effects.h"
#include "jobs/job_engine.h"
#include "jobs/job_id_table.h"
#include "jobs/job_table.h"
#include "jobs/launcher_state.h"
#include "setup/error_reporter.h"
#include "setup/library_config.h"
#include "shared_formats/launcher_messages.h"

struct PageList {
    uint32_t jobId;
    uint32_t firstPage;
    std::vector<std::string> paths;
};

class RecordingJobEffects : public JobEffects {
public:
    static std::string BaseName(const std::string& path)
    {
        const size_t slash = path.find_last_of('\\');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }

    RecordingJobEffects() { SetJobEffects(this); }
    ~RecordingJobEffects() override { SetJobEffects(nullptr); }

    void WriteLog(int32_t number, const char* text) override
    {
        logs.push_back(std::to_string(number) + "|" + text);
    }
    void ReportError(int32_t errorNumber, uint32_t jobId) override
    {
        errors.push_back(errorNumber);
        events.push_back("error " + std::to_string(errorNumber));
        ::ReportError(errorNumber, jobId);
    }
    bool MovePageFile(const std::string& hostPath, std::string& newPath,
                      std::string& refusalLine, int32_t* errorCode) override
    {
        // As the real move: a data-folder path that would not fit is refused.
        if (hostPath.empty() || unmovable.count(BaseName(hostPath)) ||
            ("Data\\" + BaseName(hostPath)).size() > DataTable::kMaxPathLength) {
            refusalLine = "refused " + hostPath;
            *errorCode = 2;
            events.push_back("refused " + BaseName(hostPath));
            return false;
        }
        moved.push_back(hostPath);
        newPath = "Data\\" + BaseName(hostPath);
        return true;
    }
    bool DeletePageFile(const std::string& path) override
    {
        if (undeletable.count(BaseName(path)))
            return false;
        deletedPages.push_back(BaseName(path));
        return true;
    }
    bool WriteJobSettingsFile(uint32_t jobId, uint32_t, const PrintSettings&) override
    {
        if (failSettingsFile) {
            ReportError(3, jobId);
            return false;
        }
        events.push_back("settings " + std::to_string(jobId));
        return true;
    }
    bool WritePageListFile(uint32_t jobId, uint32_t firstPage,
                           const std::vector<std::string>& paths) override
    {
        if (pageListFailures > 0) {
            --pageListFailures;
            ReportError(33, jobId);
            return false;
        }
        pageLists.push_back({jobId, firstPage, paths});
        events.push_back("list " + std::to_string(jobId) + ":" + std::to_string(firstPage));
        return true;
    }
    void DeleteHandoffFile(uint32_t jobId, uint32_t page) override
    {
        events.push_back("delete handoff " + std::to_string(jobId) + ":" + std::to_string(page));
    }
    bool PageListsWait(uint32_t jobId) override { return idsWithFiles.count(jobId) != 0; }
    bool ClaimJobId(uint32_t jobId) override
    {
        if (idsClaimedElsewhere.count(jobId) != 0)
            return false;
        claimed.insert(jobId);
        return true;
    }
    void ReleaseJobId(uint32_t jobId) override { claimed.erase(jobId); }
    bool CreateLauncher() override
    {
        events.push_back("create launcher");
        return launcherStarts;
    }
    bool PostToLauncher(uint32_t wParam, uint32_t lParam, uint32_t message) override
    {
        if (gbLuncherExist == 0) {
            ReportError(10, 0);
            return false;
        }
        std::string text = message == LM_PRINT     ? "print "
                           : message == LM_SUSPEND ? "suspend"
                           : message == LM_RESUME  ? "resume"
                                                   : "delete";
        if (message == LM_PRINT)
            text += std::to_string(wParam) + ":" + std::to_string(lParam);
        if (message == LM_PRINT && printPostFailures > 0) {
            --printPostFailures;
            events.push_back("failed " + text);
            ReportError(40, 0);  // the poster could not start a new launcher
            return false;
        }
        events.push_back(text);
        if (message == LM_PRINT)
            handedOver.push_back(LastListFor(wParam, lParam));
        return true;
    }
    int32_t CheckPrinter(uint32_t) override { return printerError; }
    int32_t ReadPrintAfterReceivedAllData() override { return printAfterReceivedAllData; }
    bool ReadPrintSetting(PrintSettings& s) override
    {
        s = settings;
        return true;
    }

    // Each posted group as "job:first page=name name ...".
    std::vector<std::string> Groups() const
    {
        std::vector<std::string> out;
        for (const PageList& list : handedOver) {
            std::string text = std::to_string(list.jobId) + ":" + std::to_string(list.firstPage) + "=";
            for (size_t i = 0; i < list.paths.size(); ++i)
                text += (i ? " " : "") + BaseName(list.paths[i]);
            out.push_back(text);
        }
        return out;
    }
    size_t Count(const std::string& event) const
    {
        size_t n = 0;
        for (const std::string& e : events)
            n += e == event;
        return n;
    }
    bool Logged(const std::string& line) const
    {
        for (const std::string& l : logs)
            if (l == line)
                return true;
        return false;
    }
    bool Reported(int32_t errorNumber) const
    {
        for (int32_t e : errors)
            if (e == errorNumber)
                return true;
        return false;
    }

    // Knobs.
    PrintSettings settings{4, 0, 1, 0, 0, 1, 0};
    int32_t printAfterReceivedAllData = 0;
    int32_t printerError = 0;
    bool launcherStarts = true;
    bool failSettingsFile = false;
    int pageListFailures = 0;
    int printPostFailures = 0;  // LM_PRINT posts that fail even after a restart
    std::set<std::string> undeletable;
    std::set<std::string> unmovable;     // page files MovePageFile refuses
    std::set<uint32_t> idsWithFiles;     // ids whose hand-off files still wait
    std::set<uint32_t> idsClaimedElsewhere;  // ids another process holds
    std::set<uint32_t> claimed;              // ids this process holds

    // Records.
    std::vector<std::string> events;
    std::vector<std::string> logs;
    std::vector<int32_t> errors;
    std::vector<std::string> moved;
    std::vector<std::string> deletedPages;
    std::vector<PageList> pageLists;
    std::vector<PageList> handedOver;

private:
    PageList LastListFor(uint32_t jobId, uint32_t firstPage) const
    {
        for (auto it = pageLists.rbegin(); it != pageLists.rend(); ++it)
            if (it->jobId == jobId && it->firstPage == firstPage)
                return *it;
        return {jobId, firstPage, {"<no page list written>"}};
    }
};

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetJobState();
        gConfig = ConfigRecord{};
        gConfig.JobLimit = 99;
        gConfig.CopiesLimit = 999;
        gConfig.PagesLimit = 999;
        gConfig.b2ndJobPrintbyMethod = 1;
        gConfig.PrintOutCheckFlags = 6;
    }
    void TearDown() override { ResetJobState(); }

    uint32_t Start(uint32_t copies = 1, uint8_t nup = 0)
    {
        fx.settings.NupPrintSetting = nup;
        uint32_t id = 0;
        EXPECT_TRUE(StartJob(&id, copies));
        return id;
    }
    void Send(uint32_t id, std::initializer_list<const char*> pages)
    {
        for (const char* page : pages)
            EXPECT_TRUE(SendData(id, page)) << "page " << page << " of job " << id;
    }

    FakeDiagnostics diagnostics;
    RecordingJobEffects fx;
};
