// The development shop: seed files plus the server's state, behind one object whose
// methods are the sixteen remote procedures in plain-struct form. Every method is
// safe to call from several threads at once; every accepted change is on disk
// before the method returns.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "link/label_table.h"
#include "logs/clock.h"
#include "shell/terminal_config.h"
#include "shop/model.h"
#include "shop/rules.h"

namespace shop {

using Clock = std::function<LocalTime()>;
LocalTime SystemClock();

class Shop {
public:
    // Reads shop.txt, labels.txt, items.txt and customers.txt of the data directory,
    // then the state folder it keeps there (created when missing). Null with the
    // reason in error when a file is missing or malformed.
    static std::unique_ptr<Shop> Open(const std::filesystem::path& dataDirectory, std::string& error,
                                      Clock clock = SystemClock);

    // The shop's configuration with the next transaction number at offset 4712.
    TerminalConfig Config() const;
    LabelTable Labels() const;

    Item FetchItem(std::int64_t key, std::string_view text) const;
    Customer FetchCustomer(std::int64_t key, std::string_view text) const;
    std::string FetchNextCustomerNumber() const;
    PictureBlock FetchPictureBlock(std::string_view name, std::int32_t offset) const;
    ButtonPage FetchFirstButtonPage(const ButtonPage& request) const;
    ButtonPage FetchButtonPage(const ButtonPage& request) const;

    // 0, or a refusal code of rules.h.
    std::int32_t AddCustomer(const Customer& customer);
    std::int32_t AmendCustomer(const Customer& customer);
    // The committed number + 21, or a refusal code below 20. A commit that repeats its
    // till's last committed one (SameCommit) gets that one's answer again and changes
    // nothing, also after a restart: a till sends a sale again when the answer never
    // reached it.
    std::int32_t CommitSale(const Transaction& sale);
    std::int32_t CommitRefund(const Transaction& refund);

    std::optional<Item> FindItem(std::int64_t number) const;
    std::optional<Customer> FindCustomer(std::int64_t number) const;
    std::int64_t NextTransactionNumber() const;
    const std::filesystem::path& DataDirectory() const { return dataDirectory_; }
    std::filesystem::path PicturesFolder() const;
    std::filesystem::path StateFolder() const;

private:
    Shop() = default;
    bool Load(std::string& error);
    std::int32_t Commit(Kind kind, const Transaction& t);
    bool SaveCustomers();
    bool SaveStock();

    mutable std::mutex mutex_;
    std::filesystem::path dataDirectory_;
    Clock clock_;
    TerminalConfig config_;
    LabelTable labels_;
    Inventory items_;
    CustomerBook customers_;
    std::int64_t nextTransaction_ = 1;

    // Each till's last committed transaction as it was sent, with its answer.
    struct LastCommit {
        Kind kind = Kind::Sale;
        Transaction sent;
        std::int32_t result = 0;
    };
    std::map<std::string, LastCommit> lastCommits_;  // by the till's computer name
    void Remember(Kind kind, const Transaction& sent, std::int64_t committed);
};

}  // namespace shop
