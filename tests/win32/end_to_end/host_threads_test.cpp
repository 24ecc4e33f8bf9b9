// A host that calls the library from several threads at once: two threads
// feeding one job, and threads that start, feed, end and abort jobs side by
// side. Each call must behave as if the calls had come one after the other:
// no page lost, taken twice or refused, no box, no log line lost.
#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "end_to_end_fixture.h"

namespace {

const int kFeedingThreads = 2;
const int kPagesPerFeedingThread = 40;
const int kFeedingRounds = 3;  // jobs of 80 pages, one after the other
const int kJobThreads = 4;
const int kJobsPerThread = 20;

// Runs body(thread) on `count` threads that are released together, and
// waits until every one has returned.
template <typename Body>
void RunTogether(int count, Body body)
{
    std::atomic<int> notStarted{count};
    std::vector<std::thread> threads;
    for (int thread = 0; thread < count; ++thread) {
        threads.emplace_back([&notStarted, &body, thread] {
            --notStarted;
            while (notStarted.load() > 0)
                std::this_thread::yield();
            body(thread);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
}

// How often each data-folder file was named in a page list the launcher read.
std::map<std::string, int> HandedOverPages(const LauncherRecord& record)
{
    std::map<std::string, int> pages;
    for (const LauncherMessage& message : record.messages) {
        if (message.number != kPrintMessage)
            continue;
        for (size_t i = 1; i < message.pageList.size(); ++i)
            ++pages[message.pageList[i]];
    }
    return pages;
}

size_t CountLogLines(const std::vector<LogLine>& log, int number, const std::string& text)
{
    size_t count = 0;
    for (const LogLine& line : log)
        count += line.number == number && line.text == text ? 1 : 0;
    return count;
}

size_t CountLogLinesStartingWith(const std::vector<LogLine>& log, const std::string& prefix)
{
    size_t count = 0;
    for (const LogLine& line : log)
        count += line.text.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    return count;
}

std::string Describe(const std::vector<SeenBox>& boxes)
{
    std::string text;
    for (const SeenBox& box : boxes)
        text += "\n  \"" + box.caption + "\": \"" + box.text + "\"";
    return text;
}

class HostThreads : public EndToEndTest {
protected:
    // Every page of `sent` reached the launcher exactly once, from the data
    // folder and with its own content, each in a group of its own (the
    // default settings print every page at once); no other page did.
    void ExpectEachPageHandedOverOnce(const LauncherRecord& record,
                                      const std::vector<std::string>& sent)
    {
        std::map<std::pair<unsigned long, unsigned long>, int> groups;
        for (const LauncherMessage& message : record.messages)
            groups[{message.wParam, message.lParam}] += message.number == kPrintMessage ? 1 : 0;
        size_t groupsPostedTwice = 0;
        size_t pagesPosted = 0;
        for (const auto& group : groups) {
            groupsPostedTwice += group.second > 1 ? 1 : 0;
            pagesPosted += group.second;
        }
        EXPECT_EQ(groupsPostedTwice, 0u) << "groups (job, first page) posted more than once";
        EXPECT_EQ(pagesPosted, sent.size()) << "LM_PRINT messages";

        std::map<std::string, int> handedOver = HandedOverPages(record);
        size_t lost = 0;
        size_t twice = 0;
        size_t spoilt = 0;
        for (const std::string& name : sent) {
            const auto found = handedOver.find(DataPath(name));
            if (found == handedOver.end()) {
                ++lost;
                continue;
            }
            twice += found->second > 1 ? 1 : 0;
            spoilt += ReadShared(found->first) != "page " + name ? 1 : 0;
            handedOver.erase(found);
        }
        EXPECT_EQ(lost, 0u) << "of " << sent.size() << " accepted pages";
        EXPECT_EQ(twice, 0u) << "pages handed over more than once";
        EXPECT_EQ(spoilt, 0u) << "pages whose file is missing or holds another page";
        EXPECT_TRUE(handedOver.empty()) << handedOver.size()
                                        << " page list entries name no accepted page, e.g. "
                                        << handedOver.begin()->first;
    }
};

TEST_F(HostThreads, TwoThreadsFeedingOneJobLoseNoPage)
{
    LoadAndInit();
    std::vector<std::string> accepted;
    size_t refused = 0;
    for (int round = 1; round <= kFeedingRounds; ++round) {
        const int id = StartJob();
        ASSERT_NE(id, 0);
        // The scanner wrote every page before the threads hand them in.
        std::vector<std::vector<std::string>> names(kFeedingThreads);
        for (int thread = 0; thread < kFeedingThreads; ++thread) {
            for (int page = 1; page <= kPagesPerFeedingThread; ++page) {
                names[thread].push_back("r" + std::to_string(round) + "t" +
                                        std::to_string(thread) + "p" + std::to_string(page) +
                                        ".tif");
                WriteWhole(HostPath(names[thread].back()), "page " + names[thread].back());
            }
        }
        std::vector<std::vector<int>> results(kFeedingThreads);
        RunTogether(kFeedingThreads, [&](int thread) {
            for (const std::string& name : names[thread])
                results[thread].push_back(m_sendData(id, HostPath(name).c_str()));
        });
        ASSERT_EQ(m_endJob(id), 1) << "round " << round;
        for (int thread = 0; thread < kFeedingThreads; ++thread) {
            for (size_t i = 0; i < names[thread].size(); ++i) {
                if (results[thread][i] == 1)
                    accepted.push_back(names[thread][i]);
                else
                    ++refused;
            }
        }
    }
    const LauncherRecord record = Unload();

    const size_t all = kFeedingRounds * kFeedingThreads * kPagesPerFeedingThread;
    EXPECT_EQ(refused, 0u) << "of " << all << " pages refused";
    ExpectEachPageHandedOverOnce(record, accepted);
    EXPECT_EQ(record.processes.size(), 1u);
    const std::vector<SeenBox> boxes = TakeBoxes();
    EXPECT_TRUE(boxes.empty()) << boxes.size() << " boxes:" << Describe(boxes);
    const std::vector<LogLine> log = LogLines();
    EXPECT_EQ(CountLogLines(log, 1020, " OK JP_SendData"), all);
    EXPECT_EQ(CountLogLinesStartingWith(log, "---- JP_SendData("), all);
    EXPECT_EQ(CountLogLinesStartingWith(log, "==>Luncher : Print Out Data by 1job 1page instantly"),
              all);
}

TEST_F(HostThreads, ThreadsStartingAndEndingJobsAtOnceKeepEveryJobAndPage)
{
    LoadAndInit();
    struct ThreadResults {
        std::vector<std::string> accepted;
        std::vector<int> ids;
        size_t failedCalls = 0;
    };
    std::vector<ThreadResults> results(kJobThreads);
    RunTogether(kJobThreads, [&](int thread) {
        ThreadResults& mine = results[thread];
        for (int job = 1; job <= kJobsPerThread; ++job) {
            int id = 0;
            if (m_startJob(&id, 1) != 1) {
                ++mine.failedCalls;
                continue;
            }
            mine.ids.push_back(id);
            const std::string name =
                "t" + std::to_string(thread) + "j" + std::to_string(job) + ".tif";
            WriteWhole(HostPath(name), "page " + name);
            if (m_sendData(id, HostPath(name).c_str()) == 1)
                mine.accepted.push_back(name);
            else
                ++mine.failedCalls;
            // Now and then a job that is started and given up before any page.
            if (job % 4 == 0) {
                int dropped = 0;
                if (m_startJob(&dropped, 1) != 1 || m_abortJob(dropped) != 1)
                    ++mine.failedCalls;
            }
            mine.failedCalls += m_endJob(id) == 1 ? 0 : 1;
        }
    });
    const LauncherRecord record = Unload();

    std::vector<std::string> accepted;
    std::map<int, int> idUses;
    size_t failedCalls = 0;
    for (const ThreadResults& mine : results) {
        accepted.insert(accepted.end(), mine.accepted.begin(), mine.accepted.end());
        for (int id : mine.ids)
            ++idUses[id];
        failedCalls += mine.failedCalls;
    }
    const size_t jobs = kJobThreads * kJobsPerThread;
    const size_t dropped = kJobThreads * (kJobsPerThread / 4);
    EXPECT_EQ(failedCalls, 0u);
    EXPECT_EQ(accepted.size(), jobs);
    // Far fewer jobs than ids: each job got an id of its own.
    EXPECT_EQ(idUses.size(), jobs) << "jobs given an id another job had";
    ExpectEachPageHandedOverOnce(record, accepted);
    EXPECT_EQ(record.processes.size(), 1u) << "launchers started";
    const std::vector<SeenBox> boxes = TakeBoxes();
    EXPECT_TRUE(boxes.empty()) << boxes.size() << " boxes:" << Describe(boxes);
    const std::vector<LogLine> log = LogLines();
    EXPECT_EQ(CountLogLines(log, 1020, " OK JP_StartJob"), jobs + dropped);
    EXPECT_EQ(CountLogLines(log, 1020, " OK JP_SendData"), jobs);
    EXPECT_EQ(CountLogLines(log, 1020, " OK JP_EndJob"), jobs);
    EXPECT_EQ(CountLogLines(log, 1020, " OK JP_AbortJob"), dropped);
    EXPECT_EQ(CountLogLinesStartingWith(log, "---{ JP_StartJob() was Called"), jobs + dropped);
}

}  // namespace
