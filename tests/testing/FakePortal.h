#pragma once

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace tonzug::testing {

// The stand-in for the desktop portal (fake_portal.py beside this file), on the session
// bus of its own that on-session-bus.sh starts for the test program.
class FakePortal {
  public:
    FakePortal() = default;
    ~FakePortal() { Stop(); }
    FakePortal(const FakePortal&) = delete;
    FakePortal& operator=(const FakePortal&) = delete;

    // `answer`: "color:R,G,B", "cancel:CODE" or "none". Returns once the portal's name
    // is on the bus.
    bool Start(int version, const QString& answer) {
        Stop();
        process_.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral(TONZUG_TESTING_DIR "/fake_portal.py"),
                        QStringLiteral("--version"), QString::number(version),
                        QStringLiteral("--answer"), answer, QStringLiteral("--record"), Record()});
        return process_.waitForReadyRead(10'000) && process_.readLine().trimmed() == "ready";
    }

    // Stops the portal and forgets its calls.
    void Stop() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            process_.waitForFinished(5'000);
        }
        QFile::remove(Record());
    }

    // The PickColor calls that the portal got: parent_window and options.
    QList<QJsonObject> Calls() const {
        QList<QJsonObject> calls;
        QFile file(Record());
        if (file.open(QIODevice::ReadOnly)) {
            while (!file.atEnd()) {
                calls.append(QJsonDocument::fromJson(file.readLine()).object());
            }
        }
        return calls;
    }

  private:
    QString Record() const { return folder_.filePath(QStringLiteral("calls.jsonl")); }

    QTemporaryDir folder_;
    QProcess process_;
};

}  // namespace tonzug::testing
