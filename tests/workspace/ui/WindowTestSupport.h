#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QWidget>

#include "testing/QtTests.h"

namespace tonzug::testing {

// Points the settings folder into a fresh temporary folder while it lives, so a test
// never reads or writes the user's settings and never sees another test's.
class SettingsSandbox {
  public:
    SettingsSandbox() : previous_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    }
    ~SettingsSandbox() { qputenv("XDG_CONFIG_HOME", previous_); }
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

    QString Path() const { return folder_.path(); }

  private:
    QTemporaryDir folder_;
    QByteArray previous_;
};

// A named child widget; a missing one ends the test program at once.
template <typename Widget>
Widget& Find(const QWidget& root, const char* name) {
    auto* child = root.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child widget named %s", name);
    }
    return *child;
}

}  // namespace tonzug::testing
