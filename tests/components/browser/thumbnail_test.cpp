#include "components/browser/freedesktop_thumbnail_cache.h"
#include "components/browser/thumbnail_maker.h"
#include "components/browser/thumbnail_store.h"
#include "tests/components/browser/browser_folder.h"
#include "tests/support/heif_writer.h"
#include "tests/support/test_pictures.h"
#include "tests/support/watchdog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFileInfo>
#include <QImageReader>
#include <QSignalSpy>
#include <QTest>
#include <QDateTime>
#include <QUrl>
#include <QDir>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace browser;
using namespace test_support;

namespace {

TEST(FittedThumbnailSize, KeepsTheAspectAndFillsOneSideOfTheCell)
{
    struct Case {
        QSize picture, cell, expected;
    };
    for (const Case& c : {Case{{400, 300}, {200, 158}, {200, 150}}, Case{{40, 30}, {200, 150}, {200, 150}},
                          Case{{300, 400}, {200, 150}, {112, 150}}, Case{{1000, 1}, {200, 150}, {200, 0}},
                          Case{{0, 300}, {200, 150}, {}}, Case{{400, 300}, {0, 150}, {}}})
        EXPECT_EQ(FittedThumbnailSize(c.picture, c.cell), c.expected) << c.picture.width() << "x" << c.picture.height();
}

// A BMP header declaring 100,000 x 100,000 pixels of 24 bits, with no pixels behind it.
QByteArray DecompressionBomb()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54 + 16) << quint32(0) << quint32(54);
    out << quint32(40) << qint32(100000) << qint32(100000) << quint16(1) << quint16(24) << quint32(0) << quint32(0)
        << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    out.writeRawData("0123456789abcdef", 16);
    return bytes;
}

// The thumbnail, after the desktop's cache got its file.
QImage MakeNow(const ThumbnailMaker& maker, const QString& path, FileType type, QSize cell)
{
    ThumbnailMaker::Made made = maker.make(path, type, cell);
    if (made.fillCache) made.fillCache();
    return made.thumbnail;
}

class ThumbnailMaking : public BrowserFolderTest {
protected:
    ThumbnailMaker uncached{std::nullopt};
};

TEST_F(ThumbnailMaking, PicturesAndMapPicturesScaledToTheCell)
{
    const QString picture = writePicture("red.png", {400, 300}, Qt::red);
    const QImage thumbnail = MakeNow(uncached, picture, kFileTypePicture, {200, 158});
    EXPECT_EQ(thumbnail.size(), QSize(200, 150));
    EXPECT_EQ(thumbnail.pixelColor(100, 75), QColor(Qt::red));

    const QImage ofMap = MakeNow(uncached, writeMap("trip.plm", picture), kFileTypeMap, {100, 75});
    EXPECT_EQ(ofMap.size(), QSize(100, 75));
    EXPECT_EQ(ofMap.pixelColor(50, 37), QColor(Qt::red));
}

// The most memory the process has held so far, in bytes.
qint64 PeakMemory()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

// Maps past the loader's limit are refused before a byte of them is read: a map of 1 GB and one
// byte, and a valid map followed by a gigabyte of NULs (both sparse: nothing is written).
TEST_F(ThumbnailMaking, HostileEntriesGiveNoThumbnail)
{
    writeFile("bomb.bmp", DecompressionBomb());
    writeFile("garbage.jpg", QByteArray(5000, '\x5a'));
    writeFile("broken.plm", "<not a map");
    ASSERT_EQ(mkfifo(pathOf("pipe.jpg").toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(mkfifo(pathOf("pipe.plm").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", pathOf("zero.png")));
    ASSERT_TRUE(QFile::link("/dev/zero", pathOf("zero.plm")));
    makeFolder("folder.jpg");
    writeMap("lost.plm", pathOf("missing.png"));
    writeMap("piped.plm", pathOf("pipe.jpg"));
    writeFile("huge.plm", {});
    ASSERT_EQ(::truncate(QFile::encodeName(pathOf("huge.plm")).constData(), (qint64(1) << 30) + 1), 0);
    const QString padded = writeMap("padded.plm", writePicture("red.png", {40, 30}, Qt::red));
    ASSERT_EQ(::truncate(QFile::encodeName(padded).constData(), QFileInfo(padded).size() + (qint64(1) << 30)), 0);
    struct Case {
        const char* name;
        FileType type;
    };
    const qint64 memoryBefore = PeakMemory();
    const Watchdog watchdog("making the thumbnails of hostile entries", std::chrono::seconds(10));
    for (const Case& c : {Case{"bomb.bmp", kFileTypePicture}, Case{"garbage.jpg", kFileTypePicture},
                          Case{"pipe.jpg", kFileTypePicture}, Case{"zero.png", kFileTypePicture},
                          Case{"folder.jpg", kFileTypePicture}, Case{"missing.png", kFileTypePicture},
                          Case{"broken.plm", kFileTypeMap}, Case{"lost.plm", kFileTypeMap},
                          Case{"piped.plm", kFileTypeMap}, Case{"pipe.plm", kFileTypeMap},
                          Case{"zero.plm", kFileTypeMap}, Case{"huge.plm", kFileTypeMap},
                          Case{"padded.plm", kFileTypeMap}})
        EXPECT_TRUE(MakeNow(uncached, pathOf(c.name), c.type, {200, 150}).isNull()) << c.name;
    EXPECT_LT(PeakMemory() - memoryBefore, qint64(256) << 20) << "a map past the limit was read";
}

// Another program may have put a FIFO where the desktop's cache keeps a thumbnail or a failure: it
// is not read (a worker would wait for a writer for ever, and the store could never end).
TEST_F(ThumbnailMaking, FifosInTheDesktopCacheAreNotReadAndTheStoreStillEnds)
{
    const QString picture = writePicture("photo.png", {400, 300}, Qt::red);
    const FreedesktopThumbnailCache cache(cacheFolder() + "/thumbnails/large");
    for (const QString& file : {cache.thumbnailPath(picture), cache.failurePath(picture)}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
        ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    }
    const Watchdog watchdog("a store whose cache holds FIFOs", std::chrono::seconds(10));
    ThumbnailStore store(ThumbnailMaker(FreedesktopThumbnailCache()), 1, 1 << 24);
    QSignalSpy ready(&store, &ThumbnailStore::thumbnailReady);
    store.find(picture, kFileTypePicture, {200, 150});
    ASSERT_TRUE(ready.wait(5000));
    EXPECT_EQ(store.find(picture, kFileTypePicture, {200, 150}).image.pixelColor(100, 75), QColor(Qt::red));
}

// Thumbnails held in memory follow their files: a picture edited elsewhere, a map given another
// picture and a map whose picture was edited each get a new one when their cell is drawn again.
TEST_F(ThumbnailMaking, TheStoreRemakesAThumbnailOnceAFileItCameFromChanges)
{
    const QString picture = writePicture("photo.png", {400, 300}, Qt::red);
    const QString map = writeMap("trip.plm", writePicture("map picture.png", {400, 300}, Qt::red));
    ThumbnailStore store(ThumbnailMaker(std::nullopt), 1, 1 << 24);
    const auto colourOf = [&](const QString& file, FileType type) {
        if (store.find(file, type, {200, 150}).state == ThumbnailStore::State::Pending) {
            QSignalSpy ready(&store, &ThumbnailStore::thumbnailReady);
            EXPECT_TRUE(ready.wait(5000));
        }
        const ThumbnailStore::Answer answer = store.find(file, type, {200, 150});
        EXPECT_EQ(answer.state, ThumbnailStore::State::Ready);
        return answer.image.pixelColor(100, 75);
    };
    EXPECT_EQ(colourOf(picture, kFileTypePicture), QColor(Qt::red));
    EXPECT_EQ(colourOf(map, kFileTypeMap), QColor(Qt::red));

    // Sizes that differ by a row, so that a change within the clock's tick still shows.
    writePicture("photo.png", {400, 301}, Qt::blue);
    writeMap("trip.plm", writePicture("other map picture.png", {400, 300}, Qt::green));
    EXPECT_EQ(colourOf(picture, kFileTypePicture), QColor(Qt::blue));
    EXPECT_EQ(colourOf(map, kFileTypeMap), QColor(Qt::green));
    writePicture("other map picture.png", {400, 301}, Qt::yellow);
    EXPECT_EQ(colourOf(map, kFileTypeMap), QColor(Qt::yellow));
}

// A picture that could not be opened for lack of permission has not failed: no failure is recorded,
// and it gets its thumbnail once it can be read, though a chmod changes neither its time nor its
// size. (The superuser reads it all along.)
TEST_F(ThumbnailMaking, APictureThatCouldNotBeReadForLackOfPermissionHasNotFailed)
{
    const QString picture = writePicture("photo.png", {400, 300}, Qt::red);
    ASSERT_TRUE(QFile::setPermissions(picture, QFileDevice::Permissions()));
    const bool readable = ::access(QFile::encodeName(picture).constData(), R_OK) == 0;
    const FreedesktopThumbnailCache cache(cacheFolder() + "/thumbnails/large");
    ThumbnailStore store(ThumbnailMaker(FreedesktopThumbnailCache()), 1, 1 << 24);
    QSignalSpy ready(&store, &ThumbnailStore::thumbnailReady);
    store.find(picture, kFileTypePicture, {200, 150});
    ASSERT_TRUE(ready.wait(5000));
    EXPECT_EQ(store.find(picture, kFileTypePicture, {200, 150}).state,
              readable ? ThumbnailStore::State::Ready : ThumbnailStore::State::None);
    EXPECT_FALSE(QFile::exists(cache.failurePath(picture)));

    ASSERT_TRUE(QFile::setPermissions(picture, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    if (store.find(picture, kFileTypePicture, {200, 150}).state == ThumbnailStore::State::Pending) {
        ASSERT_TRUE(ready.wait(5000));
    }
    EXPECT_EQ(store.find(picture, kFileTypePicture, {200, 150}).image.size(), QSize(200, 150));
}

TEST_F(ThumbnailMaking, FillsTheDesktopCacheInItsFormatAndReusesItAfterARestart)
{
    const QString picture = writePicture("photo.png", {1024, 768}, Qt::red);
    const FreedesktopThumbnailCache cache(cacheFolder() + "/thumbnails/large");
    ASSERT_FALSE(MakeNow(ThumbnailMaker(FreedesktopThumbnailCache()), picture, kFileTypePicture, {200, 150}).isNull());

    const QByteArray uri = QUrl::fromLocalFile(picture).toEncoded();
    const QString expectedFile = cacheFolder() + "/thumbnails/large/" +
                                 QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png";
    ASSERT_EQ(cache.thumbnailPath(picture), expectedFile);
    EXPECT_EQ(QImageReader(expectedFile).format(), "png");
    const QImage written(expectedFile);
    EXPECT_EQ(written.size(), QSize(256, 192));
    EXPECT_EQ(written.text("Thumb::URI"), QString::fromUtf8(uri));
    const qint64 modified = QFileInfo(picture).lastModified().toSecsSinceEpoch();
    EXPECT_EQ(written.text("Thumb::MTime"), QString::number(modified));
    EXPECT_EQ(written.text("Thumb::Size"), QString::number(QFileInfo(picture).size()));
    EXPECT_EQ(QFileInfo(expectedFile).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    // A new maker (a restart) takes the cached thumbnail.
    EXPECT_EQ(MakeNow(ThumbnailMaker(FreedesktopThumbnailCache()), picture, kFileTypePicture, {200, 150}).pixelColor(5, 5),
              QColor(Qt::red));

    // The picture is rewritten within the second, keeping its time: its size tells the cached
    // thumbnail stale.
    const QDateTime time = QFileInfo(picture).lastModified();
    const qint64 redBytes = QFileInfo(picture).size();
    writePicture("photo.png", {1000, 750}, Qt::blue);
    {
        QFile file(picture);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    }
    ASSERT_NE(QFileInfo(picture).size(), redBytes);
    EXPECT_EQ(MakeNow(ThumbnailMaker(FreedesktopThumbnailCache()), picture, kFileTypePicture, {200, 150}).pixelColor(5, 5),
              QColor(Qt::blue));

    // A new time makes the cached one stale.
    {
        QFile file(picture);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(time.addSecs(60), QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(MakeNow(ThumbnailMaker(FreedesktopThumbnailCache()), picture, kFileTypePicture, {200, 150}).pixelColor(5, 5),
              QColor(Qt::blue));
    EXPECT_EQ(QImage(expectedFile).text("Thumb::MTime"), QString::number(modified + 60));
}

TEST_F(ThumbnailMaking, AFailedPictureIsRecordedAndNotDecodedAgainUntilItsTimeOrSizeChanges)
{
    const QByteArray picture = [&] {
        QFile file(writePicture("valid.png", {400, 300}, Qt::red));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_FALSE(picture.isEmpty());
    // Garbage first, of the picture's size and of one byte more, then the picture itself at the
    // same time (as a copy finishing within the second would leave it).
    writeFile("same.png", QByteArray(picture.size(), 'x'));
    writeFile("longer.png", QByteArray(picture.size() + 1, 'x'));
    const QDateTime time = QFileInfo(pathOf("same.png")).lastModified().addSecs(-60);
    auto rewrite = [&](const QString& name, const QByteArray& bytes, const QDateTime& at) {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
        ASSERT_TRUE(file.flush());
        ASSERT_TRUE(file.setFileTime(at, QFileDevice::FileModificationTime));
    };
    rewrite("same.png", QByteArray(picture.size(), 'x'), time);
    rewrite("longer.png", QByteArray(picture.size() + 1, 'x'), time);
    const ThumbnailMaker maker{FreedesktopThumbnailCache()};
    EXPECT_TRUE(MakeNow(maker, pathOf("same.png"), kFileTypePicture, {200, 150}).isNull());
    EXPECT_TRUE(MakeNow(maker, pathOf("longer.png"), kFileTypePicture, {200, 150}).isNull());

    const FreedesktopThumbnailCache cache(cacheFolder() + "/thumbnails/large");
    const QByteArray uri = QUrl::fromLocalFile(pathOf("same.png")).toEncoded();
    EXPECT_EQ(cache.failurePath(pathOf("same.png")), cacheFolder() + "/thumbnails/fail/pinlore/" +
                                                         QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() +
                                                         ".png");
    const QImage record(cache.failurePath(pathOf("same.png")));
    EXPECT_EQ(record.text("Thumb::URI"), QString::fromUtf8(uri));
    EXPECT_EQ(record.text("Thumb::MTime"), QString::number(time.toSecsSinceEpoch()));
    EXPECT_EQ(QFileInfo(cacheFolder() + "/thumbnails/fail").permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_FALSE(QFile::exists(cache.thumbnailPath(pathOf("same.png"))));

    rewrite("same.png", picture, time);
    rewrite("longer.png", picture, time);
    EXPECT_TRUE(MakeNow(maker, pathOf("same.png"), kFileTypePicture, {200, 150}).isNull());
    EXPECT_EQ(MakeNow(maker, pathOf("longer.png"), kFileTypePicture, {200, 150}).size(), QSize(200, 150));
    rewrite("same.png", picture, time.addSecs(1));
    EXPECT_EQ(MakeNow(maker, pathOf("same.png"), kFileTypePicture, {200, 150}).size(), QSize(200, 150));
}

TEST_F(ThumbnailMaking, CellsLargerThanTheCachedThumbnailAreDecodedAfresh)
{
    const QString picture = writePicture("photo.png", {1024, 768}, Qt::red);
    const ThumbnailMaker maker{FreedesktopThumbnailCache()};
    ASSERT_FALSE(MakeNow(maker, picture, kFileTypePicture, {200, 150}).isNull());
    EXPECT_EQ(MakeNow(maker, picture, kFileTypePicture, {400, 300}).size(), QSize(400, 300));
}

// A phone's photograph, red, with a green thumbnail of `thumbnailSize` beside it: the colour of a
// thumbnail made from it tells which of the two was decoded.
QByteArray PhonePhoto(int thumbnailSize)
{
    HeifWriter::Options options;
    options.thumbnailSize = thumbnailSize;
    options.thumbnail = TestPictures::Filled({64, 48}, Qt::green);
    return HeifWriter::Encode(TestPictures::Filled({1280, 960}, Qt::red), options);
}

bool NearlyGreen(QColor colour)
{
    return colour.green() > 200 && colour.red() < 50 && colour.blue() < 50;
}

bool NearlyRed(QColor colour)
{
    return colour.red() > 200 && colour.green() < 50 && colour.blue() < 50;
}

TEST_F(ThumbnailMaking, APhonePhotosOwnThumbnailServesTheCellsAndTheCacheItCovers)
{
    writeFile("IMG_0001.HEIC", PhonePhoto(320));  // 320 x 240: covers the cell and the cache's 256 x 192
    writeFile("IMG_0002.HEIC", PhonePhoto(160));  // 160 x 120: covers the cell only
    const FreedesktopThumbnailCache cache(cacheFolder() + "/thumbnails/large");
    const ThumbnailMaker maker{FreedesktopThumbnailCache()};
    for (const char* name : {"IMG_0001.HEIC", "IMG_0002.HEIC"}) {
        SCOPED_TRACE(name);
        const QImage thumbnail = MakeNow(maker, pathOf(name), kFileTypePicture, {150, 113});
        ASSERT_EQ(thumbnail.size(), QSize(150, 112));
        EXPECT_TRUE(NearlyGreen(thumbnail.pixelColor(75, 56)));
        // A cell larger than the file's thumbnail is made from the photograph.
        EXPECT_TRUE(NearlyRed(MakeNow(uncached, pathOf(name), kFileTypePicture, {400, 300}).pixelColor(200, 150)));
    }
    const QImage cached(cache.thumbnailPath(pathOf("IMG_0001.HEIC")));
    EXPECT_EQ(cached.size(), QSize(256, 192));
    EXPECT_TRUE(NearlyGreen(cached.pixelColor(128, 96)));
    // Never the photograph decoded for the cache's sake alone.
    EXPECT_FALSE(QFile::exists(cache.thumbnailPath(pathOf("IMG_0002.HEIC"))));
}

TEST_F(ThumbnailMaking, TheStoreAnswersOffTheCallersThreadAndKeepsTheAnswer)
{
    const QString picture = writePicture("red.png", {400, 300}, Qt::red);
    ThumbnailStore store(ThumbnailMaker(std::nullopt), 2, 1 << 20);
    QSignalSpy ready(&store, &ThumbnailStore::thumbnailReady);
    EXPECT_EQ(store.find(picture, kFileTypePicture, {200, 150}).state, ThumbnailStore::State::Pending);
    EXPECT_EQ(store.find(pathOf("missing.png"), kFileTypePicture, {200, 150}).state, ThumbnailStore::State::Pending);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() == 2; }));
    const auto answer = store.find(picture, kFileTypePicture, {200, 150});
    EXPECT_EQ(answer.state, ThumbnailStore::State::Ready);
    EXPECT_EQ(answer.image.size(), QSize(200, 150));
    EXPECT_EQ(store.find(pathOf("missing.png"), kFileTypePicture, {200, 150}).state, ThumbnailStore::State::None);
    // Same width, other height: the thumbnail serves as it is.
    EXPECT_EQ(store.find(picture, kFileTypePicture, {200, 151}).state, ThumbnailStore::State::Ready);
    // Both sizes changed: a new one is made.
    EXPECT_EQ(store.find(picture, kFileTypePicture, {100, 75}).state, ThumbnailStore::State::Pending);
}

TEST_F(ThumbnailMaking, TheStoreWritesTheDesktopCacheAfterTheThumbnailsEvenWhenClosedAtOnce)
{
    std::vector<QString> pictures;
    for (int i = 0; i < 12; ++i) pictures.push_back(writePicture(QString("p%1.png").arg(i), {512, 384}, Qt::red));
    const FreedesktopThumbnailCache cache(cacheFolder() + "/thumbnails/large");
    {
        // More pictures than cache files may wait, on one worker: it must write some in between.
        ThumbnailStore store(ThumbnailMaker(FreedesktopThumbnailCache()), 1, 1 << 24);
        QSignalSpy ready(&store, &ThumbnailStore::thumbnailReady);
        for (const QString& picture : pictures) store.find(picture, kFileTypePicture, {200, 150});
        ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() == int(pictures.size()); }));
        for (const QString& picture : pictures)
            EXPECT_EQ(store.find(picture, kFileTypePicture, {200, 150}).image.size(), QSize(200, 150));
    }
    for (const QString& picture : pictures) EXPECT_EQ(QImage(cache.thumbnailPath(picture)).size(), QSize(256, 192));
}

TEST_F(ThumbnailMaking, TheStoreKeepsItsThumbnailsWithinItsBudget)
{
    // Room for two thumbnails of 200 x 150 (120,000 bytes each), not three.
    ThumbnailStore store(ThumbnailMaker(std::nullopt), 1, 250'000);
    QSignalSpy ready(&store, &ThumbnailStore::thumbnailReady);
    for (int i = 0; i < 3; ++i) {
        const QString picture = writePicture(QString("p%1.png").arg(i), {400, 300});
        store.find(picture, kFileTypePicture, {200, 150});
        ASSERT_TRUE(QTest::qWaitFor([&] { return ready.count() == i + 1; }));
    }
    EXPECT_LE(store.bytesKept(), 250'000);
    EXPECT_EQ(store.find(pathOf("p0.png"), kFileTypePicture, {200, 150}).state, ThumbnailStore::State::Pending);
    EXPECT_EQ(store.find(pathOf("p2.png"), kFileTypePicture, {200, 150}).state, ThumbnailStore::State::Ready);
}

}  // namespace
