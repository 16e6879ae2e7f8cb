#include "platform/shell/desktop_shell_services.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Stands in for the desktop's file manager on the bus.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public slots:
    void ShowFolders(const QStringList& uris, const QString& startupId) { emit shown(uris, startupId); }
    void ShowItems(const QStringList& uris, const QString& startupId) { emit shownItems(uris, startupId); }

signals:
    void shown(QStringList uris, QString startupId);
    void shownItems(QStringList uris, QString startupId);
};

// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT

public slots:
    void open(const QUrl& url) { emit opened(url); }

signals:
    void opened(QUrl url);
};

// A session bus of the test's own: the process's session bus is made on first use from the address
// in the environment, so it is set before anything asks for the bus.
class PrivateBus {
public:
    PrivateBus()
    {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!daemon_.waitForReadyRead(5000)) return;
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    }
    ~PrivateBus()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    const QString& address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

TEST(ShowFolder, AsksTheFileManagerOnTheBusElseTheDesktopForAFolderOrAFileInIt)
{
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty());
    QDBusConnection fileManagerSide = QDBusConnection::connectToBus(bus.address(), "file manager");
    ASSERT_TRUE(fileManagerSide.isConnected());
    FakeFileManager fileManager;
    ASSERT_TRUE(fileManagerSide.registerObject("/org/freedesktop/FileManager1", &fileManager,
                                               QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(fileManagerSide.registerService("org.freedesktop.FileManager1"));
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    QSignalSpy opened(&desktop, &UrlCatcher::opened);

    shell::DesktopShellServices services;
    QSignalSpy shown(&fileManager, &FakeFileManager::shown);
    services.showFolder("/tmp/Sites/Trip to Zürich");
    ASSERT_TRUE(shown.wait(5000));
    EXPECT_EQ(shown[0][0].toStringList(), QStringList{QUrl::fromLocalFile("/tmp/Sites/Trip to Zürich").toString()});
    QSignalSpy shownItems(&fileManager, &FakeFileManager::shownItems);
    services.showItem("/tmp/Sites/Italy/index.html");
    ASSERT_TRUE(shownItems.wait(5000));
    EXPECT_EQ(shownItems[0][0].toStringList(), QStringList{QUrl::fromLocalFile("/tmp/Sites/Italy/index.html").toString()});
    EXPECT_EQ(opened.size(), 0);

    // Without a file manager on the bus, the folder is opened like any other local file; for a
    // file, the folder it is in.
    fileManagerSide.unregisterService("org.freedesktop.FileManager1");
    services.showFolder("/tmp/Sites/Italy");
    ASSERT_TRUE(opened.wait(5000));
    EXPECT_EQ(opened[0][0].toUrl(), QUrl::fromLocalFile("/tmp/Sites/Italy"));
    services.showItem("/tmp/Sites/Spain/index.html");
    ASSERT_TRUE(opened.wait(5000));
    EXPECT_EQ(opened[1][0].toUrl(), QUrl::fromLocalFile("/tmp/Sites/Spain"));
    QDesktopServices::unsetUrlHandler("file");
    QDBusConnection::disconnectFromBus("file manager");
}

}  // namespace

#include "show_folder_test.moc"
