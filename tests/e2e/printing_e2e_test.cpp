// The real program prints through the test printers: a cash sale's automatic receipt
// and kitchen ticket, and a long sale's "Invoice 1" over several pages with the
// delivery note from the summary. The PDFs are read back with pdftotext and kept in
// build/artifacts for people to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "e2e/terminal_process.h"
#include "resources/resource_ids.h"
#include "shell/terminal_config.h"
#include "support/printed_pdfs.h"
#include "support/real_input.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

// Keeps the newest printed PDF as build/artifacts/<name>.pdf (run-tests.sh renders it).
void KeepArtifact(const std::string& unixDir, const std::string& pdf, const std::string& name) {
    CopyFileA(WindowsPath(unixDir + "/" + pdf).c_str(), (VARENKO_ARTIFACTS_DIR "/" + name + ".pdf").c_str(), FALSE);
}

std::vector<std::string> Pages(const std::string& text) {
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        pages.push_back(text.substr(start, ff - start));
    return pages;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(PrintingEndToEnd, ACashSalePrintsTheReceiptAndTheKitchenTicketByThemselves) {
    if (!RequirePrinter(kReceiptQueue) || !RequirePrinter(kKitchenQueue)) return;
    ShopServerProcess server;
    TerminalProcess terminal;
    HWND window = nullptr;
    ASSERT_TRUE(OpenOnlineTill(server, terminal, window, [](TerminalConfig& till) {
        till.SetInt32(cfg::kTermCodes, 1);  // the receipt printer, by name
        till.SetText(cfg::kReceiptPrinter, 200, kReceiptQueue);
        till.SetOption(1, 1);               // the kitchen printer, by name
        till.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, kKitchenQueue);
        till.SetOption(12, 1);              // print directly, no summary
        till.SetSwitch(0, 1);               // the standard receipt
        till.SetSwitch(122, 2);             // and a kitchen ticket
        till.SetSwitch(125, 2);             // with the barcode
        till.SetSwitch(34, 2);              // in 10 point
    }));
    const std::string receipts = UnixPdfDirectory("receipt");
    const std::string tickets = UnixPdfDirectory("kitchen");
    const std::set<std::string> receiptsBefore = PdfNames(receipts);
    const std::set<std::string> ticketsBefore = PdfNames(tickets);

    ASSERT_TRUE(Scan(window, "1201"));  // Coastal Walks of South Devon, 9.99
    ASSERT_TRUE(Scan(window, "1302"));  // Baked Beans 415g, 0.85, twice: one entry of two
    ASSERT_TRUE(Scan(window, "1302"));
    ASSERT_TRUE(PayCash(window, "2000"));

    std::set<std::string> receipt, ticket;
    ASSERT_EQ(WaitForPdfs(receipts, receiptsBefore, "Receipt: 1", 1, &receipt), 1) << server.Log();
    ASSERT_EQ(WaitForPdfs(tickets, ticketsBefore, "Table: 1", 1, &ticket), 1);
    EXPECT_EQ(terminal.Close(), 0);
    EXPECT_NE(server.Log().find("CommitSale expected 1, 3 lines -> 22"), std::string::npos) << server.Log();

    const std::string text = PdfText(receipts + "/" + *receipt.begin());
    for (const char* line : {"ORCHARD LANE STORES", "14 Orchard Lane, Kingsbridge TQ7 1LL", "Receipt: 1",
                             "1, Administrator", "Description", "Amount", "Coastal Walks", "Baked Beans 41",
                             "Total: ", "Payment: Cash", "Cash change: 8.31", "Always happy to help!"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " not in\n" << text;
    EXPECT_EQ(Count(text, "Baked Beans"), 1u) << "two equal lines print as one entry\n" << text;
    EXPECT_EQ(Pages(text).size(), 1u);
    KeepArtifact(receipts, *receipt.begin(), "receipt");

    const std::string kitchen = PdfText(tickets + "/" + *ticket.begin());
    for (const char* line : {"Table: 1", "Associate: 1: Administrator", "Coastal Walks", "Transaction note:"})
        EXPECT_NE(kitchen.find(line), std::string::npos) << line << " not in\n" << kitchen;
    EXPECT_EQ(kitchen.find("Payment"), std::string::npos) << "the kitchen needs no payment line";
    KeepArtifact(tickets, *ticket.begin(), "kitchen-ticket");
}

// 120 items of their own, so that no two lines group on the documents.
void AddNumberedItems(ShopServerProcess& server, int count) {
    std::string blocks = "\n";
    for (int i = 1; i <= count; ++i) {
        char block[200];
        std::snprintf(block, sizeof block,
                      "[item %d]\ndescription = Numbered line %03d\ncategory = MSC\nprice = %d.%02d\ntax = 0\n"
                      "stock = 50\n\n",
                      5000 + i, i, 1 + i / 100, i % 100);
        blocks += block;
    }
    const std::string path = server.shopDirectory() + "\\items.txt";
    WriteWholeFile(path, ReadWholeFile(path) + blocks);
}

TEST(PrintingEndToEnd, ALongSalePrintsInvoiceOneOverSeveralPagesAndTheDeliveryNoteOnRequest) {
    if (!RequirePrinter(kDocumentQueue)) return;
    DefaultPrinter documents(kDocumentQueue);
    ASSERT_TRUE(documents.set());
    constexpr int kLines = 120;
    ShopServerProcess server;
    AddNumberedItems(server, kLines);
    TerminalProcess terminal;
    HWND window = nullptr;
    ASSERT_TRUE(OpenOnlineTill(server, terminal, window, [](TerminalConfig& till) {
        till.SetOption(12, 0);  // the summary after the sale
        till.SetSwitch(0, 2);   // which prints "Invoice 1" by itself
        till.SetOption(9, 0);   // on the default printer, without asking
    }));
    const std::string dir = UnixPdfDirectory("document");
    const std::set<std::string> before = PdfNames(dir);

    for (int i = 1; i <= kLines; ++i) ASSERT_TRUE(Scan(window, std::to_string(5000 + i)));
    ASSERT_TRUE(PayCash(window, "99999999"));

    HWND summary = WaitForDialog("Transaction committed, summary", 60000);
    ASSERT_NE(summary, nullptr) << server.Log();
    std::set<std::string> invoice;
    ASSERT_EQ(WaitForPdfs(dir, before, "INVOICE", 1, &invoice), 1);
    std::set<std::string> seen = before;
    seen.insert(invoice.begin(), invoice.end());
    ASSERT_TRUE(Click(GetDlgItem(summary, IDC_SUMMARY_DELIVERY_NOTE)));
    std::set<std::string> note;
    ASSERT_EQ(WaitForPdfs(dir, seen, "Delivery Note", 1, &note), 1);
    ASSERT_TRUE(AnswerWithClick(summary, IDOK));
    EXPECT_EQ(terminal.Close(), 0);
    EXPECT_NE(server.Log().find("120 lines -> 22"), std::string::npos) << server.Log();

    const std::vector<std::string> pages = Pages(PdfText(dir + "/" + *invoice.begin()));
    ASSERT_GE(pages.size(), 2u);
    std::string all;
    for (const std::string& page : pages) all += page;
    std::size_t last = 0;
    for (int i = 1; i <= kLines; ++i) {
        char description[32];
        std::snprintf(description, sizeof description, "Numbered line %03d", i);
        EXPECT_EQ(Count(all, description), 1u) << description;
        const std::size_t at = all.find(description);
        EXPECT_TRUE(at != std::string::npos && at >= last) << description << " out of order";
        if (at != std::string::npos) last = at;
    }
    for (std::size_t p = 0; p + 1 < pages.size(); ++p) {
        EXPECT_NE(pages[p].find("LINE COST"), std::string::npos) << "page " << p + 1;
        EXPECT_EQ(pages[p].find("SUBTOTAL"), std::string::npos) << "totals before the last page, page " << p + 1;
        EXPECT_EQ(pages[p].find("TOTAL: "), std::string::npos) << "page " << p + 1;
    }
    EXPECT_NE(pages.back().find("SUBTOTAL"), std::string::npos);
    EXPECT_NE(pages.back().find("TOTAL: "), std::string::npos);
    EXPECT_NE(pages.front().find("Customer code: N/A"), std::string::npos);
    KeepArtifact(dir, *invoice.begin(), "invoice1");

    const std::string delivery = PdfText(dir + "/" + *note.begin());
    EXPECT_NE(delivery.find("Transaction reference: 1"), std::string::npos) << delivery;
    EXPECT_NE(delivery.find("Shortages must be"), std::string::npos);
    KeepArtifact(dir, *note.begin(), "delivery-note");
}

}  // namespace
