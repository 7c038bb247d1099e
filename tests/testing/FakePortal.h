#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tonzug::testing {

// A private session bus for this test process, with a stand-in for the desktop portal
// (fake_portal.py beside this file) that the tests start and stop. The bus must exist
// before the process first talks to the session bus: create this before the
// application object.
class FakePortalBus {
  public:
    FakePortalBus() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() ||
            QProcess::execute(kPython, {QStringLiteral("-c"), QStringLiteral("import dbus, gi")}) !=
                0) {
            return;
        }
        bus_.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=" TONZUG_TESTING_DIR "/session-bus.conf"),
                    QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!bus_.waitForReadyRead(10'000)) {
            return;
        }
        const QByteArray address = bus_.readLine().trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        ok_ = !address.isEmpty();
    }
    ~FakePortalBus() {
        StopPortal();
        Stop(bus_);
    }
    FakePortalBus(const FakePortalBus&) = delete;
    FakePortalBus& operator=(const FakePortalBus&) = delete;

    // Whether the bus runs (dbus-daemon and Python's D-Bus modules are installed).
    bool Ok() const { return ok_; }

    // `answer`: "color:R,G,B", "cancel:CODE" or "none". Returns once the portal's name
    // is on the bus.
    bool StartPortal(int version, const QString& answer) {
        StopPortal();
        portal_.start(kPython, {QStringLiteral(TONZUG_TESTING_DIR "/fake_portal.py"),
                                QStringLiteral("--version"), QString::number(version),
                                QStringLiteral("--answer"), answer, QStringLiteral("--record"),
                                RecordPath()});
        return portal_.waitForReadyRead(10'000) && portal_.readLine().trimmed() == "ready";
    }
    // Stops the portal and forgets its calls.
    void StopPortal() {
        Stop(portal_);
        QFile::remove(RecordPath());
    }

    // The PickColor calls that the portal got: parent_window and options.
    QList<QJsonObject> Calls() const {
        QList<QJsonObject> calls;
        QFile file(RecordPath());
        if (file.open(QIODevice::ReadOnly)) {
            while (!file.atEnd()) {
                calls.append(QJsonDocument::fromJson(file.readLine()).object());
            }
        }
        return calls;
    }

  private:
    static constexpr const char* kPython = "/usr/bin/python3";

    QString RecordPath() const { return folder_.filePath(QStringLiteral("calls.jsonl")); }

    static void Stop(QProcess& process) {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5'000)) {
                process.kill();
                process.waitForFinished();
            }
        }
    }

    QTemporaryDir folder_;
    QProcess bus_;
    QProcess portal_;
    bool ok_ = false;
};

}  // namespace tonzug::testing
