#pragma once

#include "tests/support/registered_components.h"
#include "tests/support/temporary_directory.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace test_support {

// A component test with a folder of its own to list and a thumbnail cache of its own
// ($XDG_CACHE_HOME points into the test's folder while it runs).
class BrowserFolderTest : public ComponentTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The whole path of `name` in the test's folder.
    QString pathOf(const QString& name) const;
    QString writePicture(const QString& name, QSize size, QColor colour = Qt::darkGreen);
    // A map document whose map picture is `picture` (which need not exist).
    QString writeMap(const QString& name, const QString& picture);
    QString makeFolder(const QString& name);
    void writeFile(const QString& name, const QByteArray& bytes);
    QString cacheFolder() const;

    TemporaryDirectory folder;

private:
    QByteArray savedCacheHome_;
    bool hadCacheHome_ = false;
};

}  // namespace test_support
