#include "app/thumbnailer/map_thumbnailer.h"

#include "components/interfaces/xml_property_bag.h"
#include "imaging/image.h"
#include "platform/files/moved_file.h"
#include "platform/files/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <pugixml.hpp>

namespace thumbnailer {

namespace {

// The document's class as a saved map's root element names it, and the property holding its picture.
constexpr char kDocumentClass[] = "{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}";
constexpr char kMapFileElement[] = "MapFileKey";
constexpr unsigned kStringType = 8;
// As the document loader parses: text exactly as stored.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_ws_pcdata;

int Fail(const QString& input, const QString& reason)
{
    std::fprintf(stderr, "pinlore: no thumbnail for %s: %s\n", QFile::encodeName(input).constData(),
                 reason.toLocal8Bit().constData());
    return 1;
}

std::optional<QByteArray> readWhole(const QString& path, QString& failure)
{
    // As every reader of maps: a larger file is no map anyone made.
    files::RegularFile file(path, kMaxPropertyBagFileBytes);
    std::optional<QByteArray> text = file.readAll();
    if (!text) failure = file.failure();
    return text;
}

// SIZE as file managers pass it: a positive number of pixels.
std::optional<int> sizeArgument(const QString& text)
{
    bool ok = false;
    const int size = text.toInt(&ok);
    return ok && size > 0 ? std::optional<int>(size) : std::nullopt;
}

}  // namespace

std::optional<QString> MapThumbnailer::MapPictureOf(const QString& mapPath, QString& failure)
{
    std::optional<QByteArray> text = readWhole(mapPath, failure);
    if (!text) return std::nullopt;
    pugi::xml_document document;
    if (!document.load_buffer_inplace(text->data(), static_cast<std::size_t>(text->size()), kParseOptions,
                                      pugi::encoding_auto)) {
        failure = QStringLiteral("It is not a map Pinlore can read.");
        return std::nullopt;
    }
    // The map's own object is the first "Object" element of the file, as the document loader takes it.
    const pugi::xml_node root = document.find_node([](pugi::xml_node node) {
        return node.type() == pugi::node_element && std::strcmp(node.name(), "Object") == 0;
    });
    if (!root || std::strcmp(root.attribute("clsid").value(), kDocumentClass) != 0) {
        failure = QStringLiteral("It holds no map.");
        return std::nullopt;
    }
    const pugi::xml_node picture = root.child(kMapFileElement);
    const QString path = QString::fromUtf8(picture.text().get());
    if (!picture || picture.attribute("vt").as_uint() != kStringType || path.isEmpty()) {
        failure = QStringLiteral("The map has no map picture.");
        return std::nullopt;
    }
    // A map copied elsewhere with its folder finds its picture as the window does.
    return files::LocateFile(path, QFileInfo(mapPath).absolutePath());
}

int MapThumbnailer::Run(const QStringList& arguments)
{
    if (arguments.size() != 3)
        return Fail(arguments.value(0), QStringLiteral("The arguments are INPUT OUTPUT SIZE."));
    const QString& input = arguments[0];
    const QString& output = arguments[1];
    const std::optional<int> longestSide = sizeArgument(arguments[2]);
    if (!longestSide)
        return Fail(input, QStringLiteral("The size %1 is not a positive number of pixels.").arg(arguments[2]));

    QString failure;
    const std::optional<QString> picture = MapPictureOf(input, failure);
    if (!picture) return Fail(input, failure);

    const QSize pictureSize = imaging::Image::SizeOfFile(*picture);
    if (pictureSize.isEmpty())
        return Fail(input, QStringLiteral("The map picture %1 cannot be read.").arg(*picture));
    QSize thumbnailSize = pictureSize;
    if (thumbnailSize.width() > *longestSide || thumbnailSize.height() > *longestSide)
        thumbnailSize = pictureSize.scaled(*longestSide, *longestSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const imaging::Image thumbnail = imaging::Image::FromFile(*picture, thumbnailSize);
    if (thumbnail.size().isEmpty())
        return Fail(input, QStringLiteral("The map picture %1 cannot be decoded.").arg(*picture));

    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || !thumbnail.pixels().save(&file, "PNG") || !file.commit())
        return Fail(input, QStringLiteral("%1 could not be written: %2.").arg(output, file.errorString()));
    return 0;
}

}  // namespace thumbnailer
