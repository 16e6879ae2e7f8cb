#pragma once

#include <QFont>
#include <QString>

namespace imaging {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

enum class FontUnit { Pixel, Point };

// A font for Graphics::drawString. Fonts need the application's font database: create them on the
// GUI thread, or on any thread once a QGuiApplication exists.
class Font {
public:
    // The desktop's generic sans-serif family (a fontconfig alias, so it always resolves).
    static QString GenericSansSerifFamily();

    // A family the system lacks falls back to a sans-serif face.
    Font(const QString& family, qreal size, FontStyle style, FontUnit unit);

    const QFont& qfont() const { return font_; }

private:
    QFont font_;
};

}  // namespace imaging
