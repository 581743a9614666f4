#pragma once

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

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
