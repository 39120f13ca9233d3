// What a sale commit decides: the meaning of the server's answer, the fields the
// record gets just before it is sent, and the sale's entry in the day log. Portable:
// the remote call, the message boxes and the file writes are on the Windows side.
#pragma once
#include <cstdint>
#include <string>

#include "link/records.h"
#include "logs/clock.h"
#include "shell/terminal_config.h"

// Answers from this value up accept the sale; anything below is a refusal code.
inline constexpr std::int32_t kFirstAcceptedResult = 20;

inline constexpr const char* kCommitRefusedCaption = "Server refused update request.";
inline constexpr const char* kProblemCaption = "Problem";
inline constexpr const char* kNoItemsText = "No items";
inline constexpr const char* kCommitNetworkErrorText = "Network error";
inline constexpr const char* kSaleLogMissingText = "Data log file not present.";

// The server's answer to a sale, taken apart.
struct CommitAnswer {
    bool accepted = false;
    std::int32_t committedNumber = 0;  // the sale's transaction number (accepted only)
    std::int32_t nextNumber = 0;       // the terminal's next transaction number (accepted only)
    const char* refusalText = nullptr; // the message shown under kCommitRefusedCaption (refused only)
};

// Accepted from 20 up: committed number r - 21, next number r - 20.
CommitAnswer InterpretCommitAnswer(std::int32_t result);

// The message of a refusal code; every code without its own text reads "Invalid number".
const char* CommitRefusalText(std::int32_t code);

// What the commit does before it calls the server.
enum class CommitPrecheck {
    NothingToSend,  // no lines: return quietly
    ListEmpty,      // lines counted but the basket list is empty: zero the record, "No items"
    Send,
};
CommitPrecheck CheckBeforeCommit(std::int32_t lineCount, int basketListEntries);

// What the payment path writes into the record before the commit.
struct CommitStamp {
    LocalTime now;                      // the refreshed local time
    DateFormatter formatDate = nullptr; // the locale's date formatter
    std::int64_t currentAssociate = 0;  // the clerk; the record keeps the low 32 bits
    std::int32_t expectedNumber = 0;    // the terminal's next transaction number
    std::string computerName;           // this terminal's name
};

// "%02d:%02d" of the hour and minute.
std::string SaleTimeText(const LocalTime& now);
// Today as "ddd d MMM yy" from the formatter; "D:%2d M:%2d Y:%d" when it fails or
// does not fit the record's 19 characters.
std::string SaleDateText(const LocalTime& now, DateFormatter formatDate);

// Number, time, date, clerk and computer name of the record.
void StampForCommit(TransactionRecord& record, const CommitStamp& stamp);

// After an accepted answer: the record and the configuration both hold the committed number.
void StoreCommittedNumber(TransactionRecord& record, TerminalConfig& config, std::int32_t result);
// What the payment path does once the sale is over: the next number becomes r - 20.
void AdvanceTransactionNumber(TerminalConfig& config, std::int32_t result);

// A credit sale with a customer is logged by the credit transaction itself.
bool CommitWritesSaleLog(const TransactionRecord& record);

// The customer the log names: the one last found, which the record only refers to by number.
struct LoggedCustomer {
    std::int64_t number = 0;
    std::string name;
};

// The sale's entry in the day log, one text per write: the transaction line, the
// customer line when the record has a customer, one line per item, the total, the
// clerk and the payment type.
LogEntry SaleLogEntry(const ClockText& clock, std::int32_t committedNumber, const TransactionRecord& record,
                      const LoggedCustomer& customer, const std::string& associateName);
