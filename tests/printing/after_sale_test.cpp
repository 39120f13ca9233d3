// The after-sale decisions: the automatic document code, the jobs of codes and
// buttons, the summary's texts and place, and the order-confirmation link.
#include "printing/after_sale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

using namespace aftersale;

namespace {

// ---------------------------------------------------------------------------------
TEST(AutomaticDocument, CodeBySwitchAndTwoCopies) {
    const int single[] = {0, 1, 2, 3, 4, 0};
    const int twice[] = {0, 5, 6, 7, 8, 0};
    for (int s = 0; s <= 5; ++s) {
        EXPECT_EQ(AutomaticDocumentCode(s, 0), single[s]) << "switch " << s;
        EXPECT_EQ(AutomaticDocumentCode(s, 2), twice[s]) << "switch " << s;
        EXPECT_EQ(AutomaticDocumentCode(s, 1), twice[s]) << "any non-zero switch is on";
    }
    EXPECT_EQ(AutomaticDocumentCode(-1, 2), 0);
}

TEST(AutomaticDocument, JobOfEachCode) {
    struct Expected {
        int kind;
        Printer printer;
        int extra;
        bool closing;
    };
    const Expected expected[] = {
        {2405, Printer::Receipt, 0, false}, {2406, Printer::Document, 0, false},
        {2409, Printer::Document, 0, false}, {2413, Printer::Receipt, 0, true},
        {2405, Printer::Receipt, 1, false}, {2406, Printer::Document, 1, false},
        {2409, Printer::Document, 1, false}, {2413, Printer::Receipt, 1, true},
    };
    for (int code = 1; code <= 8; ++code) {
        DocumentJob job;
        ASSERT_TRUE(JobForCode(code, job)) << code;
        const Expected& e = expected[code - 1];
        EXPECT_EQ(job.kind, e.kind) << code;
        EXPECT_EQ(job.printer, e.printer) << code;
        EXPECT_EQ(job.extraCopies, e.extra) << code;
        EXPECT_EQ(job.closingSequence, e.closing) << code;
    }
    DocumentJob job;
    EXPECT_FALSE(JobForCode(0, job));
    EXPECT_FALSE(JobForCode(9, job));
    EXPECT_FALSE(JobForCode(-3, job));
}

TEST(SummaryButtons, KindsAndPrintersOfEachButton) {
    DocumentJob job;
    ASSERT_TRUE(JobForButton(2405, job));
    EXPECT_EQ(job.kind, 2405);
    EXPECT_EQ(job.printer, Printer::Receipt);
    EXPECT_FALSE(job.closingSequence);
    ASSERT_TRUE(JobForButton(2413, job));
    EXPECT_EQ(job.kind, 2413);
    EXPECT_EQ(job.printer, Printer::Receipt);
    EXPECT_TRUE(job.closingSequence);
    for (int button : {2406, 2401, 2409, 2419}) {
        ASSERT_TRUE(JobForButton(button, job)) << button;
        EXPECT_EQ(job.kind, button);
        EXPECT_EQ(job.printer, Printer::Document) << button;
        EXPECT_EQ(job.extraCopies, 0);
        EXPECT_FALSE(job.closingSequence);
    }
    for (int other : {1, 2, 2400, 2403, 2404, 1101}) EXPECT_FALSE(JobForButton(other, job)) << other;
}

TEST(SummaryButtons, PostedForTheAutomaticDocument) {
    EXPECT_EQ(AutomaticButton(1), 2405);
    EXPECT_EQ(AutomaticButton(2), 2406);
    EXPECT_EQ(AutomaticButton(3), 2409);
    EXPECT_EQ(AutomaticButton(4), 2413);
    EXPECT_EQ(AutomaticButton(0), 0);
    EXPECT_EQ(AutomaticButton(5), 0);
    EXPECT_EQ(AutomaticButtonPosts(1, 0), 1);
    EXPECT_EQ(AutomaticButtonPosts(4, 2), 2);
    EXPECT_EQ(AutomaticButtonPosts(0, 2), 0);
    EXPECT_EQ(AutomaticButtonPosts(5, 2), 0);
}

TEST(AfterSalePlan, EachStepFollowsItsOwnSetting) {
    AfterSaleSettings s;
    AfterSalePlan plan = PlanAfterSale(s);
    EXPECT_FALSE(plan.openDrawer);
    EXPECT_FALSE(plan.showTenderOnPole);
    EXPECT_TRUE(plan.showSummary);
    EXPECT_EQ(plan.automaticCode, 0);
    EXPECT_FALSE(plan.printKitchenTicket);

    s.openDrawer = -1;  // only above 0 opens it
    s.automaticDocument = 1;
    EXPECT_FALSE(PlanAfterSale(s).openDrawer);
    EXPECT_EQ(PlanAfterSale(s).automaticCode, 0) << "the summary dialog prints, not the step";

    s = {};
    s.openDrawer = 1;
    s.poleDisplay = 2;
    s.printDirectly = 1;
    s.kitchenTicket = 2;
    plan = PlanAfterSale(s);
    EXPECT_TRUE(plan.openDrawer);
    EXPECT_TRUE(plan.showTenderOnPole);
    EXPECT_FALSE(plan.showSummary);
    EXPECT_EQ(plan.automaticCode, 0);
    EXPECT_TRUE(plan.printKitchenTicket);

    s.automaticDocument = 4;
    s.twoCopies = 2;
    EXPECT_EQ(PlanAfterSale(s).automaticCode, 8);
}

TEST(SummaryDialog, BoxTextsAndPlace) {
    const SummaryTexts texts = SummaryBoxTexts(12.5, 20, 7.499999999);
    EXPECT_EQ(texts.total, "12.50");
    EXPECT_EQ(texts.tendered, "20.00");
    EXPECT_EQ(texts.change, "7.50");

    int left = -1, top = -1;
    ASSERT_TRUE(PlaceSummary({0, 0, 1024, 708}, 360, 310, left, top));
    EXPECT_EQ(left, 332);
    EXPECT_EQ(top, 388);  // bottom edge at 698
    ASSERT_TRUE(PlaceSummary({100, 50, 601, 450}, 200, 100, left, top));
    EXPECT_EQ(left, 250);
    EXPECT_EQ(top, 340);
    left = top = -7;
    EXPECT_FALSE(PlaceSummary({10, 10, 10, 500}, 200, 100, left, top));
    EXPECT_FALSE(PlaceSummary({10, 10, 500, 10}, 200, 100, left, top));
    EXPECT_EQ(left, -7);
    EXPECT_EQ(top, -7);
}

// ---------------------------------------------------------------------------------
EmailOrder DeliOrder() {
    EmailOrder order;
    order.headers[0] = "Nordane Deli";
    order.headers[1] = "1 High Street";
    order.headers[2] = "Kingsbridge";
    order.headers[3] = "KB1 2AB";
    order.headers[4] = "Tel 01234 567890";
    order.transaction = 1234;
    order.associate = 3;
    order.associateName = "Associate 3";
    order.total = 12.5;
    order.time = "09:05";
    order.date = "Mar 7 2024";
    return order;
}

const std::string kDeliBody =
    "Nordane%20Deli%0D%0A1%20High%20Street%0D%0AKingsbridge%0D%0AKB1%202AB%0D%0ATel%2001234%20567890%0D%0A%0D%0A"
    "Order%20reference%3A%201234%0D%0ADate%3A%2009%3A05%20Mar%207%202024%0D%0AAssociate%3A%203%2C%20Associate%203"
    "%0D%0ATotal%3A%2012.50%0D%0A%0D%0AThank%20you%20for%20your%20purchase.%20Please%20find%20your%20invoice%20"
    "attached.%0D%0AIf%20you%20have%20any%20further%20questions%20please%20let%20us%20know.%0D%0AKind%20Regards";

TEST(EmailLink, BodyInPlainText) {
    EXPECT_EQ(EmailSubject(DeliOrder()), "Nordane Deli Order Confirmation");
    EXPECT_EQ(EmailBody(DeliOrder()),
              "Nordane Deli\r\n1 High Street\r\nKingsbridge\r\nKB1 2AB\r\nTel 01234 567890\r\n\r\n"
              "Order reference: 1234\r\nDate: 09:05 Mar 7 2024\r\nAssociate: 3, Associate 3\r\nTotal: 12.50\r\n\r\n"
              "Thank you for your purchase. Please find your invoice attached.\r\n"
              "If you have any further questions please let us know.\r\nKind Regards");
}

TEST(EmailLink, WithoutCustomerOrAddressHasNoRecipient) {
    std::string link;
    ASSERT_TRUE(ComposeEmailLink(DeliOrder(), link));
    EXPECT_EQ(link, "mailto:?subject=Nordane%20Deli%20Order%20Confirmation&body=" + kDeliBody);

    EmailOrder order = DeliOrder();
    order.customer = 77;  // a customer without an address
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_EQ(link, "mailto:?subject=Nordane%20Deli%20Order%20Confirmation&body=" + kDeliBody);

    order.customer = 0;  // an address without a customer
    order.customerEmail = "ann@example.com";
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_EQ(link.rfind("mailto:?subject=", 0), 0u);
}

TEST(EmailLink, WithCustomerAddress) {
    EmailOrder order = DeliOrder();
    order.customer = 77;
    order.customerEmail = "ann.lee@example.com";
    std::string link;
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_EQ(link, "mailto:ann.lee@example.com?subject=Nordane%20Deli%20Order%20Confirmation&body=" + kDeliBody);
}

TEST(EmailLink, HostileTextsCannotAddHeadersOrEndTheLink) {
    EmailOrder order = DeliOrder();
    order.customer = 5;
    order.customerEmail = "x@y.com&bcc=evil@z";
    order.headers[0] = "A&B ?#%+ Shop";
    order.headers[2] = "Town&cc=spy@z";
    order.associateName = "Jo #1";
    std::string link;
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_EQ(link.rfind("mailto:x@y.com%26bcc%3Devil@z?subject=A%26B%20%3F%23%25%2B%20Shop%20Order%20Confirmation"
                         "&body=A%26B%20%3F%23%25%2B%20Shop%0D%0A1%20High%20Street%0D%0ATown%26cc%3Dspy%40z%0D%0A",
                         0),
              0u)
        << link;
    EXPECT_NE(link.find("Associate%3A%203%2C%20Jo%20%231%0D%0A"), std::string::npos);
    // Only the structure's "?", "&" and "=", and no "#", space or "+" anywhere.
    EXPECT_EQ(std::count(link.begin(), link.end(), '?'), 1);
    EXPECT_EQ(std::count(link.begin(), link.end(), '&'), 1);
    EXPECT_EQ(std::count(link.begin(), link.end(), '='), 2);
    EXPECT_EQ(link.find_first_of("# +"), std::string::npos);
    EXPECT_EQ(link.find("bcc="), std::string::npos);
    EXPECT_EQ(link.find("cc="), std::string::npos);
    // Every "%" starts an escape of two upper-case hex digits.
    for (std::size_t i = link.find('%'); i != std::string::npos; i = link.find('%', i + 1)) {
        ASSERT_LE(i + 2, link.size() - 1);
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(link[i + 1])) && !std::islower(link[i + 1]));
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(link[i + 2])) && !std::islower(link[i + 2]));
    }
}

TEST(EmailLink, PercentEncoding) {
    EXPECT_EQ(PercentEncode("aZ09-._~"), "aZ09-._~");
    EXPECT_EQ(PercentEncode("a b+c&d=e?f#g%h/i:j@k"), "a%20b%2Bc%26d%3De%3Ff%23g%25h%2Fi%3Aj%40k");
    EXPECT_EQ(PercentEncode("a@b", "@"), "a@b");
    EXPECT_EQ(PercentEncode("\r\n\xE9\x01"), "%0D%0A%E9%01");
    EXPECT_EQ(PercentEncode(""), "");
}

TEST(EmailLink, BoundedAtFourThousandCharacters) {
    EmailOrder order = DeliOrder();
    order.headers[1] = std::string(3000, 'a');
    order.headers[2] = std::string(3000, 'b');
    std::string link;
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_EQ(link.size(), kMaxLinkLength);
    EXPECT_EQ(link.back(), 'b');

    // Escapes are never cut in half.
    order = DeliOrder();
    order.headers[1] = std::string(2000, ' ');
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_LE(link.size(), kMaxLinkLength);
    EXPECT_GT(link.size(), kMaxLinkLength - 3);
    EXPECT_EQ(link.substr(link.size() - 3), "%20");

    // Not even the subject fits: nothing to open.
    order = DeliOrder();
    order.headers[0] = std::string(kMaxLinkLength, 'x');
    link = "untouched";
    EXPECT_FALSE(ComposeEmailLink(order, link));
    EXPECT_EQ(link, "untouched");
}

// ---------------------------------------------------------------------------------
TEST(EmailOrderFromSale, TakesTheSaleAndItsOwnCustomer) {
    HeaderTexts headers;
    const char* texts[] = {"Nordane Deli", "1 High Street", "Kingsbridge", "KB1 2AB", "Tel 01234 567890",
                           "VAT 123 4567 89"};
    for (int i = 0; i < 6; ++i) std::strncpy(headers.text[i], texts[i], sizeof headers.text[i] - 1);
    TransactionRecord basket;
    basket.SetNumber(1234);
    basket.SetTotal(12.5);
    TerminalConfig config;
    config.SetCurrentAssociate(3);
    config.SetAssociateName(3, "Associate 3");
    CustomerRecord customer;
    customer.SetNumber(77);
    customer.SetEmail("ann.lee@example.com");
    LocalTime now;
    now.hour = 9;
    now.minute = 5;

    EmailOrder order = OrderForEmail(headers, basket, config, customer, now, "Mar 7 2024");
    std::string link;
    ASSERT_TRUE(ComposeEmailLink(order, link));
    EXPECT_EQ(link, "mailto:?subject=Nordane%20Deli%20Order%20Confirmation&body=" + kDeliBody)
        << "a customer found by a search is not the sale's customer";
    EXPECT_EQ(link.find("VAT"), std::string::npos);

    basket.SetCustomerNumber(77);
    order = OrderForEmail(headers, basket, config, customer, now, "Mar 7 2024");
    EXPECT_EQ(order.customer, 77);
    EXPECT_EQ(order.customerEmail, "ann.lee@example.com");
    basket.SetCustomerNumber(78);
    EXPECT_EQ(OrderForEmail(headers, basket, config, customer, now, "").customerEmail, "");

    // A fifth header text that fills its field without a terminator stops at its width,
    // never running on into header text 6.
    std::memset(headers.text[4], 'T', sizeof headers.text[4]);
    order = OrderForEmail(headers, basket, config, customer, now, "Mar 7 2024");
    EXPECT_EQ(order.headers[4], std::string(sizeof headers.text[4], 'T'));
    EXPECT_EQ(EmailBody(order).find("VAT"), std::string::npos);
}

}  // namespace
