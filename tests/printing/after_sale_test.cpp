// The after-sale decisions and the order-confirmation link (the summary's place: on the window).
#include "printing/after_sale.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>

#include "support/local_time.h"

using namespace aftersale;

namespace {

TEST(AfterSale, TheAutomaticDocumentItsJobAndTheSummaryButtonPostedForIt) {
    using P = Printer;
    const struct { int automatic, two, code, posts; DocumentJob job; const char* why; } rows[] = {
        {1, 0, 1, 1, {kStandardReceipt, P::Receipt, 0, 0}, "the standard receipt"},
        {2, 0, 2, 1, {kInvoice1, P::Document, 0, 0}, "Invoice 1 through the print dialog"},
        {3, 0, 3, 1, {kCustomInvoice, P::Document, 0, 0}, "the custom invoice"},
        {4, 0, 4, 1, {kCustomReceipt, P::Receipt, 0, 1}, "the custom receipt with its closing sequence"},
        {1, 2, 5, 2, {kStandardReceipt, P::Receipt, 1, 0}, "two copies add 4: one extra copy"},
        {4, 1, 8, 2, {kCustomReceipt, P::Receipt, 1, 1}, "any non-zero switch means two"},
        {0, 2, 0, 0, {}, "none"}, {5, 2, 0, 0, {}, "past the last"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(AutomaticDocumentCode(r.automatic, r.two), r.code) << r.why;
        EXPECT_EQ(std::pair(AutomaticButton(r.automatic), AutomaticButtonPosts(r.automatic, r.two)),
                  std::pair(r.job.kind, r.posts)) << r.why;
        DocumentJob job;  // untouched when there is no job
        ASSERT_EQ(JobForCode(r.code, job), r.code != 0) << r.why;
        EXPECT_EQ(std::tie(job.kind, job.printer, job.extraCopies, job.closingSequence),
                  std::tie(r.job.kind, r.job.printer, r.job.extraCopies, r.job.closingSequence)) << r.why;
    }
}

TEST(AfterSale, TheStepsTheSettingsAskForAndTheSummarysPlace) {
    const struct { AfterSaleSettings settings; const char *plan, *why; } rows[] = {
        // drawer, pole display, summary dialog, the automatic document's code, kitchen ticket
        {{1, 0, 4, 2, 2, 2}, "1 1 1 0 1", "the summary dialog: it posts its own buttons"},
        {{0, 1, 4, 2, 0, 0}, "0 0 0 8 0", "printed directly: the custom receipt twice"},
        {{-1, 5, 0, 0, 0, 0}, "0 0 0 0 0", "directly, but no document"},
    };
    for (const auto& r : rows) {
        const AfterSalePlan p = PlanAfterSale(r.settings);
        EXPECT_EQ(std::to_string(p.openDrawer) + " " + std::to_string(p.showTenderOnPole) + " " +
                      std::to_string(p.showSummary) + " " + std::to_string(p.automaticCode) + " " +
                      std::to_string(p.printKitchenTicket), r.plan) << r.why;
    }
    int left = -1, top = -1;
    EXPECT_TRUE(PlaceSummary({100, 50, 900, 650}, 300, 200, left, top) && left == 350 && top == 440)
        << "centred; its bottom 10 above the window's";
    EXPECT_FALSE(PlaceSummary({100, 50, 100, 650}, 300, 200, left, top)) << "an empty window rectangle";
}

// Sale 1234 (12.50) by associate 3 at 09:05 on Mar 7 2024; current customer 77 at `email`.
EmailOrder DeliOrder(std::int64_t saleCustomer = 0, const char* email = "", bool fifthHeaderFull = false) {
    HeaderTexts headers;
    const char* texts[] = {"Nordane Deli", "1 High Street", "Kingsbridge", "KB1 2AB", "Tel 01234 567890", "VAT 123"};
    for (int i = 0; i < 6; ++i) std::strncpy(headers.text[i], texts[i], sizeof headers.text[i] - 1);
    if (fifthHeaderFull) std::memset(headers.text[4], 'T', sizeof headers.text[4]);  // no terminator
    auto basket = std::make_unique<TransactionRecord>();
    basket->SetNumber(1234), basket->SetTotal(12.5), basket->SetCustomerNumber(saleCustomer);
    auto config = std::make_unique<TerminalConfig>();
    config->SetCurrentAssociate(3), config->SetAssociateName(3, "Associate 3");
    CustomerRecord customer;
    customer.SetNumber(77), customer.SetEmail(email);
    return OrderForEmail(headers, *basket, *config, customer, At(2024, 3, 7, 9, 5), "Mar 7 2024");
}

const std::string kSubject = "?subject=Nordane%20Deli%20Order%20Confirmation&body=";
const std::string kDeliBody =
    "Nordane%20Deli%0D%0A1%20High%20Street%0D%0AKingsbridge%0D%0AKB1%202AB%0D%0ATel%2001234%20567890%0D%0A%0D%0A"
    "Order%20reference%3A%201234%0D%0ADate%3A%2009%3A05%20Mar%207%202024%0D%0AAssociate%3A%203%2C%20Associate%203"
    "%0D%0ATotal%3A%2012.50%0D%0A%0D%0AThank%20you%20for%20your%20purchase.%20Please%20find%20your%20invoice%20"
    "attached.%0D%0AIf%20you%20have%20any%20further%20questions%20please%20let%20us%20know.%0D%0AKind%20Regards";

TEST(EmailLink, TheSaleInTheBasketToItsOwnCustomersAddress) {
    const struct { std::int64_t saleCustomer; const char *email, *to, *why; } rows[] = {
        {0, "ann@example.com", "", "no customer on the sale"}, {77, "", "", "a customer without an address"},
        {78, "ann@example.com", "", "the current customer, found by a search, is not the sale's"},
        {77, "ann.lee@example.com", "ann.lee@example.com", "the sale's customer"},
    };
    for (const auto& r : rows) {
        std::string link;
        ASSERT_TRUE(ComposeEmailLink(DeliOrder(r.saleCustomer, r.email), link));
        EXPECT_EQ(link, "mailto:" + std::string(r.to) + kSubject + kDeliBody) << r.why;
    }
    EXPECT_EQ(DeliOrder(0, "", true).headers[4], std::string(sizeof HeaderTexts{}.text[4], 'T'))
        << "a header text without a terminator stops at its width, never running on into the next";
}

TEST(EmailLink, HostileTextsCannotAddHeadersOrEndTheLink) {
    EmailOrder order = DeliOrder();
    order.customer = 5, order.customerEmail = "x@y.com&bcc=evil@z";
    order.headers[0] = "A&B ?#%+/: Shop", order.headers[2] = "\xE9&cc=spy@z";
    std::string link;
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_TRUE(link.starts_with("mailto:x@y.com%26bcc%3Devil@z?subject=A%26B%20%3F%23%25%2B%2F%3A%20Shop%20Order%20"
                                 "Confirmation&body=A%26B%20%3F%23%25%2B%2F%3A%20Shop%0D%0A1%20High%20Street%0D%0A"
                                 "%E9%26cc%3Dspy%40z")) << link;
}

TEST(EmailLink, BoundedAtFourThousandCharactersWithoutCuttingAnEscape) {
    const struct { int header; std::string text; bool ok; std::size_t size; const char* end; } rows[] = {
        {1, std::string(6000, 'a'), true, kMaxLinkLength, "aaa"},  // the body is cut to fill the link
        {1, "x" + std::string(2000, ' '), true, kMaxLinkLength - 2, "%20"},  // 80 + 3 x 1306: one more won't fit
        {0, std::string(kMaxLinkLength, 'x'), false, 9, "untouched"},  // not even the subject fits: nothing to open
    };
    for (const auto& r : rows) {
        EmailOrder order = DeliOrder();
        order.headers[r.header] = r.text;
        std::string link = "untouched";
        EXPECT_EQ(ComposeEmailLink(order, link), r.ok) << r.end;
        EXPECT_EQ(link.size(), r.size) << r.end;
        EXPECT_TRUE(link.ends_with(r.end)) << r.end;
    }
}

}  // namespace
