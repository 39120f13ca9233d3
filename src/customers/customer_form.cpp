#include "customers/customer_form.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

#include "basket/money.h"
#include "resources/resource_ids.h"

namespace {

// A text box and the field it edits.
struct FieldBox {
    int id;
    std::string (CustomerRecord::*get)() const;
    void (CustomerRecord::*set)(std::string_view);
};

const FieldBox kTextFields[] = {
    {IDC_FORM_NAME, &CustomerRecord::Name, &CustomerRecord::SetName},
    {IDC_FORM_ROAD, &CustomerRecord::BillingRoad, &CustomerRecord::SetBillingRoad},
    {IDC_FORM_AREA, &CustomerRecord::BillingArea, &CustomerRecord::SetBillingArea},
    {IDC_FORM_TOWN, &CustomerRecord::BillingTown, &CustomerRecord::SetBillingTown},
    {IDC_FORM_POSTCODE, &CustomerRecord::BillingPostCode, &CustomerRecord::SetBillingPostCode},
    {IDC_FORM_EMAIL, &CustomerRecord::Email, &CustomerRecord::SetEmail},
    {IDC_FORM_TELEPHONE1, &CustomerRecord::Telephone1, &CustomerRecord::SetTelephone1},
    {IDC_FORM_EXTENSION, &CustomerRecord::TelephoneExtension, &CustomerRecord::SetTelephoneExtension},
    {IDC_FORM_TELEPHONE2, &CustomerRecord::Telephone2, &CustomerRecord::SetTelephone2},
    {IDC_FORM_FAX, &CustomerRecord::Fax, &CustomerRecord::SetFax},
    {IDC_FORM_CONTACT, &CustomerRecord::Contact, &CustomerRecord::SetContact},
    {IDC_FORM_COMMENT, &CustomerRecord::Comment, &CustomerRecord::SetComment},
    {IDC_FORM_COMMENT2, &CustomerRecord::Comment2, &CustomerRecord::SetComment2},
    {IDC_FORM_CARD1, &CustomerRecord::CreditCard1, &CustomerRecord::SetCreditCard1},
    {IDC_FORM_CARD1_EXPIRY, &CustomerRecord::CreditCard1Expiry, &CustomerRecord::SetCreditCard1Expiry},
    {IDC_FORM_CARD2, &CustomerRecord::CreditCard2, &CustomerRecord::SetCreditCard2},
    {IDC_FORM_CARD2_EXPIRY, &CustomerRecord::CreditCard2Expiry, &CustomerRecord::SetCreditCard2Expiry},
    {IDC_FORM_SHIP_NAME, &CustomerRecord::ShippingName, &CustomerRecord::SetShippingName},
    {IDC_FORM_SHIP_ROAD, &CustomerRecord::ShippingRoad, &CustomerRecord::SetShippingRoad},
    {IDC_FORM_SHIP_AREA, &CustomerRecord::ShippingArea, &CustomerRecord::SetShippingArea},
    {IDC_FORM_SHIP_TOWN, &CustomerRecord::ShippingTown, &CustomerRecord::SetShippingTown},
    {IDC_FORM_SHIP_POSTCODE, &CustomerRecord::ShippingPostCode, &CustomerRecord::SetShippingPostCode},
    {IDC_FORM_NOTES, &CustomerRecord::Notes, &CustomerRecord::SetNotes},
};

std::size_t LengthOf(int id) {
    for (const FormBox& box : CustomerFormBoxes())
        if (box.id == id) return box.length;
    return 0;
}

std::string Cut(const std::string& text, int id) { return text.substr(0, LengthOf(id)); }

// The form's text of a box, cut to its length.
std::string TextOf(const CustomerForm& form, int id) {
    const auto it = form.texts.find(id);
    return it == form.texts.end() ? std::string() : Cut(it->second, id);
}

std::int32_t ClampToInt32(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

bool NameCharacterAllowed(char c, char highest) {
    const auto code = static_cast<unsigned char>(c);
    return code >= ' ' && code <= static_cast<unsigned char>(highest);
}

std::string Entry(const char* format, std::int64_t number, const std::string& text) {
    char line[160];
    std::snprintf(line, sizeof line, format, static_cast<long long>(number), text.c_str());
    return line;
}

LogEntry CustomerEntry(const char* heading, const LogStamp& stamp, const CustomerRecord& c) {
    return {"\r\n" + std::string(heading) + ": " + stamp.hourMinute + " " + stamp.date + "\r\n",
            Entry("Assoc: %lld, %s\r\n", stamp.associate, stamp.associateName),
            Entry("Customer %lld, %s\r\n", c.Number(), c.Name())};
}

}  // namespace

const std::vector<FormBox>& CustomerFormBoxes() {
    static const std::vector<FormBox> boxes = {
        {IDC_FORM_NUMBER, 19, BoxKind::Digits},       {IDC_FORM_NAME, 29, BoxKind::Text},
        {IDC_FORM_ROAD, 29, BoxKind::Text},           {IDC_FORM_AREA, 29, BoxKind::Text},
        {IDC_FORM_TOWN, 19, BoxKind::Text},           {IDC_FORM_POSTCODE, 9, BoxKind::Text},
        {IDC_FORM_EMAIL, 39, BoxKind::Text},          {IDC_FORM_TELEPHONE1, 19, BoxKind::Text},
        {IDC_FORM_EXTENSION, 19, BoxKind::Text},      {IDC_FORM_TELEPHONE2, 19, BoxKind::Text},
        {IDC_FORM_FAX, 19, BoxKind::Text},            {IDC_FORM_CONTACT, 29, BoxKind::Text},
        {IDC_FORM_GROUP, 19, BoxKind::Digits},        {IDC_FORM_COMMENT, 29, BoxKind::Text},
        {IDC_FORM_COMMENT2, 29, BoxKind::Text},       {IDC_FORM_CARD1, 39, BoxKind::Text},
        {IDC_FORM_CARD1_EXPIRY, 7, BoxKind::Text},    {IDC_FORM_CARD2, 29, BoxKind::Text},
        {IDC_FORM_CARD2_EXPIRY, 9, BoxKind::Text},    {IDC_FORM_BALANCE, 19, BoxKind::Amount},
        {IDC_FORM_CREDIT_LIMIT, 19, BoxKind::Amount}, {IDC_FORM_SHIP_NAME, 55, BoxKind::Text},
        {IDC_FORM_SHIP_ROAD, 29, BoxKind::Text},      {IDC_FORM_SHIP_AREA, 29, BoxKind::Text},
        {IDC_FORM_SHIP_TOWN, 29, BoxKind::Text},      {IDC_FORM_SHIP_POSTCODE, 9, BoxKind::Text},
        {IDC_FORM_NOTES, 79, BoxKind::Text},          {IDC_FORM_TRANSACTIONS, 19, BoxKind::Digits},
        {IDC_FORM_TOTAL_PURCHASES, 19, BoxKind::Amount},
    };
    return boxes;
}

CustomerForm NewCustomerForm(const std::string& proposedNumber, bool manualNumber) {
    static const std::map<int, std::string> kDefaults = {
        {IDC_FORM_TRANSACTIONS, "0"}, {IDC_FORM_GROUP, "1"}, {IDC_FORM_BALANCE, "0"},
        {IDC_FORM_TOTAL_PURCHASES, "0"}, {IDC_FORM_CREDIT_LIMIT, "2000"}};
    CustomerForm form;
    form.texts = kDefaults;
    form.texts[IDC_FORM_NUMBER] = manualNumber ? std::string() : Cut(proposedNumber, IDC_FORM_NUMBER);
    form.focusNumber = manualNumber;
    return form;
}

CustomerForm EditCustomerForm(const CustomerRecord& c, bool manualNumber) {
    CustomerForm form;
    form.editing = true;
    for (const FieldBox& field : kTextFields) form.texts[field.id] = Cut((c.*field.get)(), field.id);
    form.texts[IDC_FORM_NUMBER] = std::to_string(c.Number());
    form.texts[IDC_FORM_GROUP] = std::to_string(c.Group());
    form.texts[IDC_FORM_TRANSACTIONS] = std::to_string(c.Transactions());
    form.texts[IDC_FORM_BALANCE] = FormatMoney(c.Balance());
    form.texts[IDC_FORM_CREDIT_LIMIT] = FormatMoney(c.CreditLimit());
    form.texts[IDC_FORM_TOTAL_PURCHASES] = FormatMoney(c.TotalPurchases());
    form.taxCode = c.TaxCode() >= 0 && c.TaxCode() < kTaxCodeChoices ? static_cast<int>(c.TaxCode()) : 1;
    form.termsIndex = c.Terms() >= 1 && c.Terms() <= kTermsChoices ? c.Terms() - 1 : 0;
    form.focusNumber = manualNumber;
    return form;
}

std::vector<std::string> TermsChoices(const TerminalConfig& config) {
    std::vector<std::string> texts;
    for (int t = 1; t <= kTermsChoices; ++t) texts.push_back(TermsText(config, t));
    return texts;
}

const char* ReadCustomerForm(const CustomerForm& form, CustomerRecord& into) {
    for (const FieldBox& field : kTextFields) (into.*field.set)(TextOf(form, field.id));
    into.SetNumber(ReadWholeNumber(TextOf(form, IDC_FORM_NUMBER)).value_or(0));
    into.SetGroup(ClampToInt32(ReadWholeNumber(TextOf(form, IDC_FORM_GROUP)).value_or(0)));
    into.SetTaxCode(form.taxCode);
    into.SetTerms(form.termsIndex + 1);
    const char* problem = nullptr;
    if (const auto n = ReadWholeNumber(TextOf(form, IDC_FORM_TRANSACTIONS)))
        into.SetTransactions(ClampToInt32(*n));
    else
        problem = formmsg::kBadTransactions;
    const auto amount = [&](int id, void (CustomerRecord::*set)(double)) {
        if (const auto v = ReadPointedAmount(TextOf(form, id)))
            (into.*set)(*v);
        else if (!problem)
            problem = formmsg::kBadAmount;
    };
    if (!form.editing) amount(IDC_FORM_BALANCE, &CustomerRecord::SetBalance);
    amount(IDC_FORM_CREDIT_LIMIT, &CustomerRecord::SetCreditLimit);
    amount(IDC_FORM_TOTAL_PURCHASES, &CustomerRecord::SetTotalPurchases);
    return problem;
}

const char* CheckCustomer(const CustomerRecord& c, bool amending) {
    if (!amending && (c.Number() < 1 || c.Number() > kHighestCustomerNumber)) return formmsg::kNumberRange;
    const std::string name = c.Name();
    if (name.size() < 2) return formmsg::kShortName;
    if (!NameCharacterAllowed(name[0], 'Z') || !NameCharacterAllowed(name[1], amending ? 'z' : 'Z'))
        return formmsg::kBadName;
    if (c.Group() < 1 || c.Group() > 2000) return formmsg::kBadGroup;
    return nullptr;
}

const char* AddRefusalText(std::int32_t result) {
    switch (result) {
    case 3: return "In use";
    case 4: return "File error";
    case 8: return "Insuffient memory";
    default: return "Invalid number";
    }
}

const char* AmendRefusalText(std::int32_t result) {
    switch (result) {
    case 3: return "Item no longer exists";
    case 4: return "File error";
    case 8: return "Unable to process";
    default: return "Invalid number";
    }
}

LogEntry NewCustomerEntry(const LogStamp& stamp, const CustomerRecord& c) {
    return CustomerEntry("New customer", stamp, c);
}

LogEntry CustomerUpdateEntry(const LogStamp& stamp, const CustomerRecord& c) {
    LogEntry entry = CustomerEntry("Customer update", stamp, c);
    entry.push_back("Balance: " + FormatMoney(c.Balance()) + "\r\n");
    return entry;
}

void RunAddCustomer(CustomerRecord& current, const TerminalConfig& config, const CustomerSteps& steps) {
    const bool manualNumber = config.Option(formcfg::kManualNumber) != 0;
    CustomerForm form;
    bool blank = true;
    for (;;) {
        if (blank) {
            std::string proposed;
            if (!steps.nextNumber(proposed)) {
                steps.tell(custmsg::kNetworkError, custmsg::kProblem);
                return;
            }
            const std::int64_t n = LeadingNumber(proposed);
            if (n < 1 || n > kHighestCustomerNumber) {
                steps.tell(formmsg::kNoNextNumber, formmsg::kNoNextNumberCaption);
                return;
            }
            form = NewCustomerForm(proposed, manualNumber);
        }
        const FormAnswer answer = steps.showForm(form);
        if (answer == FormAnswer::Cancel) return;
        const char* problem = ReadCustomerForm(form, current);
        if (!problem) problem = CheckCustomer(current, false);
        if (problem) {
            steps.warn();
            steps.tell(problem, custmsg::kProblem);
            blank = false;
            continue;
        }
        current.SetLastTransaction(0);
        std::int32_t result = 0;
        blank = false;
        if (!steps.add(current, result)) {
            steps.tell(custmsg::kNetworkError, custmsg::kProblem);
            continue;
        }
        if (result != 0) {
            steps.tell(AddRefusalText(result), formmsg::kRefusedCaption);
            continue;
        }
        if (!steps.log(NewCustomerEntry(steps.stamp(), current))) {
            steps.tell(formmsg::kNoLog, formmsg::kNoLogCaption);
            return;
        }
        if (answer != FormAnswer::Next) {
            steps.tell(formmsg::kAdded, formmsg::kAddedCaption);
            return;
        }
        blank = true;
    }
}

void RunAmendCustomer(CustomerRecord& current, const TerminalConfig& config, const SearchSteps& search,
                      const CustomerSteps& steps) {
    if (!RunCustomerSearch(current, false, search)) return;
    const std::int64_t number = current.Number();
    CustomerForm form = EditCustomerForm(current, config.Option(formcfg::kManualNumber) != 0);
    for (;;) {
        if (steps.showForm(form) == FormAnswer::Cancel) return;
        const char* problem = ReadCustomerForm(form, current);
        if (current.Number() != number) problem = formmsg::kNumberChanged;
        if (!problem) problem = CheckCustomer(current, true);
        if (problem) {
            steps.tell(problem, custmsg::kProblem);
            continue;
        }
        std::int32_t result = 0;
        if (!steps.amend(current, result)) {
            steps.tell(custmsg::kNetworkError, custmsg::kProblem);
            continue;
        }
        if (result != 0) {
            steps.tell(AmendRefusalText(result), formmsg::kRefusedCaption);
            return;
        }
        if (!steps.log(CustomerUpdateEntry(steps.stamp(), current)))
            steps.tell(formmsg::kNoLog, formmsg::kNoLogCaption);
        else
            steps.tell(formmsg::kAmended, formmsg::kAmendedCaption);
        return;
    }
}
