#include "components/interfaces/cell_factory.h"
#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/ui/qt_strings.h"
#include "tests/components/browser/browser_folder.h"
#include "tests/support/heif_writer.h"
#include "tests/support/test_pictures.h"

#include <QCollator>
#include <QDir>
#include <QTest>
#include <algorithm>

using namespace com;
using namespace test_support;

namespace {

TEST(ClassifyFile, ByTheExtensionAtTheEndWhateverItsCase)
{
    struct Case {
        std::u16string_view path;
        FileType type;
    };
    for (const Case& c : {Case{u"C/trip/IMG_01.JPG", kFileTypePicture}, Case{u"notes.jpeg", kFileTypeOther},
                          Case{u"a.PLM", kFileTypeMap}, Case{u"clip.avi", kFileTypeSound},
                          Case{u"song.Mp3", kFileTypeSound}, Case{u"README", kFileTypeOther},
                          Case{u"jpg", kFileTypeOther}, Case{u"", kFileTypeOther},
                          Case{u"IMG_0042.HEIC", kFileTypePicture}, Case{u"scan.heif", kFileTypePicture},
                          Case{u"trip/dawn.Avif", kFileTypePicture}, Case{u"saved.webp", kFileTypePicture},
                          Case{u"movie.avif", kFileTypePicture}, Case{u"heic", kFileTypeOther},
                          Case{u"x.aheic", kFileTypeOther}})
        EXPECT_EQ(ClassifyFile(c.path), c.type) << std::string(c.path.begin(), c.path.end());
}

struct Listed {
    QString path;
    LONG type;
    bool isDirectory;
    friend bool operator==(const Listed&, const Listed&) = default;
};

class FolderListing : public BrowserFolderTest {
protected:
    // What a factory given `folder` hands out, and what SetDirectory answered.
    std::vector<Listed> list(const QString& folderPath, HRESULT* answer = nullptr)
    {
        auto factory = CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
        const Bstr name = ui::ToBstr(folderPath);
        const HRESULT result = factory->SetDirectory(name.get());
        if (answer) *answer = result;
        Bstr stored;
        factory->GetDirectory(stored.put());
        EXPECT_EQ(ui::ToQString(stored.get()), folderPath);
        std::vector<Listed> cells;
        const auto cellFactory = factory.as<ICellFactory>();
        for (;;) {
            ComPtr<ITableCell> cell;
            EXPECT_EQ(cellFactory->NextCell(cell.put()), S_OK);
            if (!cell) break;
            Bstr path;
            cell->GetFileName(path.put());
            LONG type = -1;
            cell->GetFileType(&type);
            VARIANT_BOOL isDirectory = VARIANT_FALSE;
            cell->GetIsDirectory(&isDirectory);
            cells.push_back({ui::ToQString(path.get()), type, isDirectory != VARIANT_FALSE});
        }
        return cells;
    }
};

TEST_F(FolderListing, PicturesMapsSoundsAndFoldersInOneLocaleOrder)
{
    writePicture("b.JPG", {4, 3});
    writePicture("Delta.png", {4, 3});
    makeFolder("c trip");
    writeFile("a.mp3", "ID3");
    writeMap("e.plm", pathOf("b.JPG"));
    writeFile("notes.txt", "x");
    writeFile(".hidden.jpg", "x");
    makeFolder(".hidden folder");
    const QString working = QDir::currentPath();

    const QString root = QString::fromStdString(folder.path().string());
    std::vector<Listed> expected{{pathOf("a.mp3"), kFileTypeSound, false},
                                 {pathOf("b.JPG"), kFileTypePicture, false},
                                 {pathOf("c trip"), kFileTypeOther, true},
                                 {pathOf("Delta.png"), kFileTypePicture, false},
                                 {pathOf("e.plm"), kFileTypeMap, false}};
    QCollator collator;
    std::sort(expected.begin(), expected.end(),
              [&](const Listed& a, const Listed& b) { return collator.compare(a.path, b.path) < 0; });
    EXPECT_EQ(list(root), expected);
    EXPECT_EQ(list(root + "/"), expected);  // one separator between folder and name
    EXPECT_EQ(QDir::currentPath(), working);
}

TEST_F(FolderListing, AFolderThatCannotBeReadGivesNoCells)
{
    writeFile("file.jpg", "x");
    for (const QString& bad : {pathOf("missing"), pathOf("file.jpg")}) {
        HRESULT answer = S_OK;
        EXPECT_TRUE(list(bad, &answer).empty());
        EXPECT_EQ(answer, S_FALSE);
    }
}

TEST_F(FolderListing, LongPathsStayWhole)
{
    QString deep = QString::fromStdString(folder.path().string());
    while (deep.size() < 300) deep += "/" + QString(40, 'x');
    ASSERT_TRUE(QDir().mkpath(deep));
    QImage(4, 3, QImage::Format_RGB32).save(deep + "/far.png");
    EXPECT_EQ(list(deep), (std::vector<Listed>{{deep + "/far.png", kFileTypePicture, false}}));
}

TEST_F(FolderListing, TheDesktopAlsoListsTheDocumentsFolder)
{
    const QString home = useOwnHome();
    ASSERT_TRUE(QDir().mkpath(home + "/Desktop"));
    EXPECT_EQ(list(home + "/Desktop"), (std::vector<Listed>{{home + "/Documents", kFileTypeOther, true}}));
}

TEST_F(FolderListing, ANullFolderListsNothing)
{
    auto factory = CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
    EXPECT_EQ(factory->SetDirectory(nullptr), S_OK);
    ComPtr<ITableCell> cell;
    EXPECT_EQ(factory.as<ICellFactory>()->NextCell(cell.put()), S_OK);
    EXPECT_FALSE(cell);
}

TEST_F(FolderListing, ThePlainCellAndFactoryDoNothing)
{
    auto cell = CreateInstance<ITableCell>(CLSID_PLTableCell);
    BSTR name = reinterpret_cast<BSTR>(this);
    EXPECT_EQ(cell->GetFileName(&name), S_OK);
    EXPECT_EQ(name, reinterpret_cast<BSTR>(this));
    auto factory = CreateInstance<ICellFactory>(CLSID_PLCellFactory);
    ITableCell* next = cell.get();
    EXPECT_EQ(factory->NextCell(&next), S_OK);
    EXPECT_EQ(next, cell.get());
}

// A cell of `path` drawn into a 200 x 158 cell at (0, 0) over magenta, once its thumbnail is there
// when it has one.
class CellDrawing : public BrowserFolderTest {
protected:
    ComPtr<ITableCell> cellOf(const QString& path, bool isDirectory = false)
    {
        auto cell = CreateInstance<IImageCell>(CLSID_PLImageCell);
        const Bstr name = ui::ToBstr(path);
        cell->SetFile(name.get());
        auto tableCell = cell.as<ITableCell>();
        tableCell->SetIsDirectory(isDirectory ? VARIANT_TRUE : VARIANT_FALSE);
        return tableCell;
    }
    static QImage draw(ITableCell& cell)
    {
        QImage image(200, 158, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        ui::DeviceContext dc(painter);
        tagRECT rect{0, 0, 200, 158};
        cell.DrawCell(&dc, &rect);
        return image;
    }
    // The label's colour, where its strokes are solid.
    static bool hasLabelColour(const QImage& image, QColor colour)
    {
        for (int y = 3 * (158 / 4); y < 158; ++y)
            for (int x = 0; x < 200; ++x)
                if (image.pixelColor(x, y) == colour) return true;
        return false;
    }
};

TEST_F(CellDrawing, APictureIsDrawnCentredOnceItsThumbnailArrives)
{
    const auto cell = cellOf(writePicture("red.png", {400, 300}, Qt::red));
    EXPECT_EQ(draw(*cell).pixelColor(100, 50), QColor(Qt::magenta));  // not yet
    QImage image;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (image = draw(*cell)).pixelColor(100, 50) == QColor(Qt::red); }));
    EXPECT_EQ(image.pixelColor(100, 3), QColor(Qt::magenta));  // 200 x 150 at y = 4
    EXPECT_EQ(image.pixelColor(100, 4), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(2, 153), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(2, 154), QColor(Qt::magenta));
    EXPECT_TRUE(hasLabelColour(image, QColor(0xFF, 0xD1, 0x1C)));
}

TEST_F(CellDrawing, PhonePicturesAndWebPicturesAreDrawnAsThumbnails)
{
    auto photo = [](QColor colour) { return TestPictures::Filled({640, 480}, colour); };
    HeifWriter::Options phone;
    phone.orientation = 6;
    phone.thumbnailSize = 320;
    HeifWriter::Options camera;
    camera.codec = HeifWriter::Codec::Av1;
    camera.bitDepth = 10;
    struct Case {
        QString name;
        QByteArray bytes;
        QColor colour;
    };
    for (const Case& c : {Case{"IMG_0001.HEIC", HeifWriter::Encode(photo(Qt::red), phone), Qt::red},
                          Case{"dawn.avif", HeifWriter::Encode(photo(Qt::blue), camera), Qt::blue},
                          Case{"saved.WebP", TestPictures::Webp(photo(Qt::green)), Qt::green}}) {
        SCOPED_TRACE(c.name.toStdString());
        writeFile(c.name, c.bytes);
        const auto cell = cellOf(pathOf(c.name));
        LONG type = kFileTypeOther;
        cell->GetFileType(&type);
        EXPECT_EQ(type, kFileTypePicture);
        auto shows = [&](QColor colour) {
            const QColor drawn = draw(*cell).pixelColor(100, 50);
            return qAbs(drawn.red() - colour.red()) < 40 && qAbs(drawn.green() - colour.green()) < 40 &&
                   qAbs(drawn.blue() - colour.blue()) < 40;
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return shows(c.colour); }));
    }
}

TEST_F(CellDrawing, SoundsAndFoldersShowTheirIconsAndADarkRedName)
{
    struct Case {
        QString path;
        bool isDirectory;
        QRect icon;
    };
    for (const Case& c : {Case{pathOf("song.wav"), false, QRect(44, 25, 112, 108)},
                          Case{pathOf("trip"), true, QRect(80, 58, 40, 41)}}) {
        const QImage image = draw(*cellOf(c.path, c.isDirectory));
        EXPECT_EQ(image.pixelColor(c.icon.topLeft()), QColor(Qt::white)) << c.path.toStdString();
        EXPECT_EQ(image.pixelColor(c.icon.topLeft() - QPoint(1, 1)), QColor(Qt::magenta));
        EXPECT_EQ(image.pixelColor(c.icon.bottomRight() + QPoint(1, 1)), QColor(Qt::magenta));
        EXPECT_TRUE(hasLabelColour(image, QColor(0x32, 0, 0)));
    }
}

TEST_F(CellDrawing, AMapShowsItsMapPictureWithACaption)
{
    const auto cell = cellOf(writeMap("trip.plm", writePicture("map.png", {400, 300}, Qt::blue)));
    QImage image;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (image = draw(*cell)).pixelColor(10, 10) == QColor(Qt::blue); }));
    bool caption = false;
    for (int y = 158 / 4; y < 2 * (158 / 4); ++y)
        for (int x = 0; x < 200; ++x) caption = caption || image.pixelColor(x, y) == QColor(0xFF, 0xD1, 0x1C);
    EXPECT_TRUE(caption);
}

TEST_F(CellDrawing, AnEmptyCellDrawsNothing)
{
    const auto cell = cellOf(pathOf("song.wav"));
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    ui::DeviceContext dc(painter);
    tagRECT empty{5, 5, 5, 50};
    EXPECT_EQ(cell->DrawCell(&dc, &empty), S_FALSE);
}

}  // namespace
