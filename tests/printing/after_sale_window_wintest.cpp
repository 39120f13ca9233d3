// The after-sale step on the real main window: the summary dialog driven by its control
// ids, and the automatic path; print jobs, closing sequences and mail links are recorded.
#include "printing/after_sale_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payment/commit_window.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"

namespace {

using print::JobResult;
using Jobs = std::vector<std::string>;

Jobs g_jobs;  // "<printer> <kind> +<extra copies>", " closing" after each copy that sent it
JobResult g_answer;
std::vector<std::string> g_links;

// One copy from the print dialog plus the extra ones, each followed by afterCopy.
JobResult RecordJob(HWND, print::PrinterChoice choice, int kind, const print::DrawPage&,
                    const print::AfterCopy& afterCopy, int extraCopies) {
    const char* const printers[] = {"receipt", "kitchen", "document"};
    g_jobs.push_back(std::string(printers[static_cast<int>(choice)]) + " " + std::to_string(kind) + " +" +
                     std::to_string(extraCopies));
    if (g_answer == JobResult::Printed && afterCopy)
        for (int copy = 0; copy < 1 + extraCopies; ++copy) afterCopy();
    return g_answer;
}
void RecordClosingSequence() { g_jobs.back() += " closing"; }
bool RecordLink(HWND, const char* link) { return g_links.emplace_back(link), false; }  // no mail program

class AfterSaleTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        g_jobs.clear(), g_links.clear(), g_answer = JobResult::Printed;
        print::g_afterSaleOutputs = {RecordJob, RecordClosingSequence, RecordLink};
        g_app.basket.SetNumber(1234), g_app.basket.SetTotal(12.5);
        g_saleTender = {20, 7.5};
    }
    void TearDown() override {
        print::g_afterSaleOutputs = print::kRealAfterSaleOutputs;
        g_saleTender = {};
        MainWindowFixture::TearDown();
    }
    // Option [12], switches [0], [20] and [122]; no drawer and no pole display.
    static void Settings(std::int64_t printDirectly, int automatic, int twoCopies, int kitchen) {
        g_app.live.SetOption(12, printDirectly), g_app.live.SetSwitch(0, automatic);
        g_app.live.SetSwitch(20, twoCopies), g_app.live.SetSwitch(122, kitchen);
        g_app.live.SetOption(17, 0), g_app.live.SetSwitch(100, 0);
    }
};

// Each document printed from the summary, and the order e-mail, are the end-to-end day at the till's.
TEST_F(AfterSaleTest, TheSummaryPrintsAndStaysOpenUntilOkWithTheFocusBackOnTheTenderedBox) {
    Settings(0, 0, 0, 0);
    RECT main{}, box{};
    int focused = 0;  // OK as the summary opens, then the tendered box after each print
    auto press = [&](int button, JobResult answer) {
        return [&, button, answer](HWND dialog) {
            g_answer = answer, SetFocus(GetDlgItem(dialog, IDOK)), Click(dialog, button);
            focused += GetFocus() == GetDlgItem(dialog, IDC_SUMMARY_TENDERED);
        };
    };
    DialogDriver driver({
        [&](HWND dialog) {
            focused += GetFocus() == GetDlgItem(dialog, IDOK);
            GetWindowRect(window_, &main), GetWindowRect(dialog, &box);
        },
        press(IDC_SUMMARY_CUSTOM_RECEIPT, JobResult::Printed),
        press(IDC_SUMMARY_INVOICE_2, JobResult::Cancelled),  // a cancelled print keeps it open too
        [](HWND dialog) { Click(dialog, IDC_SUMMARY_EMAIL); },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    EXPECT_EQ(print::RunSaleSummary(window_), 1);
    EXPECT_EQ(box.bottom, main.bottom - 10);
    EXPECT_EQ(g_jobs, (Jobs{"receipt 2413 +0 closing", "document 2401 +0"}));
    EXPECT_EQ(focused, 3);
    EXPECT_EQ(g_links.size(), 1u);
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_TRUE(messages().Saw("Unable to produce email.", "Problem"));
}

TEST_F(AfterSaleTest, TheAutomaticDocumentAndTheKitchenTicket) {
    const struct { int direct, automatic, two, kitchen; JobResult answer; Jobs jobs; const char* why; } rows[] = {
        {0, 1, 2, 0, JobResult::Printed, {"receipt 2405 +0", "receipt 2405 +0"},
         "the summary posts its button twice as it opens: two jobs, not one of two copies"},
        {1, 4, 2, 2, JobResult::Printed, {"receipt 2413 +1 closing closing", "kitchen 0 +0"},
         "the custom receipt twice, the closing sequence after each copy"},
        {1, 2, 0, 2, JobResult::Cancelled, {"document 2406 +0"}, "a cancelled print dialog ends the step"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        Settings(r.direct, r.automatic, r.two, r.kitchen);
        g_jobs.clear();
        g_answer = r.answer;
        std::size_t jobsWhenShown = 0;
        {  // printed directly, no summary opens
            std::vector<DialogDriver::Step> summary{[&](HWND d) { jobsWhenShown = g_jobs.size(), Click(d, IDOK); }};
            DialogDriver driver(r.direct ? std::vector<DialogDriver::Step>{} : summary);
            print::RunAfterSaleStep();
            MainWindowFixture::Pump();
        }
        EXPECT_EQ(g_jobs, r.jobs);
        EXPECT_EQ(jobsWhenShown, r.direct ? 0 : r.jobs.size());
    }
    g_jobs.clear();
    print::PrintBasketKitchenTicket();
    EXPECT_EQ(g_jobs, Jobs{"kitchen 0 +0"}) << "the basket's print command";
    EXPECT_TRUE(messages().messages().empty());
}

}  // namespace
