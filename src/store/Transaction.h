#pragma once

namespace almanis {

class Connection;

// A change of several statements that the store keeps whole or not at all.
// Begun outside any transaction, it takes the store for writing at once
// (BEGIN IMMEDIATE), so other programs wait on their busy timeout rather than
// fail half-way; begun inside one, it is a savepoint of it. commit() keeps the
// change; a transaction destroyed without, by an exception say, is rolled
// back. Every failure to begin or commit throws AppError.
class Transaction {
  public:
    explicit Transaction(Connection& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

  private:
    Connection& db_;
    bool nested_ = false;
    bool open_ = true;
};

}  // namespace almanis
