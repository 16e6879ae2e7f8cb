#include "components/interfaces/undo_manager.h"
#include "platform/ui/qt_strings.h"
#include "tests/components/mapview/hosted_map_view.h"
#include "tests/support/document_model.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

using namespace com;
using namespace test_support;

namespace {

std::string Utf8(std::u16string_view text)
{
    return Utf16ToUtf8(text);
}

// The whole model as one line: the map picture, then each spot with its bounds and contents.
std::string Describe(const ComPtr<IDocument>& document)
{
    std::string text = "map=" + Utf8(MapFileOf(document));
    for (const auto& spot : SpotsOf(document)) {
        const tagRECT r = BoundsOf(spot.get());
        const std::string bounds = "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                                   std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
        if (const auto photo = spot.tryAs<IPhotoSpot>()) {
            text += " photo" + bounds + "[";
            for (const auto& picture : PicturesOf(photo)) text += Utf8(picture) + ";";
            text += "]<" + Utf8(AudioOf(photo).value_or(u"")) + ">";
        } else {
            text += " link" + bounds + "->" + Utf8(LinkOf(spot.as<IMapSpot>()).value_or(u""));
        }
    }
    return text;
}

class MapViewDrops : public HostedMapView {
protected:
    void SetUp() override
    {
        HostedMapView::SetUp();
        show({400, 300});
        mapPicture = writePicture({400, 300}, Qt::darkGreen, "map.png");
    }
    // A shown map with a photo spot at {100, 100, 140, 140} and a link at {200, 100, 240, 140}.
    void buildMap()
    {
        openMap(mapPicture);
        auto photo = MakePhotoSpot(document.get(), {100, 100, 140, 140});
        AddPhoto(photo, u"/p/first.jpg");
        document->AddSpot(BaseOf(photo.get()).get());
        auto link = MakeMapSpot(document.get(), {200, 100, 240, 140});
        Bstr name(u"/maps/old.plm");
        BSTR argument = name.get();
        link->SetFileName(&argument);
        document->AddSpot(BaseOf(link.get()).get());
    }
    void undo()
    {
        ComPtr<IUndoManager> manager;
        document->GetUndoManager(manager.put());
        manager->Undo();
    }

    QString mapPicture;
};

const char kBuiltMap[] = " photo{100,100,140,140}[/p/first.jpg;]<> link{200,100,240,140}->/maps/old.plm";

TEST_F(MapViewDrops, EachKindOfFileOnEachTargetIsOneUndoableStep)
{
    const QPoint emptyMap(300, 250), onPhoto(120, 120), onLink(220, 120);
    const struct Case {
        const char* what;
        QString file;
        QPoint at;
        std::string after;  // the model after the drop, map picture left out
        int refusals;
    } cases[] = {
        {"picture on the empty map", "/p/new.jpg", emptyMap,
         std::string(kBuiltMap) + " photo{280,230,320,270}[/p/new.jpg;]<>", 0},
        {"picture on a photo spot", "/p/NEXT.JPG", onPhoto,
         " photo{100,100,140,140}[/p/first.jpg;/p/NEXT.JPG;]<> link{200,100,240,140}->/maps/old.plm", 0},
        {"picture on a link", "/p/new.png", onLink, kBuiltMap, 0},
        {"sound on a photo spot", "/s/song.mp3", onPhoto,
         " photo{100,100,140,140}[/p/first.jpg;]</s/song.mp3> link{200,100,240,140}->/maps/old.plm", 0},
        {"sound on the empty map", "/s/song.wav", emptyMap, kBuiltMap, 1},
        {"sound on a link", "/s/song.wav", onLink, kBuiltMap, 1},
        {"map on the empty map", "/maps/city.plm", emptyMap,
         std::string(kBuiltMap) + " link{280,230,320,270}->/maps/city.plm", 0},
        {"map on a link", "/maps/city.PLM", onLink,
         " photo{100,100,140,140}[/p/first.jpg;]<> link{200,100,240,140}->/maps/city.PLM", 0},
        {"map on a photo spot", "/maps/city.plm", onPhoto, kBuiltMap, 1},
        {"other file", "/notes/trip.txt", onPhoto, kBuiltMap, 0},
        {"four-letter extension", "/p/picture.jpeg", emptyMap, kBuiltMap, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        document->Empty();
        buildMap();
        const std::string before = Describe(document);
        const int refusalsBefore = shellServices.refusedSounds();
        EXPECT_EQ(drop({c.file}, c.at), Qt::IgnoreAction);
        EXPECT_EQ(Describe(document), "map=" + mapPicture.toStdString() + c.after);
        EXPECT_EQ(shellServices.refusedSounds() - refusalsBefore, c.refusals);
        EXPECT_TRUE(window().hasFocus());
        undo();
        EXPECT_EQ(Describe(document), before);
    }
    EXPECT_TRUE(events->events.empty());
}

TEST_F(MapViewDrops, IntoAnEmptyWindowAPictureBecomesTheMapAndAMapOpens)
{
    EXPECT_EQ(drop({"/notes/trip.txt"}, {10, 10}), Qt::IgnoreAction);
    EXPECT_EQ(drop({"/s/song.wav"}, {10, 10}), Qt::IgnoreAction);
    EXPECT_EQ(shellServices.refusedSounds(), 2);

    drop({"/maps/city.plm"}, {10, 10});
    EXPECT_EQ(events->events, (std::vector<MapViewEvents::Event>{{kOpenMapFile, u"/maps/city.plm"}}));
    EXPECT_EQ(Describe(document), "map=");

    drop({mapPicture}, {10, 10});
    EXPECT_EQ(Describe(document), "map=" + mapPicture.toStdString());
    tagRECT bounds{};
    view->GetModelBounds(&bounds);
    EXPECT_EQ(bounds, (tagRECT{0, 0, 400, 300}));  // the view loaded it
    undo();
    EXPECT_EQ(Describe(document), "map=");
}

TEST_F(MapViewDrops, SeveralFilesOfOneDropLandTogetherAndUndoTogether)
{
    openMap(mapPicture);
    drop({"/p/a.jpg", "/p/b.gif", "/s/song.wav", "/p/c.bmp"}, {300, 250});
    EXPECT_EQ(Describe(document), "map=" + mapPicture.toStdString() +
                                      " photo{280,230,320,270}[/p/a.jpg;/p/b.gif;/p/c.bmp;]</s/song.wav>");
    EXPECT_EQ(shellServices.refusedSounds(), 0);
    undo();
    EXPECT_EQ(Describe(document), "map=" + mapPicture.toStdString());
}

TEST_F(MapViewDrops, ADropInTheMarginActsAtTheNearestEdge)
{
    openMap(writePicture({200, 200}));  // shown at {100, 50, 300, 250}
    drop({"/p/a.jpg"}, {10, 280});
    ASSERT_EQ(SpotsOf(document).size(), 1u);
    EXPECT_EQ(BoundsOf(SpotsOf(document)[0].get()), (tagRECT{-20, 180, 20, 220}));  // around (0, 200)
}

TEST_F(MapViewDrops, TheEffectFollowsTheKeysAndWhatTheSourceAllows)
{
    openMap(mapPicture);
    const struct {
        Qt::KeyboardModifiers keys;
        Qt::DropActions allowed;
        Qt::DropAction effect;
    } cases[] = {
        {{}, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction},
        {{}, Qt::MoveAction | Qt::LinkAction, Qt::MoveAction},
        {{}, Qt::LinkAction, Qt::LinkAction},
        {Qt::ControlModifier, Qt::CopyAction | Qt::MoveAction, Qt::CopyAction},
        {Qt::ShiftModifier, Qt::CopyAction | Qt::MoveAction, Qt::MoveAction},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::CopyAction | Qt::LinkAction, Qt::LinkAction},
        {Qt::ShiftModifier, Qt::CopyAction, Qt::IgnoreAction},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keys.toInt() << " " << c.allowed.toInt());
        document->Empty();
        openMap(mapPicture);
        EXPECT_EQ(drop({"/p/a.jpg"}, {300, 250}, c.keys, c.allowed), Qt::IgnoreAction);
        EXPECT_EQ(enteredAction, c.effect);
        EXPECT_EQ(SpotsOf(document).size(), c.effect == Qt::IgnoreAction ? 0u : 1u);
    }
}

TEST_F(MapViewDrops, DataWithoutAFileListIsRefusedThroughout)
{
    openMap(mapPicture);
    QMimeData data;
    data.setText("/p/a.jpg");
    QDragEnterEvent enter(QPoint(300, 250), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent dropped(QPointF(300, 250), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window(), &dropped);
    EXPECT_TRUE(SpotsOf(document).empty());
}

TEST_F(MapViewDrops, WithoutADocumentDropsClicksAndKeysAreIgnored)
{
    openMap(mapPicture);
    view->SetDocument(nullptr);
    EXPECT_EQ(drop({"/p/a.jpg", "/maps/city.plm"}, {300, 250}), Qt::IgnoreAction);
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(300, 250));
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Left, Qt::Key_Delete, Qt::Key_Return})
        QTest::keyClick(&window(), key);
    EXPECT_EQ(Describe(document), "map=" + mapPicture.toStdString());
    EXPECT_TRUE(events->events.empty());
}

}  // namespace
