#include <QApplication>
#include <QTest>
#include <cstring>
#include <vector>

#include "testing/QtTests.h"

namespace tonzug::testing {
namespace {

std::vector<QtTestFactory>& Registered() {
    static std::vector<QtTestFactory> tests;
    return tests;
}

}  // namespace

bool RegisterQtTest(QtTestFactory factory) {
    Registered().push_back(std::move(factory));
    return true;
}

}  // namespace tonzug::testing

// Runs every test class of the program, or with a class name as the first argument that
// class alone; the other arguments go to Qt Test. Fails when any class has a failure.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);  // as QTEST_MAIN does
    std::vector<char*> arguments(argv, argv + argc);
    const char* only = nullptr;
    if (arguments.size() > 1 && arguments[1][0] != '-') {
        only = arguments[1];
        arguments.erase(arguments.begin() + 1);
    }
    bool failed = false;
    bool ran = false;
    for (const tonzug::testing::QtTestFactory& make : tonzug::testing::Registered()) {
        const std::unique_ptr<QObject> test = make();
        if (only != nullptr && std::strcmp(only, test->metaObject()->className()) != 0) {
            continue;
        }
        ran = true;
        failed |=
            QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data()) != 0;
    }
    return failed || !ran ? 1 : 0;
}
