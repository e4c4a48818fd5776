// Look-ups in a window's description.
#include "Description.h"

#include <stdexcept>

namespace forms {

std::string KeyBinding::text() const {
    static constexpr std::string_view kNames[] = {"Enter", "Esc", "C", "P", "B"};
    return (ctrl ? "Ctrl+" : "") + std::string(kNames[static_cast<std::size_t>(key)]);
}

std::string ResultMenuEntry::text(const std::vector<KeyBinding>& keys) const {
    std::string shown = caption;
    for (const KeyBinding& key : keys)
        if (key.command == command) shown += '\t' + key.text();
    return shown;
}

ControlId Window::find(std::string_view controlName) const {
    for (ControlId i = 0; i < controls.size(); ++i)
        if (controls[i].name == controlName) return i;
    return kNoControl;
}

const Control& Window::control(std::string_view controlName) const {
    const ControlId id = find(controlName);
    if (id == kNoControl) throw std::logic_error("no control " + std::string(controlName));
    return controls[id];
}

}  // namespace forms
