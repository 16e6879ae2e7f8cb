#include "platform/com/event_source.h"
#include "platform/com/implements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace com;

namespace {

inline constexpr IID IID_IBellEvents = MakeGuid("{7D3C0B1A-9E8F-4A6B-B5C4-D3E2F1A0B9C8}");
inline constexpr IID IID_IBell = MakeGuid("{7D3C0B1B-9E8F-4A6B-B5C4-D3E2F1A0B9C8}");

struct IBellEvents : IDispatch {
    static constexpr const IID& kIid = IID_IBellEvents;
    using Base = IDispatch;
    virtual HRESULT Rang(IUnknown* bell, LONG strokes) noexcept = 0;
};

std::span<const DispatchMember> DispatchTableOf(const IBellEvents*)
{
    static constexpr DispatchMember members[] = {Method<&IBellEvents::Rang>(1, u"Rang")};
    return members;
}

struct IBell : IUnknown {
    static constexpr const IID& kIid = IID_IBell;
    using Base = IUnknown;
    virtual HRESULT Ring(LONG strokes) noexcept = 0;
};

class Bell final : public Implements<Bell, IBell, EventSource<IBellEvents>> {
public:
    HRESULT Ring(LONG strokes) noexcept override { return Fire(1, identity(), strokes); }
};

// Records what it hears in a shared log; answers with a chosen result.
class Listener final : public Implements<Listener, IBellEvents> {
public:
    Listener(std::string name, std::vector<std::string>& log, HRESULT answer = S_OK)
        : name_(std::move(name)), log_(log), answer_(answer) {}
    HRESULT Rang(IUnknown* bell, LONG strokes) noexcept override
    {
        log_.push_back(name_ + ":" + std::to_string(strokes) + (bell ? "" : ":nobell"));
        if (onHear) onHear();
        return answer_;
    }
    std::function<void()> onHear;

private:
    std::string name_;
    std::vector<std::string>& log_;
    HRESULT answer_;
};

TEST(ConnectionPoints, CallSinksInConnectionOrder)
{
    std::vector<std::string> log;
    auto bell = Make<Bell>();
    auto a = Make<Listener>("a", log), b = Make<Listener>("b", log), c = Make<Listener>("c", log);
    EventConnection<IBellEvents> first(bell->identity(), a->identity());
    EventConnection<IBellEvents> second(bell->identity(), b->identity());
    EventConnection<IBellEvents> third(bell->identity(), c->identity());
    EXPECT_EQ(bell->Ring(3), S_OK);
    EXPECT_EQ(log, (std::vector<std::string>{"a:3", "b:3", "c:3"}));

    second.disconnect();
    log.clear();
    bell->Ring(1);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "c:1"})) << "an empty slot is skipped";
}

TEST(ConnectionPoints, StopAtTheFirstFailingSink)
{
    std::vector<std::string> log;
    auto bell = Make<Bell>();
    auto a = Make<Listener>("a", log), b = Make<Listener>("b", log, E_FAIL), c = Make<Listener>("c", log);
    EventConnection<IBellEvents> first(bell->identity(), a->identity());
    EventConnection<IBellEvents> second(bell->identity(), b->identity());
    EventConnection<IBellEvents> third(bell->identity(), c->identity());
    EXPECT_EQ(bell->Ring(2), E_FAIL);
    EXPECT_EQ(log, (std::vector<std::string>{"a:2", "b:2"}));
}

TEST(ConnectionPoints, SurviveASinkThatDisconnectsWhileCalled)
{
    std::vector<std::string> log;
    auto bell = Make<Bell>();
    auto a = Make<Listener>("a", log), b = Make<Listener>("b", log);
    EventConnection<IBellEvents> first(bell->identity(), a->identity());
    EventConnection<IBellEvents> second(bell->identity(), b->identity());
    a->onHear = [&] { first.disconnect(); };
    bell->Ring(1);
    bell->Ring(2);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1", "b:2"}));
    a->onHear = nullptr;
}

TEST(ConnectionPoints, CheckCookiesAndSinkInterfaces)
{
    std::vector<std::string> log;
    auto bell = Make<Bell>();
    ComPtr<IConnectionPointContainer> container = ComPtr<IBell>(bell.get()).as<IConnectionPointContainer>();
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_IBell, point.put()), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(IID_IBellEvents, point.put()), S_OK);

    DWORD cookie = 0;
    auto notASink = Make<Bell>();
    EXPECT_EQ(point->Advise(notASink->identity(), &cookie), CONNECT_E_CANNOTCONNECT);
    auto listener = Make<Listener>("a", log);
    ASSERT_EQ(point->Advise(listener->identity(), &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
}

}  // namespace
