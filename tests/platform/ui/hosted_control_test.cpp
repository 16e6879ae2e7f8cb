#include "components/interfaces/map_view.h"
#include "platform/ui/hosted_control.h"
#include "tests/support/registered_components.h"

#include <QWidget>
#include <memory>

using namespace com;

namespace {

class HostedControl : public test_support::ComponentTest {};

TEST_F(HostedControl, TheControlsWindowFillsItsHostForItsLife)
{
    QWidget host;
    host.resize(300, 200);
    ComPtr<IUnknown> control;
    ASSERT_EQ(ui::HostControl(u"Components.MapView.1", host, control), S_OK);
    const auto hosted = control.as<ui::IHostedControl>();
    QWidget* window = hosted->ControlWindow();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->parentWidget(), &host);
    EXPECT_EQ(hosted->CreateControlWindow(&host), E_UNEXPECTED);
    EXPECT_EQ(hosted->CreateControlWindow(nullptr), E_POINTER);

    host.show();
    host.resize(500, 400);
    EXPECT_EQ(window->size(), QSize(500, 400));
    EXPECT_TRUE(control.as<IMapView>());
}

TEST_F(HostedControl, EitherTheHostOrTheControlMayGoFirst)
{
    auto host = std::make_unique<QWidget>();
    ComPtr<IUnknown> control;
    ASSERT_EQ(ui::HostControl(u"Components.MapView.1", *host, control), S_OK);
    host.reset();
    EXPECT_EQ(control.as<ui::IHostedControl>()->ControlWindow(), nullptr);
    control.reset();

    QWidget survivingHost;
    ASSERT_EQ(ui::HostControl(u"Components.MapView", survivingHost, control), S_OK);
    control.reset();
    EXPECT_TRUE(survivingHost.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty());
}

TEST_F(HostedControl, WhatCannotBeHostedSaysWhy)
{
    QWidget host;
    ComPtr<IUnknown> control;
    EXPECT_EQ(ui::HostControl(u"Components.NoSuchControl.1", host, control), CO_E_CLASSSTRING);
    EXPECT_EQ(ui::HostControl(u"Components.Document.1", host, control), E_NOINTERFACE);
    EXPECT_FALSE(control);
}

}  // namespace
