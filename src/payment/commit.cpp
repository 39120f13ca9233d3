#include "payment/commit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "basket/money.h"

namespace {

// The date field holds 19 characters and its terminator.
constexpr std::size_t kDateTextLimit = txn::kDate.width - 1;

struct RefusalEntry {
    std::int32_t code;
    const char* text;
};

constexpr RefusalEntry kRefusals[] = {
    {2, "Invalid customer"},
    {3, "Inventory file error"},
    {4, "Inventory item file error"},
    {5, "Inventory item out of stock"},
    {6, "File log trail error 1"},
    {7, "File log trail error 2"},
    {8, "File log trail error 3"},
    {12, "File log trail error 4"},
};
constexpr const char* kUnknownRefusal = "Invalid number";

// The clock text's hour and minute digits as "HH:MM", then a space and its date part.
std::string ClockStamp(const ClockText& clock) {
    std::string stamp{clock[0], clock[1], ':', clock[3], clock[4], ' '};
    stamp.append(clock + 5, strnlen(clock + 5, kClockTextSize - 5));
    return stamp;
}

}  // namespace

CommitAnswer InterpretCommitAnswer(std::int32_t result) {
    CommitAnswer answer;
    if (result >= kFirstAcceptedResult) {
        answer.accepted = true;
        answer.committedNumber = result - 21;
        answer.nextNumber = result - 20;
    } else {
        answer.refusalText = CommitRefusalText(result);
    }
    return answer;
}

const char* CommitRefusalText(std::int32_t code) {
    for (const RefusalEntry& entry : kRefusals)
        if (entry.code == code) return entry.text;
    return kUnknownRefusal;
}

CommitPrecheck CheckBeforeCommit(std::int32_t lineCount, int basketListEntries) {
    if (lineCount < 1) return CommitPrecheck::NothingToSend;
    if (basketListEntries < 1) return CommitPrecheck::ListEmpty;
    return CommitPrecheck::Send;
}

std::string SaleTimeText(const LocalTime& now) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", now.hour, now.minute);
    return text;
}

std::string SaleDateText(const LocalTime& now, DateFormatter formatDate) {
    char text[kClockTextSize] = {};
    if (formatDate != nullptr && formatDate(now, kDisplayDatePattern, text, static_cast<int>(sizeof text)) > 0) {
        text[sizeof text - 1] = 0;
        if (std::strlen(text) <= kDateTextLimit) return text;
    }
    std::snprintf(text, sizeof text, "D:%2d M:%2d Y:%d", now.day, now.month, now.year);
    return text;
}

void StampForCommit(TransactionRecord& record, const CommitStamp& stamp) {
    record.SetNumber(stamp.expectedNumber);
    record.SetTime(SaleTimeText(stamp.now));
    record.SetDate(SaleDateText(stamp.now, stamp.formatDate));
    // The record's clerk is 32 bits wide: the associate number's low half.
    record.SetAssociate(static_cast<std::int32_t>(static_cast<std::uint32_t>(stamp.currentAssociate)));
    record.SetComputerName(stamp.computerName);
}

void StoreCommittedNumber(TransactionRecord& record, TerminalConfig& config, std::int32_t result) {
    const std::int32_t committed = InterpretCommitAnswer(result).committedNumber;
    record.SetNumber(committed);
    config.SetTransactionNumber(committed);
}

void AdvanceTransactionNumber(TerminalConfig& config, std::int32_t result) {
    config.SetTransactionNumber(InterpretCommitAnswer(result).nextNumber);
}

bool CommitWritesSaleLog(const TransactionRecord& record) {
    return !(record.CustomerNumber() != 0 && record.PaymentType() == "Credit");
}

LogEntry SaleLogEntry(const ClockText& clock, std::int32_t committedNumber, const TransactionRecord& record,
                      const LoggedCustomer& customer, const std::string& associateName) {
    LogEntry entry;
    entry.push_back("\r\n" + ClockStamp(clock) + "  Transaction " + std::to_string(committedNumber));
    if (record.CustomerNumber() != 0)
        entry.push_back("\r\nCustomer " + std::to_string(customer.number) + " " + customer.name);
    // A received record may claim any count; only the stored lines exist.
    const int lines = std::clamp(record.LineCount(), 0, txn::kMaxLines);
    for (int i = 0; i < lines; ++i)
        entry.push_back("\r\n" + std::to_string(record.LineItemNumber(i)) + "  " + record.LineDescription(i));
    entry.push_back("\r\nTotal: " + FormatMoney(record.Total()) + "\r\n");
    entry.push_back("Clerk: " + std::to_string(record.Associate()) + ", " + associateName +
                    "   Items: " + std::to_string(record.LineCount()) + "\r\n");
    entry.push_back("Payment type: " + record.PaymentType() + "\r\n");
    return entry;
}
