#include "customers/customer_search.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "basket/money.h"
#include "printing/after_sale.h"
#include "resources/resource_ids.h"

CustomerKey SearchKey(std::string_view text, std::string_view secondText) {
    CustomerKey key;
    key.SetNumber(custkey::kStartSearch);
    key.SetSearchText(text);
    key.SetSecondText(secondText);
    return key;
}

std::string SelectionLine(const CustomerRecord& c) {
    return std::to_string(c.Number()) + " " + c.Name() + ", " + c.BillingRoad() + ", " + c.BillingArea() + ", " +
           c.BillingTown();
}

std::vector<std::string> ListMatches(CustomerKey key,
                                     const std::function<bool(const CustomerKey&, CustomerRecord&)>& fetch,
                                     bool& failed) {
    failed = false;
    std::vector<std::string> lines;
    std::set<std::int64_t> seen;
    for (;;) {
        CustomerRecord reply;
        if (!fetch(key, reply)) {
            failed = true;
            break;
        }
        if (reply.Number() == 0 || !seen.insert(reply.Number()).second) break;
        lines.push_back(SelectionLine(reply));
        key.SetNumber(reply.Number());
    }
    return lines;
}

bool RunCustomerSearch(CustomerRecord& current, bool listOption, const SearchSteps& steps) {
    std::string text, secondText;
    if (!steps.askText(text, secondText)) return false;
    CustomerKey key = SearchKey(text, secondText);
    bool byNumber = IsNumberSearch(text);
    if (!byNumber && listOption) {
        std::int64_t chosen = 0;
        if (!steps.chooseFromList(key, chosen)) return false;
        key = SearchKey(std::to_string(chosen), "");
        byNumber = true;
    }
    for (;;) {
        if (!steps.fetch(key, current)) {
            steps.tell(custmsg::kNetworkError, custmsg::kProblem);
            return false;
        }
        if (byNumber) {
            if (current.Number() == 0) return false;
            steps.showView(current);
            return true;
        }
        if (current.Number() == 0) {
            steps.tell(custmsg::kNoMatch, custmsg::kSearchCaption);
            return false;
        }
        const FoundAnswer answer = steps.showFound(current);
        if (answer != FoundAnswer::Next) return answer == FoundAnswer::Ok;
        key.SetNumber(current.Number());
    }
}

void AssociateWithTransaction(const CustomerRecord& c, TransactionRecord& t) {
    t.SetCustomerNumber(c.Number());
    t.SetCustomerName(c.Name());
    t.SetCustomerRoad(c.BillingRoad());
    t.SetCustomerArea(c.BillingArea());
    t.SetCustomerTown(c.BillingTown());
    t.SetCustomerPostCode(c.BillingPostCode());
    t.SetCustomerTelephone(c.Telephone1());
}

std::string LastUsedText(const std::string& stored, bool newMeansNever, const char* failedSeparator,
                         const LocalTime& now, DateFormatter format) {
    if (stored.empty() || (newMeansNever && stored == "NEW")) return {};
    if (stored.size() < 5) return stored;  // no room for the time: nothing to convert
    const std::string time = {stored[0], stored[1], ':', stored[3], stored[4]};
    ClockText date = {};
    std::snprintf(date, sizeof date, "%s", stored.c_str());
    if (ConvertDateText(date, now, format)) return time + " " + date;
    return time + failedSeparator + stored.substr(5);
}

std::string TermsText(const TerminalConfig& config, std::int32_t terms) {
    static const char* const kDays[] = {"10 days, ", "20 days, ", "30 days, ", "60 days, ",
                                        "90 days, ", "120 days, ", "180 days, "};
    static const char* const kDiscounts[] = {"Nett", "2% disc", "5% disc", "10% disc",
                                             "20% disc", "30% disc", "40% disc", "50% disc"};
    if (terms < 1 || terms > 8) return "No credit, ";
    const std::int64_t days = config.Option(20 + terms);
    const std::int32_t discount = config.Int32(cfg::kTermCodes + 4 * static_cast<std::size_t>(terms));
    std::string text = days >= 2 && days <= 8 ? kDays[days - 2] : "No credit, ";
    if (discount >= 1 && discount <= 8) text += kDiscounts[discount - 1];
    return text;
}

BoxTexts FoundCustomerBoxes(const CustomerRecord& c, const LocalTime& now, DateFormatter format) {
    return {
        {IDC_FOUND_NUMBER, std::to_string(c.Number())},
        {IDC_FOUND_NAME, c.Name()},
        {IDC_FOUND_ROAD, c.BillingRoad()},
        {IDC_FOUND_AREA, c.BillingArea()},
        {IDC_FOUND_TOWN, c.BillingTown()},
        {IDC_FOUND_POSTCODE, c.BillingPostCode()},
        {IDC_FOUND_TELEPHONE, c.Telephone1()},
        {IDC_FOUND_COMMENT, c.Comment()},
        {IDC_FOUND_CREDIT_CARD, c.CreditCard1()},
        {IDC_FOUND_TAX_CODE, std::to_string(c.TaxCode())},
        {IDC_FOUND_ORIGINATION, c.Origination()},
        {IDC_FOUND_LAST_USED, LastUsedText(c.LastUsed(), true, "  ", now, format)},
        {IDC_FOUND_TRANSACTIONS, std::to_string(c.Transactions())},
        {IDC_FOUND_GROUP, std::to_string(c.Group())},
        {IDC_FOUND_CREDIT_LIMIT, FormatMoney(c.CreditLimit())},
        {IDC_FOUND_TOTAL_PURCHASES, FormatMoney(c.TotalPurchases())},
        {IDC_FOUND_BALANCE, FormatMoney(c.Balance())},
    };
}

BoxTexts CustomerViewBoxes(const CustomerRecord& c, const TerminalConfig& config, const LocalTime& now,
                           DateFormatter format) {
    return {
        {IDC_VIEW_NUMBER, std::to_string(c.Number())},
        {IDC_VIEW_NAME, c.Name()},
        {IDC_VIEW_ROAD, c.BillingRoad()},
        {IDC_VIEW_AREA, c.BillingArea()},
        {IDC_VIEW_TOWN, c.BillingTown()},
        {IDC_VIEW_POSTCODE, c.BillingPostCode()},
        {IDC_VIEW_TELEPHONE1, c.Telephone1()},
        {IDC_VIEW_EXTENSION, c.TelephoneExtension()},
        {IDC_VIEW_TELEPHONE2, c.Telephone2()},
        {IDC_VIEW_EMAIL, c.Email()},
        {IDC_VIEW_FAX, c.Fax()},
        {IDC_VIEW_CONTACT, c.Contact()},
        {IDC_VIEW_TAX_CODE, std::to_string(c.TaxCode())},
        {IDC_VIEW_ORIGINATION, c.Origination()},
        {IDC_VIEW_COMMENT, c.Comment()},
        {IDC_VIEW_COMMENT2, c.Comment2()},
        {IDC_VIEW_NOTES, c.Notes()},
        {IDC_VIEW_CARD1, c.CreditCard1()},
        {IDC_VIEW_CARD1_EXPIRY, c.CreditCard1Expiry()},
        {IDC_VIEW_CARD2, c.CreditCard2()},
        {IDC_VIEW_CARD2_EXPIRY, c.CreditCard2Expiry()},
        {IDC_VIEW_TRANSACTIONS, std::to_string(c.Transactions())},
        {IDC_VIEW_SHIP_NAME, c.ShippingName()},
        {IDC_VIEW_SHIP_ROAD, c.ShippingRoad()},
        {IDC_VIEW_SHIP_AREA, c.ShippingArea()},
        {IDC_VIEW_SHIP_TOWN, c.ShippingTown()},
        {IDC_VIEW_SHIP_POSTCODE, c.ShippingPostCode()},
        {IDC_VIEW_CREDIT_LIMIT, FormatMoney(c.CreditLimit())},
        {IDC_VIEW_BALANCE, FormatMoney(c.Balance())},
        {IDC_VIEW_TOTAL_PURCHASES, FormatMoney(c.TotalPurchases())},
        {IDC_VIEW_GROUP, std::to_string(c.Group())},
        {IDC_VIEW_LAST_USED, LastUsedText(c.LastUsed(), true, " ", now, format)},
        {IDC_VIEW_LAST_PAYMENT, LastUsedText(c.LastPayment(), false, " ", now, format)},
        {IDC_VIEW_TERMS, TermsText(config, c.Terms())},
    };
}

std::string MapAddressText(const CustomerRecord& c) {
    std::string text = c.BillingRoad();
    for (const std::string& part : {c.BillingArea(), c.BillingTown(), c.BillingPostCode()})
        if (!part.empty()) text += "," + part;
    return text;
}

std::string MapUrl(const CustomerRecord& c) {
    return "https://www.bing.com/maps?where1=" + aftersale::PercentEncode(MapAddressText(c));
}
