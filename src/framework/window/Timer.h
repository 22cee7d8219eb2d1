#pragma once

// A timer component: fires OnTimer every Interval milliseconds while
// Enabled and OnTimer is set. Disabling and enabling again restarts the
// interval. Runs on the user-interface thread through the application's
// message loop; an exception from OnTimer goes to the default error box.

#include "framework/window/Component.h"
#include "framework/window/Control.h"

#include <cstdint>

namespace klarvo {

class Timer : public Component {
public:
    explicit Timer(Component* owner);
    ~Timer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { StoreAndUpdate(enabled_, enabled); }
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms) { StoreAndUpdate(interval_, ms); }

    NotifyEvent OnTimer;

    // What the platform timer calls (tests may call it directly).
    void Fire();
    // Fires the running timer of that id; false when there is none (a
    // WM_TIMER that no timer of this program set).
    static bool FireById(std::uintptr_t id);

private:
    // Starts, stops or restarts the platform timer for the properties.
    void Update();
    template <typename T> void StoreAndUpdate(T& field, const T& value)
    {
        if (Store(field, value)) {
            Update();
        }
    }

    const std::uintptr_t ownId_;
    bool enabled_ = true;
    unsigned interval_ = 1000;
    std::uintptr_t id_ = 0;
};

} // namespace klarvo
