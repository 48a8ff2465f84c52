#pragma once

// The accessibility tree of a window as a screen reader walks it, for the windows' tests.
#include <QAccessible>
#include <QAccessibleInterface>
#include <functional>

namespace testing_common {

// Every interface below the given one, parents before their children.
inline void WalkAccessible(QAccessibleInterface* node,
                           const std::function<void(QAccessibleInterface*)>& visit) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* const child = node->child(i);
        if (child == nullptr) continue;
        visit(child);
        WalkAccessible(child, visit);
    }
}

}  // namespace testing_common
