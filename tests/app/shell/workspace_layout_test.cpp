#include "app/shell/workspace_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkspaceLayout, PlacesTheHostsOfA600By400Workspace)
{
    struct Case {
        bool maximised;
        QRect palette, list, views, controller;
    };
    const Case cases[] = {
        {false, {2, 4, 194, 25}, {0, 30, 200, 368}, {202, 2, 398, 363}, {200, 365, 400, 35}},
        {true, {}, {}, {2, 2, 598, 363}, {2, 365, 598, 35}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.maximised ? "maximised" : "normal");
        const shell::WorkspaceLayout layout = shell::WorkspaceLayout::Compute(600, 400, each.maximised);
        EXPECT_EQ(layout.toolPalette, each.palette);
        EXPECT_EQ(layout.tableControl, each.list);
        EXPECT_EQ(layout.views, each.views);
        EXPECT_EQ(layout.slideShowController, each.controller);
    }
}

}  // namespace
