#pragma once

#include <type_traits>
#include <utility>

// Puts a hook in place for as long as the guard lives, through a setter that
// returns the hook it replaces (SetMessageHook, SetBeepHook, SetDesktop), and puts
// that one back at the end. A fixture holds one per hook it replaces:
//
//     THookGuard<TMessageHook> messageHook_{SetMessageHook, [this](const std::string& m) { ... }};
template <class Hook>
class THookGuard {
public:
    using TSetter = Hook (*)(Hook);

    THookGuard(TSetter set, std::type_identity_t<Hook> hook) : set_(set), previous_(set(std::move(hook))) { }
    ~THookGuard() { set_(std::move(previous_)); }
    THookGuard(const THookGuard&) = delete;
    THookGuard& operator=(const THookGuard&) = delete;

private:
    TSetter set_;
    Hook previous_;
};
