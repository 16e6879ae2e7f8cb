#include "app/export/jpeg_converter.h"
#include "tests/app/export/site_folder.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

using html_export::ExportProblem;
using html_export::JpegConverter;
using html_export::JpegTarget;

namespace {

// JPEG blurs edges by a few pixels; compare colours well inside each area.
bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 && std::abs(a.blue() - b.blue()) < 24;
}

}  // namespace

class JpegConverterTest : public ::testing::Test {
protected:
    export_test::SiteFolder folder_;
};

TEST_F(JpegConverterTest, ASmallPictureIsEnlargedToFillTheImage)
{
    const QString source = folder_.picture("small.png", {320, 240}, Qt::red);
    const JpegTarget target{folder_.path("out.jpg"), 50};
    EXPECT_TRUE(JpegConverter::ConvertToJpeg(source, {&target, 1}).empty());

    const QImage result(target.path);
    ASSERT_EQ(result.size(), QSize(640, 480));
    for (QPoint point : {QPoint(4, 4), QPoint(635, 4), QPoint(320, 240), QPoint(4, 475), QPoint(635, 475)})
        EXPECT_TRUE(near(result.pixelColor(point), Qt::red)) << point.x() << "," << point.y();
}

TEST_F(JpegConverterTest, ASquarePictureIsLetterboxedBetweenWhiteBands)
{
    const QString source = folder_.picture("square.png", {1000, 1000}, Qt::blue);
    const JpegTarget target{folder_.path("out.jpg"), 50};
    EXPECT_TRUE(JpegConverter::ConvertToJpeg(source, {&target, 1}).empty());

    const QImage result(target.path);
    ASSERT_EQ(result.size(), QSize(640, 480));
    EXPECT_TRUE(near(result.pixelColor(70, 240), Qt::white));
    EXPECT_TRUE(near(result.pixelColor(90, 240), Qt::blue));
    EXPECT_TRUE(near(result.pixelColor(550, 240), Qt::blue));
    EXPECT_TRUE(near(result.pixelColor(570, 240), Qt::white));
}

TEST_F(JpegConverterTest, OneDecodingMakesBothQualities)
{
    const QString source = folder_.photo("photo.jpg", {4000, 3000});
    const JpegTarget targets[] = {{folder_.path("full.jpg"), 50}, {folder_.path("low.jpg"), 20}};
    EXPECT_TRUE(JpegConverter::ConvertToJpeg(source, targets).empty());
    EXPECT_EQ(QImageReader(targets[0].path).size(), QSize(640, 480));
    EXPECT_EQ(QImageReader(targets[1].path).size(), QSize(640, 480));
    EXPECT_LT(folder_.read("low.jpg").size(), folder_.read("full.jpg").size());
}

TEST_F(JpegConverterTest, AnUnreadablePictureMakesNoFileAndIsReportedForEveryTarget)
{
    const QString source = folder_.write("broken.jpg", "not a picture");
    const JpegTarget targets[] = {{folder_.path("full.jpg"), 50}, {folder_.path("low.jpg"), 20}};
    const std::vector<ExportProblem> problems = JpegConverter::ConvertToJpeg(source, targets);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].path, targets[0].path);
    EXPECT_EQ(problems[1].path, targets[1].path);
    EXPECT_TRUE(problems[0].reason.contains("could not be read"));
    EXPECT_FALSE(folder_.exists("full.jpg"));
    EXPECT_FALSE(folder_.exists("low.jpg"));
}

TEST_F(JpegConverterTest, AMissingPictureIsReported)
{
    const JpegTarget target{folder_.path("out.jpg"), 50};
    EXPECT_EQ(JpegConverter::ConvertToJpeg(folder_.path("missing.jpg"), {&target, 1}).size(), 1u);
}

TEST_F(JpegConverterTest, ATargetThatCannotBeWrittenIsReportedAndTheOthersAreMade)
{
    const QString source = folder_.picture("photo.png", {64, 48});
    const JpegTarget targets[] = {{folder_.path("no/such/folder/full.jpg"), 50}, {folder_.path("low.jpg"), 20}};
    const std::vector<ExportProblem> problems = JpegConverter::ConvertToJpeg(source, targets);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].path, targets[0].path);
    EXPECT_TRUE(folder_.exists("low.jpg"));
}
