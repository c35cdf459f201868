#pragma once
// Looking widgets up by object name in window tests. A widget that is not
// there fails the test with its name (and ends the test body by an
// exception) instead of handing back a null pointer the test would crash on.
#include <QObject>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace korvx::test {

template <class T> T* Kind(const QObject& eltern, const QString& name) {
    T* kind = eltern.findChild<T*>(name);
    if (kind == nullptr) {
        const std::string text = "kein " + std::string(T::staticMetaObject.className()) + " \"" +
                                 name.toStdString() + "\" in " + eltern.objectName().toStdString();
        ADD_FAILURE() << text;
        throw std::runtime_error(text);
    }
    return kind;
}

template <class T> T* Kind(const QObject* eltern, const QString& name) {
    if (eltern == nullptr) {
        ADD_FAILURE() << "kein Fenster, in dem \"" << name.toStdString() << "\" zu suchen wäre";
        throw std::runtime_error("kein Fenster");
    }
    return Kind<T>(*eltern, name);
}

template <class T, class Fenster>
T* Kind(const std::unique_ptr<Fenster>& eltern, const QString& name) {
    return Kind<T>(static_cast<const QObject*>(eltern.get()), name);
}

} // namespace korvx::test
