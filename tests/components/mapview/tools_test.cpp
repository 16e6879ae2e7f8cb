#include "components/interfaces/class_ids.h"
#include "components/interfaces/tool_palette.h"
#include "components/interfaces/undo_manager.h"
#include "tests/components/mapview/hosted_map_view.h"
#include "tests/support/document_model.h"

#include <QTest>

using namespace com;
using namespace test_support;

namespace {

// A palette that records what the tools ask of it.
class RecordingPalette final : public Implements<RecordingPalette, IToolPalette> {
public:
    HRESULT GetCurrentTool(IBaseTool**) noexcept override { return E_NOTIMPL; }
    HRESULT SetTableControl(ITableControl*) noexcept override { return E_NOTIMPL; }
    HRESULT StartSlideShow() noexcept override
    {
        ++slideShows;
        return S_OK;
    }
    HRESULT OpenMap(BSTR* inFileName) noexcept override
    {
        openedMaps.emplace_back(View(*inFileName));
        return S_OK;
    }
    HRESULT GetTableControl(ITableControl**) noexcept override { return E_NOTIMPL; }
    HRESULT FileSelected(BSTR*) noexcept override { return E_NOTIMPL; }
    HRESULT EnableUpBtn(LONG) noexcept override { return E_NOTIMPL; }
    HRESULT GetBestSize(LONG*, LONG*) noexcept override { return E_NOTIMPL; }
    HRESULT Browse() noexcept override { return E_NOTIMPL; }
    HRESULT UseAsMapPicture(BSTR*) noexcept override { return E_NOTIMPL; }

    int slideShows = 0;
    std::vector<std::u16string> openedMaps;
};

// A 400 x 300 map in a 400 x 300 window: window points are model points.
class Tools : public HostedMapView {
protected:
    void SetUp() override
    {
        HostedMapView::SetUp();
        show({400, 300});
        openMap(writePicture({400, 300}));
    }
    ComPtr<IPhotoSpot> addPhotoSpot(tagRECT bounds)
    {
        auto spot = MakePhotoSpot(document.get(), bounds);
        document->AddSpot(BaseOf(spot.get()).get());
        return spot;
    }
    ComPtr<IMapSpot> addMapSpot(tagRECT bounds, const char16_t* link)
    {
        auto spot = MakeMapSpot(document.get(), bounds);
        Bstr name(link);
        BSTR argument = name.get();
        spot->SetFileName(&argument);
        document->AddSpot(BaseOf(spot.get()).get());
        return spot;
    }
    ComPtr<RecordingPalette> editToolWithPalette()
    {
        auto tool = CreateInstance<IBaseTool>(CLSID_PLEditTool);
        auto palette = Make<RecordingPalette>();
        tool->SetToolPalette(palette.as<IUnknown>().get());
        view->SetCurrentTool(tool.get());
        return palette;
    }
    void drag(std::initializer_list<QPoint> path)
    {
        QTest::mousePress(&window(), Qt::LeftButton, {}, *path.begin());
        for (QPoint point : path) QTest::mouseMove(&window(), point);
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, *(path.end() - 1));
    }
    ComPtr<IUndoManager> undoManager()
    {
        ComPtr<IUndoManager> undo;
        document->GetUndoManager(undo.put());
        return undo;
    }
    bool canUndo()
    {
        VARIANT_BOOL available = VARIANT_FALSE;
        undoManager()->UndoAvailable(&available);
        return available != VARIANT_FALSE;
    }
    bool visited(IUnknown* spot)
    {
        VARIANT_BOOL answer = VARIANT_FALSE;
        BaseOf(spot)->WasVisited(&answer);
        return answer != VARIANT_FALSE;
    }
    const IUnknown* current()
    {
        ComPtr<IBaseSpot> spot;
        document->GetCurrentSpot(spot.put());
        return spot ? IdentityOf(spot.get()) : nullptr;
    }
};

TEST_F(Tools, EditToolDragsOnlyPastFourPixels)
{
    const auto spot = addPhotoSpot({100, 100, 141, 141});
    drag({{120, 120}, {124, 116}});
    EXPECT_EQ(current(), IdentityOf(spot.get()));
    EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{100, 100, 141, 141}));
    EXPECT_FALSE(canUndo());

    // Past the threshold the spot jumps to centre on the pointer; 41 wide comes out 40.
    drag({{120, 120}, {125, 120}});
    EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{105, 100, 145, 140}));
}

TEST_F(Tools, EditToolResizesFromACornerAndKeepsTheMinimumSize)
{
    const auto spot = addPhotoSpot({100, 100, 160, 160});
    QTest::mousePress(&window(), Qt::LeftButton, {}, QPoint(158, 158));
    const struct {
        QPoint pointer;
        tagRECT bounds;
    } steps[] = {
        {{165, 166}, {100, 100, 165, 166}},  // first step inside the corner's grab box: a resize
        {{170, 175}, {100, 100, 170, 175}},  // bottom-right follows the pointer
        {{130, 130}, {100, 100, 170, 175}},  // inward: the edges stop above 40 units
        {{150, 145}, {100, 100, 150, 145}},
    };
    for (const auto& step : steps) {
        QTest::mouseMove(&window(), step.pointer);
        EXPECT_EQ(BoundsOf(spot.get()), step.bounds);
    }
    QTest::mouseRelease(&window(), Qt::LeftButton, {}, QPoint(150, 145));

    undoManager()->Undo();  // the whole drag, in one step
    EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{100, 100, 160, 160}));
    EXPECT_FALSE(canUndo());
}

TEST_F(Tools, EditToolClampsMovesToThePicture)
{
    const auto spot = addPhotoSpot({100, 100, 140, 140});
    drag({{120, 120}, {200, 200}, {399, 299}, {-50, 500}});
    EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{-20, 280, 20, 320}));  // centred on the corner (0, 300)
}

TEST_F(Tools, EditToolOpensSpotsOnDoubleClickAndEnter)
{
    const auto palette = editToolWithPalette();
    const auto photo = addPhotoSpot({10, 10, 50, 50});
    const auto map = addMapSpot({100, 10, 140, 50}, u"/maps/city.plm");

    QTest::mouseDClick(&window(), Qt::LeftButton, {}, QPoint(200, 200));  // the empty map
    EXPECT_EQ(palette->slideShows, 0);
    QTest::mouseDClick(&window(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(palette->slideShows, 1);
    EXPECT_EQ(current(), IdentityOf(photo.get()));
    EXPECT_TRUE(visited(photo.get()));
    QTest::mouseDClick(&window(), Qt::LeftButton, {}, QPoint(120, 30));
    EXPECT_EQ(palette->openedMaps, (std::vector<std::u16string>{u"/maps/city.plm"}));
    EXPECT_EQ(current(), IdentityOf(map.get()));
    EXPECT_TRUE(visited(map.get()));

    map.as<IBaseSpot>()->SetVisited(VARIANT_FALSE);
    QTest::keyClick(&window(), Qt::Key_Return);
    EXPECT_EQ(palette->openedMaps.size(), 2u);
    EXPECT_FALSE(visited(map.get()));  // Enter opens the link without marking it
    photo.as<IBaseSpot>()->SetVisited(VARIANT_FALSE);
    document->PutCurrentSpot(photo.as<IBaseSpot>().get());
    QTest::keyClick(&window(), Qt::Key_Enter);
    EXPECT_EQ(palette->slideShows, 2);
    EXPECT_TRUE(visited(photo.get()));
    document->PutCurrentSpot(nullptr);
    QTest::keyClick(&window(), Qt::Key_Return);
    EXPECT_EQ(palette->slideShows, 2);
}

TEST_F(Tools, BrowseToolOnlySelects)
{
    setTool(CLSID_PLBrowseTool);
    const auto spot = addPhotoSpot({100, 100, 140, 140});
    drag({{120, 120}, {200, 200}});
    EXPECT_EQ(current(), IdentityOf(spot.get()));
    EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{100, 100, 140, 140}));
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(current(), IdentityOf(spot.get()));  // the empty map keeps the selection
}

TEST_F(Tools, PhotoToolAddsTheChosenPictureUndoably)
{
    setTool(CLSID_PLPhotoTool);
    const auto link = addMapSpot({300, 200, 340, 240}, u"/maps/city.plm");
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(320, 220));
    EXPECT_TRUE(shellServices.openFileRequests().empty());  // a map spot asks nothing

    shellServices.answerOpenFile(std::nullopt);
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_EQ(shellServices.openFileRequests().size(), 1u);
    const auto& filters = shellServices.openFileRequests()[0].filters;
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "JPEG Files (*.jpg)");
    EXPECT_EQ(filters[0].pattern, "*.jpg");
    EXPECT_EQ(filters[1].description, "All Files (*.*)");
    EXPECT_EQ(filters[1].pattern, "*.*");
    EXPECT_EQ(SpotsOf(document).size(), 1u);  // cancelled: nothing added

    // A new spot takes the first spot's size (40 x 40 here) around the click.
    shellServices.answerOpenFile("/photos/a.jpg");
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(50, 60));
    ASSERT_EQ(SpotsOf(document).size(), 2u);
    const auto spot = SpotsOf(document)[1];
    EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{30, 40, 70, 80}));
    EXPECT_EQ(current(), IdentityOf(spot.get()));
    EXPECT_EQ(PicturesOf(spot.as<IPhotoSpot>()), (std::vector<std::u16string>{u"/photos/a.jpg"}));

    shellServices.answerOpenFile("/photos/b.jpg");
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(50, 60));
    EXPECT_EQ(PicturesOf(spot.as<IPhotoSpot>()), (std::vector<std::u16string>{u"/photos/a.jpg", u"/photos/b.jpg"}));
    LONG dirty = 0;
    document->IsDirty(&dirty);
    EXPECT_NE(dirty, 0);

    undoManager()->Undo();
    EXPECT_EQ(PicturesOf(spot.as<IPhotoSpot>()), (std::vector<std::u16string>{u"/photos/a.jpg"}));
    undoManager()->Undo();
    EXPECT_EQ(SpotsOf(document).size(), 1u);
}

}  // namespace
