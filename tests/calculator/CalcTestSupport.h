#pragma once

#include <QString>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Lets GoogleTest print QStrings in failure messages instead of their bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace vcm::test {

/// Names a parameterised case after the `name` member of its row.
struct CaseName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

/// Prints a table row by its name, so that test listings read "AvddZero" rather than the row's bytes.
/// Test files bring it into their own namespace with `using vcm::test::PrintTo;`.
template <typename Row>
requires requires(const Row& row) {
    std::string(row.name);
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

}  // namespace vcm::test
