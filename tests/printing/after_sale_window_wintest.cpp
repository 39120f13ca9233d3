// The after-sale step on the real main window: the summary dialog "Tenbox" driven by
// its control ids, and the automatic path. Print jobs, the closing sequence and the
// mail link go to a recorder instead of a printer, a port and a mail program.
#include "printing/after_sale_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "logs/day_log.h"
#include "payment/commit_window.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"

namespace {

using print::JobResult;
using print::PrinterChoice;

struct RecordedJob {
    PrinterChoice choice;
    int kind;
    int extraCopies;
    bool afterCopy;
};

struct Recorder {
    std::vector<RecordedJob> jobs;
    JobResult answer = JobResult::Printed;
    int closingSequences = 0;
    std::vector<std::string> links;
    bool linkOpens = true;
};
Recorder* g_recorder = nullptr;

// One copy from the print dialog plus the extra ones, each followed by afterCopy.
JobResult RecordJob(HWND, PrinterChoice choice, int kind, const print::DrawPage&, const print::AfterCopy& afterCopy,
                    int extraCopies) {
    g_recorder->jobs.push_back({choice, kind, extraCopies, static_cast<bool>(afterCopy)});
    if (g_recorder->answer == JobResult::Printed && afterCopy)
        for (int copy = 0; copy < 1 + extraCopies; ++copy) afterCopy();
    return g_recorder->answer;
}
void RecordClosingSequence() { ++g_recorder->closingSequences; }
bool RecordLink(HWND, const char* link) {
    g_recorder->links.emplace_back(link);
    return g_recorder->linkOpens;
}

class AfterSaleTest : public MainWindowFixture {
protected:
    // 14:05 on Monday 3 February 2025.
    static void FixedClock(LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}; }

    void SetUp() override {
        SetClockSource(FixedClock);
        MainWindowFixture::SetUp();
        g_recorder = &recorder_;
        print::g_afterSaleOutputs = {RecordJob, RecordClosingSequence, RecordLink};
        g_app.basket.SetNumber(1234);
        g_app.basket.SetTotal(12.5);
        g_saleTender = {20, 7.5};
        std::snprintf(g_app.headers.text[0], sizeof g_app.headers.text[0], "%s", "Nordane Deli");
    }
    void TearDown() override {
        print::g_afterSaleOutputs = print::kRealAfterSaleOutputs;
        g_recorder = nullptr;
        g_saleTender = {};
        MainWindowFixture::TearDown();
        SetClockSource(nullptr);
    }
    static void Settings(std::int64_t printDirectly, std::int32_t automatic, std::int32_t twoCopies,
                         std::int32_t kitchen) {
        g_app.live.SetOption(12, printDirectly);
        g_app.live.SetSwitch(0, automatic);
        g_app.live.SetSwitch(20, twoCopies);
        g_app.live.SetSwitch(122, kitchen);
        g_app.live.SetOption(17, 0);   // no drawer
        g_app.live.SetSwitch(100, 0);  // no pole display
    }
    static bool Focused(HWND dialog, int id) { return GetFocus() == GetDlgItem(dialog, id); }

    Recorder recorder_;
};

TEST_F(AfterSaleTest, SummaryShowsTheAmountsOverTheBottomOfTheMainWindow) {
    Settings(0, 0, 0, 0);
    RECT main{}, box{};
    bool okFocused = false;
    std::string title, total, tendered, change;
    DialogDriver driver({[&](HWND dialog) {
        title = Title(dialog);
        total = Text(dialog, IDC_SUMMARY_TOTAL);
        tendered = Text(dialog, IDC_SUMMARY_TENDERED);
        change = Text(dialog, IDC_SUMMARY_CHANGE);
        GetWindowRect(window_, &main);
        GetWindowRect(dialog, &box);
        okFocused = Focused(dialog, IDOK);
        Click(dialog, IDOK);
    }});
    EXPECT_EQ(print::RunSaleSummary(window_), 1);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(title, "Transaction committed, summary");
    EXPECT_EQ(total, "12.50");
    EXPECT_EQ(tendered, "20.00");
    EXPECT_EQ(change, "7.50");
    EXPECT_TRUE(okFocused);
    EXPECT_EQ(box.bottom, main.bottom - 10);
    EXPECT_EQ(box.left, main.left + (main.right - main.left - (box.right - box.left)) / 2);
    EXPECT_GT(box.right - box.left, 100);  // the template's size, not moved to nothing
    EXPECT_TRUE(recorder_.jobs.empty());
}

TEST_F(AfterSaleTest, EscapeClosesWithZero) {
    Settings(0, 0, 0, 0);
    DialogDriver driver({[](HWND dialog) {
        HWND focus = GetFocus();
        PostMessageA(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }});
    EXPECT_EQ(print::RunSaleSummary(window_), 0);
    EXPECT_FALSE(driver.abandoned());

    DialogDriver cancel({[](HWND dialog) { ::Command(dialog, IDCANCEL); }});
    EXPECT_EQ(print::RunSaleSummary(window_), 0);
}

TEST_F(AfterSaleTest, EachPrintButtonRunsOneJobAndKeepsTheDialogOpen) {
    Settings(0, 0, 0, 0);
    std::vector<bool> tenderedFocused;
    std::vector<DialogDriver::Step> steps;
    for (int button : {IDC_SUMMARY_STANDARD_RECEIPT, IDC_SUMMARY_INVOICE_1, IDC_SUMMARY_INVOICE_2,
                       IDC_SUMMARY_CUSTOM_RECEIPT, IDC_SUMMARY_CUSTOM_INVOICE, IDC_SUMMARY_DELIVERY_NOTE}) {
        steps.push_back([&, button](HWND dialog) {
            SetFocus(GetDlgItem(dialog, IDOK));
            Click(dialog, button);
            tenderedFocused.push_back(Focused(dialog, IDC_SUMMARY_TENDERED));
        });
    }
    steps.push_back([&](HWND dialog) {
        recorder_.answer = JobResult::Cancelled;  // a cancelled print dialog keeps it open too
        Click(dialog, IDC_SUMMARY_INVOICE_1);
        tenderedFocused.push_back(Focused(dialog, IDC_SUMMARY_TENDERED));
    });
    steps.push_back([](HWND dialog) { Click(dialog, IDOK); });
    DialogDriver driver(steps);
    print::RunAfterSaleStep();
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(driver.stepsRun(), 8u);

    ASSERT_EQ(recorder_.jobs.size(), 7u);
    const RecordedJob expected[] = {
        {PrinterChoice::Receipt, 2405, 0, false},  {PrinterChoice::Document, 2406, 0, false},
        {PrinterChoice::Document, 2401, 0, false}, {PrinterChoice::Receipt, 2413, 0, true},
        {PrinterChoice::Document, 2409, 0, false}, {PrinterChoice::Document, 2419, 0, false},
        {PrinterChoice::Document, 2406, 0, false},
    };
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(recorder_.jobs[i].choice, expected[i].choice) << i;
        EXPECT_EQ(recorder_.jobs[i].kind, expected[i].kind) << i;
        EXPECT_EQ(recorder_.jobs[i].extraCopies, 0) << i;
        EXPECT_EQ(recorder_.jobs[i].afterCopy, expected[i].afterCopy) << i;
    }
    EXPECT_EQ(recorder_.closingSequences, 1);  // one copy of the custom receipt
    EXPECT_EQ(tenderedFocused, std::vector<bool>(7, true));
}

TEST_F(AfterSaleTest, TwoStandardReceiptsPrintAsTheSummaryOpens) {
    Settings(0, 1, 2, 0);
    std::size_t jobsWhenShown = 0;
    DialogDriver driver({[&](HWND dialog) {
        jobsWhenShown = recorder_.jobs.size();
        Click(dialog, IDOK);
    }});
    print::RunAfterSaleStep();
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(jobsWhenShown, 2u);
    ASSERT_EQ(recorder_.jobs.size(), 2u);
    for (const RecordedJob& job : recorder_.jobs) {
        EXPECT_EQ(job.choice, PrinterChoice::Receipt);
        EXPECT_EQ(job.kind, 2405);
        EXPECT_EQ(job.extraCopies, 0);  // two jobs, not one job of two copies
    }
}

TEST_F(AfterSaleTest, AutomaticWithoutDocumentOpensNoDialogAndPrintsNothing) {
    Settings(1, 0, 2, 0);
    DialogDriver driver({});
    print::RunAfterSaleStep();
    MainWindowFixture::Pump();
    EXPECT_FALSE(driver.abandoned());
    EXPECT_TRUE(recorder_.jobs.empty());
    EXPECT_TRUE(messages().messages().empty());

    g_app.live.SetSwitch(122, 2);  // the kitchen ticket still follows its own setting
    print::RunAfterSaleStep();
    EXPECT_FALSE(driver.abandoned());
    ASSERT_EQ(recorder_.jobs.size(), 1u);
    EXPECT_EQ(recorder_.jobs[0].choice, PrinterChoice::Kitchen);
    EXPECT_EQ(recorder_.jobs[0].kind, print::kKitchenTicketKind);
}

TEST_F(AfterSaleTest, AutomaticCustomReceiptTwiceWithTheClosingSequenceAfterEachCopy) {
    Settings(1, 4, 2, 2);
    DialogDriver driver({});
    print::RunAfterSaleStep();
    EXPECT_FALSE(driver.abandoned());
    ASSERT_EQ(recorder_.jobs.size(), 2u);
    EXPECT_EQ(recorder_.jobs[0].choice, PrinterChoice::Receipt);
    EXPECT_EQ(recorder_.jobs[0].kind, 2413);
    EXPECT_EQ(recorder_.jobs[0].extraCopies, 1);
    EXPECT_TRUE(recorder_.jobs[0].afterCopy);
    EXPECT_EQ(recorder_.closingSequences, 2);
    EXPECT_EQ(recorder_.jobs[1].choice, PrinterChoice::Kitchen);
}

TEST_F(AfterSaleTest, AutomaticInvoiceGoesThroughThePrintDialogAndCancelEndsTheStep) {
    Settings(1, 2, 0, 2);
    recorder_.answer = JobResult::Cancelled;
    DialogDriver driver({});
    print::RunAfterSaleStep();
    EXPECT_FALSE(driver.abandoned());
    ASSERT_EQ(recorder_.jobs.size(), 1u) << "no kitchen ticket after a cancelled print";
    EXPECT_EQ(recorder_.jobs[0].choice, PrinterChoice::Document);
    EXPECT_EQ(recorder_.jobs[0].kind, 2406);

    recorder_.answer = JobResult::Printed;
    print::RunAfterSaleStep();
    ASSERT_EQ(recorder_.jobs.size(), 3u);
    EXPECT_EQ(recorder_.jobs[2].choice, PrinterChoice::Kitchen);
}

TEST_F(AfterSaleTest, EmailDocumentOpensTheLinkAndReportsAFailure) {
    Settings(0, 0, 0, 0);
    bool openAfterEmail = false;
    DialogDriver driver({
        [](HWND dialog) { Click(dialog, IDC_SUMMARY_EMAIL); },
        [&](HWND dialog) {
            recorder_.linkOpens = false;
            Click(dialog, IDC_SUMMARY_EMAIL);
            openAfterEmail = IsWindowVisible(dialog) != FALSE;
        },
        [](HWND dialog) { Click(dialog, IDOK); },
    });
    EXPECT_EQ(print::RunSaleSummary(window_), 1);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_TRUE(openAfterEmail);
    ASSERT_EQ(recorder_.links.size(), 2u);
    const std::string& link = recorder_.links[0];
    EXPECT_EQ(link.rfind("mailto:?subject=Nordane%20Deli%20Order%20Confirmation&body=Nordane%20Deli%0D%0A", 0), 0u)
        << link;
    EXPECT_NE(link.find("Order%20reference%3A%201234%0D%0ADate%3A%2014%3A05%20"), std::string::npos) << link;
    EXPECT_NE(link.find("%0D%0AAssociate%3A%201%2C%20"), std::string::npos) << link;
    EXPECT_NE(link.find("Total%3A%2012.50%0D%0A"), std::string::npos) << link;
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_TRUE(messages().Saw("Unable to produce email.", "Problem"));
}

TEST_F(AfterSaleTest, BasketPrintRunsOneKitchenJob) {
    print::PrintBasketKitchenTicket();
    ASSERT_EQ(recorder_.jobs.size(), 1u);
    EXPECT_EQ(recorder_.jobs[0].choice, PrinterChoice::Kitchen);
    EXPECT_FALSE(recorder_.jobs[0].afterCopy);
    EXPECT_EQ(recorder_.jobs[0].extraCopies, 0);
}

}  // namespace
