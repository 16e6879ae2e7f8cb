#include "imaging/decode_budget.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using imaging::DecodeBudget;

TEST(DecodeBudget, ADecodeNeedingMoreThanTheWholeBudgetIsRefusedAtOnce)
{
    DecodeBudget budget(100);
    EXPECT_FALSE(budget.reserve(101));
    EXPECT_TRUE(budget.reserve(100));
}

TEST(DecodeBudget, ADecodeWaitsUntilTheOthersHaveGivenBackEnough)
{
    DecodeBudget budget(100);
    std::optional<DecodeBudget::Reservation> first = budget.reserve(70);
    ASSERT_TRUE(first);
    std::atomic<bool> second = false;
    std::thread waiting([&] {
        const std::optional<DecodeBudget::Reservation> reserved = budget.reserve(40);
        second = reserved.has_value();
    });
    // 30 bytes are free, so a small decode goes ahead of the waiting one.
    EXPECT_TRUE(budget.reserve(30));
    EXPECT_FALSE(second);
    first.reset();
    waiting.join();
    EXPECT_TRUE(second);
}

}  // namespace
