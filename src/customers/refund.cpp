#include "customers/refund.h"

#include "basket/money.h"
#include "payment/commit.h"
#include "resources/resource_ids.h"

BoxTexts RefundBoxes(const TransactionRecord& basket, std::int32_t number, const std::string& date) {
    return {
        {IDC_REFUND_TRANSACTION, std::to_string(number)},
        {IDC_REFUND_DATE, date},
        {IDC_REFUND_CUSTOMER, std::to_string(basket.CustomerNumber()) + " " + basket.CustomerName()},
        {IDC_REFUND_ITEMS, std::to_string(basket.LineCount())},
        {IDC_REFUND_NON_TAXABLE, FormatMoney(basket.NonTaxableTotal())},
        {IDC_REFUND_TAXABLE, FormatMoney(basket.TaxableTotal())},
        {IDC_REFUND_SUBTOTAL, FormatMoney(basket.SubTotal())},
        {IDC_REFUND_TAX1, FormatMoney(basket.Tax1Total())},
        {IDC_REFUND_TAX2, FormatMoney(basket.Tax2Total())},
        {IDC_REFUND_TOTAL, FormatMoney(basket.Total())},
    };
}

std::string CreditCustomerCaption(const CustomerRecord& c) { return std::to_string(c.Number()) + " Name: " + c.Name(); }

void StampRefund(TransactionRecord& basket, const RefundChoices& choices, const RefundStamp& stamp) {
    basket.SetTime(stamp.time);
    basket.SetDate(stamp.date);
    basket.SetAssociate(stamp.associate);
    basket.SetNumber(stamp.number);
    basket.SetPaymentType("Refund");
    basket.SetComputerName(stamp.computerName);
    basket.SetRefundMethod(static_cast<std::int32_t>(choices.method));
    basket.SetRefundStockFlag(choices.faulty ? 1 : 0);
}

const char* RefundRefusalText(std::int32_t result) {
    switch (result) {
    case 2: return "Invalid type";
    case 3: return "Invalid customer";
    case 4: return "File error";
    case 5: return "File log trail error 1";
    case 6: return "File log trail error 2";
    case 7: return "File log trail error 3";
    case 8: return "Invalid item";
    case 9: return "File error";
    case 10: return "Invalid customer";
    case 12: return "File error";
    default: return "Invalid number";
    }
}

std::string RefundCommittedText(std::int32_t result) { return std::to_string(InterpretCommitAnswer(result).committedNumber) + " committed"; }

LogEntry RefundLogEntry(const std::string& clock, std::int32_t result, const TransactionRecord& basket,
                        const std::string& associateName) {
    static const char* const kForms[] = {"Form: Cash", "Form: CH", "Form: EFT", "Form: Credit"};
    const std::string padded = clock + std::string(5, ' ');
    const std::int32_t method = basket.RefundMethod();
    return {"\r\n" + std::string{padded[0], padded[1], ':', padded[3], padded[4]} + " " +
                (clock.size() > 5 ? clock.substr(5) : std::string()) + " Refund: " + std::to_string(InterpretCommitAnswer(result).committedNumber) +
                ", Total: " + FormatMoney(basket.Total()) + "\r\n",
            "Clerk: " + std::to_string(basket.Associate()) + ", " + associateName +
                "   Items: " + std::to_string(basket.LineCount()) + "\r\n",
            method >= 0 && method <= 3 ? kForms[method] : kForms[0],
            "\r\nCustomer: " + std::to_string(basket.CustomerNumber()) + " " + basket.CustomerName() + "\r\n"};
}
