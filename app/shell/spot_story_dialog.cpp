#include "app/shell/spot_story_dialog.h"

#include "imaging/image.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>

namespace shell {

namespace {

// Dialog units.
constexpr int kWidth = 300;
constexpr int kMargin = 7;
constexpr int kFieldWidth = kWidth - 2 * kMargin;
constexpr int kLabelHeight = 9;
constexpr int kTextHeight = 64;
constexpr int kCaptionsHeight = 96;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
// Pixels: a thumbnail a caption can be matched to at a glance.
constexpr QSize kThumbnailSize(64, 48);

int dialogHeight(bool hasPictures)
{
    const int textBottom = 45 + kTextHeight;
    const int fieldsBottom = hasPictures ? textBottom + 6 + kLabelHeight + 1 + kCaptionsHeight : textBottom;
    return fieldsBottom + kMargin + kButtonHeight + kMargin;
}

QLabel* thumbnailOf(const QString& path)
{
    auto* label = new QLabel;
    label->setFixedSize(kThumbnailSize);
    label->setAlignment(Qt::AlignCenter);
    label->setToolTip(path);
    const QSize size = imaging::Image::SizeOfFile(path).scaled(kThumbnailSize, Qt::KeepAspectRatio);
    const imaging::Image thumbnail = size.isEmpty() ? imaging::Image() : imaging::Image::FromFile(path, size);
    if (thumbnail.size().isEmpty())
        label->setText(QStringLiteral("?"));
    else
        label->setPixmap(QPixmap::fromImage(thumbnail.pixels()));
    return label;
}

}  // namespace

SpotStoryDialog::SpotStoryDialog(QWidget* owner, const SpotStory& story)
    : TemplateDialog(owner, QStringLiteral("Spot Story"), ui::DialogFont(8), kWidth, dialogHeight(!story.pictures.empty())),
      original_(story)
{
    auto* titleLabel = place(new QLabel(QStringLiteral("&Title:")), QStringLiteral("title label"), kMargin, 7,
                             kFieldWidth, kLabelHeight);
    title_ = place(new QLineEdit(story.title), QStringLiteral("title"), kMargin, 17, kFieldWidth, 13);
    titleLabel->setBuddy(title_);

    auto* textLabel = place(new QLabel(QStringLiteral("Te&xt:")), QStringLiteral("text label"), kMargin, 35,
                            kFieldWidth, kLabelHeight);
    text_ = place(new QPlainTextEdit(story.text), QStringLiteral("text"), kMargin, 45, kFieldWidth, kTextHeight);
    text_->setTabChangesFocus(true);
    textLabel->setBuddy(text_);

    int bottom = 45 + kTextHeight;
    if (!story.pictures.empty()) {
        placeCaptions(bottom + 6, kCaptionsHeight);
        bottom += 6 + kLabelHeight + 1 + kCaptionsHeight;
    }

    const int buttonsTop = bottom + kMargin;
    auto* ok = place(new QPushButton(QStringLiteral("OK")), QStringLiteral("OK"),
                     kWidth - kMargin - 2 * kButtonWidth - 4, buttonsTop, kButtonWidth, kButtonHeight);
    auto* cancel = place(new QPushButton(QStringLiteral("Cancel")), QStringLiteral("Cancel"),
                         kWidth - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(title_, text_);
    QWidget* previous = text_;
    for (QLineEdit* caption : captions_) {
        setTabOrder(previous, caption);
        previous = caption;
    }
    setTabOrder(previous, ok);
    setTabOrder(ok, cancel);
    title_->setFocus(Qt::OtherFocusReason);
}

void SpotStoryDialog::placeCaptions(int top, int height)
{
    auto* label = place(new QLabel(QStringLiteral("&Captions:")), QStringLiteral("captions label"), kMargin, top,
                        kFieldWidth, kLabelHeight);
    auto* area = place(new QScrollArea, QStringLiteral("captions"), kMargin, top + kLabelHeight + 1, kFieldWidth, height);
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    for (std::size_t i = 0; i < original_.pictures.size(); ++i) {
        const SpotStory::Picture& picture = original_.pictures[i];
        auto* caption = new QLineEdit(picture.caption);
        caption->setObjectName(QStringLiteral("caption %1").arg(i + 1));
        caption->setPlaceholderText(QStringLiteral("Caption of picture %1").arg(i + 1));
        grid->addWidget(thumbnailOf(picture.path), static_cast<int>(i), 0);
        grid->addWidget(caption, static_cast<int>(i), 1);
        captions_.append(caption);
    }
    // A few captions stand at the top of the area, not spread over it.
    grid->setRowStretch(static_cast<int>(original_.pictures.size()), 1);
    area->setWidget(rows);
    area->setWidgetResizable(true);
    // Tabbing through the captions scrolls each into sight: the area sees the Tab on its way up.
    label->setBuddy(captions_.front());
}

SpotStory SpotStoryDialog::story() const
{
    SpotStory edited = original_;
    edited.title = title_->text();
    edited.text = text_->toPlainText();
    for (qsizetype i = 0; i < captions_.size(); ++i) edited.pictures[static_cast<std::size_t>(i)].caption = captions_[i]->text();
    return edited;
}

void SpotStoryDialog::showEvent(QShowEvent* event)
{
    centreOnOwnersScreen();
    TemplateDialog::showEvent(event);
}

}  // namespace shell
