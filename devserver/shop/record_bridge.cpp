#include "shop/record_bridge.h"

#include <algorithm>
#include <cstring>

namespace shop {

InventoryItem ToRecord(const Item& item) {
    InventoryItem r;
    r.SetNumber(item.number);
    r.SetDescription(item.description);
    for (int n = 1; n <= kSkuCount; ++n) r.SetSku(n, item.skus[n - 1]);
    r.SetOrderCode(item.orderCode);
    r.SetDateAdded(item.dateAdded);
    r.SetNotes(item.notes);
    for (int n = 1; n <= kKitComponentCount; ++n) {
        const KitComponent& c = item.components[n - 1];
        r.SetKitComponent(n, c.text);
        r.SetKitEntryMode(n, c.mode);
        r.SetKitQuantity(n, c.quantity);
    }
    r.SetOfferRule(item.offerRule);
    r.SetInStock(item.stock);
    r.SetRestockLevel(item.restockLevel);
    r.SetMinimumOrder(item.minimumOrder);
    r.SetOrderQuantity(item.orderQuantity);
    r.SetTaxCode(item.taxCode);
    r.SetDeliveryLead(item.deliveryLead);
    r.SetOnOrder(item.onOrder);
    r.SetCommitted(item.committed);
    r.SetLabelsToPrint(item.labelsToPrint);
    r.SetCostPrice(item.costPrice);
    r.SetTradePrice(item.tradePrice);
    r.SetPrice(item.price);
    r.SetDelivery(item.delivery);
    r.SetWeight(item.weight);
    r.SetPictureNumber(item.stockPicture);
    r.SetTaxRoundDown(item.roundTaxDown);
    r.SetAgeLimit(item.ageLimit);
    r.SetOwnPicture(item.ownPicture);
    r.SetSaleOrReturn(item.saleOrReturn);
    r.SetCategory(item.category);
    r.SetKitFlag(item.kitFlag);
    return r;
}

Item ToItem(const InventoryItem& r) {
    Item item;
    item.number = r.Number();
    item.description = r.Description();
    for (int n = 1; n <= kSkuCount; ++n) item.skus[n - 1] = r.Sku(n);
    item.orderCode = r.OrderCode();
    item.dateAdded = r.DateAdded();
    item.notes = r.Notes();
    for (int n = 1; n <= kKitComponentCount; ++n)
        item.components[n - 1] = KitComponent{r.KitComponent(n), r.KitEntryMode(n), r.KitQuantity(n)};
    item.offerRule = r.OfferRule();
    item.stock = r.InStock();
    item.restockLevel = r.RestockLevel();
    item.minimumOrder = r.MinimumOrder();
    item.orderQuantity = r.OrderQuantity();
    item.taxCode = r.TaxCode();
    item.deliveryLead = r.DeliveryLead();
    item.onOrder = r.OnOrder();
    item.committed = r.Committed();
    item.labelsToPrint = r.LabelsToPrint();
    item.costPrice = r.CostPrice();
    item.tradePrice = r.TradePrice();
    item.price = r.Price();
    item.delivery = r.Delivery();
    item.weight = r.Weight();
    item.stockPicture = r.PictureNumber();
    item.roundTaxDown = r.TaxRoundDown();
    item.ageLimit = r.AgeLimit();
    item.ownPicture = r.OwnPicture();
    item.saleOrReturn = r.SaleOrReturn();
    item.category = r.Category();
    item.kitFlag = r.KitFlag();
    return item;
}

CustomerRecord ToRecord(const Customer& c) {
    CustomerRecord r;
    r.SetNumber(c.number);
    r.SetName(c.name);
    r.SetBillingRoad(c.road);
    r.SetBillingArea(c.area);
    r.SetBillingTown(c.town);
    r.SetBillingPostCode(c.zip);
    r.SetTelephone1(c.telephone);
    r.SetTelephoneExtension(c.extension);
    r.SetTelephone2(c.telephone2);
    r.SetFax(c.fax);
    r.SetShippingName(c.shippingName);
    r.SetShippingRoad(c.shippingRoad);
    r.SetShippingArea(c.shippingArea);
    r.SetShippingTown(c.shippingTown);
    r.SetShippingPostCode(c.shippingZip);
    r.SetContact(c.contact);
    r.SetNotes(c.notes);
    r.SetComment(c.comment);
    r.SetComment2(c.comment2);
    r.SetCreditCard1(c.card1);
    r.SetCreditCard2(c.card2);
    r.SetCreditCard1Expiry(c.card1Expiry);
    r.SetCreditCard2Expiry(c.card2Expiry);
    r.SetEmail(c.email);
    r.SetOrigination(c.origination);
    r.SetLastUsed(c.lastUsed);
    r.SetLastPayment(c.lastPayment);
    r.SetGroup(c.group);
    r.SetTerms(c.terms);
    r.SetLastTransaction(c.lastTransaction);
    r.SetTransactions(c.transactions);
    r.SetTaxCode(c.taxCode);
    r.SetTotalPurchases(c.totalPurchases);
    r.SetBalance(c.balance);
    r.SetCreditLimit(c.creditLimit);
    return r;
}

Customer ToCustomer(const CustomerRecord& r) {
    Customer c;
    c.number = r.Number();
    c.name = r.Name();
    c.road = r.BillingRoad();
    c.area = r.BillingArea();
    c.town = r.BillingTown();
    c.zip = r.BillingPostCode();
    c.telephone = r.Telephone1();
    c.extension = r.TelephoneExtension();
    c.telephone2 = r.Telephone2();
    c.fax = r.Fax();
    c.shippingName = r.ShippingName();
    c.shippingRoad = r.ShippingRoad();
    c.shippingArea = r.ShippingArea();
    c.shippingTown = r.ShippingTown();
    c.shippingZip = r.ShippingPostCode();
    c.contact = r.Contact();
    c.notes = r.Notes();
    c.comment = r.Comment();
    c.comment2 = r.Comment2();
    c.card1 = r.CreditCard1();
    c.card2 = r.CreditCard2();
    c.card1Expiry = r.CreditCard1Expiry();
    c.card2Expiry = r.CreditCard2Expiry();
    c.email = r.Email();
    c.origination = r.Origination();
    c.lastUsed = r.LastUsed();
    c.lastPayment = r.LastPayment();
    c.group = r.Group();
    c.terms = r.Terms();
    c.lastTransaction = r.LastTransaction();
    c.transactions = r.Transactions();
    c.taxCode = r.TaxCode();
    c.totalPurchases = r.TotalPurchases();
    c.balance = r.Balance();
    c.creditLimit = r.CreditLimit();
    return c;
}

TransactionRecord ToRecord(const Transaction& t) {
    TransactionRecord r;
    r.SetNumber(t.number);
    r.SetCustomerNumber(t.customer);
    r.SetAssociate(t.associate);
    const int count = static_cast<int>(std::min<std::size_t>(t.lines.size(), txn::kMaxLines));
    r.SetLineCount(count);
    for (int i = 0; i < count; ++i) {
        const TransactionLine& l = t.lines[static_cast<std::size_t>(i)];
        r.SetLineItemNumber(i, l.item);
        r.SetLineDescription(i, l.description);
        r.SetLineNonTaxable(i, l.nonTaxable);
        r.SetLineTaxable(i, l.taxable);
        r.SetLineTax1(i, l.tax1);
        r.SetLineTax2(i, l.tax2);
        r.SetLineCost(i, l.cost);
        r.SetLineDiscount(i, l.discount);
        r.SetLineTotal(i, l.total);
    }
    r.SetNonTaxableTotal(t.nonTaxableTotal);
    r.SetTaxableTotal(t.taxableTotal);
    r.SetSubTotal(t.subTotal);
    r.SetTax1Total(t.tax1Total);
    r.SetTax2Total(t.tax2Total);
    r.SetCostTotal(t.costTotal);
    r.SetTotal(t.total);
    r.SetDiscountTotal(t.discountTotal);
    r.SetCashPaid(t.cash);
    r.SetEftPaid(t.eft);
    r.SetChequePaid(t.cheque);
    r.SetBalanceBefore(t.balanceBefore);
    r.SetBalanceAfter(t.balanceAfter);
    r.SetTime(t.time);
    r.SetDate(t.date);
    r.SetCustomerName(t.customerName);
    r.SetCustomerRoad(t.customerRoad);
    r.SetCustomerArea(t.customerArea);
    r.SetCustomerTown(t.customerTown);
    r.SetCustomerPostCode(t.customerZip);
    r.SetCustomerTelephone(t.customerTelephone);
    r.SetPaymentType(t.paymentType);
    r.SetComputerName(t.computerName);
    r.SetNote(t.note);
    r.SetRefundMethod(t.refundMethod);
    r.SetRefundStockFlag(t.refundStockFlag);
    return r;
}

Transaction ToTransaction(const TransactionRecord& r) {
    Transaction t;
    t.number = r.Number();
    t.customer = r.CustomerNumber();
    t.associate = r.Associate();
    const int count = std::clamp<int>(r.LineCount(), 0, txn::kMaxLines);
    t.lines.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TransactionLine& l = t.lines[static_cast<std::size_t>(i)];
        l.item = r.LineItemNumber(i);
        l.description = r.LineDescription(i);
        l.nonTaxable = r.LineNonTaxable(i);
        l.taxable = r.LineTaxable(i);
        l.tax1 = r.LineTax1(i);
        l.tax2 = r.LineTax2(i);
        l.cost = r.LineCost(i);
        l.discount = r.LineDiscount(i);
        l.total = r.LineTotal(i);
    }
    t.nonTaxableTotal = r.NonTaxableTotal();
    t.taxableTotal = r.TaxableTotal();
    t.subTotal = r.SubTotal();
    t.tax1Total = r.Tax1Total();
    t.tax2Total = r.Tax2Total();
    t.costTotal = r.CostTotal();
    t.total = r.Total();
    t.discountTotal = r.DiscountTotal();
    t.cash = r.CashPaid();
    t.eft = r.EftPaid();
    t.cheque = r.ChequePaid();
    t.balanceBefore = r.BalanceBefore();
    t.balanceAfter = r.BalanceAfter();
    t.time = r.Time();
    t.date = r.Date();
    t.customerName = r.CustomerName();
    t.customerRoad = r.CustomerRoad();
    t.customerArea = r.CustomerArea();
    t.customerTown = r.CustomerTown();
    t.customerZip = r.CustomerPostCode();
    t.customerTelephone = r.CustomerTelephone();
    t.paymentType = r.PaymentType();
    t.computerName = r.ComputerName();
    t.note = r.Note();
    t.refundMethod = r.RefundMethod();
    t.refundStockFlag = r.RefundStockFlag();
    return t;
}

ButtonPage ToButtonPage(const ::ButtonPage& r) {
    ButtonPage page;
    page.category = r.Category();
    page.direction = r.Direction();
    page.cursor = r.Cursor();
    for (int b = 0; b < kButtonsPerPage; ++b) {
        page.numbers[b] = r.ItemNumber(b);
        page.captions[b] = r.Caption(b);
        page.pictures[b] = r.PictureName(b);
    }
    return page;
}

void WriteButtonPage(const ButtonPage& page, ::ButtonPage& r) {
    r.SetCategory(page.category);
    r.SetDirection(page.direction);
    r.SetCursor(page.cursor);
    for (int b = 0; b < kButtonsPerPage; ++b) {
        r.SetItemNumber(b, page.numbers[b]);
        r.SetCaption(b, page.captions[b]);
        r.SetPictureName(b, page.pictures[b]);
    }
}

void ServeFetchItem(const Shop& shop, const ItemKey& key, InventoryItem& reply) {
    reply = ToRecord(shop.FetchItem(key.Number(), key.SearchText()));
}

void ServeFetchCustomer(const Shop& shop, const CustomerKey& key, CustomerRecord& reply) {
    reply = ToRecord(shop.FetchCustomer(key.Number(), key.SearchText()));
}

void ServeFetchTerminalConfig(const Shop& shop, TerminalConfig& reply) { reply = shop.Config(); }

void ServeFetchLabelTable(const Shop& shop, LabelTable& reply) { reply = shop.Labels(); }

void ServeFetchNextCustomerNumber(const Shop& shop, char* text, std::size_t size) {
    if (size == 0) return;
    const std::string number = shop.FetchNextCustomerNumber();
    std::memset(text, 0, size);
    std::memcpy(text, number.data(), std::min(number.size(), size - 1));
}

void ServeFetchPictureBlock(const Shop& shop, ::PictureBlock& block) {
    const PictureBlock reply = shop.FetchPictureBlock(block.Name(), block.Count());
    block.SetCount(reply.count);
    auto data = block.Data();
    std::fill(data.begin(), data.end(), std::uint8_t{0});
    std::copy_n(reply.data.begin(), std::min(reply.data.size(), data.size()), data.begin());
}

void ServeFetchFirstButtonPage(const Shop& shop, ::ButtonPage& page) {
    WriteButtonPage(shop.FetchFirstButtonPage(ToButtonPage(page)), page);
}

void ServeFetchButtonPage(const Shop& shop, ::ButtonPage& page) {
    WriteButtonPage(shop.FetchButtonPage(ToButtonPage(page)), page);
}

std::int32_t ServeAddCustomer(Shop& shop, const CustomerRecord& customer) {
    return shop.AddCustomer(ToCustomer(customer));
}

std::int32_t ServeAmendCustomer(Shop& shop, const CustomerRecord& customer) {
    return shop.AmendCustomer(ToCustomer(customer));
}

std::int32_t ServeCommitSale(Shop& shop, const TransactionRecord& sale) {
    if (sale.LineCount() < 0 || sale.LineCount() > txn::kMaxLines) return code::kSaleBadNumber;
    return shop.CommitSale(ToTransaction(sale));
}

std::int32_t ServeCommitRefund(Shop& shop, const TransactionRecord& refund) {
    if (refund.LineCount() < 0 || refund.LineCount() > txn::kMaxLines) return code::kRefundBadNumber;
    return shop.CommitRefund(ToTransaction(refund));
}

}  // namespace shop
