#pragma once

// The window's event handlers by name. The stored form names a handler for
// each event it binds; the table hands the loader the matching function.
// Names nobody has added yet (behaviour of pages still to come) bind to
// nothing and are listed, so that a forgotten handler shows up.

#include "framework/Control.h"
#include "framework/FormLoader.h"

#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace klarvo {

class HandlerTable {
public:
    using Handler = std::variant<NotifyEvent, MouseEvent, MouseMoveEvent, KeyPressEvent, KeyEvent>;

    HandlerTable() = default;
    ~HandlerTable() { Disarm(); }
    HandlerTable(const HandlerTable&) = delete;
    HandlerTable& operator=(const HandlerTable&) = delete;

    // From now on every event bound through the table does nothing. The
    // window calls it before it goes: freeing its controls raises events
    // (a page control shows another page as its pages leave) whose
    // handlers would reach pages already freed.
    void Disarm() { *armed_ = false; }

    // Adds or replaces the handler of a name.
    void Add(const std::string& name, Handler handler);
    bool Has(const std::string& name) const;

    // Runs a notify handler by name; false when there is none. Handlers call
    // one another this way when the other belongs to a different page.
    bool Call(const std::string& name, Component* sender);
    // The same for a mouse handler.
    bool CallMouse(const std::string& name, Component* sender, MouseButton button, ShiftState shift, int x, int y);

    // The form loader's binder: sets `event` ("OnClick") of `target` to the
    // handler. A handler whose kind does not fit the event, or an event the
    // target does not have, is a fault of the description (FormError).
    void Bind(Component& target, const std::string& event, const std::string& handlerName);
    EventBinder Binder();

    // Handler names the description used that the table did not have, in
    // first-use order, each once.
    const std::vector<std::string>& Unbound() const { return unbound_; }

private:
    std::map<std::string, Handler> handlers_;
    std::vector<std::string> unbound_;
    std::shared_ptr<bool> armed_ = std::make_shared<bool>(true);
};

} // namespace klarvo
