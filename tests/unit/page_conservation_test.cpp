// Random runs of interleaved jobs: every accepted page is handed over exactly
// once, still held, or gone with an abort; jobs print in the order they
// started; each group holds consecutive pages of one job.
#include <map>
#include <random>

#include "recording_job_effects.h"

namespace {

struct AcceptedPage {
    uint32_t jobOrder;  // which started job, counting from 1
    uint32_t number;    // page number within the job
};

class PageConservation : public EngineTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void ExpectEveryPageAccountedFor(bool allEnded)
    {
        std::map<std::string, int> seen;
        for (const PageList& group : fx.handedOver)
            for (const std::string& path : group.paths)
                ++seen[RecordingJobEffects::BaseName(path)];
        for (const std::string& name : fx.deletedPages)
            ++seen[name];
        for (const std::string& name : kept)
            ++seen[name];
        size_t held = 0;
        for (uint32_t id = 1; id <= 255; ++id) {
            if (const JobRecord* job = FindJob(id)) {
                held += job->HeldPages();
                for (size_t i = 0; i < job->HeldPages(); ++i)
                    ++seen[RecordingJobEffects::BaseName(job->dataTable.Entry(i))];
            }
        }
        if (allEnded) {
            EXPECT_EQ(0u, held);
        }
        for (const auto& entry : seen)
            EXPECT_TRUE(accepted.count(entry.first)) << entry.first << " was never accepted";
        for (const auto& entry : accepted)
            ASSERT_EQ(1, seen[entry.first]) << entry.first;
    }

    void ExpectGroupsInOrder()
    {
        uint32_t lastOrder = 0;
        std::map<uint32_t, uint32_t> nextPage;  // job order -> first page of its next group
        for (const PageList& group : fx.handedOver) {
            ASSERT_FALSE(group.paths.empty());
            const AcceptedPage first = accepted.at(RecordingJobEffects::BaseName(group.paths[0]));
            ASSERT_GE(first.jobOrder, lastOrder) << "a later job printed before an earlier one";
            lastOrder = first.jobOrder;
            uint32_t& expectedFirst = nextPage.emplace(first.jobOrder, 1).first->second;
            ASSERT_EQ(expectedFirst, group.firstPage);
            for (size_t i = 0; i < group.paths.size(); ++i) {
                const AcceptedPage page = accepted.at(RecordingJobEffects::BaseName(group.paths[i]));
                ASSERT_EQ(first.jobOrder, page.jobOrder);
                ASSERT_EQ(group.firstPage + i, page.number);
            }
            expectedFirst += static_cast<uint32_t>(group.paths.size());
        }
    }

    std::map<std::string, AcceptedPage> accepted;
    std::vector<std::string> kept;  // held pages left on disk by an abort
};

TEST_P(PageConservation, NoPageIsLostOrHandedOverTwice)
{
    std::mt19937 rng(GetParam());
    gConfig.JobLimit = 4;
    gConfig.PagesLimit = 7;
    gConfig.b2ndJobPrintbyMethod = static_cast<int32_t>(rng() % 2);

    std::map<uint32_t, uint32_t> orderOfId;  // ids do not wrap in a run this short
    std::map<uint32_t, uint32_t> pagesOfOrder;
    std::vector<uint32_t> hostOpen;  // ids the host has not ended yet
    std::vector<uint32_t> everIssued;
    uint32_t orders = 0;
    int serial = 0;

    for (int step = 0; step < 300; ++step) {
        const unsigned r = rng() % 100;
        if (r < 20) {
            fx.settings.NupPrintSetting = static_cast<uint8_t>(rng() % 10 == 0 ? 3 : rng() % 3);
            fx.settings.SortSetting = static_cast<uint8_t>(rng() % 2);
            fx.printAfterReceivedAllData = rng() % 5 == 0;
            uint32_t id = 0;
            if (StartJob(&id, 1 + rng() % 2)) {
                orderOfId[id] = ++orders;
                hostOpen.push_back(id);
            }
            if (id != 0)
                everIssued.push_back(id);
        } else if (r < 75 && !everIssued.empty()) {
            // Mostly to jobs the host still feeds, now and then to any id.
            const uint32_t id = !hostOpen.empty() && rng() % 5 != 0
                                    ? hostOpen[rng() % hostOpen.size()]
                                    : everIssued[rng() % everIssued.size()];
            std::string name = "s" + std::to_string(++serial);
            if (rng() % 40 == 0)
                name += std::string(DataTable::kMaxPathLength, 'x');
            if (SendData(id, name.c_str()))
                accepted[name] = {orderOfId[id], ++pagesOfOrder[orderOfId[id]]};
        } else if (!hostOpen.empty()) {
            const size_t pick = rng() % hostOpen.size();
            const uint32_t id = hostOpen[pick];
            hostOpen.erase(hostOpen.begin() + static_cast<std::ptrdiff_t>(pick));
            if (r < 90) {
                EndJob(id);
            } else {
                gConfig.RemainScanedDataOnPC = static_cast<int32_t>(rng() % 2);
                const JobRecord* job = FindJob(id);
                if (gConfig.RemainScanedDataOnPC && job && gJobIdTable.IsOpen(id))
                    for (size_t i = 0; i < job->HeldPages(); ++i)
                        kept.push_back(RecordingJobEffects::BaseName(job->dataTable.Entry(i)));
                AbortJob(id);
            }
        }
        ASSERT_EQ(gJobCnt.Count(), gJobTable.Size()) << "step " << step;
        if (const JobRecord* head = gJobTable.Head()) {
            ASSERT_TRUE(gJobIdTable.IsCurrentJob(head->jobId)) << "step " << step;
        }
        ExpectEveryPageAccountedFor(false);
    }
    for (uint32_t id : hostOpen)
        EndJob(id);

    EXPECT_EQ(0u, gJobTable.Size());
    ExpectEveryPageAccountedFor(true);
    ExpectGroupsInOrder();
    for (int32_t systemError : {1, 2, 5, 6, 7, 8, 52})
        EXPECT_FALSE(fx.Reported(systemError)) << "error " << systemError;
    EXPECT_GT(accepted.size(), 50u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PageConservation, ::testing::Range(1u, 41u));

}  // namespace
