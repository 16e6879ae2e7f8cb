#pragma once

#include <QtGlobal>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace imaging {

// The memory that picture decodes may take at once, shared by every thread of the process. The
// export converts pictures on one thread per core, and a picture that is harmless alone (a large
// progressive JPEG, whose decoder keeps every coefficient of the picture) becomes a danger when each
// thread holds one; so each decode reserves what it will take before it starts and waits its turn
// when others hold the rest. A decode needing more than the whole budget is refused at once.
//
// Thread: any.
class DecodeBudget {
public:
    // Gives its bytes back when it ends.
    class Reservation {
    public:
        Reservation(Reservation&& other) noexcept;
        ~Reservation();
        Reservation(const Reservation&) = delete;
        Reservation& operator=(const Reservation&) = delete;
        Reservation& operator=(Reservation&&) = delete;

    private:
        friend class DecodeBudget;
        Reservation(DecodeBudget* budget, qint64 bytes) : budget_(budget), bytes_(bytes) {}

        DecodeBudget* budget_;
        qint64 bytes_;
    };

    explicit DecodeBudget(qint64 capacity) : available_(capacity), capacity_(capacity) {}

    // The process's budget: what Qt's allocation limit allows one decode, so that pictures that
    // decode alone still decode, only not all at once.
    static DecodeBudget& Shared();

    // Waits until `bytes` are free; nothing when they exceed the whole budget.
    std::optional<Reservation> reserve(qint64 bytes);

private:
    void release(qint64 bytes);

    std::mutex mutex_;
    std::condition_variable released_;
    qint64 available_;
    const qint64 capacity_;
};

}  // namespace imaging
