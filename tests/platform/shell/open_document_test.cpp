#include "platform/shell/desktop_shell_services.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the URLs the desktop would open, so nothing is started.
class DocumentCatcher : public QObject {
    Q_OBJECT

public slots:
    void open(const QUrl& url) { emit opened(url); }

signals:
    void opened(QUrl url);
};

// A desktop of the test's own: the applications the association lookup sees are only those written
// here; the system's types stay known.
class PrivateDesktop {
public:
    PrivateDesktop()
    {
        const QString types = QStandardPaths::locate(QStandardPaths::GenericDataLocation, "mime",
                                                     QStandardPaths::LocateDirectory);
        QDir(root_.path()).mkpath("data/applications");
        QDir(root_.path()).mkpath("config");
        QDir(root_.path()).mkpath("system");
        QFile::link(types, root_.filePath("system/mime"));
        qputenv("XDG_DATA_HOME", root_.filePath("data").toUtf8());
        qputenv("XDG_DATA_DIRS", root_.filePath("system").toUtf8());
        qputenv("XDG_CONFIG_HOME", root_.filePath("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", root_.filePath("config").toUtf8());
    }
    // An application that declares it opens `type`.
    void install(const QString& type)
    {
        QFile entry(root_.filePath("data/applications/pinlore-test-viewer.desktop"));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\nMimeType=" + type.toUtf8() +
                    ";\n");
    }

private:
    QTemporaryDir root_;
};

TEST(OpenDocument, OnlyATypeThatAnApplicationOpensIsHandedToTheDesktop)
{
    if (QStandardPaths::findExecutable("xdg-mime").isEmpty()) GTEST_SKIP() << "no xdg-mime";
    PrivateDesktop desktop;
    DocumentCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QSignalSpy opened(&catcher, &DocumentCatcher::opened);
    shell::DesktopShellServices services;

    EXPECT_FALSE(services.openDocument("/opt/pinlore/help.chm"));
    EXPECT_EQ(opened.size(), 0);

    desktop.install("application/vnd.ms-htmlhelp");
    EXPECT_TRUE(services.openDocument("/opt/pinlore/help.chm"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toUrl(), QUrl::fromLocalFile("/opt/pinlore/help.chm"));
    QDesktopServices::unsetUrlHandler("file");
}

}  // namespace

#include "open_document_test.moc"
