#include "components/browser/table_control_window.h"

#include <QLabel>

namespace browser {

TableControlWindow::TableControlWindow(QWidget& host)
    : QWidget(&host), label_(new QLabel(QStringLiteral("Files"), this)), gridHost_(new QWidget(this))
{
    label_->setObjectName(QString::number(kLabelId));
    label_->setFrameShape(QFrame::Box);
    // The name stands on the palette's ground for text, white in the default palette: readable in a
    // dark one too, whatever lies behind the label.
    label_->setBackgroundRole(QPalette::Base);
    label_->setForegroundRole(QPalette::Text);
    label_->setAutoFillBackground(true);
}

void TableControlWindow::resizeEvent(QResizeEvent*)
{
    label_->setGeometry(0, 0, width(), 22);
    gridHost_->setGeometry(0, 24, width(), std::max(0, height() - 24));
}

}  // namespace browser
