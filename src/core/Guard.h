#pragma once

#include "core/Addresses.h"
#include "core/ErrorLocation.h"

#include <QString>
#include <functional>
#include <optional>
#include <type_traits>

namespace almanis {

class Ui;

// The full text of the "Application Error" box for a failure of step `step` at
// `location`, asking for a screenshot at `supportEmail` unless that is empty.
QString errorReportText(const QString& description, ErrorLocation location, int step,
                        const QString& supportEmail = QLatin1String(kSupportEmail));

// One guarded procedure. Its steps are numbered 100, 102, 104, ... by the caller,
// one number per statement in their order. A step that throws shows the error
// report and the procedure goes on with the next step; a test that throws counts
// as passed, so what it guards still runs. Where carrying on would only repeat
// the same failure, the caller stops when a step returns false.
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

  private:
    void report(int number, const QString& description);

    Ui& ui_;
    ErrorLocation location_;
    int failures_ = 0;
};

}  // namespace almanis
