#include "tests/components/browser/browser_folder.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/runtime.h"
#include "platform/ui/qt_strings.h"
#include "tests/support/document_model.h"

#include <QDir>
#include <QFile>

namespace test_support {

void BrowserFolderTest::SetUp()
{
    ComponentTest::SetUp();
    setVariable("XDG_CACHE_HOME", cacheFolder());
}

void BrowserFolderTest::setVariable(const char* name, const QString& value)
{
    saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv(name, QFile::encodeName(value));
}

QString BrowserFolderTest::useOwnHome()
{
    const QString home = makeFolder(QStringLiteral(".home"));
    setVariable("HOME", home);
    setVariable("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    return home;
}

void BrowserFolderTest::TearDown()
{
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second) qputenv(it->first, *it->second);
        else qunsetenv(it->first);
    }
    ComponentTest::TearDown();
}

QString BrowserFolderTest::pathOf(const QString& name) const
{
    return QString::fromStdString(folder.path().string()) + u'/' + name;
}

QString BrowserFolderTest::cacheFolder() const
{
    return pathOf(QStringLiteral(".cache"));
}

QString BrowserFolderTest::writePicture(const QString& name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = pathOf(name);
    EXPECT_TRUE(image.save(path, "png"));
    return path;
}

QString BrowserFolderTest::writeMap(const QString& name, const QString& picture)
{
    const auto document = MakeDocument();
    const com::Bstr mapFile = ui::ToBstr(picture);
    document->SetMapFile(mapFile.get());
    auto bag = com::CreateInstance<IXMLPropertyBag>(CLSID_CXMLPropertyBag);
    const QString path = pathOf(name);
    const com::Bstr file = ui::ToBstr(path);
    EXPECT_EQ(bag->SaveToFile(file.get(), document.get()), com::S_OK);
    return path;
}

QString BrowserFolderTest::makeFolder(const QString& name)
{
    EXPECT_TRUE(QDir().mkpath(pathOf(name)));
    return pathOf(name);
}

void BrowserFolderTest::writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(pathOf(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace test_support
