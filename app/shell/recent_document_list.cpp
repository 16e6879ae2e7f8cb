#include "app/shell/recent_document_list.h"

#include "app/shell/command_ids.h"
#include "app/shell/preferences.h"
#include "platform/registry/registry_key.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <string>

namespace shell {

namespace {

constexpr char kSubKey[] = "Recent Document List";
constexpr int kSmallestMaximum = 2;
constexpr int kLargestMaximum = 16;

std::string valueName(int i)
{
    return "Document" + std::to_string(i);
}

std::string subKeyPath()
{
    return std::string(Preferences::kKey) + "\\" + kSubKey;
}

}  // namespace

RecentDocumentList::RecentDocumentList(QMenu* menu) : menu_(menu)
{
    rebuildMenu();
}

void RecentDocumentList::setMaxSize(int size)
{
    maxSize_ = std::clamp(size, kSmallestMaximum, kLargestMaximum);
    while (paths_.size() > maxSize_) paths_.removeFirst();
    rebuildMenu();
}

QStringList RecentDocumentList::entries() const
{
    QStringList newestFirst(paths_.rbegin(), paths_.rend());
    return newestFirst;
}

std::optional<QString> RecentDocumentList::entry(int index) const
{
    if (index < 0 || index >= paths_.size()) return std::nullopt;
    return paths_[paths_.size() - 1 - index];
}

void RecentDocumentList::add(const QString& path)
{
    // Paths differing only in letter case name two files here.
    paths_.removeAll(path);
    if (paths_.size() >= maxSize_) paths_.removeFirst();
    paths_.append(path);
    rebuildMenu();
}

void RecentDocumentList::remove(int index)
{
    if (index < 0 || index >= paths_.size()) return;
    paths_.removeAt(paths_.size() - 1 - index);
    rebuildMenu();
}

void RecentDocumentList::readFromRegistry()
{
    registry::RegistryKey key;
    std::uint32_t count = 0;
    if (key.Open(registry::Hive::CurrentUser, subKeyPath()) != registry::kSuccess ||
        key.QueryDwordValue("DocumentCount", count) != registry::kSuccess)
        return;
    maxSize_ = static_cast<int>(std::clamp<std::uint32_t>(count, kSmallestMaximum, kLargestMaximum));
    paths_.clear();
    for (int i = maxSize_; i >= 1; --i) {
        std::string path;
        if (key.QueryStringValue(valueName(i), path) == registry::kSuccess)
            paths_.append(QString::fromStdString(path));
    }
    rebuildMenu();
}

void RecentDocumentList::writeToRegistry() const
{
    registry::WriteAll([&] {
        registry::RegistryKey key;
        registry::Status status = key.Create(registry::Hive::CurrentUser, subKeyPath());
        if (status != registry::kSuccess) return status;
        status = key.SetDwordValue("DocumentCount", static_cast<std::uint32_t>(maxSize_));
        const QStringList newestFirst = entries();
        for (int i = static_cast<int>(newestFirst.size()); i >= 1 && status == registry::kSuccess; --i)
            status = key.SetStringValue(valueName(i), newestFirst[i - 1].toStdString());
        // Up to the largest maximum, so that no entry of a longer list written earlier survives to
        // be read back by a run with a larger maximum.
        for (int i = static_cast<int>(newestFirst.size()) + 1; i <= kLargestMaximum && status == registry::kSuccess;
             ++i) {
            const registry::Status deleted = key.DeleteValue(valueName(i));
            if (deleted != registry::kFileNotFound) status = deleted;
        }
        return status;
    });
}

void RecentDocumentList::rebuildMenu()
{
    if (!menu_) return;
    menu_->clear();
    const QStringList newestFirst = entries();
    if (newestFirst.isEmpty()) {
        QAction* empty = menu_->addAction(QStringLiteral("(empty)"));
        empty->setData(command::kFirstRecentFile);
        empty->setEnabled(false);
        return;
    }
    for (int k = 0; k < newestFirst.size(); ++k) {
        // A "&" of the path is doubled so that the menu shows the path whole instead of taking it
        // as a mnemonic.
        QString path = newestFirst[k];
        path.replace(u'&', QStringLiteral("&&"));
        QAction* item = menu_->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(path));
        item->setData(command::kFirstRecentFile + k);
    }
}

}  // namespace shell
