#pragma once

#include <QObject>

#include <gtest/gtest.h>

namespace velmora::test {

/** The child of root named name (a widget, an action, a menu, a dialog); a failure when there is none. */
template <typename T> T* Find(QObject& root, const char* name)
{
    T* found = root.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

template <typename T> T* Find(QObject* root, const char* name)
{
    return Find<T>(*root, name);
}

} // namespace velmora::test
