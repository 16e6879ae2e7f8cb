#pragma once

#include "tests/support/registered_components.h"
#include "tests/support/temporary_directory.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

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
    // Makes a home of the test's own (for the desktop, documents and pictures folders) and gives it.
    QString useOwnHome();

    TemporaryDirectory folder;

private:
    void setVariable(const char* name, const QString& value);

    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

}  // namespace test_support
