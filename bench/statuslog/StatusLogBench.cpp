// A run whose bridge rules report at every load position, as a reference collection over
// standard vehicles does: worker threads post the rules' lines to the real main window
// while its event loop runs. Prints the lines the log ends with, the memory the process
// took on the way, and the longest the window went without a turn of its event loop.
// Usage: qel_statuslog_bench [LINES] (default 638,896), under QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/AppMain.h"
#include "app/MainFrame.h"
#include "app/OutputWnd.h"
#include "app/QELApp.h"
#include "app/doc/PostingFeedback.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "platform/base/Messages.h"

namespace {

// kB, from /proc/self/status.
long StatusField(const char* name)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(name) + ":";
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + key.size());
    return -1;
}

// Four threads, each running three load models with a two-part rule (lane load, then the
// allowance) over bridges of 10 to 59 m, one line per part at every position.
// Returns the number of lines posted.
long PostLikeARun(long nLines)
{
    constexpr int kThreads = 4;
    constexpr int kModels = 3;
    constexpr int kBridges = 50;
    const long perThread = nLines / kThreads;
    std::vector<std::thread> threads;
    std::atomic<long> total{0};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t, perThread, &total] {
            std::vector<std::unique_ptr<CLoadModel>> models;
            for (int m = 0; m < kModels; ++m) {
                auto lm = std::make_unique<CLoadModel>(1, L"Vehicle " + std::to_wstring(t * kModels + m));
                lm->AddUDL(1.0);
                lm->AddPointLoad(100.0, 0.0, 0.0);
                lm->AddPartialUDL(1.0, 0.0, 5.0);
                lm->m_bAppliesR = false;
                lm->m_bAdjustToBridge = true;
                lm->m_lmBridge = BR_A36_UDL_DLA;
                models.push_back(std::move(lm));
            }
            const long perRun = std::max(1L, perThread / (kModels * kBridges * 2));
            long posted = 0;
            const CPostingFeedback toWindow(nullptr);
            for (int b = 0; b < kBridges && posted < perThread; ++b) {
                const auto bridge = std::make_shared<CBridge>(1, L"Bridge", BC_ONESPAN, 10.0 + b);
                for (auto& lm : models)
                    for (long p = 0; p < perRun && posted < perThread; ++p, posted += 2)
                        lm->AdjustToBridge(bridge, toWindow);
            }
            total += posted;
        });
    for (auto& th : threads)
        th.join();
    return total;
}

}

int main(int argc, char** argv)
{
    const long nLines = argc > 1 ? std::atol(argv[1]) : 638896;
    int qargc = 1;
    return RunQELApplication(qargc, argv, [nLines](CQELApp& app) {
        QTimer::singleShot(200, [&app, nLines] {
            CMainFrame* frame = app.GetMainFrame();
            QListWidget* list = frame->GetOutputWnd()->GetList();
            const long rssBefore = StatusField("VmRSS");

            // The window's turns: a timer that should fire every 10 ms.
            QElapsedTimer clock;
            clock.start();
            qint64 last = 0;
            qint64 longest = 0;
            QTimer tick;
            QObject::connect(&tick, &QTimer::timeout, [&] {
                const qint64 now = clock.elapsed();
                longest = std::max(longest, now - last);
                last = now;
            });
            tick.start(10);

            std::atomic<bool> done{false};
            long posted = 0;
            std::thread worker([&] {
                posted = PostLikeARun(nLines);
                PostMainWindowMessage(RegisterWindowMessage(L"UWM_ADD_STATUS"), 0, 0,
                                      MakePayload(std::wstring(L"bench done")));
                done = true;
            });
            long peakDuring = 0;
            while (!(done && list->count() > 0 && list->item(list->count() - 1)->text().endsWith("bench done"))) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                peakDuring = std::max(peakDuring, StatusField("VmRSS"));
            }
            const qint64 total = clock.elapsed();
            worker.join();
            tick.stop();
            QCoreApplication::processEvents();
            std::printf("lines posted:       %ld\n", posted + 1);
            std::printf("lines in the pane:  %d\n", list->count());
            std::printf("last lines:\n");
            for (int i = std::max(0, list->count() - 6); i < list->count(); ++i)
                std::printf("  %s\n", list->item(i)->text().toUtf8().constData());
            std::printf("resident before:    %ld kB\n", rssBefore);
            std::printf("resident at most:   %ld kB (+%ld kB)\n", peakDuring, peakDuring - rssBefore);
            std::printf("resident after:     %ld kB (+%ld kB)\n", StatusField("VmRSS"),
                        StatusField("VmRSS") - rssBefore);
            std::printf("time to the last line shown: %lld ms\n", static_cast<long long>(total));
            std::printf("longest gap between turns of the event loop: %lld ms\n", static_cast<long long>(longest));
            frame->close();
        });
    });
}
