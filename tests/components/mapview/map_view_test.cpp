#include "components/interfaces/class_ids.h"
#include "components/interfaces/undo_manager.h"
#include "platform/ui/qt_strings.h"
#include "tests/components/mapview/hosted_map_view.h"
#include "tests/support/dispatch_calls.h"
#include "tests/support/document_model.h"
#include "tests/support/heif_writer.h"
#include "tests/support/test_pictures.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>

using namespace com;
using namespace test_support;

namespace {

// A tool that records which of its handlers ran, with the point or key.
class RecordingTool final : public Implements<RecordingTool, IBaseTool> {
public:
    struct Call {
        std::string handler;
        LONG x, y;
        friend bool operator==(const Call&, const Call&) = default;
    };
    HRESULT LButtonDown(IDocument*, IUnknown*, tagPOINT* p) noexcept override { return record("down", *p); }
    HRESULT OnMouseMove(IDocument*, IUnknown*, tagPOINT* p) noexcept override { return record("move", *p); }
    HRESULT LButtonUp(IDocument*, IUnknown*, tagPOINT* p) noexcept override { return record("up", *p); }
    HRESULT LButtonDoubleClick(IDocument*, IUnknown*, tagPOINT* p) noexcept override { return record("double", *p); }
    HRESULT SetToolPalette(IUnknown*) noexcept override { return S_OK; }
    HRESULT OnKeyDown(IDocument*, IUnknown*, LONG key) noexcept override
    {
        calls.push_back({"key", key, 0});
        return S_OK;
    }
    std::vector<Call> calls;

private:
    HRESULT record(const char* handler, tagPOINT p)
    {
        calls.push_back({handler, p.x, p.y});
        return S_OK;
    }
};

class MapView : public HostedMapView {
protected:
    // A 200 x 200 map at its own size in a 400 x 300 window: model = area - (100, 50).
    void showOwnSizeMap()
    {
        show({400, 300});
        openMap(writePicture({200, 200}));
    }
    ComPtr<IBaseSpot> addSpot(tagRECT bounds)
    {
        auto spot = BaseOf(MakePhotoSpot(document.get(), bounds).get());
        document->AddSpot(spot.get());
        return spot;
    }
    ComPtr<RecordingTool> recordTool()
    {
        auto tool = Make<RecordingTool>();
        view->SetCurrentTool(tool.get());
        return tool;
    }
    ComPtr<IBaseSpot> current()
    {
        ComPtr<IBaseSpot> spot;
        document->GetCurrentSpot(spot.put());
        return spot;
    }
    bool undoAvailable()
    {
        ComPtr<IUndoManager> undo;
        document->GetUndoManager(undo.put());
        VARIANT_BOOL available = VARIANT_FALSE;
        undo->UndoAvailable(&available);
        return available != VARIANT_FALSE;
    }
    void pushContainingMap(const QString& map, const QString& picture)
    {
        Bstr mapName = ui::ToBstr(map), pictureName = ui::ToBstr(picture);
        BSTR a = mapName.get(), b = pictureName.get();
        view->PushContainingMap(&a, &b);
    }
};

TEST_F(MapView, ConvertsThroughTheShownPicture)
{
    show({400, 400});
    tagPOINT area{200, 200}, model{};
    tagRECT rect{10, 20, 30, 40}, converted{};
    view->ConvertAreaPointToModelPoint(&area, &model);
    EXPECT_EQ(model, (tagPOINT{-1, -1}));  // no picture yet
    view->ConvertAreaRectToModelRect(&rect, &converted);
    EXPECT_EQ(converted, rect);
    view->ConvertModelRectToAreaRect(&rect, &converted);
    EXPECT_EQ(converted, rect);

    openMap(writePicture({800, 600}));
    view->ConvertAreaPointToModelPoint(&area, &model);
    EXPECT_EQ(model, (tagPOINT{400, 300}));
    tagRECT modelRect{100, 100, 200, 200};
    view->ConvertModelRectToAreaRect(&modelRect, &converted);
    EXPECT_EQ(converted, (tagRECT{50, 100, 100, 150}));
    view->GetModelBounds(&converted);
    EXPECT_EQ(converted, (tagRECT{0, 0, 800, 600}));
    Bstr name;
    view->GetMapFileName(name.put());
    EXPECT_FALSE(name.isNull());
}

TEST_F(MapView, PhonePicturesAndWebPicturesAreMapPicturesAtTheirOwnSize)
{
    show({400, 300});
    auto near = [](QColor a, QColor b) {
        return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
    };
    HeifWriter::Options turned;
    turned.orientation = 6;  // the red left half comes on top
    turned.thumbnailSize = 64;
    HeifWriter::Options deepAv1;
    deepAv1.codec = HeifWriter::Codec::Av1;
    deepAv1.bitDepth = 10;
    struct Case {
        const char* name;
        QByteArray bytes;
        QSize size;
        QColor top, bottom;
    };
    for (const Case& c : {Case{"IMG_0001.HEIC", HeifWriter::Encode(TestPictures::Halves({160, 80}), turned), {80, 160}, Qt::red, Qt::blue},
                          Case{"dawn.avif", HeifWriter::Encode(TestPictures::Filled({200, 120}, Qt::blue), deepAv1), {200, 120},
                               Qt::blue, Qt::blue},
                          Case{"saved.webp", TestPictures::Webp(TestPictures::Filled({120, 90}, Qt::green)), {120, 90}, Qt::green, Qt::green}}) {
        SCOPED_TRACE(c.name);
        const QString path = QString::fromStdString((folder.path() / c.name).string());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        openMap(path);
        tagRECT bounds{};
        view->GetModelBounds(&bounds);
        EXPECT_EQ(bounds, (tagRECT{0, 0, c.size.width(), c.size.height()}));
        // Centred at its own size in the 400 x 300 window.
        const QImage painted = paint();
        const QRect placed(QPoint(200 - c.size.width() / 2, 150 - c.size.height() / 2), c.size);
        EXPECT_TRUE(near(painted.pixelColor(placed.center().x(), placed.top() + placed.height() / 4), c.top));
        EXPECT_TRUE(near(painted.pixelColor(placed.center().x(), placed.bottom() - placed.height() / 4), c.bottom));
        EXPECT_FALSE(near(painted.pixelColor(placed.left() - 2, placed.center().y()), c.top));
    }
}

TEST_F(MapView, AnUndecodablePictureIsAPictureOfSizeZero)
{
    show({400, 300});
    const QString path = QString::fromStdString((folder.path() / "broken.png").string());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    openMap(path);
    tagRECT bounds{1, 1, 1, 1};
    view->GetModelBounds(&bounds);
    EXPECT_EQ(bounds, (tagRECT{0, 0, 0, 0}));
    const QImage painted = paint();
    EXPECT_EQ(painted.pixelColor(200, 150), QColor(Qt::white));
    EXPECT_EQ(painted.pixelColor(200, 100), QColor(Qt::white));  // no hint text either
}

TEST_F(MapView, TabAndShiftTabWrapAround)
{
    showOwnSizeMap();
    const auto first = addSpot({0, 0, 40, 40}), middle = addSpot({50, 0, 90, 40}), last = addSpot({100, 0, 140, 40});
    QTest::keyClick(&window(), Qt::Key_Tab);
    EXPECT_FALSE(current());  // nothing current: Tab does nothing
    document->PutCurrentSpot(last.get());
    QTest::keyClick(&window(), Qt::Key_Tab);
    EXPECT_EQ(current().get(), first.get());
    QTest::keyClick(&window(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(current().get(), last.get());
    QTest::keyClick(&window(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(current().get(), middle.get());
    EXPECT_TRUE(window().hasFocus() || !QApplication::focusWidget());  // Tab never moved the focus away
}

TEST_F(MapView, ArrowsNudgeOnlyStrictlyInsideThePictureInOneUndoStepPerRun)
{
    showOwnSizeMap();
    const auto spot = addSpot({1, 10, 41, 50});
    document->PutCurrentSpot(spot.get());
    LONG dirty = 0;
    document->IsDirty(&dirty);
    ASSERT_EQ(dirty, 0);
    struct Step {
        Qt::Key key;
        tagRECT expected;
    };
    const Step steps[] = {
        {Qt::Key_Left, {1, 10, 41, 50}},  // left edge would reach 0: refused
        {Qt::Key_Right, {2, 10, 42, 50}},
        {Qt::Key_Down, {2, 11, 42, 51}},
        {Qt::Key_Up, {2, 10, 42, 50}},
    };
    for (const Step& step : steps) {
        listener->clear();
        QTest::keyClick(&window(), step.key);
        EXPECT_EQ(BoundsOf(spot.get()), step.expected) << step.key;
    }
    // The spot announces its own move; the view adds the moved notice after it.
    EXPECT_EQ(listener->flags(), (std::vector<LONG>{kSpotMoving, kSpotMoved, kSpotMoved}));
    document->IsDirty(&dirty);
    EXPECT_NE(dirty, 0);

    // A run of nudges is one step; any other change ends it, the next nudge starts another.
    ComPtr<IUndoManager> undo;
    document->GetUndoManager(undo.put());
    undo->Undo();
    EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{1, 10, 41, 50}));
    EXPECT_FALSE(undoAvailable());
    undo->Redo();
    QTest::keyClick(&window(), Qt::Key_Right);
    document->PutCurrentSpot(spot.get());
    QTest::keyClick(&window(), Qt::Key_Right);
    for (const LONG left : {3, 2, 1}) {
        undo->Undo();
        EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{left, 10, left + 40, 50}));
    }
}

TEST_F(MapView, DeleteAndBackspaceRemoveTheCurrentSpotUndoably)
{
    showOwnSizeMap();
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace}) {
        const auto spot = addSpot({10, 10, 50, 50});
        document->PutCurrentSpot(spot.get());
        QTest::keyClick(&window(), key);
        EXPECT_TRUE(SpotsOf(document).empty());
        ComPtr<IUndoManager> undo;
        document->GetUndoManager(undo.put());
        undo->Undo();
        ASSERT_EQ(SpotsOf(document).size(), 1u);
        EXPECT_EQ(SpotsOf(document)[0].get(), spot.get());
        document->DeleteSpot(spot.get());
    }
    QTest::keyClick(&window(), Qt::Key_Delete);  // nothing current: nothing happens
    EXPECT_TRUE(SpotsOf(document).empty());
}

TEST_F(MapView, ControlUAndF6ZoomOutOnlyWithAContainingMap)
{
    showOwnSizeMap();
    const auto tool = recordTool();
    for (const Qt::Key key : {Qt::Key_U, Qt::Key_F6}) {
        QTest::keyClick(&window(), key, Qt::ControlModifier);
        QTest::keyClick(&window(), key);
    }
    EXPECT_TRUE(events->events.empty());
    EXPECT_TRUE(tool->calls.empty());  // U and F6 never reach the tool

    pushContainingMap("/maps/country.plm", writePicture({40, 30}));
    QTest::keyClick(&window(), Qt::Key_U, Qt::ControlModifier);
    QTest::keyClick(&window(), Qt::Key_F6, Qt::ControlModifier);
    QTest::keyClick(&window(), Qt::Key_A);
    const MapViewEvents::Event zoomOut{kBroadcastZoomOut, u"/maps/country.plm"};
    EXPECT_EQ(events->events, (std::vector<MapViewEvents::Event>{zoomOut, zoomOut}));
    EXPECT_EQ(tool->calls, (std::vector<RecordingTool::Call>{{"key", 'A', 0}}));
}

TEST_F(MapView, ClicksInTheOverviewBoxZoomOut)
{
    showOwnSizeMap();
    const auto tool = recordTool();
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(399, 0));
    EXPECT_EQ(tool->calls.size(), 2u);  // without a containing map every click goes to the tool
    tool->calls.clear();

    pushContainingMap("/maps/country.plm", writePicture({40, 30}));
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(200, 10));  // x = right - 200
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(201, 150));  // y = 150
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(201, 149));
    EXPECT_EQ(tool->calls, (std::vector<RecordingTool::Call>{
                               {"down", 200, 10}, {"up", 200, 10}, {"down", 201, 150}, {"up", 201, 150}, {"up", 201, 149}}));
    EXPECT_EQ(events->events, (std::vector<MapViewEvents::Event>{{kBroadcastZoomOut, u"/maps/country.plm"}}));
    EXPECT_TRUE(window().hasFocus());
}

TEST_F(MapView, ButtonsAskTheHostToMaximizeAndRestore)
{
    show({400, 300});
    auto* collapse = window().findChild<QPushButton*>("1001");
    auto* expand = window().findChild<QPushButton*>("1002");
    ASSERT_TRUE(collapse && expand);
    EXPECT_EQ(collapse->geometry(), QRect(0, 0, 20, 20));
    EXPECT_TRUE(collapse->isVisible());
    EXPECT_FALSE(expand->isVisible());

    QTest::mouseClick(collapse, Qt::LeftButton);
    EXPECT_EQ(events->events, (std::vector<MapViewEvents::Event>{{kMaximizeView, u""}}));
    EXPECT_TRUE(expand->isVisible());  // before the host answers
    LONG maximized = -1;
    view->GetMaximized(&maximized);
    EXPECT_EQ(maximized, 0);
    view->PutMaximized(1);
    QTest::mouseClick(expand, Qt::LeftButton);
    EXPECT_EQ(events->events.back().id, kMinimizeView);
    EXPECT_TRUE(collapse->isVisible());
    view->PutMaximized(0);
    EXPECT_TRUE(collapse->isVisible());
    EXPECT_FALSE(expand->isVisible());
}

TEST_F(MapView, ContainingMapsStackUp)
{
    Bstr root = Bstr(u"untouched");
    BSTR answer = root.get();
    view->GetRootMap(&answer);
    EXPECT_EQ(answer, root.get());  // empty stack: the caller's value stays
    pushContainingMap("/maps/world.plm", "/maps/world.png");
    pushContainingMap("/maps/country.plm", "/maps/country.png");
    Bstr got;
    view->GetRootMap(got.put());
    EXPECT_EQ(got.view(), u"/maps/world.plm");
    view->PopContainingMap();
    view->PopAllMaps();
    view->PopContainingMap();  // on an empty stack: stays empty
    answer = root.get();
    view->GetRootMap(&answer);
    EXPECT_EQ(answer, root.get());
}

TEST_F(MapView, AnswersThroughDispatch)
{
    ExpectDispatchIds(AsDispatch(view), {{u"GetDocument", 1}, {u"SetDocument", 2}, {u"GetMapFileName", 3},
                                         {u"SetMapFileName", 4}, {u"SetCurrentTool", 5},
                                         {u"ConvertAreaRectToModelRect", 6}, {u"DocumentChanged", 7},
                                         {u"ConvertAreaPointToModelPoint", 8}, {u"ConvertModelRectToAreaRect", 9},
                                         {u"OnDeleteKey", 10}, {u"GetModelBounds", 11}, {u"PushContainingMap", 12},
                                         {u"PopContainingMap", 13}, {u"PopAllMaps", 14}, {u"GetRootMap", 15},
                                         {u"InvalMap", 16}, {u"Maximized", 17}});
    showOwnSizeMap();
    const tagPOINT area{150, 60};
    const Variant model = Call(AsDispatch(view), 8, &area);
    ASSERT_EQ(model.vt, VT_RECORD);
    EXPECT_EQ(*static_cast<const tagPOINT*>(model.record.pvRecord), (tagPOINT{50, 10}));
    Bstr name = Bstr(u"/maps/other.png");
    Call(AsDispatch(view), 4, name.get());
    EXPECT_EQ(Text(Call(AsDispatch(view), 3).bstrVal), std::optional<std::u16string>(u"/maps/other.png"));
}

}  // namespace
