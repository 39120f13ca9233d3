#include "customers/credit_sale.h"

#include <cstdint>
#include <cstdio>

#include "basket/money.h"
#include "resources/resource_ids.h"

const char* CustomerPaymentText(CustomerPayment payment) {
    switch (payment) {
    case CustomerPayment::Eft: return "EFT";
    case CustomerPayment::Cash: return "Cash";
    case CustomerPayment::Cheque: return "CH";
    default: return "Credit";
    }
}

bool IsTaxExempt(const CustomerRecord& c) { return c.TaxCode() == 0; }

double CustomerSaleAmount(const TransactionRecord& basket, const CustomerRecord& c) {
    return IsTaxExempt(c) ? basket.Total() - basket.Tax1Total() - basket.Tax2Total() : basket.Total();
}

bool ExceedsCreditLimit(const CustomerRecord& c, double total) { return c.Balance() + total > c.CreditLimit(); }

void PrepareCustomerSale(TransactionRecord& basket, const CustomerRecord& c, std::int32_t number,
                         const std::string& time, const std::string& date, std::int32_t associate) {
    basket.SetNumber(number);
    AssociateWithTransaction(c, basket);
    basket.SetTime(time);
    basket.SetDate(date);
    basket.SetAssociate(associate);
}

void SettleCustomerSale(TransactionRecord& basket, CustomerRecord& c, CustomerPayment payment,
                        const std::string& clock, std::int32_t number) {
    basket.SetPaymentType(CustomerPaymentText(payment));
    basket.SetBalanceBefore(c.Balance());
    if (IsTaxExempt(c)) {
        if (basket.TaxableTotal() > 0) {
            basket.SetNonTaxableTotal(basket.NonTaxableTotal() + basket.TaxableTotal());
            basket.SetTaxableTotal(0);
        }
        basket.SetTotal(basket.Total() - basket.Tax1Total() - basket.Tax2Total());
        basket.SetTax1Total(0);
        basket.SetTax2Total(0);
        for (int i = 0; i < basket.LineCount(); ++i) {
            if (basket.LineTaxable(i) <= 0) continue;
            basket.SetLineNonTaxable(i, basket.LineTaxable(i));
            basket.SetLineTaxable(i, 0);
            basket.SetLineTotal(i, basket.LineTotal(i) - basket.LineTax1(i) - basket.LineTax2(i));
            basket.SetLineTax1(i, 0);
            basket.SetLineTax2(i, 0);
        }
    }
    const double total = basket.Total();
    basket.ClearPaidAmounts();  // as for any payment of one kind
    if (payment == CustomerPayment::Eft) basket.SetEftPaid(total);
    if (payment == CustomerPayment::Cash) basket.SetCashPaid(total);
    if (payment == CustomerPayment::Cheque) basket.SetChequePaid(total);
    // The count comes from the server: one that cannot rise any more stays where it is.
    if (c.Transactions() < INT32_MAX) c.SetTransactions(c.Transactions() + 1);
    c.SetLastUsed(clock);
    c.SetTotalPurchases(c.TotalPurchases() + total);
    c.SetLastTransaction(number);
    if (payment == CustomerPayment::Credit) {
        c.SetBalance(c.Balance() + total);
        basket.SetBalanceAfter(c.Balance());
    }
}

LogEntry CreditSaleLogEntry(const std::string& clock, std::int32_t committedNumber, const TransactionRecord& basket,
                            const std::string& associateName, const CustomerRecord& c) {
    const std::string padded = clock + std::string(5, ' ');
    const std::string date = clock.size() > 5 ? clock.substr(5) : std::string();
    return {"\r\n" + std::string{padded[0], padded[1], ':', padded[3], padded[4]} + " " + date +
                " Sale: " + std::to_string(committedNumber) + ", Total: " + FormatMoney(basket.Total()) + "\r\n",
            "Clerk: " + std::to_string(basket.Associate()) + ", " + associateName +
                "   Items: " + std::to_string(basket.LineCount()) + "\r\n",
            "Payment type: " + basket.PaymentType() + "\r\n",
            "Customer: " + std::to_string(c.Number()) + " " + c.Name() + "\r\n"};
}

std::string CustomerSaleLastText(const std::string& stored, const LocalTime& now, DateFormatter format) {
    if (stored == "NEW") return stored;
    ClockText text = {};
    std::snprintf(text, sizeof text, "%s", stored.c_str());
    if (ConvertDateText(text, now, format)) return text;
    return stored.size() > 5 ? stored.substr(5) : std::string();
}

BoxTexts CustomerSaleBoxes(const TransactionRecord& basket, const CustomerRecord& c, std::int32_t number,
                           const std::string& clerk, const LocalTime& now, DateFormatter format) {
    const bool exempt = IsTaxExempt(c);
    const double amount = CustomerSaleAmount(basket, c);
    return {
        {IDC_SALE_TRANSACTION, std::to_string(number)},
        {IDC_SALE_DATE, basket.Date()},
        {IDC_SALE_TIME, basket.Time()},
        {IDC_SALE_CLERK, clerk},
        {IDC_SALE_SUBTOTAL, FormatMoney(basket.SubTotal())},
        {IDC_SALE_TAX1, exempt ? std::string() : FormatMoney(basket.Tax1Total())},
        {IDC_SALE_TAX2, exempt ? std::string() : FormatMoney(basket.Tax2Total())},
        {IDC_SALE_TOTAL, FormatMoney(amount)},
        {IDC_SALE_CUSTOMER, std::to_string(c.Number())},
        {IDC_SALE_NAME, c.Name()},
        {IDC_SALE_ROAD, c.BillingRoad()},
        {IDC_SALE_TELEPHONE, c.Telephone1()},
        {IDC_SALE_COMMENT, c.Comment()},
        {IDC_SALE_COMMENT2, c.Comment2()},
        {IDC_SALE_CREDIT_LIMIT, FormatMoney(c.CreditLimit())},
        {IDC_SALE_TAX_CODE, std::to_string(c.TaxCode())},
        {IDC_SALE_PREVIOUS_BALANCE, FormatMoney(c.Balance())},
        {IDC_SALE_AMOUNT, FormatMoney(amount)},
        {IDC_SALE_BALANCE, FormatMoney(c.Balance() + amount)},
        {IDC_SALE_LAST, CustomerSaleLastText(c.LastUsed(), now, format)},
        {IDC_SALE_TRANSACTIONS, std::to_string(c.Transactions())},
        {IDC_SALE_NOTES, c.Notes()},
        {IDC_SALE_KEYBOARD, creditmsg::kKeyboardHelp},
    };
}
