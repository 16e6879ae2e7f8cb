#include "imaging/decode_budget.h"

#include <utility>

namespace imaging {

namespace {

constexpr qint64 kSharedCapacity = qint64(256) << 20;

}  // namespace

DecodeBudget::Reservation::Reservation(Reservation&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(other.bytes_)
{
}

DecodeBudget::Reservation::~Reservation()
{
    if (budget_)
        budget_->release(bytes_);
}

DecodeBudget& DecodeBudget::Shared()
{
    static DecodeBudget budget(kSharedCapacity);
    return budget;
}

std::optional<DecodeBudget::Reservation> DecodeBudget::reserve(qint64 bytes)
{
    if (bytes > capacity_)
        return std::nullopt;
    std::unique_lock lock(mutex_);
    released_.wait(lock, [&] { return available_ >= bytes; });
    available_ -= bytes;
    return Reservation(this, bytes);
}

void DecodeBudget::release(qint64 bytes)
{
    {
        std::lock_guard lock(mutex_);
        available_ += bytes;
    }
    released_.notify_all();
}

}  // namespace imaging
