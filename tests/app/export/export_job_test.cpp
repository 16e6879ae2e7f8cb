#include "app/export/export_job.h"
#include "app/export/page_templates.h"
#include "tests/app/export/site_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace html_export;
using export_test::StoredPage;

namespace {

constexpr std::chrono::seconds kPatience(60);

SpotSnapshot photoSpot(tagRECT bounds, QStringList pictures, QString audio = QString())
{
    SpotSnapshot spot;
    spot.bounds = bounds;
    spot.pictures = std::move(pictures);
    spot.audioFile = std::move(audio);
    return spot;
}

SpotSnapshot mapSpot(tagRECT bounds, QString linkedMap)
{
    SpotSnapshot spot;
    spot.kind = SpotSnapshot::Kind::Map;
    spot.bounds = bounds;
    spot.linkedMap = std::move(linkedMap);
    return spot;
}

QString rootHead(const QString& title)
{
    return PageTemplates::IndexHead(title, PageTemplates::RootLinkLine());
}

}  // namespace

class ExportJobTest : public ::testing::Test {
protected:
    ExportJobTest()
    {
        settings_.documentPath = folder_.path("maps/France.plm");
        settings_.exportFolder = folder_.folder("site/France");
        settings_.site.pinPicture = folder_.write("pushPin.gif", "GIF89a pin");
        settings_.site.loadMap = [this](const QString& path) -> MapLoad {
            ++loads_;
            if (onLoad_)
                onLoad_(path);
            const auto found = maps_.find(path);
            return found == maps_.end() ? std::nullopt : std::optional<MapSnapshot>(found->second);
        };
        folder_.folder("maps");
    }

    // Runs the export to its end and gives whether it ended within the patience allowed.
    std::vector<ExportProblem> run()
    {
        ExportJob job(settings_);
        job.start();
        EXPECT_TRUE(job.waitUntilDone(kPatience));
        EXPECT_TRUE(job.done());
        position_ = job.position();
        total_ = job.total();
        cancelled_ = job.cancelled();
        return job.problems();
    }

    QString map(const QString& name, QSize size) { return folder_.picture("maps/" + name, size); }
    QByteArray site(const QString& relative) const { return folder_.read("site/France/" + relative); }
    bool inSite(const QString& relative) const { return folder_.exists("site/France/" + relative); }

    export_test::SiteFolder folder_;
    ExportSettings settings_;
    std::map<QString, MapSnapshot> maps_;
    std::function<void(const QString&)> onLoad_;
    int loads_ = 0;
    int position_ = 0;
    int total_ = 0;
    bool cancelled_ = false;
};

TEST_F(ExportJobTest, AMapWithoutSpotsGivesItsPictureAPinAndAnIndexPage)
{
    settings_.root.mapPicture = map("Coast.jpg", {800, 600});
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(site("index.html"), StoredPage(rootHead("Coast") + PageTemplates::IndexClosing()));
    EXPECT_EQ(QImageReader(folder_.path("site/France/images/map.jpg")).size(), QSize(640, 480));
    EXPECT_EQ(site("images/pushPin.gif"), "GIF89a pin");
    EXPECT_EQ(position_, 1);
    EXPECT_EQ(total_, 1);
}

TEST_F(ExportJobTest, AMapWithoutPictureWritesNothing)
{
    settings_.root.spots = {photoSpot({0, 0, 10, 10}, {map("a.jpg", {64, 48})})};
    EXPECT_TRUE(run().empty());
    EXPECT_TRUE(QDir(settings_.exportFolder).isEmpty());
    EXPECT_EQ(total_, 0);
}

TEST_F(ExportJobTest, PhotoSpotsGetPinsPagesAndPicturesInBothQualities)
{
    settings_.root.mapPicture = map("Coast.jpg", {800, 600});
    const QStringList pictures = {map("p0.jpg", {320, 240}), map("p1.jpg", {1000, 1000}), map("p2.png", {1600, 1200})};
    settings_.root.spots = {photoSpot({0, 0, 10, 10}, {}), photoSpot({0, 0, 10, 10}, {}),
                            photoSpot({0, 0, 10, 10}, {}), photoSpot({0, 0, 10, 10}, {}),
                            photoSpot({100, 100, 200, 150}, pictures)};
    EXPECT_TRUE(run().empty());

    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(QImageReader(folder_.path(QString("site/France/images/spot4_img%1.jpg").arg(j))).size(), QSize(640, 480));
        EXPECT_EQ(QImageReader(folder_.path(QString("site/France/images/spot4_lo_res_img%1.jpg").arg(j))).size(),
                  QSize(640, 480));
    }
    EXPECT_FALSE(inSite("images/spot4_img3.jpg"));
    EXPECT_EQ(total_, 4);
    EXPECT_EQ(position_, 4);

    const QString list = PageTemplates::PictureEntry(4, 0) + "," + PageTemplates::PictureEntry(4, 1) + "," +
                         PageTemplates::PictureEntry(4, 2);
    const QString lowList = PageTemplates::LowResolutionEntry(4, 0) + "," + PageTemplates::LowResolutionEntry(4, 1) +
                            "," + PageTemplates::LowResolutionEntry(4, 2);
    EXPECT_EQ(site("spot4.html"), StoredPage(PageTemplates::SpotHead("Coast", "France") + PageTemplates::WaitingNote() +
                                             PageTemplates::SlideShowScript(list, lowList)));

    QString index = rootHead("Coast");
    for (int i = 0; i < 4; ++i)
        index += PageTemplates::PhotoSpotPin(38, 38, i);
    index += PageTemplates::PhotoSpotPin(154, 134, 4) + PageTemplates::IndexClosing();
    EXPECT_EQ(site("index.html"), StoredPage(index));
}

TEST_F(ExportJobTest, ASpotWithoutPicturesGetsAPageWithEmptyLists)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    settings_.root.spots = {photoSpot({0, 0, 10, 10}, {})};
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(site("spot0.html"), StoredPage(PageTemplates::SpotHead("Coast", "France") + PageTemplates::WaitingNote() +
                                             PageTemplates::SlideShowScript(QString(), QString())));
}

TEST_F(ExportJobTest, SoundsAreCopiedWithTheirWholeExtension)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    const QString song = folder_.write("maps/song.mp3", "ID3 song");
    const QByteArray aiff("FORM\0\0\0\x04" "AIFF", 12);
    const QString tune = folder_.write("maps/tune.aiff", aiff);
    settings_.root.spots = {photoSpot({0, 0, 10, 10}, {}), photoSpot({0, 0, 10, 10}, {}, song),
                            photoSpot({0, 0, 10, 10}, {}, tune)};
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(site("sounds/spot1_sound.mp3"), "ID3 song");
    EXPECT_EQ(site("sounds/spot2_sound.aiff"), aiff);
    EXPECT_EQ(site("spot2.html"),
              StoredPage(PageTemplates::SpotHead("Coast", "France") + PageTemplates::WaitingNote() +
                         PageTemplates::SoundLine("spot2_sound.aiff") + PageTemplates::SlideShowScript(QString(), QString())));
}

TEST_F(ExportJobTest, LinkedMapsGoIntoSubFoldersThatLeadBackUp)
{
    settings_.root.mapPicture = map("Country.jpg", {800, 600});
    const QString cityPath = folder_.path("maps/Paris.plm");
    settings_.root.spots = {mapSpot({100, 100, 200, 150}, cityPath)};
    MapSnapshot city;
    city.mapPicture = map("City.png", {640, 480});
    city.spots = {photoSpot({0, 0, 20, 20}, {map("c0.jpg", {64, 48})}), mapSpot({0, 0, 20, 20}, settings_.documentPath)};
    maps_[cityPath] = city;

    EXPECT_TRUE(run().empty());
    EXPECT_EQ(site("index.html"), StoredPage(rootHead("Country") + PageTemplates::MapSpotPin(154, 134, 0) +
                                             PageTemplates::IndexClosing()));
    // The link back up to the root map gets no pin.
    EXPECT_EQ(site("spot0/index.html"),
              StoredPage(PageTemplates::IndexHead("City", PageTemplates::ParentLinkLine("France")) +
                         PageTemplates::PhotoSpotPin(44, 44, 0) + PageTemplates::IndexClosing()));
    EXPECT_EQ(site("spot0/spot0.html"),
              StoredPage(PageTemplates::SpotHead("City", "Paris") + PageTemplates::WaitingNote() +
                         PageTemplates::SlideShowScript(PageTemplates::PictureEntry(0, 0),
                                                        PageTemplates::LowResolutionEntry(0, 0))));
    EXPECT_TRUE(inSite("spot0/images/map.jpg"));
    EXPECT_TRUE(inSite("spot0/images/pushPin.gif"));
    EXPECT_TRUE(inSite("spot0/images/spot0_img0.jpg"));
    EXPECT_FALSE(inSite("spot0/spot1"));
    EXPECT_EQ(total_, 3);
    EXPECT_EQ(position_, 3);
    EXPECT_EQ(loads_, 2);
}

TEST_F(ExportJobTest, AMapThatLinksToItselfGetsNoPinForThatLink)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    settings_.root.spots = {mapSpot({0, 0, 10, 10}, settings_.documentPath)};
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(site("index.html"), StoredPage(rootHead("Coast") + PageTemplates::IndexClosing()));
    EXPECT_EQ(loads_, 0);
}

TEST_F(ExportJobTest, AMapLinkedTwiceIsExportedOnceAtItsFirstLink)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    const QString cityPath = folder_.path("maps/Paris.plm");
    settings_.root.spots = {mapSpot({0, 0, 10, 10}, cityPath), mapSpot({0, 0, 10, 10}, cityPath)};
    maps_[cityPath] = MapSnapshot{map("City.png", {64, 48}), {}};
    EXPECT_TRUE(run().empty());
    EXPECT_EQ(site("index.html"), StoredPage(rootHead("Coast") + PageTemplates::MapSpotPin(39, 39, 0) +
                                             PageTemplates::IndexClosing()));
    EXPECT_FALSE(inSite("spot1"));
}

TEST_F(ExportJobTest, ALinkedMapThatCannotBeLoadedGetsNoPinAndIsReported)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    const QString missing = folder_.path("maps/Missing.plm");
    settings_.root.spots = {mapSpot({0, 0, 10, 10}, missing), photoSpot({0, 0, 10, 10}, {})};
    const std::vector<ExportProblem> problems = run();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].path, missing);
    EXPECT_EQ(problems[0].subject, ExportProblem::Subject::Map);
    EXPECT_EQ(site("index.html"), StoredPage(rootHead("Coast") + PageTemplates::PhotoSpotPin(39, 39, 1) +
                                             PageTemplates::IndexClosing()));
    EXPECT_FALSE(inSite("spot0"));
}

TEST_F(ExportJobTest, ALinkedMapWithoutPictureGetsItsFoldersButNoPinAndIsReported)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    const QString cityPath = folder_.path("maps/Paris.plm");
    settings_.root.spots = {mapSpot({0, 0, 10, 10}, cityPath)};
    maps_[cityPath] = MapSnapshot{};
    const std::vector<ExportProblem> problems = run();
    EXPECT_EQ(problems, (std::vector<ExportProblem>{{cityPath, "The linked map has no map picture.", ExportProblem::Subject::Map}}));
    EXPECT_EQ(site("index.html"), StoredPage(rootHead("Coast") + PageTemplates::IndexClosing()));
    EXPECT_TRUE(QDir(folder_.path("site/France/spot0/images")).isEmpty());
    EXPECT_FALSE(inSite("spot0/index.html"));
}

TEST_F(ExportJobTest, FilesThatCannotBeMadeAreReportedAndTheExportGoesOn)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    settings_.site.pinPicture = folder_.path("no-pin.gif");
    settings_.root.spots = {photoSpot({0, 0, 10, 10}, {folder_.write("maps/broken.jpg", "junk")},
                                      folder_.path("maps/gone.wav")),
                            photoSpot({0, 0, 10, 10}, {map("fine.jpg", {64, 48})})};
    const std::vector<ExportProblem> problems = run();
    QStringList paths;
    for (const ExportProblem& problem : problems)
        paths.append(QDir(settings_.exportFolder).relativeFilePath(problem.path));
    EXPECT_EQ(paths, QStringList({"images/pushPin.gif", "images/spot0_img0.jpg", "images/spot0_lo_res_img0.jpg",
                                  "sounds/spot0_sound.wav"}));
    EXPECT_TRUE(inSite("images/spot1_img0.jpg"));
    EXPECT_TRUE(inSite("spot1.html"));
    EXPECT_TRUE(inSite("index.html"));
    EXPECT_EQ(position_, 3);
}

TEST_F(ExportJobTest, AnUnreadableMapPictureLeavesThePinsOnTheSpots)
{
    settings_.root.mapPicture = folder_.write("maps/broken.jpg", "junk");
    settings_.root.spots = {photoSpot({100, 100, 200, 150}, {})};
    EXPECT_EQ(run().size(), 1u);
    EXPECT_EQ(site("index.html"), StoredPage(PageTemplates::IndexHead("broken", PageTemplates::RootLinkLine()) +
                                             PageTemplates::PhotoSpotPin(184, 159, 0) + PageTemplates::IndexClosing()));
}

TEST_F(ExportJobTest, ACancelDuringCountingStillWritesTheRootPageWithoutPins)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    const QString cityPath = folder_.path("maps/Paris.plm");
    settings_.root.spots = {mapSpot({0, 0, 10, 10}, cityPath), photoSpot({0, 0, 10, 10}, {map("p.jpg", {64, 48})})};
    maps_[cityPath] = MapSnapshot{map("City.png", {64, 48}), {}};
    ExportJob* running = nullptr;
    onLoad_ = [&](const QString&) { running->cancel(); };

    ExportJob job(settings_);
    running = &job;
    job.start();
    ASSERT_TRUE(job.waitUntilDone(kPatience));
    EXPECT_TRUE(job.cancelled());
    EXPECT_EQ(loads_, 1);
    EXPECT_EQ(site("index.html"), StoredPage(rootHead("Coast") + PageTemplates::IndexClosing()));
    EXPECT_TRUE(inSite("images/map.jpg"));
    EXPECT_TRUE(inSite("spot0/images")) << "the counting pass makes the folders too";
    EXPECT_FALSE(inSite("spot0/index.html"));
    EXPECT_FALSE(inSite("spot1.html"));
    EXPECT_FALSE(inSite("images/spot1_img0.jpg"));
}

TEST_F(ExportJobTest, ACancelAfterALinkedMapLeavesTheContainingPageUnwritten)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    const QString cityPath = folder_.path("maps/Paris.plm");
    settings_.root.spots = {mapSpot({0, 0, 10, 10}, cityPath), photoSpot({0, 0, 10, 10}, {map("p.jpg", {64, 48})})};
    maps_[cityPath] = MapSnapshot{map("City.png", {64, 48}), {photoSpot({0, 0, 10, 10}, {map("c.jpg", {64, 48})})}};
    ExportJob* running = nullptr;
    // The second load is the writing pass's.
    onLoad_ = [&](const QString&) {
        if (loads_ == 2)
            running->cancel();
    };

    ExportJob job(settings_);
    running = &job;
    job.start();
    ASSERT_TRUE(job.waitUntilDone(kPatience));
    EXPECT_TRUE(job.cancelled());
    EXPECT_EQ(job.total(), 4);
    EXPECT_LT(job.position(), job.total());
    // A cancel between spots still writes the page with the pins made so far (none in the city).
    EXPECT_EQ(site("spot0/index.html"), StoredPage(PageTemplates::IndexHead("City", PageTemplates::ParentLinkLine("France")) +
                                                   PageTemplates::IndexClosing()));
    EXPECT_TRUE(inSite("spot0/images/map.jpg"));
    EXPECT_FALSE(inSite("index.html"));
    EXPECT_FALSE(inSite("spot1.html"));
}

TEST_F(ExportJobTest, ACancelDuringTheWritingPassIsHonouredPromptly)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    QStringList pictures;
    for (int j = 0; j < 40; ++j)
        pictures.append(map(QString("p%1.jpg").arg(j), {1600, 1200}));
    settings_.root.spots = {photoSpot({0, 0, 10, 10}, pictures)};

    ExportJob job(settings_);
    job.start();
    while (job.position() < 2)
        ASSERT_FALSE(job.waitUntilDone(std::chrono::milliseconds(5)));
    job.cancel();
    EXPECT_TRUE(job.waitUntilDone(std::chrono::milliseconds(500)));
    EXPECT_LT(job.position(), job.total());
    EXPECT_FALSE(inSite("images/spot0_img39.jpg"));
    EXPECT_FALSE(inSite("index.html"));
    EXPECT_FALSE(inSite("spot0.html"));
}

TEST_F(ExportJobTest, ParallelConversionsWriteTheSameFilesAsOneThread)
{
    settings_.root.mapPicture = map("Coast.jpg", {1200, 900});
    QStringList pictures;
    for (int j = 0; j < 8; ++j)
        pictures.append(folder_.photo(QString("maps/p%1.jpg").arg(j), {900 + 97 * j, 700 + 31 * j}));
    settings_.root.spots = {photoSpot({10, 10, 50, 50}, pictures.mid(0, 5)), photoSpot({60, 60, 90, 90}, pictures.mid(5))};

    settings_.exportFolder = folder_.folder("sequential");
    settings_.conversionThreads = 1;
    EXPECT_TRUE(run().empty());
    settings_.exportFolder = folder_.folder("parallel");
    settings_.conversionThreads = 4;
    EXPECT_TRUE(run().empty());

    QDirIterator files(folder_.path("sequential"), QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (files.hasNext()) {
        const QString relative = QDir(folder_.path("sequential")).relativeFilePath(files.next());
        EXPECT_EQ(folder_.read("sequential/" + relative), folder_.read("parallel/" + relative)) << relative.toStdString();
        ++count;
    }
    EXPECT_EQ(count, 1 + 1 + 8 * 2 + 2 + 1);
}

TEST_F(ExportJobTest, AJobDroppedBeforeItStartsWritesNothing)
{
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    {
        ExportJob job(settings_);
    }
    EXPECT_TRUE(QDir(settings_.exportFolder).isEmpty());
}

namespace {

// Every file a page names, apart from its links back up to an index page (a cancel inside a map
// leaves that map's index page unwritten, so those may lead nowhere), resolved beside the page.
QStringList FilesNamedBy(const QString& pagePath, const QByteArray& page)
{
    static const QRegularExpression quoted(QStringLiteral("\"([^\"\\s]+\\.(?:html|jpg|gif|wav))\""));
    QStringList files;
    for (const QRegularExpressionMatch& match : quoted.globalMatch(QString::fromUtf8(page))) {
        const QString name = match.captured(1);
        if (name != "index.html" && name != "../index.html")
            files.append(QFileInfo(pagePath).dir().filePath(name));
    }
    return files;
}

}  // namespace

// The cancel comes at each step in turn: at the linked map's load in either pass, and as each of
// the photo spots' pictures starts being converted. Whatever the step, no page written names a
// picture, a sound or a page that the site lacks.
TEST_F(ExportJobTest, ACancelAtAnyStepLeavesNoPageNamingAMissingFile)
{
    QStringList pictures;
    for (const char* name : {"a0.jpg", "a1.jpg", "c0.jpg", "b0.jpg"})
        pictures.append(map(name, {64, 48}));
    settings_.conversionThreads = 1;
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    const QString cityPath = folder_.path("maps/Paris.plm");
    settings_.root.spots = {photoSpot({0, 0, 10, 10}, pictures.mid(0, 2), folder_.write("maps/song.wav", "RIFF")),
                            mapSpot({20, 20, 30, 30}, cityPath), photoSpot({40, 40, 50, 50}, pictures.mid(3, 1))};
    maps_[cityPath] = MapSnapshot{map("City.png", {64, 48}), {photoSpot({0, 0, 20, 20}, pictures.mid(2, 1))}};

    constexpr int kLoads = 2;
    for (int step = 1; step <= kLoads + static_cast<int>(pictures.size()); ++step) {
        SCOPED_TRACE("cancel at step " + std::to_string(step));
        const QString site = folder_.folder(QString("sites/%1").arg(step));
        settings_.exportFolder = site;
        loads_ = 0;
        std::atomic<ExportJob*> running = nullptr;
        std::set<QString> converted;
        settings_.convertPicture = [&](const QString& source, std::span<const JpegTarget> targets) {
            if (pictures.contains(source) && converted.insert(source).second
                && kLoads + static_cast<int>(converted.size()) == step)
                running.load()->cancel();
            return JpegConverter::ConvertToJpeg(source, targets);
        };
        ExportJob job(settings_);
        running = &job;
        onLoad_ = [&](const QString&) {
            if (loads_ == step)
                job.cancel();
        };
        job.start();
        ASSERT_TRUE(job.waitUntilDone(kPatience));
        EXPECT_TRUE(job.cancelled());

        int pages = 0;
        QDirIterator files(site, {"*.html"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString page = files.next();
            ++pages;
            QFile input(page);
            ASSERT_TRUE(input.open(QIODevice::ReadOnly));
            for (const QString& named : FilesNamedBy(page, input.readAll()))
                EXPECT_TRUE(QFileInfo::exists(named)) << page.toStdString() << " names " << named.toStdString();
        }
        EXPECT_GT(pages, 0);
    }
    onLoad_ = nullptr;
}

TEST_F(ExportJobTest, DroppingAJobWaitsOnlyABoundedTimeForAWorkerThatDoesNotEnd)
{
    struct Gate {
        ManualResetEvent entered;
        ManualResetEvent release;
    };
    // Set when the worker has let go of everything it was given, which it does as it ends.
    struct Sentinel {
        explicit Sentinel(std::shared_ptr<ManualResetEvent> ended) : ended(std::move(ended)) {}
        ~Sentinel() { ended->set(); }
        std::shared_ptr<ManualResetEvent> ended;
    };
    const auto gate = std::make_shared<Gate>();
    const auto ended = std::make_shared<ManualResetEvent>();
    settings_.root.mapPicture = map("Coast.jpg", {640, 480});
    settings_.root.spots = {mapSpot({0, 0, 10, 10}, folder_.path("maps/Paris.plm"))};
    settings_.site.loadMap = [gate, sentinel = std::make_shared<Sentinel>(ended)](const QString&) {
        gate->entered.set();
        gate->release.wait();
        return std::optional<MapSnapshot>();
    };
    settings_.stopTimeout = std::chrono::milliseconds(20);
    {
        ExportJob job(std::move(settings_));
        job.start();
        gate->entered.wait();
    }
    // The job is gone while its worker still waits in the loader; released, the worker ends on its own.
    gate->release.set();
    EXPECT_TRUE(ended->waitFor(kPatience));
}
