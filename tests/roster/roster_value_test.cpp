#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "roster/roster.h"
#include "roster_test_support.h"

namespace vexmoor::testing {
namespace {

// A roster holds seven values for every one of up to 32,767 bots.
static_assert(sizeof(RosterValue) == sizeof(double));

// Every kind of value keeps what it holds through copies, moves and growing
// lists, and compares as the number, text or emptiness it stands for.
TEST(RosterValue, KeepsItsKindAndValueThroughCopiesAndMoves) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<RosterValue> values = {
        num(0),    num(-0.0), num(2), num(-1), num(12.25), num(1e300), num(-HUGE_VAL), num(-nan),
        word("x"), word("a longer text that lives on the heap"), RosterValue{}};
    std::vector<RosterValue> copies = values;
    copies.reserve(1000);  // moves every element
    for (std::size_t i = 0; i < values.size(); ++i) {
        const RosterValue& value = values[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(copies[i].isNumber(), value.isNumber());
        EXPECT_EQ(copies[i].isText(), value.isText());
        EXPECT_EQ(copies[i].isEmpty(), value.isEmpty());
        EXPECT_EQ(value.isNumber() + value.isText() + value.isEmpty(), 1);
        if (value.isText()) {
            EXPECT_EQ(copies[i].asText(), value.asText());
        }
        // A NaN equals nothing, as a double does; everything else equals its copy.
        const bool isNan = value.isNumber() && std::isnan(value.asNumber());
        EXPECT_EQ(copies[i] == value, !isNan);
        for (std::size_t j = 0; j < values.size(); ++j) {
            if (j != i && !(i <= 1 && j <= 1)) {  // only 0 and -0 are equal
                EXPECT_FALSE(values[j] == value) << j;
            }
        }
    }
    EXPECT_EQ(num(0), num(-0.0));
    EXPECT_TRUE(std::signbit(num(-0.0).asNumber()));
    EXPECT_EQ(num(-HUGE_VAL).asNumber(), -HUGE_VAL);

    RosterValue moved = std::move(copies[8]);
    EXPECT_EQ(moved, word("x"));
    moved = copies[9];
    EXPECT_EQ(moved.asText(), "a longer text that lives on the heap");
    moved = num(3);
    EXPECT_EQ(moved.asNumber(), 3);
    EXPECT_THROW(static_cast<void>(RosterValue{}.asNumber()), std::bad_variant_access);
    EXPECT_THROW(static_cast<void>(num(1).asText()), std::bad_variant_access);
}

}  // namespace
}  // namespace vexmoor::testing
