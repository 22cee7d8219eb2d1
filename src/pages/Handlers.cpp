#include "pages/Handlers.h"

#include "controls/IACheckControl.h"
#include "controls/NDigitEdit.h"
#include "framework/Form.h"
#include "framework/StdCtrls.h"
#include "framework/StdWindows.h"
#include "framework/Timer.h"

#include <algorithm>

namespace klarvo {

void HandlerTable::Add(const std::string& name, Handler handler)
{
    handlers_[name] = std::move(handler);
}

bool HandlerTable::Has(const std::string& name) const
{
    return handlers_.count(name) != 0;
}

bool HandlerTable::Call(const std::string& name, Component* sender)
{
    auto it = handlers_.find(name);
    if (it == handlers_.end()) {
        return false;
    }
    const auto* notify = std::get_if<NotifyEvent>(&it->second);
    if (!notify || !*notify) {
        return false;
    }
    (*notify)(sender);
    return true;
}

bool HandlerTable::CallMouse(const std::string& name, Component* sender, MouseButton button, ShiftState shift, int x,
                             int y)
{
    auto it = handlers_.find(name);
    if (it == handlers_.end()) {
        return false;
    }
    const auto* mouse = std::get_if<MouseEvent>(&it->second);
    if (!mouse || !*mouse) {
        return false;
    }
    (*mouse)(sender, button, shift, x, y);
    return true;
}

namespace {

// The event runs the handler only while `armed` holds.
template <typename E>
void Assign(E& slot, const HandlerTable::Handler& handler, const std::string& what, const std::shared_ptr<bool>& armed)
{
    const E* typed = std::get_if<E>(&handler);
    if (!typed) {
        throw FormError(what + ": the handler does not fit the event");
    }
    slot = [h = *typed, armed](auto&&... args) {
        if (*armed) {
            h(std::forward<decltype(args)>(args)...);
        }
    };
}

// The event property `event` of `target`, set to `handler`; false when the
// target has no such event.
bool AssignEvent(Component& target, const std::string& event, const HandlerTable::Handler& handler,
                 const std::string& what, const std::shared_ptr<bool>& armed)
{
    // Classes that declare an event of their own under a common name come
    // first: their event hides the base's.
    if (auto* updown = dynamic_cast<UpDown*>(&target); updown && event == "OnClick") {
        Assign(updown->OnClick, handler, what, armed);
        return true;
    }
    if (auto* timer = dynamic_cast<Timer*>(&target)) {
        if (event == "OnTimer") {
            Assign(timer->OnTimer, handler, what, armed);
            return true;
        }
        return false;
    }
    if (auto* box = dynamic_cast<PaintBox*>(&target); box && event == "OnPaint") {
        Assign(box->OnPaint, handler, what, armed);
        return true;
    }
    if (auto* form = dynamic_cast<Form*>(&target)) {
        if (event == "OnCreate") {
            Assign(form->OnCreate, handler, what, armed);
            return true;
        }
        if (event == "OnShow") {
            Assign(form->OnShow, handler, what, armed);
            return true;
        }
        if (event == "OnDestroy") {
            Assign(form->OnDestroy, handler, what, armed);
            return true;
        }
        if (event == "OnPaint") {
            Assign(form->OnPaint, handler, what, armed);
            return true;
        }
    }
    if (auto* sheet = dynamic_cast<TabSheet*>(&target)) {
        if (event == "OnShow") {
            Assign(sheet->OnShow, handler, what, armed);
            return true;
        }
        if (event == "OnHide") {
            Assign(sheet->OnHide, handler, what, armed);
            return true;
        }
    }
    if (auto* pc = dynamic_cast<PageControl*>(&target); pc && event == "OnChange") {
        Assign(pc->OnChange, handler, what, armed);
        return true;
    }
    if (auto* digits = dynamic_cast<TNDigitEdit*>(&target); digits && event == "OnInputError") {
        Assign(digits->OnInputError, handler, what, armed);
        return true;
    }
    if (auto* edit = dynamic_cast<Edit*>(&target); edit && event == "OnChange") {
        Assign(edit->OnChange, handler, what, armed);
        return true;
    }
    if (auto* win = dynamic_cast<WinControl*>(&target)) {
        if (event == "OnEnter") {
            Assign(win->OnEnter, handler, what, armed);
            return true;
        }
        if (event == "OnExit") {
            Assign(win->OnExit, handler, what, armed);
            return true;
        }
        if (event == "OnKeyPress") {
            Assign(win->OnKeyPress, handler, what, armed);
            return true;
        }
        if (event == "OnKeyDown") {
            Assign(win->OnKeyDown, handler, what, armed);
            return true;
        }
        if (event == "OnKeyUp") {
            Assign(win->OnKeyUp, handler, what, armed);
            return true;
        }
    }
    auto* control = dynamic_cast<Control*>(&target);
    if (!control) {
        return false;
    }
    if (event == "OnClick") {
        Assign(control->OnClick, handler, what, armed);
    } else if (event == "OnDblClick") {
        Assign(control->OnDblClick, handler, what, armed);
    } else if (event == "OnMouseDown") {
        Assign(control->OnMouseDown, handler, what, armed);
    } else if (event == "OnMouseUp") {
        Assign(control->OnMouseUp, handler, what, armed);
    } else if (event == "OnMouseMove") {
        Assign(control->OnMouseMove, handler, what, armed);
    } else if (event == "OnMouseEnter") {
        Assign(control->OnMouseEnter, handler, what, armed);
    } else if (event == "OnMouseLeave") {
        Assign(control->OnMouseLeave, handler, what, armed);
    } else if (event == "OnResize") {
        Assign(control->OnResize, handler, what, armed);
    } else {
        return false;
    }
    return true;
}

} // namespace

void HandlerTable::Bind(Component& target, const std::string& event, const std::string& handlerName)
{
    auto it = handlers_.find(handlerName);
    if (it == handlers_.end()) {
        if (std::find(unbound_.begin(), unbound_.end(), handlerName) == unbound_.end()) {
            unbound_.push_back(handlerName);
        }
        return;
    }
    const std::string what = target.Name() + "." + event + " = " + handlerName;
    if (!AssignEvent(target, event, it->second, what, armed_)) {
        throw FormError(what + ": no such event");
    }
}

EventBinder HandlerTable::Binder()
{
    return [this](Component& target, const std::string& event, const std::string& handler) {
        Bind(target, event, handler);
    };
}

} // namespace klarvo
