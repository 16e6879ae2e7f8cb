#include "components/interfaces/class_ids.h"
#include "components/interfaces/tool_palette.h"
#include "platform/com/event_source.h"
#include "platform/com/runtime.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"
#include "tests/components/browser/browser_folder.h"
#include "tests/support/scripted_shell_services.h"

#include <QPushButton>
#include <QTest>
#include <memory>

using namespace com;
using namespace test_support;

namespace {

// Records the palette's events in order, with the string pointer of those that carry one.
class PaletteEvents final : public Implements<PaletteEvents, _IToolPaletteEvents> {
public:
    struct Event {
        DISPID id;
        BSTR* text;
        friend bool operator==(const Event&, const Event&) = default;
    };
    HRESULT ToolChanged() noexcept override { return record(kToolChanged, nullptr); }
    HRESULT BroadcastStartSlideShow() noexcept override { return record(kBroadcastStartSlideShow, nullptr); }
    HRESULT BroadcastOpenMap(BSTR* inMapFilename) noexcept override { return record(kBroadcastOpenMap, inMapFilename); }
    HRESULT BroadcastFileSelected(BSTR* fileName) noexcept override { return record(kBroadcastFileSelected, fileName); }
    HRESULT BroadcastUseAsMapPicture(BSTR* fileName) noexcept override
    {
        return record(kBroadcastUseAsMapPicture, fileName);
    }

    std::vector<Event> events;

private:
    HRESULT record(DISPID id, BSTR* text)
    {
        events.push_back({id, text});
        return S_OK;
    }
};

class ToolPalette : public BrowserFolderTest {
protected:
    void SetUp() override
    {
        BrowserFolderTest::SetUp();
        host = std::make_unique<QWidget>();
        host->resize(200, 28);
        ComPtr<IUnknown> unknown;
        ASSERT_EQ(ui::HostControl(u"Components.ToolPalette.1", *host, unknown), S_OK);
        palette = unknown.as<IToolPalette>();
        events = Make<PaletteEvents>();
        ASSERT_EQ(connection.connect(palette.get(), events->identity()), S_OK);
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    }
    void TearDown() override
    {
        connection.disconnect();
        events.reset();
        palette.reset();
        tableControl.reset();
        tableHost.reset();
        host.reset();
        BrowserFolderTest::TearDown();
    }
    QPushButton& button(int command) { return *host->findChild<QPushButton*>(QString::number(command)); }
    // A table control showing the test's folder, joined to the palette.
    void joinTableControl()
    {
        makeFolder("inner");
        tableHost = std::make_unique<QWidget>();
        ComPtr<IUnknown> unknown;
        ASSERT_EQ(ui::HostControl(u"Components.TableControl.1", *tableHost, unknown), S_OK);
        tableControl = unknown.as<ITableControl>();
        palette->SetTableControl(tableControl.get());
        auto factory = CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
        const Bstr name = ui::ToBstr(pathOf("inner"));
        factory->SetDirectory(name.get());
        tableControl->SetCellFactory(factory.as<ICellFactory>().get());
    }
    QString directory()
    {
        Bstr folderName;
        tableControl->GetDirectory(folderName.put());
        return ui::ToQString(folderName.get());
    }

    ScriptedShellServices shell;
    std::unique_ptr<QWidget> host, tableHost;
    ComPtr<IToolPalette> palette;
    ComPtr<ITableControl> tableControl;
    ComPtr<PaletteEvents> events;
    EventConnection<_IToolPaletteEvents> connection;
};

TEST_F(ToolPalette, PassesRequestsOnAsEventsWithTheCallersString)
{
    Bstr map(u"/maps/city.plm");
    BSTR mapName = map.get();
    Bstr file(u"/pictures/a.jpg");
    BSTR fileName = file.get();
    palette->StartSlideShow();
    palette->OpenMap(&mapName);
    palette->FileSelected(&fileName);
    palette->UseAsMapPicture(&fileName);
    EXPECT_EQ(events->events, (std::vector<PaletteEvents::Event>{{kBroadcastStartSlideShow, nullptr},
                                                                 {kBroadcastOpenMap, &mapName},
                                                                 {kBroadcastFileSelected, &fileName},
                                                                 {kBroadcastUseAsMapPicture, &fileName}}));
}

TEST_F(ToolPalette, ToolButtonsReplaceTheCurrentTool)
{
    ComPtr<IBaseTool> first;
    palette->GetCurrentTool(first.put());
    ASSERT_TRUE(first);
    EXPECT_TRUE(first.tryAs<IEditTool>());
    EXPECT_FALSE(button(202).isVisible());
    EXPECT_FALSE(button(203).isVisible());

    button(202).click();
    ComPtr<IBaseTool> photo;
    palette->GetCurrentTool(photo.put());
    EXPECT_TRUE(photo.tryAs<IPhotoTool>());
    button(203).click();
    ComPtr<IBaseTool> edit;
    palette->GetCurrentTool(edit.put());
    EXPECT_TRUE(edit.tryAs<IEditTool>());
    EXPECT_NE(edit.get(), first.get());
    EXPECT_EQ(events->events, (std::vector<PaletteEvents::Event>{{kToolChanged, nullptr}, {kToolChanged, nullptr}}));
}

TEST_F(ToolPalette, TheEditToolReachesThePaletteWithoutKeepingItAlive)
{
    ComPtr<IBaseTool> tool;
    palette->GetCurrentTool(tool.put());
    connection.disconnect();
    palette.reset();
    host.reset();
    // The tool outlives the palette here; ComponentTest checks at the end that nothing leaked.
    tool.reset();
}

TEST_F(ToolPalette, ShortButtonTextsGiveTheSmallestBestSize)
{
    LONG x = 0, y = 0;
    palette->GetBestSize(&x, &y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 28);
}

TEST_F(ToolPalette, TheUpButtonGoesUpUntilItIsDisabled)
{
    joinTableControl();
    EXPECT_TRUE(button(204).isEnabled());
    QTest::mouseClick(&button(204), Qt::LeftButton);
    EXPECT_EQ(directory(), QString::fromStdString(folder.path().string()));

    palette->EnableUpBtn(0);
    EXPECT_FALSE(button(204).isEnabled());
    QTest::mouseClick(&button(204), Qt::LeftButton);
    EXPECT_EQ(directory(), QString::fromStdString(folder.path().string()));
}

TEST_F(ToolPalette, BrowsingOpensTheChosenFolderAndCancellingChangesNothing)
{
    joinTableControl();
    shell.answerFolder(std::nullopt);
    QTest::mouseClick(&button(201), Qt::LeftButton);
    EXPECT_EQ(directory(), pathOf("inner"));

    const QString other = makeFolder("other");
    shell.answerFolder(other);
    palette->Browse();
    EXPECT_EQ(directory(), other);
    EXPECT_EQ(shell.folderPrompts(), (std::vector<QString>(2, "Choose a folder with maps or pictures.")));
}

TEST_F(ToolPalette, BrowsingWithoutATableControlDropsTheAnswer)
{
    shell.answerFolder(pathOf(""));
    EXPECT_EQ(palette->Browse(), S_OK);
    EXPECT_EQ(shell.folderPrompts().size(), 1u);
}

}  // namespace
