#pragma once

#include <QObject>
#include <QString>
#include <QTest>
#include <functional>
#include <initializer_list>
#include <memory>

namespace tonzug::testing {

// The Qt Test classes of one widget-test program; QtTestMain.cpp runs them in turn.
using QtTestFactory = std::function<std::unique_ptr<QObject>()>;
bool RegisterQtTest(QtTestFactory factory);

// A table of text columns, one line a row: the row's name, then its cells.
inline void TextTable(std::initializer_list<const char*> columns,
                      std::initializer_list<std::initializer_list<const char*>> rows) {
    for (const char* column : columns) {
        QTest::addColumn<QString>(column);
    }
    for (const auto& row : rows) {
        QTestData& data = QTest::newRow(*row.begin());
        for (auto cell = row.begin() + 1; cell != row.end(); ++cell) {
            data << QString::fromUtf8(*cell);
        }
    }
}

// The current row's cell of a text column.
inline QString Cell(const char* column) {
    return *static_cast<QString*>(QTest::qData(column, qMetaTypeId<QString>()));
}

}  // namespace tonzug::testing

// In place of QTEST_MAIN: adds the class to its program's list.
#define TONZUG_QT_TEST(Class)                                                               \
    [[maybe_unused]] static const bool Class##Registered = tonzug::testing::RegisterQtTest( \
        []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); });
