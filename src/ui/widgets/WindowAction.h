#pragma once

#include "common/Error.h"

#include <QString>
#include <exception>
#include <functional>

// Where a window sends a text the person must see: the core's general error
// report (gathered during a journal pass, shown at once otherwise).
using ReportFn = std::function<void(const QString&)>;

// Runs what a click or a menu item asked for. An error it throws ends the
// action and goes to the report with the text the general error report
// gives it; the window stays as it is.
template <typename F> void runAction(const ReportFn& report, F&& action)
{
    try {
        std::forward<F>(action)();
    } catch (const std::exception& e) {
        report(errorText(e));
    }
}
