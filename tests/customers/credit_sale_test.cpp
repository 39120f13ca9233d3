// The customer credit transaction: the credit check, the tax-free sale, the account
// and the payment, and the log entry.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "customers/credit_sale.h"
#include "resources/resource_ids.h"
#include "support/local_time.h"

namespace {

CustomerRecord Customer(std::int64_t taxCode, double balance, double limit) {
    CustomerRecord c;
    c.SetNumber(1001), c.SetName("ALICE PENROSE"), c.SetTaxCode(taxCode);
    c.SetBalance(balance), c.SetCreditLimit(limit);
    return c;
}

// One taxable line of 11.50: 10.00 and 1.50 tax 1.
TransactionRecord Basket() {
    TransactionRecord b;
    b.SetLineCount(1), b.SetLineTaxable(0, 10.0), b.SetLineTax1(0, 1.5), b.SetLineTotal(0, 11.5);
    b.SetTaxableTotal(10.0), b.SetTax1Total(1.5), b.SetTotal(11.5);
    return b;
}

TEST(CreditSale, CreditLimitCheck) {
    struct Row { double balance, limit; bool exceeds; const char* why; };
    const Row rows[] = {{488.5, 500, false, "exactly at the limit"}, {488.51, 500, true, "a cent above"},
                        {-5, 0, true, "no limit, in credit by less than the sale"}};
    for (const Row& r : rows) EXPECT_EQ(ExceedsCreditLimit(Customer(1, r.balance, r.limit), 11.5), r.exceeds) << r.why;
}

TEST(CreditSale, SettlingByPayment) {
    struct Row { CustomerPayment payment; std::int64_t taxCode; double total, balance, cash, eft, cheque; const char* why; };
    const Row rows[] = {
        {CustomerPayment::Credit, 1, 11.5, 31.5, 0, 0, 0, "on account: the balance rises"},
        {CustomerPayment::Credit, 0, 10.0, 30.0, 0, 0, 0, "tax-exempt: charged without the tax"},
        {CustomerPayment::Cash, 1, 11.5, 20.0, 11.5, 0, 0, "cash: balance unchanged"},
        {CustomerPayment::Eft, 1, 11.5, 20.0, 0, 11.5, 0, "EFT"},
        {CustomerPayment::Cheque, 0, 10.0, 20.0, 0, 0, 10.0, "cheque, tax-exempt"},
    };
    for (const auto& r : rows) {
        TransactionRecord b = Basket();
        CustomerRecord c = Customer(r.taxCode, 20, 500);
        SettleCustomerSale(b, c, r.payment, "14:0503/02/2025", 57);
        EXPECT_DOUBLE_EQ(b.Total(), r.total) << r.why;
        EXPECT_DOUBLE_EQ(b.Tax1Total() + b.LineTax1(0), r.taxCode ? 3.0 : 0.0) << r.why;
        EXPECT_DOUBLE_EQ(b.NonTaxableTotal(), r.taxCode ? 0.0 : 10.0) << r.why;
        EXPECT_DOUBLE_EQ(c.Balance(), r.balance) << r.why;
        EXPECT_EQ((std::vector<double>{b.CashPaid(), b.EftPaid(), b.ChequePaid()}), (std::vector<double>{r.cash, r.eft, r.cheque})) << r.why;
        EXPECT_EQ(c.Transactions(), 1) << r.why;
    }
    TransactionRecord b = Basket();
    CustomerRecord most = Customer(1, 20, 500);
    most.SetTransactions(INT32_MAX);
    SettleCustomerSale(b, most, CustomerPayment::Cash, "14:0503/02/2025", 57);
    EXPECT_EQ(most.Transactions(), INT32_MAX) << "a server's count at its limit stays there";
}

TEST(CreditSale, TheDialogShowsTheAccountAfterThisSale) {
    const struct { std::int64_t taxCode; const char *lastUsed, *shown, *why; } rows[] = {
        // shown: tax 1, total, this sale, the balance after it, Last
        {1, "NEW", "1.50|11.50|11.50|31.50|NEW", "taxed: the whole total goes on the account"},
        {0, "09:4505/12/2026", "|10.00|10.00|30.00|D5/12/2026", "tax-exempt: no tax shown or charged"},
        {1, "09:4599/12/2026", "1.50|11.50|11.50|31.50|99/12/2026", "an unconvertible date: its stored part"},
    };
    for (const auto& r : rows) {
        TransactionRecord b = Basket();
        CustomerRecord c = Customer(r.taxCode, 20, 500);
        c.SetLastUsed(r.lastUsed);
        PrepareCustomerSale(b, c, 57, "14:05", "Mon 3 Feb 25", 3);
        const BoxTexts boxes = CustomerSaleBoxes(b, c, 57, "3, Marta", LocalTime{}, FakeDateFormatter);
        std::map<int, std::string> box(boxes.begin(), boxes.end());
        EXPECT_EQ(box[IDC_SALE_TAX1] + "|" + box[IDC_SALE_TOTAL] + "|" + box[IDC_SALE_AMOUNT] + "|" +
                      box[IDC_SALE_BALANCE] + "|" + box[IDC_SALE_LAST], r.shown) << r.why;
        EXPECT_EQ(std::to_string(b.Number()) + " " + b.CustomerName() + " " + b.Time() + " " + b.Date() + " " +
                      std::to_string(b.Associate()), "57 ALICE PENROSE 14:05 Mon 3 Feb 25 3") << r.why;
    }
}

TEST(CreditSale, LogEntryOfASaleOnAccount) {
    TransactionRecord b = Basket();
    b.SetAssociate(1), b.SetPaymentType("Credit");
    EXPECT_EQ(CreditSaleLogEntry("14:0503/02/2025", 57, b, "Marta", Customer(1, 0, 0)),
              (LogEntry{"\r\n14:05 03/02/2025 Sale: 57, Total: 11.50\r\n", "Clerk: 1, Marta   Items: 1\r\n",
                        "Payment type: Credit\r\n", "Customer: 1001 ALICE PENROSE\r\n"}));
}

}  // namespace
