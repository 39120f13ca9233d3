#include "payment/commit_window.h"

#include <windows.h>

#include "basket/basket_window.h"
#include "customers/customer_window.h"
#include "link/please_wait.h"
#include "link/remote.h"
#include "logs/day_log.h"
#include "payment/commit.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/terminal_hooks.h"

// <windows.h> maps this name to the system call's 8-bit variant; here it is the record's.
#undef SetComputerName

TenderResult g_saleTender;

namespace {

void LogSale(std::int32_t committedNumber) {
    RefreshClock();
    const CustomerRecord& customer = CurrentCustomer();
    const LogEntry entry = SaleLogEntry(g_clockText, committedNumber, g_app.basket,
                                        LoggedCustomer{customer.Number(), customer.Name()},
                                        g_app.live.CurrentAssociateName());
    if (!AppendToDayFile(g_app.dataDir, entry)) ShowMessage(nullptr, kSaleLogMissingText, kProblemCaption);
}

}  // namespace

std::int32_t CommitTransaction() {
    TransactionRecord& basket = g_app.basket;
    switch (CheckBeforeCommit(basket.LineCount(), BasketListCount())) {
    case CommitPrecheck::NothingToSend: return 0;
    case CommitPrecheck::ListEmpty:
        basket = TransactionRecord{};
        ShowMessage(g_app.mainWindow, kNoItemsText, kProblemCaption);
        return 0;
    case CommitPrecheck::Send: break;
    }
    basket.SetComputerName(g_app.computerName);

    std::int32_t result = 0;
    unsigned long failure = 0;
    {
        PleaseWait wait(g_app.mainWindow);
        failure = RemoteCommitSale(basket, result);
    }
    if (failure != 0) {
        // The basket stays as it was, so the associate can pay again.
        ShowMessage(nullptr, kCommitNetworkErrorText, kProblemCaption);
        return 0;
    }
    const CommitAnswer answer = InterpretCommitAnswer(result);
    if (!answer.accepted) {
        ShowMessage(g_app.mainWindow, answer.refusalText, kCommitRefusedCaption);
        ForgetBasket();
        RefreshTotals();
        return 0;
    }
    StoreCommittedNumber(basket, g_app.live, result);
    if (CommitWritesSaleLog(basket)) LogSale(answer.committedNumber);
    return result;
}

void FinishSale(PaymentKind kind, const TenderResult& tender) {
    g_saleTender = tender;
    RefreshClock();
    g_app.entryDialog = nullptr;
    ApplyPaymentFields(g_app.basket, kind);

    CommitStamp stamp;
    stamp.now = g_localTime;
    stamp.formatDate = FormatDateWithLocale;
    stamp.currentAssociate = g_app.live.CurrentAssociate();
    stamp.expectedNumber = g_app.live.TransactionNumber();
    stamp.computerName = g_app.computerName;
    StampForCommit(g_app.basket, stamp);

    const std::int32_t result = CommitTransaction();
    if (result == 0) {
        FocusItemBox();
        return;
    }
    AfterSaleStep();
    ForgetBasket();
    AdvanceTransactionNumber(g_app.live, result);
    RefreshTotals();  // also sound 151 unless sounds are off
    FocusItemBox();
}
