#include "app/pack/map_pack.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/document.h"
#include "components/interfaces/file_locator.h"
#include "components/interfaces/file_type.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/files/regular_file.h"
#include "platform/com/implements.h"
#include "platform/com/runtime.h"
#include "platform/files/moved_file.h"
#include "platform/ui/qt_strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <deque>
#include <map>
#include <set>

namespace pack {

namespace {

constexpr qint64 kChunkBytes = qint64(1) << 20;

QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(u'/'));
}

// Where each file goes in the pack. A source is known by its real path, so that one file named in
// two ways is copied once; names are given in order of first mention and never repeat in a folder.
class PackPlan {
public:
    struct Copy {
        QString source;
        QString destination;
    };

    explicit PackPlan(QString folder) : folder_(std::move(folder)) {}

    // The pack's copy of the root map keeps its file's name.
    void placeRoot(const QString& source)
    {
        const QString destination = folder_ + u'/' + QFileInfo(source).fileName();
        taken_.insert(destination);
        placed_.emplace(realPath(source), destination);
        maps_.push_back({source, destination});
    }

    QString place(const QString& source)
    {
        const QString real = realPath(source);
        if (const auto known = placed_.find(real); known != placed_.end()) return known->second;
        const FileType kind = ClassifyFile(ui::ToView(source));
        const QString subFolder = kind == kFileTypeMap ? QStringLiteral("maps")
                                  : kind == kFileTypeSound ? QStringLiteral("sounds")
                                                           : QStringLiteral("pictures");
        const QString destination = freeName(subFolder, QFileInfo(source).fileName());
        placed_.emplace(real, destination);
        if (kind == kFileTypeMap)
            maps_.push_back({source, destination});
        else
            files_.push_back({source, destination});
        return destination;
    }

    // Maps still to be packed, the root first; each is taken once.
    std::deque<Copy>& maps() { return maps_; }
    const std::vector<Copy>& files() const { return files_; }

private:
    static QString realPath(const QString& path)
    {
        const QString real = QFileInfo(path).canonicalFilePath();
        return real.isEmpty() ? path : real;
    }

    QString freeName(const QString& subFolder, QString name)
    {
        if (name.isEmpty() || name == u"." || name == u"..") name = QStringLiteral("file");
        const QFileInfo parts(name);
        const QString stem = parts.completeBaseName();
        const QString suffix = parts.suffix().isEmpty() ? QString() : u'.' + parts.suffix();
        QString destination = folder_ + u'/' + subFolder + u'/' + name;
        for (int n = 2; taken_.contains(destination); ++n)
            destination = folder_ + u'/' + subFolder + u'/' + QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(suffix);
        taken_.insert(destination);
        return destination;
    }

    QString folder_;
    std::map<QString, QString> placed_;
    std::set<QString> taken_;
    std::deque<Copy> maps_;
    std::vector<Copy> files_;
};

// The maps are loaded through this locator: every path a map names becomes its copy in the pack, so
// the loaded document, saved into the pack, names only the pack's files. A file found nowhere keeps
// its stored path and is reported once.
class PackLocator final : public com::Implements<PackLocator, IFileLocator> {
public:
    PackLocator(PackPlan& plan, std::vector<MapPack::Problem>& problems) : plan_(plan), problems_(problems) {}

    com::HRESULT LocateFile(com::BSTR inMapFile, com::BSTR inStoredPath, com::BSTR* outPath) noexcept override
    {
        if (!outPath) return com::E_POINTER;
        *outPath = nullptr;
        return com::Guarded([&] {
            const QString stored = ui::ToQString(inStoredPath);
            const QString found = files::LocateFile(stored, folderOf(ui::ToQString(inMapFile)));
            QString named = stored;
            if (files::IsRegularFile(found)) {
                named = plan_.place(found);
            } else if (reported_.insert(stored).second) {
                problems_.push_back({stored, QStringLiteral("It was not found where the map names it or in the map's folder.")});
            }
            *outPath = ui::ToBstr(named).detach();
            return com::S_OK;
        });
    }

private:
    ~PackLocator() override = default;

    PackPlan& plan_;
    std::vector<MapPack::Problem>& problems_;
    std::set<QString> reported_;
};

// Loads the map at `source` naming the pack's copies, and writes it at `destination`.
std::optional<QString> packMap(const PackPlan::Copy& map, PackLocator& locator)
{
    {
        const files::RegularFile file(map.source);
        if (!file.isOpen()) return file.failure();
    }
    com::ComPtr<IXMLPropertyBag> bag;
    if (com::FAILED(com::CreateInstance(CLSID_CXMLPropertyBag, bag)))
        return QStringLiteral("The document component could not be created.");
    bag.as<ILocatingPropertyBag>()->SetFileLocator(&locator);
    com::ComPtr<com::IUnknown> loaded;
    if (com::FAILED(bag->LoadFromFile(ui::ToBstr(map.source).get(), nullptr, loaded.put())) || !loaded.tryAs<IDocument>())
        return QStringLiteral("It is not a map Pinlore can read.");
    bag.as<ILocatingPropertyBag>()->SetFileLocator(nullptr);
    if (!QDir().mkpath(folderOf(map.destination)) ||
        com::FAILED(bag->SaveToFile(ui::ToBstr(map.destination).get(), loaded.get())))
        return QStringLiteral("Its copy could not be written to %1.").arg(map.destination);
    return std::nullopt;
}

// Copies `copy` whole or not at all; false when the copy was stopped.
bool copyFile(const PackPlan::Copy& copy, std::vector<MapPack::Problem>& problems, const std::function<bool()>& goOn)
{
    files::RegularFile file(copy.source);
    if (!file.isOpen()) {
        problems.push_back({copy.source, file.failure()});
        return true;
    }
    QFile source;
    QSaveFile destination(copy.destination);
    if (!source.open(file.release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ||
        !QDir().mkpath(folderOf(copy.destination)) || !destination.open(QIODevice::WriteOnly)) {
        problems.push_back({copy.source, QStringLiteral("It could not be copied to %1.").arg(copy.destination)});
        return true;
    }
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunkBytes);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError) break;
        if (destination.write(chunk) != chunk.size()) break;
        if (!goOn()) {
            destination.cancelWriting();
            return false;
        }
    }
    if (!source.atEnd() || !destination.commit())
        problems.push_back({copy.source, QStringLiteral("It could not be copied to %1: %2.")
                                             .arg(copy.destination, destination.errorString())});
    return true;
}

}  // namespace

MapPack::Result MapPack::Pack(const QString& mapPath, const QString& folder, const Progress& progress)
{
    Result result;
    PackPlan plan(folder);
    plan.placeRoot(mapPath);
    const com::ComPtr<PackLocator> locator = com::Make<PackLocator>(plan, result.problems);
    const auto report = [&] { return progress(result.done, result.total + static_cast<int>(plan.maps().size())); };

    while (!plan.maps().empty()) {
        const PackPlan::Copy map = plan.maps().front();
        plan.maps().pop_front();
        if (const std::optional<QString> failure = packMap(map, *locator.get()))
            result.problems.push_back({map.source, *failure});
        ++result.done;
        ++result.total;
        if (!report()) {
            result.cancelled = true;
            return result;
        }
    }
    result.total += static_cast<int>(plan.files().size());
    for (const PackPlan::Copy& file : plan.files()) {
        if (!copyFile(file, result.problems, report)) {
            result.cancelled = true;
            return result;
        }
        ++result.done;
        if (!report()) {
            result.cancelled = true;
            return result;
        }
    }
    return result;
}

}  // namespace pack
