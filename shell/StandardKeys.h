#pragma once

#include <QKeySequence>
#include <QList>

#include <initializer_list>

// The desktop's own keys for a standard action, and the ones named beside
// them on every desktop (Ctrl+Y and Ctrl+Shift+Z for redo, say).
inline QList<QKeySequence> standardKeys(QKeySequence::StandardKey standard,
                                        std::initializer_list<QKeyCombination> also = {})
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    for (QKeyCombination key : also)
        if (!keys.contains(QKeySequence(key)))
            keys << QKeySequence(key);
    return keys;
}
