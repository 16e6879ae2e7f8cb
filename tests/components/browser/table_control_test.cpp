#include "components/interfaces/class_ids.h"
#include "components/interfaces/tool_palette.h"
#include "platform/com/runtime.h"
#include "platform/registry/registry_key.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"
#include "tests/components/browser/browser_folder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QStandardPaths>
#include <memory>

using namespace com;
using namespace test_support;

namespace {

// Stands in for the tool palette: records the up button's state and the files handed over.
class RecordingPalette final : public Implements<RecordingPalette, IToolPalette> {
public:
    HRESULT GetCurrentTool(IBaseTool**) noexcept override { return S_OK; }
    HRESULT SetTableControl(ITableControl*) noexcept override { return S_OK; }
    HRESULT StartSlideShow() noexcept override { return S_OK; }
    HRESULT OpenMap(BSTR*) noexcept override { return S_OK; }
    HRESULT GetTableControl(ITableControl**) noexcept override { return S_OK; }
    HRESULT FileSelected(BSTR* inFileName) noexcept override
    {
        files.push_back(ui::ToQString(*inFileName));
        return S_OK;
    }
    HRESULT EnableUpBtn(LONG inEnable) noexcept override
    {
        upEnabled = inEnable;
        return S_OK;
    }
    HRESULT GetBestSize(LONG*, LONG*) noexcept override { return S_OK; }
    HRESULT Browse() noexcept override
    {
        ++browsed;
        return S_OK;
    }

    LONG upEnabled = -1;
    int browsed = 0;
    std::vector<QString> files;
};

std::vector<std::uint8_t> Utf16WithZero(const QString& text)
{
    std::vector<std::uint8_t> bytes;
    for (QChar c : text) {
        bytes.push_back(std::uint8_t(c.unicode() & 0xFF));
        bytes.push_back(std::uint8_t(c.unicode() >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

class TableControl : public BrowserFolderTest {
protected:
    void TearDown() override
    {
        palette.reset();
        control.reset();
        host.reset();
        BrowserFolderTest::TearDown();
    }
    void storeLastDirectory(const std::vector<std::uint8_t>& bytes)
    {
        registry::RegistryKey key;
        ASSERT_EQ(key.Create(registry::Hive::CurrentUser, "Software\\Quillmere\\Pinlore\\Prefs"), registry::kSuccess);
        ASSERT_EQ(key.SetBinaryValue("LastDirectory", bytes), registry::kSuccess);
    }
    std::vector<std::uint8_t> lastDirectory()
    {
        registry::RegistryKey key;
        std::vector<std::uint8_t> bytes;
        registry::ValueType type{};
        EXPECT_EQ(key.Open(registry::Hive::CurrentUser, "Software\\Quillmere\\Pinlore\\Prefs"), registry::kSuccess);
        EXPECT_EQ(key.QueryValue("LastDirectory", type, bytes), registry::kSuccess);
        EXPECT_EQ(type, registry::ValueType::Binary);
        return bytes;
    }
    void create()
    {
        host = std::make_unique<QWidget>();
        host->resize(250, 400);
        ComPtr<IUnknown> unknown;
        ASSERT_EQ(ui::HostControl(u"Components.TableControl.1", *host, unknown), S_OK);
        control = unknown.as<ITableControl>();
        palette = Make<RecordingPalette>();
        control->SetToolPalette(palette->identity());
    }
    QString directory()
    {
        Bstr folderName;
        control->GetDirectory(folderName.put());
        return ui::ToQString(folderName.get());
    }
    int cellCount()
    {
        ComPtr<ITableCells> cells;
        control->GetTableCells(cells.put());
        std::uint16_t count = 0;
        cells->GetNumCells(&count);
        return count;
    }
    QString label() { return host->findChild<QLabel*>("214")->text(); }
    void open(const QString& folderPath)
    {
        auto factory = CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
        const Bstr name = ui::ToBstr(folderPath);
        factory->SetDirectory(name.get());
        control->SetCellFactory(factory.as<ICellFactory>().get());
    }

    std::unique_ptr<QWidget> host;
    ComPtr<ITableControl> control;
    ComPtr<RecordingPalette> palette;
};

TEST_F(TableControl, OpensTheLastFolderAndStoresEveryFolderItShows)
{
    const QString trip = makeFolder("trip");
    writePicture("trip/a.png", {4, 3});
    writePicture("trip/b.png", {4, 3});
    storeLastDirectory(Utf16WithZero(trip));
    create();
    EXPECT_EQ(directory(), trip);
    EXPECT_EQ(label(), "trip");
    EXPECT_EQ(cellCount(), 2);

    const QString inner = makeFolder("trip/inner \u00e9t\u00e9");
    open(inner);
    EXPECT_EQ(label(), "inner \u00e9t\u00e9");
    EXPECT_EQ(lastDirectory(), Utf16WithZero(inner));
    EXPECT_EQ(palette->upEnabled, 1);
    EXPECT_EQ(cellCount(), 0);

    control->GoUp();
    EXPECT_EQ(directory(), trip);
    EXPECT_EQ(lastDirectory(), Utf16WithZero(trip));
}

TEST_F(TableControl, InstallingTheFolderShownChangesNothing)
{
    storeLastDirectory(Utf16WithZero(QString::fromStdString(folder.path().string())));
    create();
    ComPtr<ITableCells> cells;
    control->GetTableCells(cells.put());
    auto cell = CreateInstance<ITableCell>(CLSID_PLTableCell);
    cells->AddCell(cell.get());
    storeLastDirectory(Utf16WithZero("/elsewhere"));
    open(QString::fromStdString(folder.path().string()));
    EXPECT_EQ(cellCount(), 1);
    EXPECT_EQ(lastDirectory(), Utf16WithZero("/elsewhere"));
}

// The folder shown is watched: a map saved into it, a picture added and one removed appear without
// leaving it, and the file the user was on stays theirs, whatever its place now.
TEST_F(TableControl, FilesSavedAddedOrRemovedInTheFolderShownAppearWithoutLeavingIt)
{
    const QString trip = makeFolder("trip");
    writePicture("trip/b.png", {4, 3});
    writePicture("trip/d.png", {4, 3});
    storeLastDirectory(Utf16WithZero(trip));
    create();
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    ASSERT_EQ(cellCount(), 2);
    ComPtr<ITableCells> cells;
    control->GetTableCells(cells.put());
    QWidget* grid = cells.as<ui::IHostedControl>()->ControlWindow();
    const int client = grid->width() - grid->findChild<QScrollBar*>()->sizeHint().width();
    const int cellHeight = (client - 8) * 3 / 4;
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(client / 2, cellHeight + 8 + cellHeight / 2));

    writeMap("trip/c.plm", pathOf("trip/b.png"));
    writePicture("trip/a.png", {4, 3});
    EXPECT_TRUE(QTest::qWaitFor([&] { return cellCount() == 4; }, 5000));
    QFile::remove(pathOf("trip/b.png"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return cellCount() == 3; }, 5000));
    EXPECT_EQ(directory(), trip);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(palette->files, std::vector<QString>{pathOf("trip/d.png")});
}

TEST_F(TableControl, GoingUpLeadsToTheParentFolderUntilTheRoot)
{
    const QString home = useOwnHome();
    ASSERT_TRUE(QDir().mkpath(home + "/Desktop"));
    ASSERT_TRUE(QDir().mkpath(home + "/Documents"));
    storeLastDirectory(Utf16WithZero(home + "/Documents"));
    create();
    EXPECT_EQ(palette->upEnabled, 1);  // told as soon as it joins
    control->GoUp();
    EXPECT_EQ(directory(), home) << "the documents folder lies in the home folder, not on the desktop";
    EXPECT_EQ(palette->upEnabled, 1);
    open(home + "/Desktop");
    EXPECT_EQ(palette->upEnabled, 1);
    control->GoUp();
    EXPECT_EQ(directory(), home);

    open("/tmp");
    EXPECT_EQ(palette->upEnabled, 1);
    control->GoUp();
    EXPECT_EQ(directory(), "/");
    EXPECT_EQ(label(), "/");
    EXPECT_EQ(palette->upEnabled, 0);
    control->GoUp();
    EXPECT_EQ(directory(), "/");
}

TEST_F(TableControl, FoldersThatAreNotThereAreNeitherShownNorStored)
{
    const QString home = useOwnHome();
    storeLastDirectory(Utf16WithZero(pathOf("gone")));
    create();
    // The first special folder that is there: no pictures, documents or desktop folder here.
    EXPECT_EQ(directory(), home);
    ASSERT_TRUE(QDir().mkpath(home + "/Pictures"));
    storeLastDirectory(Utf16WithZero(pathOf("gone")));
    create();
    EXPECT_EQ(directory(), home + "/Pictures");

    const QString trip = makeFolder("trip");
    open(trip);
    ASSERT_TRUE(QDir(trip).removeRecursively());
    open(pathOf("gone"));  // a folder cell double-clicked after its folder was removed
    control->GoUp();       // from a folder removed while shown, its parent is still there
    EXPECT_EQ(directory(), QString::fromStdString(folder.path().string()));
    EXPECT_EQ(lastDirectory(), Utf16WithZero(directory()));
    open(trip);
    EXPECT_EQ(directory(), QString::fromStdString(folder.path().string()));
}

TEST_F(TableControl, FilesAndBrowsingGoToThePalette)
{
    writePicture("a.png", {4, 3});
    storeLastDirectory(Utf16WithZero(QString::fromStdString(folder.path().string())));
    create();
    Bstr file = ui::ToBstr(pathOf("a.png"));
    BSTR raw = file.get();
    control->OnFileSelected(&raw);
    control->Browse();
    EXPECT_EQ(palette->files, std::vector<QString>{pathOf("a.png")});
    EXPECT_EQ(palette->browsed, 1);
}

}  // namespace
