#include "components/browser/pl_image_cell_factory.h"

#include "components/document/string_copy.h"
#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/ui/qt_strings.h"

#include <QCollator>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>

namespace {

QString Joined(const QString& directory, const QString& name)
{
    return directory.endsWith(u'/') ? directory + name : directory + u'/' + name;
}

}  // namespace

com::HRESULT PLImageCellFactory::SetDirectory(com::BSTR inDirectory) noexcept
{
    cursor_ = entries_.size();
    if (!inDirectory) return com::S_OK;
    return com::Guarded([&] {
        directory_ = document::CopyString(inDirectory);
        const QString directory = ui::ToQString(inDirectory);
        std::error_code error;
        std::filesystem::directory_iterator listing(QFile::encodeName(directory).toStdString(), error);
        if (error || directory.isEmpty()) return com::S_FALSE;

        std::vector<QString> found;
        for (const std::filesystem::directory_entry& entry : listing) {
            const QString name = QFile::decodeName(QByteArray::fromStdString(entry.path().filename().native()));
            if (name.startsWith(u'.')) continue;
            std::error_code kindError;
            // A folder named like a picture is listed as a picture, as a name pattern would list it.
            if (ClassifyFile(ui::ToView(name)) != kFileTypeOther || entry.is_directory(kindError))
                found.push_back(Joined(directory, name));
        }
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!desktop.isEmpty() && directory == desktop && !documents.isEmpty() &&
            std::find(found.begin(), found.end(), documents) == found.end())
            found.push_back(documents);

        QCollator collator;
        std::sort(found.begin(), found.end(),
                  [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
        entries_ = std::move(found);
        cursor_ = 0;
        return com::S_OK;
    });
}

com::HRESULT PLImageCellFactory::GetDirectory(com::BSTR* outDirectoryName) noexcept
{
    if (!outDirectoryName) return com::E_POINTER;
    return com::Guarded([&] {
        *outDirectoryName = document::CopyString(directory_.get()).detach();
        return com::S_OK;
    });
}

com::HRESULT PLImageCellFactory::NextCell(ITableCell** outCell) noexcept
{
    if (!outCell) return com::E_POINTER;
    *outCell = nullptr;
    if (cursor_ >= entries_.size()) return com::S_OK;
    return com::Guarded([&] {
        const QString& entry = entries_[cursor_];
        auto cell = com::CreateInstance<IImageCell>(CLSID_PLImageCell);
        const com::Bstr name = ui::ToBstr(entry);
        com::ThrowIfFailed(cell->SetFile(name.get()));
        auto tableCell = cell.as<ITableCell>();
        tableCell->SetIsDirectory(ClassifyFile(ui::ToView(entry)) == kFileTypeOther ? com::VARIANT_TRUE
                                                                                    : com::VARIANT_FALSE);
        ++cursor_;
        *outCell = tableCell.detach();
        return com::S_OK;
    });
}
