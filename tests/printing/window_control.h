// Finds a window's control by its object name, as the help contexts and the user see it.
#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>

template <class Control> Control* control(const QObject& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (!found) throw std::logic_error(std::string("no control ") + name);
    return found;
}
