#pragma once

#include <functional>

// Every user action runs inside this guard: an error of the program (or any
// std::exception) is shown in the application's default error box through
// the dialog seam, the action ends there and the program goes on.
// Exceptions never cross Qt's event loop.
void runGuarded(const std::function<void()> &action);

// Wraps an action for connect(): the returned callable runs it guarded and
// ignores any signal arguments.
template <typename F>
auto guarded(F action)
{
    return [action](auto &&...) { runGuarded(action); };
}
