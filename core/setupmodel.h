#pragma once
// The set-up being built and the rules that keep it coherent.

#include "core/elements.h"
#include "core/switchoff.h"

#include <QObject>

#include <vector>

namespace alambix {

// Owns the fourteen element values and their enabled states. Every writer (a click, "&Nouveau",
// the file loader) goes through setValue(), which behaves like a click whenever the value really
// changes: the coupling rules run (nested changes included) and then the availability rules.
// Nested changes are collapsed: changed() is emitted once per change made from outside, after
// all rules have settled, and the view redraws on it.
class SetupModel : public QObject {
    Q_OBJECT
public:
    explicit SetupModel(QObject* parent = nullptr);

    bool value(int index) const { return m_values.at(static_cast<std::size_t>(index)); }
    bool isEnabled(int index) const { return m_enabled.at(static_cast<std::size_t>(index)); }
    const SetupValues& values() const { return m_values; }
    SetupValues enabledStates() const { return m_enabled; }

    // Programmatic write: runs the rules when the value changes, nothing otherwise.
    void setValue(int index, bool on);
    // A user click: ignored on a disabled element, otherwise toggles the value.
    // Returns whether the click was taken.
    bool click(int index);
    // "&Nouveau": switches every element off, in index order.
    void clearAll();

    // What the rules switched off during the last change made from outside (a click, a
    // setValue(), "&Nouveau" as a whole), in the order they did it.
    const std::vector<SwitchOff>& lastSwitchOffs() const { return m_switchOffs; }

signals:
    // The set-up or the enabled states changed: redraw and recognise.
    void changed();

private:
    void handleChange(int index);
    void applyAvailability();
    void switchOff(int index, SwitchOffRule rule, int cause);
    void setEnabled(int index, bool enabled);

    SetupValues m_values{};
    SetupValues m_enabled{};
    std::vector<SwitchOff> m_switchOffs;
    int m_depth = 0;
    bool m_clearing = false;
};

} // namespace alambix
