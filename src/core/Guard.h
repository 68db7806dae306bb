#pragma once

#include "core/Addresses.h"
#include "core/ErrorLocation.h"

#include <QString>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace almanis {

class Ui;

// The full text of the "Application Error" box for a failure of step `step` at
// `location`, asking for a screenshot at `supportEmail` unless that is empty.
QString errorReportText(const QString& description, ErrorLocation location, int step,
                        const QString& supportEmail = QLatin1String(kSupportEmail));

// One guarded procedure. The caller numbers its steps as CONTRIBUTING.md's
// "Guarded steps" says (100, 102, 104, ... rising in the order they run). A
// step that throws shows the error report and the procedure goes on with the
// next step; a test that throws counts as passed, so what it guards still
// runs. Where carrying on would only repeat the same failure, the caller stops
// when a step returns false.
class Guard {
  public:
    Guard(Ui& ui, ErrorLocation location);

    // Runs one step; false when it failed (the report has been shown).
    bool step(int number, const std::function<void()>& body);

    // Runs a test; a failing test reports and yields true.
    bool test(int number, const std::function<bool()>& body);

    // Runs a step that yields a value; nothing when it failed.
    template <class F>
    auto value(int number, F&& body) -> std::optional<std::invoke_result_t<F>> {
        std::optional<std::invoke_result_t<F>> result;
        step(number, [&] { result = body(); });
        return result;
    }

    int failures() const { return failures_; }

    // A run over many rows, such as a list fill. While it lasts only the run's
    // first failure is reported, once the run is over, and the same report
    // says how many other rows failed too; the rest of the run goes on
    // silently, so a store with many bad rows is told in one box.
    class Rows {
      public:
        explicit Rows(Guard& guard);
        ~Rows();
        Rows(const Rows&) = delete;
        Rows& operator=(const Rows&) = delete;
        // The steps from here on are about the next row.
        void next() { ++guard_.row_; }

      private:
        Guard& guard_;
    };

  private:
    void report(int number, const QString& description);
    void show(int number, const QString& description);
    void finishRows();

    Ui& ui_;
    ErrorLocation location_;
    int failures_ = 0;
    // The run over rows, while one lasts.
    bool inRows_ = false;
    int row_ = 0;
    int lastFailedRow_ = -1;
    int otherFailedRows_ = 0;
    std::optional<std::pair<int, QString>> held_;
};

}  // namespace almanis
