#include "printing/after_sale_window.h"

#include <string>

#include "customers/customer_window.h"
#include "logs/day_log.h"
#include "payment/commit_window.h"
#include "payment/tender_window.h"
#include "printing/after_sale.h"
#include "printing/devices.h"
#include "printing/document_print.h"
#include "printing/receipt_print.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/message_box.h"
#include "shell/terminal_hooks.h"

static_assert(IDC_SUMMARY_STANDARD_RECEIPT == aftersale::kStandardReceipt &&
              IDC_SUMMARY_CUSTOM_RECEIPT == aftersale::kCustomReceipt &&
              IDC_SUMMARY_INVOICE_1 == aftersale::kInvoice1 && IDC_SUMMARY_INVOICE_2 == aftersale::kInvoice2 &&
              IDC_SUMMARY_CUSTOM_INVOICE == aftersale::kCustomInvoice &&
              IDC_SUMMARY_DELIVERY_NOTE == aftersale::kDeliveryNote && IDC_SUMMARY_EMAIL == aftersale::kEmailDocument);
static_assert(print::kInvoice1 == aftersale::kInvoice1 && print::kInvoice2 == aftersale::kInvoice2 &&
              print::kCustomInvoice == aftersale::kCustomInvoice && print::kDeliveryNote == aftersale::kDeliveryNote);

namespace print {
namespace {

JobResult RealRunPrintJob(HWND owner, PrinterChoice choice, int, const DrawPage& draw, const AfterCopy& afterCopy,
                          int extraCopies) {
    return RunPrintJob(owner, choice, draw, afterCopy, extraCopies);
}

void RealSendClosingSequence() { devices::SendClosingSequence(); }

bool RealOpenLink(HWND owner, const char* link) {
    const HINSTANCE result = ShellExecuteA(owner, "open", link, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

constexpr AfterSaleOutputs kRealAfterSaleOutputs{RealRunPrintJob, RealSendClosingSequence, RealOpenLink};
AfterSaleOutputs g_afterSaleOutputs = kRealAfterSaleOutputs;

namespace {

JobResult PrintDocument(HWND owner, const aftersale::DocumentJob& job) {
    const int kind = job.kind;
    DrawPage draw;
    if (job.printer == PrinterChoice::Receipt)
        draw = [kind](HDC dc, PageState&) { PrintReceipt(dc, kind); };
    else
        draw = [kind](HDC dc, PageState& pages) { PrintDocumentPage(dc, kind, pages); };
    AfterCopy afterCopy;
    if (job.closingSequence) afterCopy = [] { g_afterSaleOutputs.sendClosingSequence(); };
    return g_afterSaleOutputs.runPrintJob(owner, job.printer, kind, draw, afterCopy, job.extraCopies);
}

void PrintKitchenJob(HWND owner) {
    g_afterSaleOutputs.runPrintJob(
        owner, PrinterChoice::Kitchen, kKitchenTicketKind, [](HDC dc, PageState&) { PrintKitchenTicketPage(dc); },
        {}, 0);
}

// The order of the sale in the basket, at the time now.
aftersale::EmailOrder CurrentOrder() {
    const SaleDocumentInputs now = CurrentSaleInputs();  // refreshes the clock
    return aftersale::OrderForEmail(g_app.headers, g_app.basket, g_app.live, CurrentCustomer(), g_localTime,
                                    now.todayLong);
}

void SendOrderEmail(HWND dialog) {
    std::string link;
    if (!aftersale::ComposeEmailLink(CurrentOrder(), link) || !g_afterSaleOutputs.openLink(dialog, link.c_str()))
        ShowMessage(dialog, aftersale::kEmailFailedText, aftersale::kProblemCaption);
}

struct SummaryDialog {
    aftersale::SummaryTexts texts;
    int automaticButton = 0;  // posted once or twice as the dialog opens
    int automaticPosts = 0;
};

void PlaceOverMainWindow(HWND dialog) {
    RECT main, own;
    if (!g_app.mainWindow || !GetWindowRect(g_app.mainWindow, &main) || !GetWindowRect(dialog, &own)) return;
    int left = 0, top = 0;
    if (aftersale::PlaceSummary({main.left, main.top, main.right, main.bottom}, own.right - own.left,
                                own.bottom - own.top, left, top))
        SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK SummaryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* state = reinterpret_cast<const SummaryDialog*>(lParam);
            SetDlgItemTextA(dialog, IDC_SUMMARY_TOTAL, state->texts.total.c_str());
            SetDlgItemTextA(dialog, IDC_SUMMARY_TENDERED, state->texts.tendered.c_str());
            SetDlgItemTextA(dialog, IDC_SUMMARY_CHANGE, state->texts.change.c_str());
            if (HFONT font = ExistingTenderFont())
                SendDlgItemMessageA(dialog, IDC_SUMMARY_CHANGE, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            for (int i = 0; i < state->automaticPosts; ++i)
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(state->automaticButton, BN_CLICKED), 0);
            PlaceOverMainWindow(dialog);
            SetFocus(GetDlgItem(dialog, IDOK));
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDOK || id == IDCANCEL) {
                EndDialog(dialog, id == IDOK ? 1 : 0);
                return TRUE;
            }
            if (id == aftersale::kEmailDocument) {
                SendOrderEmail(dialog);
                return TRUE;
            }
            aftersale::DocumentJob job;
            if (aftersale::JobForButton(id, job)) {
                PrintDocument(dialog, job);
                SetFocus(GetDlgItem(dialog, IDC_SUMMARY_TENDERED));
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR RunSaleSummary(HWND owner) {
    SummaryDialog state;
    state.texts = aftersale::SummaryBoxTexts(g_app.basket.Total(), g_saleTender.tendered, g_saleTender.change);
    const std::int32_t automatic = g_app.live.Switch(0);
    state.automaticButton = aftersale::AutomaticButton(automatic);
    state.automaticPosts = aftersale::AutomaticButtonPosts(automatic, g_app.live.Switch(20));
    return DialogBoxParamA(g_app.instance, aftersale::kSummaryTemplate, owner, SummaryDialogProc,
                           reinterpret_cast<LPARAM>(&state));
}

void RunAfterSaleStep() {
    const TerminalConfig& config = g_app.live;
    aftersale::AfterSaleSettings settings;
    settings.openDrawer = config.Option(17);
    settings.printDirectly = config.Option(12);
    settings.automaticDocument = config.Switch(0);
    settings.twoCopies = config.Switch(20);
    settings.poleDisplay = config.Switch(100);
    settings.kitchenTicket = config.Switch(122);
    const aftersale::AfterSalePlan plan = aftersale::PlanAfterSale(settings);

    if (plan.openDrawer) devices::OpenTillDrawer();
    if (plan.showTenderOnPole) devices::ShowPoleTenderAndChange(g_saleTender.tendered, g_saleTender.change);
    const HWND owner = g_app.mainWindow;
    if (plan.showSummary) {
        RunSaleSummary(owner);
    } else {
        aftersale::DocumentJob job;
        if (aftersale::JobForCode(plan.automaticCode, job) && PrintDocument(owner, job) == JobResult::Cancelled)
            return;  // a cancelled print dialog ends the step
    }
    if (plan.printKitchenTicket) PrintKitchenJob(owner);
}

void PrintBasketKitchenTicket() { PrintKitchenJob(g_app.mainWindow); }

}  // namespace print
