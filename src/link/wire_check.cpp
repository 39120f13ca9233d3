// Compile-time agreement between the structures generated from varenko.idl and the
// record layouts: the simple records are their packed bytes, the complex ones follow
// the member tables of wire_layout.h. Nothing here runs.
#include <cstddef>

#include "link/label_table.h"
#include "link/records.h"
#include "link/wire_layout.h"
#include "varenko_h.h"

// --- Simple records: the structure's members sit at their packed offsets ------------
static_assert(sizeof(WireItemKey) == itemkey::kSize);
static_assert(offsetof(WireItemKey, number) == itemkey::kNumber);
static_assert(offsetof(WireItemKey, text) == itemkey::kText.offset);

static_assert(sizeof(WireCustomerKey) == custkey::kSize);
static_assert(offsetof(WireCustomerKey, number) == custkey::kNumber);
static_assert(offsetof(WireCustomerKey, text) == custkey::kText.offset);
static_assert(offsetof(WireCustomerKey, second_text) == custkey::kSecondText.offset);

static_assert(sizeof(WireLabelTable) == labels::kSize);
static_assert(sizeof(WireLabelTable::entries[0]) == labels::kEntryWidth);

static_assert(sizeof(WirePictureBlock) == picture::kSize);
static_assert(offsetof(WirePictureBlock, count) == picture::kCount);
static_assert(offsetof(WirePictureBlock, data) == picture::kData);

static_assert(sizeof(WireButtonPage) == buttons::kSize);
static_assert(offsetof(WireButtonPage, direction) == buttons::kDirection);
static_assert(offsetof(WireButtonPage, cursor) == buttons::kCursor);
static_assert(offsetof(WireButtonPage, item_numbers) == buttons::kItemNumbers);
static_assert(offsetof(WireButtonPage, texts) == buttons::kTexts);

static_assert(sizeof(WireNumberBatch) == numberbatch::kSize);
static_assert(offsetof(WireNumberBatch, int64s) == numberbatch::kInt64s);
static_assert(offsetof(WireNumberBatch, int32s) == numberbatch::kInt32s);
static_assert(offsetof(WireNumberBatch, doubles) == numberbatch::kDoubles);

static_assert(sizeof(WireNameBatch) == namebatch::kSize);
static_assert(offsetof(WireNameBatch, second) == namebatch::kSecondInt32);
static_assert(offsetof(WireNameBatch, third) == namebatch::kInt64);
static_assert(offsetof(WireNameBatch, int64s) == namebatch::kInt64s);
static_assert(offsetof(WireNameBatch, texts) == namebatch::kTexts);

// --- Complex records: every named member at the wire offset of its table row --------
#define VARENKO_WIRE_AT(Struct, table, member, packedOffset) \
    static_assert(offsetof(Struct, member) == wire::WireOffsetOf(wire::table, packedOffset), #Struct "." #member)

static_assert(sizeof(WireInventoryItem) == wire::WireSize(wire::kInventoryItem));
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, description, item::kDescription.offset);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, sku1, item::kSkus);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, sku4, item::kSkus + 3 * item::kSkuWidth);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_component1, item::kKitComponents[0]);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, order_code, item::kOrderCode.offset);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_component4, item::kKitComponents[3]);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_component5, item::kKitComponents[4]);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, date_added, item::kDateAdded.offset);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_component6, item::kKitComponents[5]);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, in_stock, item::kInStock);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, tax_code, item::kTaxCode);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, labels_to_print, item::kLabelsToPrint);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, cost_price, item::kCostPrice);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, trade_price, item::kTradePrice);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, price, item::kPrice);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, delivery, item::kDelivery);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, weight, item::kWeight);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, picture_number, item::kPictureNumber);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, tax_round_down, item::kTaxRoundDown);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, age_limit, item::kAgeLimit);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_terms, item::kKitTerms);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, own_picture, item::kOwnPicture);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, sale_or_return, item::kSaleOrReturn);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, notes, item::kNotes.offset);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_component2, item::kKitComponents[1]);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_component3, item::kKitComponents[2]);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, category, item::kCategory);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, kit_flag, item::kKitFlag);
VARENKO_WIRE_AT(WireInventoryItem, kInventoryItem, r2105, 2105);

static_assert(sizeof(WireCustomerRecord) == wire::WireSize(wire::kCustomerRecord));
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, name, customer::kName.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, billing_post_code, customer::kBillingPostCode.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, fax, customer::kFax.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, shipping_post_code, customer::kShippingPostCode.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, contact, customer::kContact.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, notes, customer::kNotes.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, group_number, customer::kGroup);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, comment, customer::kComment.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, credit_card1, customer::kCreditCard1.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, credit_card2_expiry, customer::kCreditCard2Expiry.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, terms, customer::kTerms);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, last_transaction, customer::kLastTransaction);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, email, customer::kEmail.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, total_purchases, customer::kTotalPurchases);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, origination, customer::kOrigination.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, last_payment, customer::kLastPayment.offset);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, balance, customer::kBalance);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, credit_limit, customer::kCreditLimit);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, transactions, customer::kTransactions);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, tax_code, customer::kTaxCode);
VARENKO_WIRE_AT(WireCustomerRecord, kCustomerRecord, r1238, 1238);

static_assert(sizeof(WireTerminalConfig) == wire::WireSize(wire::kTerminalConfig));
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, second_currency_sign, cfg::kSecondCurrencySign);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, term_codes, cfg::kTermCodes);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, server_connection, cfg::kServerConnection);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, non_inventory_caption1, cfg::kNonInventoryCaptions);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, times, cfg::kTimes);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, options, cfg::kOptions);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, transaction_number, cfg::kTransactionNumber);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, currency_sign, cfg::kCurrencySign);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, category_codes_high, cfg::kCategoryCodesHigh);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, carried4774, cfg::kCarried4774);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, receipt_rows, cfg::kReceiptRows);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, pole_texts, cfg::kPoleTexts);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, server_name, cfg::kServerName);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, current_associate, cfg::kCurrentAssociate);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, associate_names, cfg::kAssociateNames);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, associate_passwords, cfg::kAssociatePasswords);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, trade_values, cfg::kTradeValues);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, associate_flags, cfg::kAssociateFlags);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, switches, cfg::kSwitches);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, amounts, cfg::kAmounts);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, r14138, cfg::kCarriedDoubles);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, carried14218, 14218);
VARENKO_WIRE_AT(WireTerminalConfig, kTerminalConfig, r14298, cfg::kTail);

static_assert(sizeof(WireTransactionRecord) == wire::WireSize(wire::kTransactionRecord));
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, customer_number, txn::kCustomerNumber);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, line_item_numbers, txn::kLineItemNumbers);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, associate, txn::kAssociate);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, line_count, txn::kLineCount);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, line_descriptions, txn::kLineDescriptions);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, line_non_taxable, txn::kLineNonTaxable);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, line_total, txn::kLineTotal);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, non_taxable_total, txn::kNonTaxableTotal);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, discount_total, txn::kDiscountTotal);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, cash_paid, txn::kCashPaid);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, cheque_paid, txn::kChequePaid);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, balance_after, txn::kBalanceAfter);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, time_text, txn::kTime.offset);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, customer_telephone, txn::kCustomerTelephone.offset);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, payment_type, txn::kPaymentType.offset);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, computer_name, txn::kComputerName.offset);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, refund_method, txn::kRefundMethod);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, refund_stock_flag, txn::kRefundStockFlag);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, r42806, 42806);
VARENKO_WIRE_AT(WireTransactionRecord, kTransactionRecord, note, txn::kNote.offset);

#undef VARENKO_WIRE_AT
