#pragma once

#include <QComboBox>
#include <QLabel>

namespace morvane {

// The editor's labels and lists are found by their names, by tests and screen readers alike.

inline QLabel* NewLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

inline QComboBox* NewList(const QString& name, QWidget* parent, int width) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setMinimumWidth(width);
    list->setMaxVisibleItems(16);
    return list;
}

} // namespace morvane
