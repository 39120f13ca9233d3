// The customer credit transaction through its plain functions: the credit check,
// the tax-free sale, the account and the customer's copy, and the log entry.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "customers/credit_sale.h"

namespace {

CustomerRecord Customer(std::int64_t taxCode, double balance, double limit) {
    CustomerRecord c;
    c.SetNumber(1001);
    c.SetName("ALICE PENROSE");
    c.SetTaxCode(taxCode);
    c.SetBalance(balance);
    c.SetCreditLimit(limit);
    c.SetTransactions(3);
    c.SetTotalPurchases(100);
    return c;
}

// One taxable line of 10.00 with 1.50 tax 1.
TransactionRecord Basket() {
    TransactionRecord b;
    b.SetLineCount(1);
    b.SetLineTaxable(0, 10.0);
    b.SetLineTax1(0, 1.5);
    b.SetLineTotal(0, 11.5);
    b.SetTaxableTotal(10.0);
    b.SetSubTotal(10.0);
    b.SetTax1Total(1.5);
    b.SetTotal(11.5);
    return b;
}

TEST(CreditSale, CreditLimitCheck) {
    struct Row { double balance, limit, total; bool exceeds; const char* why; };
    const Row rows[] = {
        {488.5, 500, 11.5, false, "exactly at the limit"},
        {488.51, 500, 11.5, true, "a cent above"},
        {-5, 0, 11.5, true, "no limit, in credit by less than the sale"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ExceedsCreditLimit(Customer(1, r.balance, r.limit), r.total), r.exceeds) << r.why;
}

TEST(CreditSale, SettlingByPayment) {
    struct Row {
        CustomerPayment payment; std::int64_t taxCode;
        double total, tax1, balanceAfter, cash, eft, cheque; const char* why;
    };
    const Row rows[] = {
        {CustomerPayment::Credit, 1, 11.5, 1.5, 31.5, 0, 0, 0, "on account: the balance rises"},
        {CustomerPayment::Credit, 0, 10.0, 0, 30.0, 0, 0, 0, "tax-exempt: charged without the tax"},
        {CustomerPayment::Cash, 1, 11.5, 1.5, 20.0, 11.5, 0, 0, "cash: balance unchanged"},
        {CustomerPayment::Eft, 1, 11.5, 1.5, 20.0, 0, 11.5, 0, "EFT"},
        {CustomerPayment::Cheque, 0, 10.0, 0, 20.0, 0, 0, 10.0, "cheque, tax-exempt"},
    };
    for (const Row& r : rows) {
        TransactionRecord b = Basket();
        CustomerRecord c = Customer(r.taxCode, 20, 500);
        SettleCustomerSale(b, c, r.payment, "14:0503/02/2025", 57);
        EXPECT_DOUBLE_EQ(b.Total(), r.total) << r.why;
        EXPECT_DOUBLE_EQ(b.Tax1Total(), r.tax1) << r.why;
        EXPECT_DOUBLE_EQ(b.LineTax1(0), r.tax1) << r.why;
        EXPECT_DOUBLE_EQ(b.LineTotal(0), r.total) << r.why;
        EXPECT_DOUBLE_EQ(c.Balance(), r.balanceAfter) << r.why;
        EXPECT_DOUBLE_EQ(b.BalanceBefore(), 20.0) << r.why;
        EXPECT_DOUBLE_EQ(b.CashPaid(), r.cash) << r.why;
        EXPECT_DOUBLE_EQ(b.EftPaid(), r.eft) << r.why;
        EXPECT_DOUBLE_EQ(b.ChequePaid(), r.cheque) << r.why;
        EXPECT_EQ(b.PaymentType(), CustomerPaymentText(r.payment)) << r.why;
        EXPECT_EQ(c.Transactions(), 4) << r.why;
        EXPECT_DOUBLE_EQ(c.TotalPurchases(), 100 + r.total) << r.why;
        EXPECT_EQ(c.LastUsed(), "14:0503/02/2025") << r.why;
        EXPECT_EQ(c.LastTransaction(), 57) << r.why;
    }
    TransactionRecord exempt = Basket();
    CustomerRecord c = Customer(0, 0, 500);
    SettleCustomerSale(exempt, c, CustomerPayment::Credit, "", 1);
    EXPECT_DOUBLE_EQ(exempt.NonTaxableTotal(), 10.0);
    EXPECT_DOUBLE_EQ(exempt.TaxableTotal(), 0.0);
    EXPECT_DOUBLE_EQ(exempt.LineNonTaxable(0), 10.0);
    EXPECT_DOUBLE_EQ(exempt.LineTaxable(0), 0.0);
    EXPECT_DOUBLE_EQ(exempt.BalanceAfter(), 10.0);
}

TEST(CreditSale, LogEntryOfASaleOnAccount) {
    TransactionRecord b = Basket();
    b.SetAssociate(1);
    b.SetPaymentType("Credit");
    EXPECT_EQ(CreditSaleLogEntry("14:0503/02/2025", 57, b, "Marta", Customer(1, 0, 0)),
              (LogEntry{"\r\n14:05 03/02/2025 Sale: 57, Total: 11.50\r\n", "Clerk: 1, Marta   Items: 1\r\n",
                        "Payment type: Credit\r\n", "Customer: 1001 ALICE PENROSE\r\n"}));
}

int Formatter(const LocalTime& t, const char*, char* out, int size) {
    return std::snprintf(out, static_cast<std::size_t>(size), "D%d/%d/%d", t.day, t.month, t.year) + 1;
}

TEST(CreditSale, LastUsedBox) {
    EXPECT_EQ(CustomerSaleLastText("NEW", LocalTime{}, Formatter), "NEW");
    EXPECT_EQ(CustomerSaleLastText("09:4505/12/2026", LocalTime{}, Formatter), "D5/12/2026");
    EXPECT_EQ(CustomerSaleLastText("09:4599/12/2026", LocalTime{}, Formatter), "99/12/2026");
}

}  // namespace
