#pragma once

// The keyboard's way to everything: focus cues once the keyboard is in use,
// and keys for the actions whose controls cannot take the focus (the RAM
// page's share buttons, the help index titles, the About page's links).

namespace klarvo {

class Form;

// Gradient buttons and check controls are stored without their focus frame,
// so a mouse user sees no frame. Once the person first moves about with the
// keyboard, the focused control shows it: Windows 9x has no message telling
// that, so the form's own note of it turns the frames on.
void ShowFocusOnKeyboardUse(Form& form);

// A character typed outside an edit, or with Alt anywhere:
//   RAM page: 1 to 9 press the share buttons 10 % to 90 %, 0 the 100 % one;
//   Help page, index shown: 1 to 9 open the topic of that line;
//   About page: V visits the web site, E writes an e-mail.
void RouteShortcutKeys(Form& form);

} // namespace klarvo
